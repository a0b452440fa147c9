#include "windows/unit5_abcKavern.h"

#include <QLabel>
#include <QPushButton>

#include "core/text_format.h"
#include "windows/dialog_widgets.h"
#include "windows/numeric_grid.h"
#include "core/win1252.h"

namespace kalven {

namespace {

enum Column { kNumber = 0, kMultiplier = 1, kAlpha = 2, kShift = 3, kText = 4 };
constexpr int kColumnWidths[] = {64, 77, 58, 45, 238};

}  // namespace

Tabc_kavern::Tabc_kavern(ProjectData& data, QWidget* parent) : QDialog(parent), data_(data)
{
    setWindowTitle(QStringLiteral(" Load area - input data"));
    setFixedSize(564, 505);

    StringGrid1 = new NumericGrid(5, kAreaCount, this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(16, 16, 521, 305);
    StringGrid1->setTextColumn(kText);
    StringGrid1->setIntegerColumn(kMultiplier);
    for (int c = 0; c < 5; ++c)
        StringGrid1->setColumnWidth(c, kColumnWidths[c]);

    Button1 = DialogButton(this, "Button1", QStringLiteral("OK"), 88, 344);
    Button2 = DialogButton(this, "Button2", QStringLiteral("Cancel"), 208, 344);
    Label1 = DialogLabel(this, "Label1", QStringLiteral("Units : integer, degree, m"), 304, 350);
    Label2 = DialogLabel(this, "Label2",
                         QStringLiteral("MULTIPLIER loading rate, for example density, specific gravity, "
                                        "earth pressure etc."),
                         16, 392);
    Label6 = DialogLabel(this, "Label6",
                         QStringLiteral("ALPHA         direction of the area load  0\u00B0 - 359\u00B0  "
                                        "from the positive X axis CCW"),
                         16, 416);
    Label8 = DialogLabel(this, "Label8",
                         QStringLiteral("X                   move the center of gravity of the area load "
                                        "along the X-axis "),
                         16, 440);
    Label5 =
        DialogLabel(this, "Label5", QStringLiteral("X=0m and alpha=0\u00B0 or 180\u00B0 is without moving"), 16, 464);
    connect(Button1, &QPushButton::clicked, this, &Tabc_kavern::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tabc_kavern::Button2Click);

    FormCreate();
    StringGrid1->setFocus();
}

void Tabc_kavern::FormCreate()
{
    StringGrid1->setCellText(kNumber, 0, QStringLiteral(" number"));
    StringGrid1->setCellText(kMultiplier, 0, QStringLiteral(" multiplier"));
    StringGrid1->setCellText(kAlpha, 0, QStringLiteral("  alpha"));
    StringGrid1->setCellText(kShift, 0, QStringLiteral("   X"));
    StringGrid1->setCellText(kText, 0, QStringLiteral(" text"));
    for (int r = 1; r <= kAreaCount; ++r) {
        const LoadAreaData& row = data_.LoadAreaData[r];
        StringGrid1->setCellText(kNumber, r, FromWin1252(I(r, 0)));
        StringGrid1->setCellText(kMultiplier, r, FromWin1252(I(row.Multiplier, 0)));
        StringGrid1->setCellReal(kAlpha, r, FromWin1252(F(row.Alpha, 3, 1)), row.Alpha);
        StringGrid1->setCellReal(kShift, r, FromWin1252(F(row.ShiftX, 2, 2)), row.ShiftX);
        StringGrid1->setCellText(kText, r, FromWin1252(row.Text));
    }
}

void Tabc_kavern::Button1Click()
{
    for (int r = 1; r <= kAreaCount; ++r) {
        LoadAreaData& row = data_.LoadAreaData[r];
        row.Multiplier = StringGrid1->cellInteger(kMultiplier, r);
        row.Alpha = StringGrid1->cellReal(kAlpha, r);
        row.ShiftX = StringGrid1->cellReal(kShift, r);
        row.Text = ToWin1252(StringGrid1->cellText(kText, r));
    }
    accept();
}

void Tabc_kavern::Button2Click()
{
    reject();
}

}  // namespace kalven
