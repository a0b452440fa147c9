#pragma once
// The canvas over a QPainter: the drawing image on screen or a printer page.
// On a 32-bit image the 1-pixel pen, rectangles and not-xor shapes are drawn pixel by pixel so
// end points, patterns and the not-xor mode come out exactly; other devices go through QPainter.

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <memory>
#include <optional>

#include "drawing/canvas.h"
#include "platform/image_pixels.h"

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
    void moveTo(std::int64_t x, std::int64_t y) override;
    void lineTo(std::int64_t x, std::int64_t y) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, const std::string& text) override;

    // The font of a fresh canvas on this device: a small sans-serif of about 8 points.
    static QFont DefaultFont(const QPaintDevice& device);

private:
    static int PixelSizeForCell(QFont font, const QPaintDevice& device, int cell);
    // The device as an image whose pixels may be written directly, or nullptr.
    QImage* pixels();
    QPainter& painter();
    QPen qtPen() const;
    QBrush qtBrush() const;
    QRgb rgb(ColorValue value) const;
    void wideLine(LinePoint from, LinePoint to);
    void opaqueText(QImage& image, int x, int y, const QString& text);

    // An opaque text as it stands on the image, drawn once for each text and pair of colours.
    struct TextBoxKey {
        QString text;
        QRgb font;
        QRgb brush;
        bool operator==(const TextBoxKey&) const = default;
        friend size_t qHash(const TextBoxKey& key, size_t seed = 0)
        {
            return qHashMulti(seed, key.text, key.font, key.brush);
        }
    };
    // The image known to hold one colour throughout, since the fill that made it so.
    struct Uniform {
        QRgb color;
        qint64 imageKey;
    };

    QPaintDevice& device_;
    QImage* image_ = nullptr;  // the device, when it is an image
    QPalette palette_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    // Colours as resolved when they were chosen: the palette does not change under a canvas.
    QRgb penRgb_ = 0xFF000000;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    QRgb brushRgb_ = 0xFFFFFFFF;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    QRgb fontRgb_ = 0xFF000000;
    LinePoint pos_;
    QHash<TextBoxKey, QImage> textBoxes_;
    std::optional<Uniform> uniform_;
};

}  // namespace kalven
