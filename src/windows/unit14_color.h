#pragma once
// Tmirt_color: the eight drawing colours. The dialog edits its own copy, DialogColors; the live
// table changes only on OK. It is created once and hidden on close, so the copy outlives a
// Cancel and shows again at the next opening.

#include <QDialog>
#include <QWidget>
#include <array>

#include "core/project_data.h"
#include "drawing/color_presets.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace kalven {

class UserDialogs;

// A filled rectangle with a thin black outline, showing one colour value.
class ColorShape : public QWidget {
public:
    explicit ColorShape(QWidget* parent = nullptr);
    ColorValue brushColor() const { return color_; }
    void setBrushColor(ColorValue color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorValue color_ = 0;
};

class Tmirt_color : public QDialog {
    Q_OBJECT
public:
    Tmirt_color(ProjectData& data, UserDialogs& dialogs, QWidget* parent = nullptr);

    void Button1Click();  // Manual set up
    void Button2Click();  // Light
    void Button3Click();  // Dark
    void Button4Click();  // Reset
    void Button5Click();  // OK
    void Button6Click();  // Cancel
    void Button7Click();  // Save

    // The selected radio item, 0..7: slot ItemIndex + 1.
    int itemIndex() const;
    void setItemIndex(int index);

    const ColorTable& dialogColors() const { return DialogColors; }

    std::array<ColorShape*, kColorCount> Shapes{};  // Shape1..Shape8
    QGroupBox* RadioGroup1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;

private:
    void applyPreset(ColorPreset preset);
    void refillShapes();

    ProjectData& data_;
    UserDialogs& dialogs_;
    ColorTable DialogColors;
    QButtonGroup* items_ = nullptr;
};

}  // namespace kalven
