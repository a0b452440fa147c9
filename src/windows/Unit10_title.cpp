#include "windows/Unit10_title.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "windows/dialog_widgets.h"
#include "core/win1252.h"

namespace kalven {

Ttitle::Ttitle(ProjectData& data, QWidget* parent) : QDialog(parent), data_(data)
{
    setWindowTitle(QStringLiteral(" Title"));
    setFixedSize(382, 176);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 24, 313, 21);
    Label1 = DialogLabel(this, "Label1", QStringLiteral("Max. 40 characters"), 24, 52);
    Button1 = DialogButton(this, "Button1", QStringLiteral("OK"), 72, 104, true);
    Button2 = DialogButton(this, "Button2", QStringLiteral("Cancel"), 208, 104);
    connect(Button1, &QPushButton::clicked, this, &Ttitle::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Ttitle::Button2Click);
    FormCreate();
}

void Ttitle::FormCreate()
{
    Edit1->setText(FromWin1252(data_.Title));
}

void Ttitle::Button1Click()
{
    data_.Title = ToWin1252(Edit1->text());  // the title keeps its first 40 characters
    accept();
}

void Ttitle::Button2Click()
{
    reject();
}

}  // namespace kalven
