#include "platform/image_pixels.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

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
    case PenStyle::DashDot:
        return t % 24 < 12 || (t % 24 >= 16 && t % 24 < 20);
    case PenStyle::Solid:
        break;
    }
    return true;
}

struct Pixels {
    uchar* bits;
    qsizetype bytesPerLine;

    explicit Pixels(QImage& image) : bits(image.bits()), bytesPerLine(image.bytesPerLine()) {}
    QRgb* at(std::int64_t x, std::int64_t y) const { return reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + x; }
};

// Visits the points of the line from `from` to `to` that lie in `area`, with their step number t
// from `from`; t runs to n - 1 (end excluded) or n (end included), n being the longer side.
// Only the steps whose major coordinate lies in `area` are walked, so a far line costs no more
// than the area is long. The minor coordinate is the nearest one, halves rounded up.
template <typename Visit> void WalkLine(LinePoint from, LinePoint to, bool includeEnd, const QRect& area, Visit visit)
{
    const std::int64_t dx = to.x - from.x;
    const std::int64_t dy = to.y - from.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t a = xMajor ? std::llabs(dy) : std::llabs(dx);
    const std::int64_t lastStep = includeEnd ? n : n - 1;
    if (lastStep < 0)
        return;
    const std::int64_t m0 = xMajor ? from.x : from.y;
    const std::int64_t n0 = xMajor ? from.y : from.x;
    const int ms = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int ns = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorLo = xMajor ? area.left() : area.top();
    const std::int64_t majorHi = xMajor ? area.right() : area.bottom();
    const std::int64_t minorLo = xMajor ? area.top() : area.left();
    const std::int64_t minorHi = xMajor ? area.bottom() : area.right();

    std::int64_t first = ms > 0 ? majorLo - m0 : m0 - majorHi;
    std::int64_t last = ms > 0 ? majorHi - m0 : m0 - majorLo;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, lastStep);
    if (first > last)
        return;

    // q(t) = floor((2 t a + n) / 2n) with its remainder r, carried from step to step.
    const std::int64_t twoN = std::max<std::int64_t>(2 * n, 1);
    std::int64_t q = 0, r = n;
    if (first > 0) {
        // Far ends make 2 t a exceed 64 bits (ends within kLineReach keep it within 110).
        const __int128 numerator = static_cast<__int128>(2) * first * a + n;
        q = static_cast<std::int64_t>(numerator / twoN);
        r = static_cast<std::int64_t>(numerator % twoN);
    }
    for (std::int64_t t = first; t <= last; ++t) {
        const std::int64_t minor = n0 + ns * q;
        if (minor >= minorLo && minor <= minorHi) {
            const std::int64_t major = m0 + ms * t;
            if (xMajor)
                visit(major, minor, t);
            else
                visit(minor, major, t);
        } else if ((ns > 0 && minor > minorHi) || (ns < 0 && minor < minorLo)) {
            break;  // left the area for good
        }
        r += 2 * a;
        if (r >= twoN) {
            r -= twoN;
            ++q;
        }
    }
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

void PlotLine(QImage& image, LinePoint from, LinePoint to, const PixelPen& pen)
{
    if (from == to)
        return;
    const Pixels pixels(image);
    const QRect area = image.rect();
    // Plain lines along a row or a column, the raster's own, take the short way.
    if (pen.style == PenStyle::Solid && pen.mode == PenMode::Copy && from.y == to.y) {
        if (from.y < 0 || from.y >= image.height())
            return;
        const std::int64_t step = to.x > from.x ? 1 : -1;
        const std::int64_t lo = std::max<std::int64_t>(std::min(from.x, to.x - step), 0);
        const std::int64_t hi = std::min<std::int64_t>(std::max(from.x, to.x - step), image.width() - 1);
        if (lo <= hi)
            std::fill_n(pixels.at(lo, from.y), hi - lo + 1, pen.color);
        return;
    }
    if (pen.style == PenStyle::Solid && pen.mode == PenMode::Copy && from.x == to.x) {
        if (from.x < 0 || from.x >= image.width())
            return;
        const std::int64_t step = to.y > from.y ? 1 : -1;
        const std::int64_t lo = std::max<std::int64_t>(std::min(from.y, to.y - step), 0);
        const std::int64_t hi = std::min<std::int64_t>(std::max(from.y, to.y - step), image.height() - 1);
        QRgb* p = lo <= hi ? pixels.at(from.x, lo) : nullptr;
        const qsizetype stride = pixels.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb));
        for (std::int64_t y = lo; y <= hi; ++y, p += stride)
            *p = pen.color;
        return;
    }
    WalkLine(from, to, false, area, [&](std::int64_t x, std::int64_t y, std::int64_t t) {
        if (PatternOn(pen.style, t)) {
            QRgb* p = pixels.at(x, y);
            *p = Combine(*p, pen.color, pen.mode);
        }
    });
}

namespace {

// The pixels whose centres lie within the disc of diameter `width` around a line point; an even
// width is centred on a pixel corner (as QPainter does), an odd one on a pixel centre, so both
// come out whole.
struct Disc {
    int count = 0;
    QPoint points[64];
};

Disc MakeDisc(int width)
{
    Disc disc;
    const double centre = width % 2 == 0 ? 0.5 : 0.0;
    const int reach = width / 2 + 1;
    const double radius2 = width * width / 4.0;
    for (int j = -reach; j <= reach; ++j)
        for (int i = -reach; i <= reach; ++i)
            if ((i + centre) * (i + centre) + (j + centre) * (j + centre) <= radius2 && disc.count < 64)
                disc.points[disc.count++] = QPoint(i, j);
    return disc;
}

const Disc& DiscOf(int width)
{
    static const Disc discs[] = {MakeDisc(0), MakeDisc(1), MakeDisc(2), MakeDisc(3),
                                 MakeDisc(4), MakeDisc(5), MakeDisc(6), MakeDisc(7)};
    return discs[std::clamp(width, 0, 7)];
}

}  // namespace

void PlotWideLine(QImage& image, LinePoint from, LinePoint to, int width, QRgb color)
{
    const Disc& disc = DiscOf(width);
    const int reach = std::clamp(width, 0, 7) / 2 + 1;
    const Pixels pixels(image);
    const qsizetype stride = pixels.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb));
    const int count = disc.count;
    qsizetype offsets[64];
    for (int k = 0; k < count; ++k)
        offsets[k] = disc.points[k].y() * stride + disc.points[k].x();
    const int w = image.width(), h = image.height();
    const QRect area = image.rect().adjusted(-reach, -reach, reach, reach);
    const std::uint64_t pair = (std::uint64_t{color} << 32) | color;
    WalkLine(from, to, true, area, [&](std::int64_t x, std::int64_t y, std::int64_t) {
        if (x >= reach && x < w - reach && y >= reach && y < h - reach) {
            QRgb* p = pixels.at(x, y);
            if (width == 2) {
                // The 2 x 2 disc of the load-area outlines: two pixels a store.
                std::memcpy(p - stride - 1, &pair, sizeof pair);
                std::memcpy(p - 1, &pair, sizeof pair);
                return;
            }
            for (int k = 0; k < count; ++k)
                p[offsets[k]] = color;
            return;
        }
        for (int k = 0; k < count; ++k) {
            const std::int64_t px = x + disc.points[k].x(), py = y + disc.points[k].y();
            if (px >= 0 && px < w && py >= 0 && py < h)
                *pixels.at(px, py) = color;
        }
    });
}

void FillPixels(QImage& image, const QRect& area, QRgb color, PenMode mode)
{
    const QRect clipped = area.intersected(image.rect());
    if (clipped.isEmpty())
        return;
    const Pixels pixels(image);
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb* row = pixels.at(clipped.left(), y);
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
    const Pixels pixels(image);
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(shape.constScanLine(y - at.y()));
        QRgb* row = pixels.at(0, y);
        for (int x = target.left(); x <= target.right(); ++x) {
            const QRgb s = source[x - at.x()];
            if (qAlpha(s) != 0)
                row[x] = Combine(row[x], qUnpremultiply(s) | 0xFF000000u, mode);
        }
    }
}

void CopyBlock(QImage& image, const QImage& block, QPoint at)
{
    const QRect target = QRect(at, block.size()).intersected(image.rect());
    if (target.isEmpty())
        return;
    const Pixels pixels(image);
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(block.constScanLine(y - at.y())) + (target.left() - at.x());
        std::copy_n(source, target.width(), pixels.at(target.left(), y));
    }
}

}  // namespace kalven
