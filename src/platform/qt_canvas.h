#pragma once
// The canvas over a QPainter: the drawing image on screen or a printer page.
// On a 32-bit image the 1-pixel pen, rectangles and not-xor shapes are drawn pixel by pixel so
// end points, patterns and the not-xor mode come out exactly; other devices go through QPainter.

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <memory>

#include "drawing/canvas.h"

class QImage;
class QPaintDevice;

namespace kalven {

// A colour value of the system as a Qt colour; system colours come from the palette
// (the window background is QPalette::Base).
QColor ToQColor(ColorValue value, const QPalette& palette);

class QtCanvas : public Canvas {
public:
    QtCanvas(QPaintDevice& device, QPalette palette);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Ends the painter so the device can be shown or printed; the next drawing opens it again.
    // Pen, brush, font and pen position are kept.
    void flush();

    void setPenColor(ColorValue color) override;
    void setPenWidth(int width) override;
    void setPenStyle(PenStyle style) override;
    void setPenMode(PenMode mode) override;
    void setBrushColor(ColorValue color) override;
    void setBrushStyle(BrushStyle style) override;
    void setFontColor(ColorValue color) override;
    int fontHeight() const override;
    void setFontHeight(int pixels) override;

    void rectangle(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, const std::string& text) override;

    // The font of a fresh canvas on this device: a small sans-serif of about 8 points.
    static QFont DefaultFont(const QPaintDevice& device);

private:
    // The device as an image whose pixels may be written directly, or nullptr.
    QImage* pixels();
    QPainter& painter();
    QPen qtPen() const;
    QBrush qtBrush() const;
    QRgb rgb(ColorValue value) const;
    void wideLine(QPoint from, QPoint to);

    QPaintDevice& device_;
    QImage* image_ = nullptr;  // the device, when it is an image
    QPalette palette_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    ColorValue penColor_ = 0;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    ColorValue brushColor_ = 0x00FFFFFF;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    ColorValue fontColor_ = 0;
    QPoint pos_;
};

}  // namespace kalven
