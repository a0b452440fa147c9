#pragma once
// TForm1_dlzka: the length of the drawing area and the rounding of the cursor coordinates.
// OK stores them; a new length makes the main window discard the project afterwards. Any other
// way out (Cancel, the title-bar close, Escape) stores nothing and discards nothing.

#include <QDialog>

#include "core/project_data.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace kalven {

class RadioGroup;
class UserDialogs;

class TForm1_dlzka : public QDialog {
    Q_OBJECT
public:
    TForm1_dlzka(ProjectData& data, UserDialogs& dialogs, QWidget* parent = nullptr);

    void FormCreate();
    void SpinEdit1Change();
    void BitBtn1Click();  // OK
    void BitBtn2Click();  // Cancel
    // Every way of leaving without OK comes here; the length change is forgotten.
    void reject() override;

    // The length shown: within 5..1200, and 5 while the text is not a number.
    int SpinEdit1Value() const;

    QLabel* Label1 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

private:
    ProjectData& data_;
    UserDialogs& dialogs_;
};

}  // namespace kalven
