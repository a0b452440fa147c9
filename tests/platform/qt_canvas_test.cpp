// QtCanvas on real pixels: end points, not-xor, patterns, box edges, text boxes, system colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <climits>
#include <functional>

#include "platform/qt_canvas.h"

namespace kalven {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGreen = 0xFF00FF00;

QImage Blank(QRgb color = kWhite, int w = 40, int h = 30)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

int CountColor(const QImage& image, const QRect& area, QRgb color)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

TEST(QtCanvasPixels, LinesThinWithoutTheirEndPointWideWithRoundCaps)
{
    QImage image = Blank();
    QtCanvas canvas(image, QApplication::palette());
    canvas.setPenColor(0x000000);
    canvas.moveTo(2, 5);
    canvas.lineTo(10, 5);
    canvas.lineTo(10, 8);  // goes on from the end point left out
    canvas.lineTo(10, 8);  // a zero-length line draws nothing
    canvas.setPenWidth(2);
    canvas.moveTo(5, 20);
    canvas.lineTo(15, 20);
    canvas.flush();
    EXPECT_EQ(CountColor(image, QRect(0, 0, 40, 10), kBlack), 8 + 3);
    EXPECT_EQ(CountColor(image, QRect(2, 5, 9, 1), kBlack), 9);
    EXPECT_EQ(image.pixel(10, 8), kWhite);
    // Rows 19 and 20, columns 4 to 15: two pixels wide, the end point covered.
    EXPECT_EQ(CountColor(image, QRect(4, 19, 12, 2), kBlack), 24);
    EXPECT_EQ(CountColor(image, QRect(0, 10, 40, 20), kBlack), 24);
}

TEST(QtCanvasPixels, NotXorTwiceRestoresThePicture)
{
    QImage before = Blank();
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            before.setPixel(x, y, qRgb(x * 6, y * 8, (x + y) * 3));
    QImage image = before;
    QtCanvas canvas(image, QApplication::palette());
    canvas.setPenMode(PenMode::NotXor);
    canvas.setPenColor(0x0000FF);
    canvas.setBrushColor(0x00FF00);
    for (int pass = 0; pass < 2; ++pass) {
        canvas.moveTo(3, 3);
        canvas.lineTo(37, 21);
        canvas.setPenWidth(2);
        canvas.lineTo(1, 20);
        canvas.setPenWidth(1);
        canvas.ellipse(10, 10, 17, 17);
        canvas.rectangle(20, 5, 30, 12);
        canvas.flush();
        EXPECT_EQ(image == before, pass == 1);
    }
    // On white the pen shows in its own colour, on black in its complement.
    QImage black = Blank(kBlack);
    QtCanvas onBlack(black, QApplication::palette());
    onBlack.setPenMode(PenMode::NotXor);
    onBlack.setPenColor(0x0000FF);
    onBlack.moveTo(0, 0);
    onBlack.lineTo(5, 0);
    onBlack.flush();
    EXPECT_EQ(black.pixel(0, 0), 0xFF00FFFFu);
}

TEST(QtCanvasPixels, DottedAndDashedPatterns)
{
    QImage image = Blank(kWhite, 60, 4);
    QtCanvas canvas(image, QApplication::palette());
    canvas.setPenColor(0x000000);
    canvas.setPenStyle(PenStyle::Dotted);
    canvas.moveTo(0, 1);
    canvas.lineTo(60, 1);
    canvas.setPenStyle(PenStyle::Dashed);
    canvas.moveTo(0, 2);
    canvas.lineTo(60, 2);
    canvas.flush();
    for (int x = 0; x < 60; ++x) {
        EXPECT_EQ(image.pixel(x, 1) != kWhite, x % 6 < 3) << "dotted " << x;
        EXPECT_EQ(image.pixel(x, 2) != kWhite, x % 24 < 18) << "dashed " << x;
    }
}

TEST(QtCanvasPixels, RectangleAndEllipseLeaveRightAndBottomOut)
{
    QImage image = Blank();
    QtCanvas canvas(image, QApplication::palette());
    canvas.setPenColor(0x000000);
    canvas.setBrushColor(0x00FF00);
    canvas.rectangle(2, 2, 8, 6);
    canvas.ellipse(10, 10, 17, 17);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.rectangle(20, 2, 26, 8);
    canvas.flush();
    EXPECT_EQ(CountColor(image, QRect(2, 2, 6, 4), kBlack), 16);  // columns 2..7, rows 2..5
    EXPECT_EQ(CountColor(image, QRect(3, 3, 4, 2), kGreen), 8);
    EXPECT_EQ(CountColor(image, QRect(20, 2, 6, 6), kBlack), 20);
    EXPECT_EQ(CountColor(image, QRect(21, 3, 4, 4), kWhite), 16);  // a clear brush leaves the inside
    // The ellipse keeps to columns and rows 10..16 and reaches all four sides of them.
    const QRect box(10, 10, 7, 7), around = box.adjusted(-2, -2, 2, 2);
    EXPECT_EQ(CountColor(image, around, kWhite) - CountColor(image, box, kWhite),
              around.width() * around.height() - box.width() * box.height());
    for (const QPoint side : {QPoint(13, 10), QPoint(10, 13), QPoint(16, 13), QPoint(13, 16)})
        EXPECT_NE(image.pixel(side), kWhite);
    EXPECT_EQ(image.pixel(13, 13), kGreen);
}

TEST(QtCanvasPixels, TextOnOpaqueOrTransparentBox)
{
    for (const bool opaque : {true, false}) {
        QImage image = Blank(kGreen, 80, 30);
        QtCanvas canvas(image, QApplication::palette());
        canvas.setBrushColor(0x00FFFF);  // yellow
        if (!opaque)
            canvas.setBrushStyle(BrushStyle::Clear);
        canvas.textOut(5, 6, "18");
        canvas.flush();
        const QFontMetrics metrics(QtCanvas::DefaultFont(image), &image);
        EXPECT_LE(metrics.height(), 16);  // the labels stand 16 rows above the bottom
        const QRect box(5, 6, metrics.horizontalAdvance(QStringLiteral("18")), metrics.height());
        const int green = CountColor(image, box, kGreen), yellow = CountColor(image, box, 0xFFFFFF00);
        EXPECT_GT(opaque ? yellow : green, box.width() * box.height() / 2);
        EXPECT_EQ(opaque ? green : yellow, 0);
        EXPECT_LT(green + yellow, box.width() * box.height());  // the digits are there
        EXPECT_EQ(CountColor(image, image.rect(), kGreen) - green, 80 * 30 - box.width() * box.height());
    }
    // The same text again in another brush comes out in that colour.
    QImage image = Blank(kGreen, 80, 30);
    QtCanvas canvas(image, QApplication::palette());
    canvas.setBrushColor(0x00FFFF);
    canvas.textOut(5, 6, "18");
    canvas.setBrushColor(0xFF0000);
    canvas.textOut(40, 6, "18");
    canvas.flush();
    EXPECT_EQ(image.pixel(5, 6), 0xFFFFFF00u);
    EXPECT_EQ(image.pixel(40, 6), 0xFF0000FFu);
}

TEST(QtCanvasPixels, ColourValuesAndTheSystemWindowColour)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Window, QColor(0x99, 0x99, 0x99));
    EXPECT_EQ(ToQColor(kSystemWindowColor, palette), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(ToQColor(0x00C08040, palette), QColor(0x40, 0x80, 0xC0));  // red in the lowest byte
    QImage image = Blank();
    QtCanvas canvas(image, palette);
    canvas.setPenColor(kSystemWindowColor);
    canvas.setBrushColor(kSystemWindowColor);
    canvas.rectangle(0, 0, 40, 30);
    canvas.flush();
    EXPECT_EQ(CountColor(image, image.rect(), qRgb(0x12, 0x34, 0x56)), 40 * 30);
}

TEST(QtCanvasPixels, AFillIsRepeatedWhenAnythingChangedTheImage)
{
    // The frame over a fresh fill of its own colour skips the second fill inside; anything
    // drawn in between, by the canvas or by others, must make it fill again.
    QImage image = Blank();
    QtCanvas canvas(image, QApplication::palette());
    const auto fillAndFrame = [&](const std::function<void()>& between) {
        canvas.setPenColor(0x00FFFFFF);
        canvas.setBrushColor(0x00FFFFFF);
        canvas.rectangle(0, 0, 40, 30);
        between();
        canvas.setPenColor(0x000000);
        canvas.rectangle(1, 1, 39, 29);
        canvas.flush();
        return CountColor(image, QRect(2, 2, 36, 26), kWhite);
    };
    EXPECT_EQ(fillAndFrame([] {}), 36 * 26);
    EXPECT_EQ(fillAndFrame([&] { image.setPixel(10, 10, kGreen); }), 36 * 26);
    EXPECT_EQ(fillAndFrame([&] { canvas.textOut(5, 5, "10"); }), 36 * 26);
    EXPECT_EQ(fillAndFrame([&] {
                  canvas.setPenWidth(2);
                  canvas.moveTo(3, 3);
                  canvas.lineTo(30, 20);
                  canvas.setPenWidth(1);
              }),
              36 * 26);
}

TEST(QtCanvasPixels, FarCoordinatesAreCutNotWalked)
{
    QImage image = Blank();
    QElapsedTimer timer;
    timer.start();
    QtCanvas canvas(image, QApplication::palette());
    canvas.setPenColor(0x000000);
    canvas.moveTo(INT_MIN, INT_MIN);
    canvas.lineTo(INT_MAX, INT_MAX);  // through every diagonal pixel
    canvas.setPenWidth(2);
    canvas.moveTo(-2000000000, 15);
    canvas.lineTo(2000000000, 15);
    canvas.setPenWidth(1);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    canvas.rectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    canvas.textOut(INT_MAX, INT_MAX, "99");
    canvas.textOut(INT_MIN, 3, "99");
    canvas.flush();
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(image.pixel(20, 15), kBlack);
    EXPECT_EQ(image.pixel(5, 5), kBlack);
    EXPECT_EQ(image.pixel(6, 5), kWhite);
}

TEST(QtCanvasPixels, DrawsOnAPrinterPageAndOtherDevices)
{
    // An image format the pixel routines do not write goes through QPainter alone.
    QImage other(40, 30, QImage::Format_RGB888);
    other.fill(Qt::white);
    QtCanvas onOther(other, QApplication::palette());
    onOther.setPenColor(0x000000);
    onOther.moveTo(2, 5);
    onOther.lineTo(10, 5);
    onOther.flush();
    EXPECT_EQ(CountColor(other, QRect(0, 5, 40, 1), kBlack), 8);
    EXPECT_EQ(other.pixel(10, 5), kWhite);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    QPdfWriter page(path);
    QtCanvas canvas(page, QApplication::palette());
    EXPECT_GT(canvas.fontHeight(), 16);  // 8 points at the page's resolution
    canvas.setPenWidth(3);
    canvas.moveTo(100, 100);
    canvas.lineTo(2000, 900);
    canvas.ellipse(100, 100, 300, 300);
    canvas.textOut(100, 400, "Length");
    canvas.flush();
    EXPECT_GT(QFileInfo(path).size(), 500);
}

}  // namespace
}  // namespace kalven
