#include "windows/dialog_widgets.h"

#include <QLabel>
#include <QPushButton>

namespace kalven {

QLabel* DialogLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* DialogButton(QWidget* parent, const char* name, const QString& text, int left, int top, bool isDefault)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, top, 75, 25);
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

}  // namespace kalven
