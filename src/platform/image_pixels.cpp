#include "platform/image_pixels.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kalven {

namespace {

inline QRgb Combine(QRgb screen, QRgb color, PenMode mode)
{
    if (mode == PenMode::Copy)
        return color;
    return (~(screen ^ color) & 0x00FFFFFFu) | 0xFF000000u;
}

// The cosmetic patterns of a 1-pixel pen, counted from the first pixel of the line.
inline bool PatternOn(PenStyle style, std::int64_t t)
{
    switch (style) {
    case PenStyle::Dotted:
        return t % 6 < 3;
    case PenStyle::Dashed:
        return t % 24 < 18;
    case PenStyle::Solid:
        break;
    }
    return true;
}

inline QRgb* PixelAt(uchar* bits, qsizetype bytesPerLine, std::int64_t x, std::int64_t y)
{
    return reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + x;
}

}  // namespace

bool IsPixelImage(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return true;
    default:
        return false;
    }
}

void PlotLine(QImage& image, QPoint from, QPoint to, const PixelPen& pen)
{
    const std::int64_t dx = std::int64_t{to.x()} - from.x();
    const std::int64_t dy = std::int64_t{to.y()} - from.y();
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    // Walk along the major axis: major(t) = m0 + ms t, minor(t) = n0 + ns q(t) with
    // q(t) = floor((2 t a + n) / 2n), the nearest minor step; t = 0 .. n - 1 leaves the end point out.
    const std::int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t a = xMajor ? std::llabs(dy) : std::llabs(dx);
    if (n == 0)
        return;
    const std::int64_t m0 = xMajor ? from.x() : from.y();
    const std::int64_t n0 = xMajor ? from.y() : from.x();
    const int ms = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int ns = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorLimit = xMajor ? image.width() : image.height();
    const std::int64_t minorLimit = xMajor ? image.height() : image.width();

    // Only the steps whose major coordinate lies on the image are visited.
    std::int64_t first = ms > 0 ? -m0 : m0 - (majorLimit - 1);
    std::int64_t last = ms > 0 ? majorLimit - 1 - m0 : m0;
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, n - 1);
    if (first > last)
        return;

    const __int128 numerator = static_cast<__int128>(2) * first * a + n;
    std::int64_t q = static_cast<std::int64_t>(numerator / (2 * n));
    std::int64_t r = static_cast<std::int64_t>(numerator % (2 * n));

    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    for (std::int64_t t = first; t <= last; ++t) {
        const std::int64_t minor = n0 + ns * q;
        if (minor >= 0 && minor < minorLimit) {
            if (PatternOn(pen.style, t)) {
                const std::int64_t major = m0 + ms * t;
                QRgb* p = xMajor ? PixelAt(bits, bytesPerLine, major, minor) : PixelAt(bits, bytesPerLine, minor, major);
                *p = Combine(*p, pen.color, pen.mode);
            }
        } else if ((ns > 0 && minor >= minorLimit) || (ns < 0 && minor < 0)) {
            break;  // left the image for good
        }
        r += 2 * a;
        if (r >= 2 * n) {
            r -= 2 * n;
            ++q;
        }
    }
}

void FillPixels(QImage& image, const QRect& area, QRgb color, PenMode mode)
{
    const QRect clipped = area.intersected(image.rect());
    if (clipped.isEmpty())
        return;
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb* row = PixelAt(bits, bytesPerLine, clipped.left(), y);
        if (mode == PenMode::Copy) {
            std::fill_n(row, clipped.width(), color);
        } else {
            for (int i = 0; i < clipped.width(); ++i)
                row[i] = Combine(row[i], color, mode);
        }
    }
}

void ApplyShape(QImage& image, const QImage& shape, QPoint at, PenMode mode)
{
    const QRect target = QRect(at, shape.size()).intersected(image.rect());
    if (target.isEmpty())
        return;
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(shape.constScanLine(y - at.y()));
        QRgb* row = PixelAt(bits, bytesPerLine, 0, y);
        for (int x = target.left(); x <= target.right(); ++x) {
            const QRgb s = source[x - at.x()];
            if (qAlpha(s) != 0)
                row[x] = Combine(row[x], qUnpremultiply(s) | 0xFF000000u, mode);
        }
    }
}

}  // namespace kalven
