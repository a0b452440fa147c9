#include "windows/Unit2_Help_Area.h"

#include <QLabel>
#include <QPixmap>

#include "analysis/load_area_example.h"
#include "platform/qt_canvas.h"

namespace kalven {

namespace {

constexpr int kPictureWidth = 600;
constexpr int kPictureHeight = 401;

}  // namespace

THelp_Load_area::THelp_Load_area(QWidget* parent)
    : QDialog(parent), picture_(kPictureWidth, kPictureHeight, QImage::Format_RGB888)
{
    setObjectName(QStringLiteral("Help_Load_area"));
    setWindowTitle(QStringLiteral(" Help Load area"));
    resize(624, 444);

    {
        QtCanvas canvas(picture_, palette());
        example_ = DrawLoadAreaExample(canvas, kPictureWidth, kPictureHeight);
    }
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, kPictureWidth, kPictureHeight);
    Image1->setPixmap(QPixmap::fromImage(picture_));
}

}  // namespace kalven
