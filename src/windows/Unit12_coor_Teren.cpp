#include "windows/Unit12_coor_Teren.h"

#include <QPushButton>

#include "core/text_format.h"
#include "windows/dialog_widgets.h"
#include "windows/numeric_grid.h"
#include "core/win1252.h"

namespace kalven {

namespace {

enum Column { kVertex = 0, kX = 1, kY = 2 };

}  // namespace

Tcoor_teren::Tcoor_teren(ProjectData& data, QWidget* parent) : QDialog(parent), data_(data), area_(data.CorrectionArea)
{
    setWindowTitle(QStringLiteral(" Correction of coordinate of load areas"));
    // Wider than designed by the first column, so its header " Load area No 20" shows whole.
    setFixedSize(355, 480);
    StringGrid1 = new NumericGrid(3, data_.VertexCount[area_], this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(16, 8, 313, 377);
    for (int c = 0; c < 3; ++c)
        StringGrid1->setColumnWidth(c, c == kVertex ? 106 : 90);
    Button1 = DialogButton(this, "Button1", QStringLiteral("OK"), 56, 408);
    Button2 = DialogButton(this, "Button2", QStringLiteral("Cancel"), 184, 408);
    connect(Button1, &QPushButton::clicked, this, &Tcoor_teren::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tcoor_teren::Button2Click);
    FormCreate();
    StringGrid1->setFocus();
}

void Tcoor_teren::FormCreate()
{
    StringGrid1->setCellText(kVertex, 0, FromWin1252(" Load area No " + I(area_, 2)));
    StringGrid1->setCellText(kX, 0, QStringLiteral("    X"));
    StringGrid1->setCellText(kY, 0, QStringLiteral("    Y"));
    for (int v = 1; v <= data_.VertexCount[area_]; ++v) {
        StringGrid1->setCellText(kVertex, v, FromWin1252(I(v, 0)));
        const double x = data_.VertexX[v][area_];
        const double y = data_.VertexY[v][area_];
        StringGrid1->setCellReal(kX, v, FromWin1252(F(x, 3, 3)), x);
        StringGrid1->setCellReal(kY, v, FromWin1252(F(y, 3, 3)), y);
    }
}

void Tcoor_teren::Button1Click()
{
    for (int v = 1; v <= data_.VertexCount[area_]; ++v) {
        data_.VertexX[v][area_] = StringGrid1->cellReal(kX, v);
        data_.VertexY[v][area_] = StringGrid1->cellReal(kY, v);
    }
    data_.Computed = false;
    accept();
}

void Tcoor_teren::Button2Click()
{
    reject();
}

}  // namespace kalven
