#pragma once
// Ttitle: the project title; OK keeps the first 40 characters, Cancel changes nothing.

#include <QDialog>

#include "core/project_data.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalven {

class Ttitle : public QDialog {
    Q_OBJECT
public:
    explicit Ttitle(ProjectData& data, QWidget* parent = nullptr);

    void Button1Click();  // OK
    void Button2Click();  // Cancel

    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void FormCreate();

    ProjectData& data_;
};

}  // namespace kalven
