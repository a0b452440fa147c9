#pragma once
// Scripted answers for everything that waits on a person: answers are queued in order, every call
// is recorded. A call with no queued answer fails the test and answers "No" / "Cancel".

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/user_dialogs.h"
#include "windows/qt_user_dialogs.h"

namespace kalven::testing {

// What Qt's own file dialog, set up from `options`, shows in its file-type box.
inline QString ShownFileType(const FileDialogOptions& options)
{
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(nullptr, options, QFileDialog::AcceptOpen);
    const auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    EXPECT_TRUE(types != nullptr && types->count() == 1);
    return types ? types->currentText() : QString();
}

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
    // A file name chosen, or the dialog cancelled; a null text stands for the cancel.
    void answerFile(std::optional<QString> path) { files_.push_back(path.value_or(QString())); }
    void answerPrinter(bool confirmed) { printers_.push_back(confirmed); }
    void answerColor(std::optional<std::uint32_t> color) { colors_.push_back(color); }
    // The function fills the dialog's widgets, may click its buttons, and returns whether the
    // dialog was accepted. With no function queued the dialog is rejected.
    void answerModal(std::function<bool(QDialog&)> fill) { modals_.push_back(std::move(fill)); }
    // The next progress window is cancelled once the task reports this many thousandths.
    void cancelProgressAt(int permille) { cancelAt_ = permille; }

    void message(const QString& text, MessageKind kind) override { record("message", text, kind); }
    bool askYesNo(const QString& text, MessageKind kind) override
    {
        record("askYesNo", text, kind);
        return next(yesNo_, "question: " + text.toStdString(), false);
    }
    std::optional<QString> openFileName(const FileDialogOptions& options) override
    {
        return file("openFileName", options);
    }
    std::optional<QString> saveFileName(const FileDialogOptions& options) override
    {
        return file("saveFileName", options);
    }
    bool printerSetup(QPrinter& /*printer*/) override
    {
        record("printerSetup");
        return next(printers_, "printer set-up", false);
    }
    std::optional<std::uint32_t> chooseColor(std::uint32_t /*initial*/) override
    {
        record("chooseColor");
        return next(colors_, "colour chooser", std::optional<std::uint32_t>());
    }
    bool runModal(QDialog& dialog) override
    {
        record("runModal", dialog.windowTitle());
        if (modals_.empty())
            return false;
        return next(modals_, "", std::function<bool(QDialog&)>())(dialog);
    }
    void runWithProgress(const QString& text, const std::function<void(const ProgressReport&)>& task) override
    {
        record("progress", text);
        const std::optional<int> cancelAt = std::exchange(cancelAt_, std::nullopt);
        task([cancelAt](int permille) { return !cancelAt || permille < *cancelAt; });
    }

    const std::vector<DialogCall>& calls() const { return calls_; }
    // The texts of message() calls, in order.
    std::vector<QString> messages() const
    {
        std::vector<QString> texts;
        for (const auto& call : calls_)
            if (call.what == QLatin1String("message"))
                texts.push_back(call.text);
        return texts;
    }
    void clearCalls() { calls_.clear(); }
    // True when every queued answer has been used.
    bool allAnswered() const
    {
        return yesNo_.empty() && files_.empty() && printers_.empty() && colors_.empty() && modals_.empty();
    }

private:
    void record(const char* what, const QString& text = {}, MessageKind kind = MessageKind::Plain,
                const FileDialogOptions& options = {})
    {
        calls_.push_back({QLatin1String(what), text, kind, options});
    }
    template <typename T> static T next(std::deque<T>& queue, const std::string& what, T none)
    {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return none;
        }
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
    std::optional<QString> file(const char* what, const FileDialogOptions& options)
    {
        record(what, options.title, MessageKind::Plain, options);
        const QString path = next(files_, what, QString());
        return path.isNull() ? std::nullopt : std::optional(path);
    }

    std::vector<DialogCall> calls_;
    std::deque<bool> yesNo_;
    std::deque<QString> files_;
    std::deque<bool> printers_;
    std::deque<std::optional<std::uint32_t>> colors_;
    std::deque<std::function<bool(QDialog&)>> modals_;
    std::optional<int> cancelAt_;
};

}  // namespace kalven::testing
