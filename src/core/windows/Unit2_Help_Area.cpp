#include "core/windows/Unit2_Help_Area.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>

#include "core/text_file.h"
#include "drawing/load_area_example.h"
#include "platform/qt_canvas.h"
#include "platform/win1252.h"

namespace kalven {

namespace {

constexpr int kPictureWidth = 600;
constexpr int kPictureHeight = 401;

}  // namespace

THelp_Load_area::THelp_Load_area(const ProjectData& data, QWidget* parent)
    : QDialog(parent), picture_(kPictureWidth, kPictureHeight, QImage::Format_RGB888)
{
    setObjectName(QStringLiteral("Help_Load_area"));
    setWindowTitle(QStringLiteral(" Help Load area"));
    resize(624, 444);

    const QString path = examplePath(data);
    {
        QtCanvas canvas(picture_, palette());
        example_ = DrawLoadAreaExample(canvas, ReadTextFile(path), ToWin1252(QDir::toNativeSeparators(path)),
                                       kPictureWidth, kPictureHeight);
    }
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, kPictureWidth, kPictureHeight);
    Image1->setPixmap(QPixmap::fromImage(picture_));
}

QString THelp_Load_area::examplePath(const ProjectData& data)
{
    return QDir(FromWin1252(data.StartDir)).filePath(QString::fromLatin1(kLoadAreaExampleFile));
}

}  // namespace kalven
