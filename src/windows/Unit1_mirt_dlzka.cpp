#include "windows/Unit1_mirt_dlzka.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "core/text_format.h"
#include "windows/dialog_widgets.h"
#include "windows/radio_group.h"
#include "commands/user_dialogs.h"

namespace kalven {

namespace {

constexpr int kLengthMin = 5;
constexpr int kLengthMax = 1200;

QFont Bold(QFont font)
{
    font.setBold(true);
    return font;
}

}  // namespace

TForm1_dlzka::TForm1_dlzka(ProjectData& data, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), data_(data), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("Length"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(320, 332);  // wide enough for Label3 at the usual sans-serif fonts

    Label1 = DialogLabel(this, "Label1", QStringLiteral("Length of area [m]"), 48, 16);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setGeometry(48, 32, 97, 22);
    SpinEdit1->setRange(kLengthMin, kLengthMax);
    SpinEdit1->setSingleStep(5);
    Label2 = DialogLabel(this, "Label2", QStringLiteral("ATTENTION  ! ! ! "), 48, 72);
    Label2->setFont(Bold(Label2->font()));
    Label2->adjustSize();
    Label3 = DialogLabel(this, "Label3", QStringLiteral("Every new length need all new input data !"), 48, 88);
    Label4 = DialogLabel(this, "Label4", QStringLiteral("Cancel and save current data !"), 48, 104);

    RadioGroup1 = new RadioGroup(QStringLiteral(" ROUNDING "), {QStringLiteral("1 cm"), QStringLiteral("5 cm")}, this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    QFont groupFont = Bold(RadioGroup1->font());
    groupFont.setPointSizeF(groupFont.pointSizeF() * 1.25);
    RadioGroup1->setFont(groupFont);
    RadioGroup1->setGeometry(48, 128, 193, 105);

    BitBtn1 = DialogButton(this, "BitBtn1", QStringLiteral("OK"), 48, 256, true);
    BitBtn2 = DialogButton(this, "BitBtn2", QStringLiteral("Cancel"), 168, 256);

    // A new value, and any typing, also while the text is not yet a number.
    connect(SpinEdit1, &QSpinBox::textChanged, this, [this] { SpinEdit1Change(); });
    connect(SpinEdit1->findChild<QLineEdit*>(), &QLineEdit::textEdited, this, [this] { SpinEdit1Change(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TForm1_dlzka::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1_dlzka::BitBtn2Click);
    FormCreate();
}

void TForm1_dlzka::FormCreate()
{
    SpinEdit1->setValue(data_.AreaLength);
    if (data_.Rounding == 0)
        RadioGroup1->setItemIndex(0);
    else if (data_.Rounding == 1)
        RadioGroup1->setItemIndex(1);
    // Only after the value is in, so that filling the spin edit is not a change.
    data_.LengthChanged = false;
}

void TForm1_dlzka::SpinEdit1Change()
{
    data_.LengthChanged = true;
}

int TForm1_dlzka::SpinEdit1Value() const
{
    // The box reads its text in the user's locale, digits of other scripts included. A text that
    // is not yet a length (empty, or short of the least length) reads as the least length.
    return SpinEdit1->hasAcceptableInput() ? SpinEdit1->value() : kLengthMin;
}

void TForm1_dlzka::BitBtn1Click()
{
    if (data_.LengthChanged) {
        const int length = SpinEdit1Value();
        if (length >= data_.MaxAreaLength) {
            dialogs_.message(QString::fromStdString("Length must be < " + I(data_.MaxAreaLength, 0)),
                             MessageKind::Plain);
            return;
        }
        data_.AreaLength = length;
    }
    const int item = RadioGroup1->itemIndex();
    if (item == 0 || item == 1)
        data_.Rounding = static_cast<std::uint8_t>(item);
    accept();
}

void TForm1_dlzka::BitBtn2Click()
{
    reject();
}

void TForm1_dlzka::reject()
{
    data_.LengthChanged = false;
    QDialog::reject();
}

}  // namespace kalven
