// QtCanvas on real pixels: end points, not-xor, patterns, box edges, text boxes, system colours.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <functional>

#include "drawing/segment_clip.h"
#include "platform/qt_canvas.h"
#include "support/image_checks.h"

namespace kalven {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGreen = 0xFF00FF00;

// An image of one colour with a black pen on it.
struct Surface {
    QImage image;
    QtCanvas canvas;
    explicit Surface(QRgb color = kWhite, int w = 40, int h = 30, QImage::Format format = QImage::Format_RGB32,
                     const QPalette& palette = QApplication::palette())
        : image(w, h, format), canvas(image, palette)
    {
        image.fill(color);
        canvas.setPenColor(0x000000);
    }
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
    {
        canvas.moveTo(x0, y0);
        canvas.lineTo(x1, y1);
    }
    // Pixels of the colour within the area, after what was drawn reached the image.
    int count(const QRect& area, QRgb color) { return canvas.flush(), testing::CountPixels(image.copy(area), color); }
    QRgb at(int x, int y) { return canvas.flush(), image.pixel(x, y); }
};

TEST(QtCanvasPixels, LinesThinWithoutTheirEndPointWideWithRoundCapsAndPatterns)
{
    // RGB888 is not written pixel by pixel: it goes through QPainter alone.
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        Surface s(kWhite, 40, 30, format);
        s.line(2, 5, 10, 5);
        s.canvas.lineTo(10, 8);  // goes on from the end point left out
        s.canvas.lineTo(10, 8);  // a zero-length line draws nothing
        s.canvas.setPenWidth(2);
        s.line(5, 20, 15, 20);
        EXPECT_EQ(std::tuple(s.count(QRect(0, 0, 40, 10), kBlack), s.count(QRect(2, 5, 9, 1), kBlack), s.at(10, 8)),
                  std::tuple(8 + 3, 9, kWhite));
        // Rows 19 and 20, columns 4 to 15: two pixels wide, the end point covered.
        if (format == QImage::Format_RGB32) {
            EXPECT_EQ(std::pair(s.count(QRect(4, 19, 12, 2), kBlack), s.count(QRect(0, 10, 40, 20), kBlack)),
                      std::pair(24, 24));
        }
    }
    Surface s(kWhite, 60, 4);
    s.canvas.setPenStyle(PenStyle::Dotted);
    s.line(0, 1, 60, 1);
    s.canvas.setPenStyle(PenStyle::Dashed);
    s.line(0, 2, 60, 2);
    for (int x = 0; x < 60; ++x) {
        EXPECT_EQ(s.at(x, 1) != kWhite, x % 6 < 3) << "dotted " << x;
        EXPECT_EQ(s.at(x, 2) != kWhite, x % 24 < 18) << "dashed " << x;
    }
}

TEST(QtCanvasPixels, NotXorTwiceRestoresThePicture)
{
    Surface s;
    for (int y = 0; y < s.image.height(); ++y)
        for (int x = 0; x < s.image.width(); ++x)
            s.image.setPixel(x, y, qRgb(x * 6, y * 8, (x + y) * 3));
    const QImage before = s.image.copy();
    s.canvas.setPenMode(PenMode::NotXor);
    s.canvas.setPenColor(0x0000FF);
    s.canvas.setBrushColor(0x00FF00);
    for (int pass = 0; pass < 2; ++pass) {
        s.line(3, 3, 37, 21);
        s.canvas.setPenWidth(2);
        s.canvas.lineTo(1, 20);
        s.canvas.setPenWidth(1);
        s.canvas.ellipse(10, 10, 17, 17);
        s.canvas.rectangle(20, 5, 30, 12);
        s.canvas.flush();
        EXPECT_EQ(s.image == before, pass == 1);
    }
    // On white the pen shows in its own colour, on black in its complement.
    Surface black(kBlack);
    black.canvas.setPenMode(PenMode::NotXor);
    black.canvas.setPenColor(0x0000FF);
    black.line(0, 0, 5, 0);
    EXPECT_EQ(black.at(0, 0), 0xFF00FFFFu);
    black.canvas.setBrushColor(0x00FF00);
    black.canvas.ellipse(-10, 2, 10, 22);  // across the left edge: column 0 too
    EXPECT_EQ(black.at(0, 12), 0xFFFF00FFu);
}

TEST(QtCanvasPixels, RectangleAndEllipseLeaveRightAndBottomOut)
{
    Surface s;
    s.canvas.setBrushColor(0x00FF00);
    s.canvas.rectangle(2, 2, 8, 6);
    s.canvas.ellipse(10, 10, 17, 17);
    s.canvas.setBrushStyle(BrushStyle::Clear);
    s.canvas.rectangle(20, 2, 26, 8);
    // Columns 2..7, rows 2..5; a clear brush leaves the inside.
    EXPECT_EQ(std::tuple(s.count(QRect(2, 2, 6, 4), kBlack), s.count(QRect(3, 3, 4, 2), kGreen),
                         s.count(QRect(20, 2, 6, 6), kBlack), s.count(QRect(21, 3, 4, 4), kWhite)),
              std::tuple(16, 8, 20, 16));
    // The ellipse keeps to columns and rows 10..16 and reaches all four sides of them.
    const QRect box(10, 10, 7, 7), around = box.adjusted(-2, -2, 2, 2);
    EXPECT_EQ(s.count(around, kWhite) - s.count(box, kWhite), 11 * 11 - 7 * 7);
    for (const QPoint side : {QPoint(13, 10), QPoint(10, 13), QPoint(16, 13), QPoint(13, 16)})
        EXPECT_NE(s.at(side.x(), side.y()), kWhite);
    EXPECT_EQ(s.at(13, 13), kGreen);
}

TEST(QtCanvasPixels, TextOnOpaqueOrTransparentBoxInTheBrushInForce)
{
    for (const bool opaque : {true, false}) {
        Surface s(kGreen, 80, 30);
        s.canvas.setBrushColor(0x00FFFF);  // yellow
        if (!opaque)
            s.canvas.setBrushStyle(BrushStyle::Clear);
        s.canvas.textOut(5, 6, "18");
        const QFontMetrics metrics(QtCanvas::DefaultFont(s.image), &s.image);
        EXPECT_LE(metrics.height(), 16);  // the labels stand 16 rows above the bottom
        const QRect box(5, 6, metrics.horizontalAdvance(QStringLiteral("18")), metrics.height());
        const int green = s.count(box, kGreen), yellow = s.count(box, 0xFFFFFF00), area = box.width() * box.height();
        EXPECT_GT(opaque ? yellow : green, area / 2);
        EXPECT_EQ(opaque ? green : yellow, 0);
        EXPECT_LT(green + yellow, area);  // the digits are there
        EXPECT_EQ(s.count(s.image.rect(), kGreen) - green, 80 * 30 - area);
        s.canvas.setBrushColor(0xFF0000);  // the same text again in another brush
        s.canvas.textOut(40, 6, "18");
        EXPECT_EQ(std::pair(s.at(5, 6), s.at(40, 6)), std::pair(opaque ? 0xFFFFFF00u : kGreen, 0xFF0000FFu));
    }
}

TEST(QtCanvasPixels, ColourValuesAndTheSystemWindowColour)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Window, QColor(0x99, 0x99, 0x99));
    EXPECT_EQ(ToQColor(kSystemWindowColor, palette), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(ToQColor(0x00C08040, palette), QColor(0x40, 0x80, 0xC0));  // red in the lowest byte
    Surface s(kWhite, 40, 30, QImage::Format_RGB32, palette);
    s.canvas.setPenColor(kSystemWindowColor);
    s.canvas.setBrushColor(kSystemWindowColor);
    s.canvas.rectangle(0, 0, 40, 30);
    EXPECT_EQ(s.count(s.image.rect(), qRgb(0x12, 0x34, 0x56)), 40 * 30);
}

TEST(QtCanvasPixels, AFillIsRepeatedWhenAnythingChangedTheImage)
{
    // The frame over a fresh fill of its own colour skips the second fill inside; anything
    // drawn in between, by the canvas or by others, must make it fill again.
    Surface s;
    const std::function<void()> between[] = {[] {}, [&] { s.image.setPixel(10, 10, kGreen); },
                                             [&] { s.canvas.textOut(5, 5, "10"); },
                                             [&] {
                                                 s.canvas.setPenWidth(2);
                                                 s.line(3, 3, 30, 20);
                                                 s.canvas.setPenWidth(1);
                                             }};
    for (const auto& drawn : between) {
        s.canvas.setPenColor(0x00FFFFFF);
        s.canvas.setBrushColor(0x00FFFFFF);
        s.canvas.rectangle(0, 0, 40, 30);
        drawn();
        s.canvas.setPenColor(0x000000);
        s.canvas.rectangle(1, 1, 39, 29);
        EXPECT_EQ(s.count(QRect(2, 2, 36, 26), kWhite), 36 * 26);
    }
}

TEST(QtCanvasPixels, FarCoordinatesAreCutNotWalked)
{
    QElapsedTimer timer;
    timer.start();
    Surface s;
    s.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // through every diagonal pixel
    s.canvas.setPenWidth(2);
    s.line(-2000000000, 15, 2000000000, 15);
    s.canvas.setPenWidth(1);
    s.canvas.setBrushStyle(BrushStyle::Clear);
    s.canvas.ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    s.canvas.rectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    s.canvas.textOut(INT_MAX, INT_MAX, "99");
    s.canvas.textOut(INT_MIN, 3, "99");
    EXPECT_EQ(std::tuple(s.at(20, 15), s.at(5, 5), s.at(6, 5)), std::tuple(kBlack, kBlack, kWhite));
    EXPECT_LT(timer.elapsed(), 2000);
}

// However far off the image a line's ends lie, the image shows exactly the pixels the whole line
// has when drawn in full on an image that holds it.
TEST(QtCanvasPixels, AFarLineShowsThePixelsOfTheWholeLine)
{
    constexpr int W = 601, H = 425;
    const struct {
        int x0, y0, x1, y1;
        int width;
        PenStyle style;
    } lines[] = {
        {-30000, 431, 45000, 380, 1, PenStyle::Solid},  // nearly horizontal, both ends far
        {45000, 380, -30000, 431, 1, PenStyle::Solid},  // the same, drawn the other way
        {300, 200, -60001, 190, 1, PenStyle::Solid},    // one end far
        {-20000, 30, 50000, 10, 3, PenStyle::Solid},    // a wide pen
        {24, 401, 60000, 400, 1, PenStyle::Dashed},     // a pattern counts from the true start
        {290, -30000, 310, 40000, 1, PenStyle::Solid},  // nearly vertical
        {10, 20, 590, 400, 1, PenStyle::Dotted},        // an ordinary line
        {-40000, 500, 40000, 460, 1, PenStyle::Solid},  // below the image: nothing shows
    };
    for (const auto& l : lines) {
        SCOPED_TRACE(::testing::Message() << l.x0 << " " << l.y0 << " " << l.x1 << " " << l.y1);
        const QRect box = QRect(QPoint(std::min(l.x0, l.x1), std::min(l.y0, l.y1)),
                                QPoint(std::max(l.x0, l.x1), std::max(l.y0, l.y1)))
                              .adjusted(-3, -3, 3, 3);
        Surface shown(kWhite, W, H), whole(kWhite, box.width(), box.height());
        for (Surface* s : {&shown, &whole}) {
            s->canvas.setPenWidth(l.width);
            s->canvas.setPenStyle(l.style);
        }
        DrawClippedLine(shown.canvas, l.x0, l.y0, l.x1, l.y1, W, H);
        whole.line(l.x0 - box.left(), l.y0 - box.top(), l.x1 - box.left(), l.y1 - box.top());
        shown.canvas.flush();
        whole.canvas.flush();
        QImage expected = Surface(kWhite, W, H).image;  // the whole line, seen through the image
        QPainter(&expected).drawImage(box.topLeft(), whole.image);
        EXPECT_TRUE(shown.image == expected);
        EXPECT_EQ(expected == Surface(kWhite, W, H).image, l.y0 == 500);
    }
}

TEST(QtCanvasPixels, TheFontHeightIsTheCharacterCellOnImagesAndPrinterPages)
{
    QImage image(50, 50, QImage::Format_RGB32);
    QtCanvas canvas(image, QApplication::palette());
    const int built = canvas.fontHeight();
    for (int cell : {37, 12, 200}) {
        canvas.setFontHeight(cell);
        EXPECT_LE(canvas.fontHeight(), cell);
        EXPECT_GE(canvas.fontHeight(), cell - 2) << cell;  // one pixel size further would exceed it
    }
    canvas.setFontHeight(built);
    EXPECT_EQ(canvas.fontHeight(), built);  // set back the way the header line of the page does

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    QPdfWriter page(path);
    QtCanvas printer(page, QApplication::palette());
    EXPECT_GT(printer.fontHeight(), 16);  // 8 points at the page's resolution, not the screen's
    printer.setPenWidth(3);
    printer.moveTo(100, 100);
    printer.lineTo(2000, 900);
    printer.ellipse(100, 100, 300, 300);
    printer.textOut(100, 400, "Length");
    printer.flush();
    EXPECT_GT(QFileInfo(path).size(), 500);
}

}  // namespace
}  // namespace kalven
