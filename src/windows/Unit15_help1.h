#pragma once
// Tunit15_help: the help viewer. It shows the help text of HelpTopic (1 theory, 3 directory
// content) from the start folder and closes on any character typed; scrolling and cursor keys
// leave it open.

#include <QDialog>
#include <QString>
#include <string>

#include "core/project_data.h"

class QTextEdit;

namespace kalven {

class UserDialogs;

inline constexpr const char* kTheoryHelpFile = "force_theory.rtf";
inline constexpr const char* kDirectoryHelpFile = "directory_content.rtf";

class Tunit15_help : public QDialog {
    Q_OBJECT
public:
    // Runs FormCreate: a help file that cannot be read is reported as an error and the viewer
    // stays empty.
    Tunit15_help(const ProjectData& data, UserDialogs& dialogs, QWidget* parent = nullptr);

    // The file shown for a topic, as the file system's bytes, or empty for a topic without one.
    static std::string helpFilePath(const ProjectData& data);

    QTextEdit* RichEdit1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void RichEdit1KeyPress();

    const ProjectData& data_;
    UserDialogs& dialogs_;
};

}  // namespace kalven
