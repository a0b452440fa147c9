#pragma once
// Everything that waits on a person: message boxes, file dialogs, the printer set-up,
// the colour chooser and modal dialogs. The windows reach them only through this interface,
// so every command can be driven by a test.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kalven {

// Error: the general error report of an error that left a command.
enum class MessageKind { Plain, Warning, Confirmation, Error };

// Told how far a task has come, in thousandths; answers false once the person has cancelled.
using ProgressReport = std::function<bool(int permille)>;

struct FileDialogOptions {
    QString title;
    // The file type as the dialog shows it, and the names it lists: "Kalven file (*.klv)", "*.klv".
    QString filterLabel;
    QString filterPattern;
    QString defaultSuffix;  // appended to a name typed without extension
    QString directory;      // initial folder
    bool confirmOverwrite = false;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message with an OK button.
    virtual void message(const QString& text, MessageKind kind) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text, MessageKind kind) = 0;
    virtual std::optional<QString> openFileName(const FileDialogOptions& options) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogOptions& options) = 0;
    virtual bool printerSetup(QPrinter& printer) = 0;
    // 0x00BBGGRR in and out; nothing when the person cancels.
    virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
    // Shows the dialog modally; true when it was accepted.
    virtual bool runModal(QDialog& dialog) = 0;
    // Runs a task that may take long behind a window with the text, a progress bar and Cancel.
    virtual void runWithProgress(const QString& text, const std::function<void(const ProgressReport&)>& task) = 0;
};

}  // namespace kalven
