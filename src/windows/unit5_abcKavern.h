#pragma once
// Tabc_kavern: the data rows of all 20 load areas (multiplier, alpha, X, text) in one grid,
// row r for area r; OK writes them back, Cancel changes nothing.

#include <QDialog>

#include "core/project_data.h"

class QLabel;
class QPushButton;

namespace kalven {

class NumericGrid;

class Tabc_kavern : public QDialog {
    Q_OBJECT
public:
    explicit Tabc_kavern(ProjectData& data, QWidget* parent = nullptr);

    void Button1Click();  // OK
    void Button2Click();  // Cancel

    NumericGrid* StringGrid1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label5 = nullptr;

private:
    void FormCreate();

    ProjectData& data_;
};

}  // namespace kalven
