#pragma once
// Tunit15_help: the help viewer. It shows the help text of its topic (1 theory, 3 directory
// content) from the start folder and closes on any character typed; scrolling and cursor keys
// leave it open.

#include <QDialog>
#include <QString>
#include <string>

class QTextEdit;

namespace kalven {

class UserDialogs;

// The help topics, as the help menu entries record them in HelpTopic.
inline constexpr int kTheoryTopic = 1;
inline constexpr int kLoadAreaTopic = 2;
inline constexpr int kDirectoryTopic = 3;

inline constexpr const char* kTheoryHelpFile = "force_theory.rtf";
inline constexpr const char* kDirectoryHelpFile = "directory_content.rtf";

class Tunit15_help : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate: a help file that cannot be read is reported as an error and the viewer
    // stays empty.
    Tunit15_help(int topic, const std::string& startDir, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The file shown for a topic, as the file system's bytes, or empty for a topic without one.
    static std::string helpFilePath(int topic, const std::string& startDir);

    QTextEdit* RichEdit1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(int topic, const std::string& startDir);
    void RichEdit1KeyPress();

    UserDialogs& dialogs_;
};

}  // namespace kalven
