#pragma once
// The labels and buttons of the small dialogs, placed at their design positions.

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace kalven {

// A label of its text's natural size with its top-left corner at (left, top).
QLabel* DialogLabel(QWidget* parent, const char* name, const QString& text, int left, int top);

// A 75 x 25 push button. A button that is not the default leaves Enter to the widget that has it.
QPushButton* DialogButton(QWidget* parent, const char* name, const QString& text, int left, int top,
                          bool isDefault = false);

}  // namespace kalven
