#include "windows/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kalven {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), items_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        items_->addButton(button, i);
        layout->addWidget(button);
    }
}

int RadioGroup::itemIndex() const
{
    return items_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = items_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one item checked unless told otherwise for a moment.
    items_->setExclusive(false);
    for (QAbstractButton* button : items_->buttons())
        button->setChecked(false);
    items_->setExclusive(true);
}

QRadioButton* RadioGroup::item(int index) const
{
    return static_cast<QRadioButton*>(items_->button(index));
}

}  // namespace kalven
