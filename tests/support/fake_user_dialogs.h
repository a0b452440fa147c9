#pragma once
// Scripted answers for everything that waits on a person: answers are queued in order, every call
// is recorded. A call with no queued answer fails the test and answers "No" / "Cancel".

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "commands/user_dialogs.h"

namespace kalven::testing {

// What Qt's own file dialog, set up from `options`, shows in its file-type box.
QString ShownFileType(const FileDialogOptions& options);

struct DialogCall {
    QString what;  // "message", "askYesNo", "openFileName", "saveFileName", "printerSetup", "chooseColor", "runModal",
                   // "progress"
    QString text;  // message text, dialog title or window title
    MessageKind kind = MessageKind::Plain;
    FileDialogOptions options;
};

class FakeUserDialogs : public UserDialogs {
public:
    // Queues
    void answerYes() { yesNo_.push_back(true); }
    void answerNo() { yesNo_.push_back(false); }
    void answerFile(std::optional<QString> path) { files_.push_back(std::move(path)); }
    void answerPrinter(bool confirmed) { printers_.push_back(confirmed); }
    void answerColor(std::optional<std::uint32_t> color) { colors_.push_back(color); }
    // The function fills the dialog's widgets, may click its buttons, and returns whether the
    // dialog was accepted. With no function queued the dialog is rejected.
    void answerModal(std::function<bool(QDialog&)> fill) { modals_.push_back(std::move(fill)); }
    // The next progress window is cancelled once the task reports this many thousandths.
    void cancelProgressAt(int permille) { cancelAt_ = permille; }

    void message(const QString& text, MessageKind kind) override;
    bool askYesNo(const QString& text, MessageKind kind) override;
    std::optional<QString> openFileName(const FileDialogOptions& options) override;
    std::optional<QString> saveFileName(const FileDialogOptions& options) override;
    bool printerSetup(QPrinter& printer) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
    bool runModal(QDialog& dialog) override;
    void runWithProgress(const QString& text, const std::function<void(const ProgressReport&)>& task) override;

    const std::vector<DialogCall>& calls() const { return calls_; }
    std::vector<QString> messages() const;  // texts of message() calls, in order
    void clearCalls() { calls_.clear(); }
    // True when every queued answer has been used.
    bool allAnswered() const;

private:
    std::optional<QString> nextFile();

    std::vector<DialogCall> calls_;
    std::deque<bool> yesNo_;
    std::deque<std::optional<QString>> files_;
    std::deque<bool> printers_;
    std::deque<std::optional<std::uint32_t>> colors_;
    std::deque<std::function<bool(QDialog&)>> modals_;
    std::optional<int> cancelAt_;
};

}  // namespace kalven::testing
