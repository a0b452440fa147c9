#pragma once
// Tmirt_dir: the initial folder of the project file dialogs; OK writes kalven1.cfg anew.

#include <QDialog>

#include "core/project_data.h"

class QLineEdit;
class QPushButton;

namespace kalven {

class UserDialogs;

class Tmirt_dir : public QDialog {
    Q_OBJECT
public:
    Tmirt_dir(ProjectData& data, UserDialogs& dialogs, QWidget* parent = nullptr);

    void Button1Click();  // OK
    void Button2Click();  // Cancel

    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    ProjectData& data_;
    UserDialogs& dialogs_;
};

}  // namespace kalven
