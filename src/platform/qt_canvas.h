#pragma once
// The canvas over a QPainter: the drawing image on screen or a printer page.

#include <QPalette>
#include <QPainter>
#include <memory>

#include "drawing/canvas.h"

class QPaintDevice;

namespace kalven {

// A colour value of the system as a Qt colour; system colours come from the palette
// (the window background is QPalette::Base).
QColor ToQColor(ColorValue value, const QPalette& palette);

class QtCanvas : public Canvas {
public:
    QtCanvas(QPaintDevice& device, QPalette palette);
    ~QtCanvas() override;

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

private:
    QPainter& painter();
    QPen pen() const;
    QBrush brush() const;

    QPaintDevice& device_;
    QPalette palette_;
    std::unique_ptr<QPainter> painter_;
    ColorValue penColor_ = 0;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    ColorValue brushColor_ = 0x00FFFFFF;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    ColorValue fontColor_ = 0;
    int fontHeight_ = 0;  // 0 = the device's default font
    QPoint pos_;
};

}  // namespace kalven
