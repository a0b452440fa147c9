#pragma once
// A framed group of radio buttons read and set by the index of the chosen item.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace kalven {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    // 0-based; -1 when no item is chosen.
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const;

private:
    QButtonGroup* items_;
};

}  // namespace kalven
