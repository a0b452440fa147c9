#pragma once
// Tdxf_import: what of a DXF drawing becomes load areas: its layers, its unit, whether it moves
// to the origin, with a picture of the result on the current area length. Changes nothing itself;
// the command imports with options() after OK.

#include <QDialog>

#include "core/dxf_import.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kalven {

class DrawingImage;

class Tdxf_import : public QDialog {
    Q_OBJECT
public:
    Tdxf_import(const DxfDrawing& drawing, const ProjectData& data, QWidget* parent = nullptr);
    ~Tdxf_import() override;

    DxfImportOptions options() const;

    void Button1Click();  // OK
    void Button2Click();  // Cancel

    QListWidget* CheckListBox1 = nullptr;  // the layers, each with its outline count
    QRadioButton* RadioButton_m = nullptr;
    QRadioButton* RadioButton_cm = nullptr;
    QRadioButton* RadioButton_mm = nullptr;
    QCheckBox* CheckBox1 = nullptr;  // "Move to origin"
    DrawingImage* Image1 = nullptr;  // the preview
    QLabel* Label1 = nullptr;        // where the outlines go
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    // Draws the preview and names the area numbers for the options now shown.
    void refresh();

    const DxfDrawing& drawing_;
    const ProjectData& data_;
};

}  // namespace kalven
