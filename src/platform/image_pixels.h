#pragma once
// Drawing straight into the pixels of a 32-bit QImage, for what QPainter does not do exactly or
// fast enough: 1-pixel lines with the end point left out, the dotted and dashed patterns of a
// 1-pixel pen, the not-xor mode (screen := NOT (screen XOR colour)) without touching a pixel
// twice, and wide solid lines. Every operation clips to the image, so coordinates far outside
// cost nothing.

#include <QImage>
#include <cstdint>
#include <QPoint>
#include <QRect>

#include "drawing/canvas.h"

namespace kalven {

// True for the image formats these functions write: 32 bits per pixel, no palette.
bool IsPixelImage(const QImage& image);

struct PixelPen {
    QRgb color = 0xFF000000;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
};

// A line end, which may lie up to kLineReach off the image.
struct LinePoint {
    std::int64_t x = 0;
    std::int64_t y = 0;

    constexpr LinePoint() = default;
    constexpr LinePoint(std::int64_t px, std::int64_t py) : x(px), y(py) {}
    constexpr LinePoint(QPoint p) : x(p.x()), y(p.y()) {}
    bool operator==(const LinePoint&) const = default;
};

// The line from `from` towards `to`, `to` itself excluded. Dotted is 3 pixels on and 3 off,
// dashed 18 on and 6 off, both starting afresh at the first pixel of each line.
// Step t from `from` along the longer side has the other coordinate nearest to the exact line,
// halves rounded up; the pixels depend on the true ends only, however far off the image they lie.
void PlotLine(QImage& image, LinePoint from, LinePoint to, const PixelPen& pen);

// A solid line of the given width (up to 7) in copy mode, both ends covered by round caps: a disc
// of that diameter around each point of the line, end point included.
void PlotWideLine(QImage& image, LinePoint from, LinePoint to, int width, QRgb color);

// Every pixel of the rectangle (clipped to the image) set to the colour, or not-xor combined with it.
void FillPixels(QImage& image, const QRect& area, QRgb color, PenMode mode);

// Applies the opaque pixels of `shape` (a premultiplied ARGB image drawn elsewhere) with its
// top-left corner at `at`: copied, or not-xor combined with the image. Transparent pixels are skipped.
void ApplyShape(QImage& image, const QImage& shape, QPoint at, PenMode mode);

// Copies the pixels of `block` (a 32-bit image) with its top-left corner at `at`.
void CopyBlock(QImage& image, const QImage& block, QPoint at);

}  // namespace kalven
