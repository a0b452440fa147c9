#pragma once
// Tcoor_teren: the stored vertices of load area CorrectionArea as numbers, so that points picked
// with the mouse can be typed exactly; OK writes X and Y back. The vertex count never changes.

#include <QDialog>

#include "core/project_data.h"

class QPushButton;

namespace kalven {

class NumericGrid;

class Tcoor_teren : public QDialog {
    Q_OBJECT
public:
    explicit Tcoor_teren(ProjectData& data, QWidget* parent = nullptr);

    void Button1Click();  // OK
    void Button2Click();  // Cancel

    NumericGrid* StringGrid1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void FormCreate();

    ProjectData& data_;
    int area_;
};

}  // namespace kalven
