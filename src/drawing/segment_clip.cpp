#include "drawing/segment_clip.h"

#include <cmath>
#include <cstdint>

#include "core/text_format.h"

namespace kalven {

namespace {

// Extended precision keeps a cut point within a small part of a pixel even when the other end of
// the line lies many times farther away.
using Real = long double;

enum Outcode : unsigned { kInside = 0, kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };

struct Area {
    Real left, top, right, bottom;

    unsigned code(Real x, Real y) const
    {
        unsigned c = kInside;
        if (x < left)
            c |= kLeft;
        else if (x > right)
            c |= kRight;
        if (y < top)
            c |= kAbove;
        else if (y > bottom)
            c |= kBelow;
        return c;
    }
};

struct Point {
    Real x, y;
};

// The coordinate `along` of the line AB where its other coordinate `across` reaches `at`,
// measured from the end nearer to `at` so the far end's size costs no precision.
Real Interpolate(Real aAcross, Real aAlong, Real bAcross, Real bAlong, Real at)
{
    const Real rate = (bAlong - aAlong) / (bAcross - aAcross);
    if (std::fabs(at - aAcross) <= std::fabs(bAcross - at))
        return aAlong + (at - aAcross) * rate;
    return bAlong - (bAcross - at) * rate;
}

// Cuts the line PQ of the line AB to `area` (Cohen and Sutherland); false when it misses it.
bool Cut(const Area& area, Point a, Point b, Point& p, Point& q)
{
    p = a;
    q = b;
    // Each pass moves one end onto a border it lay beyond; four borders, two ends.
    for (int pass = 0; pass < 8; ++pass) {
        const unsigned cp = area.code(p.x, p.y);
        const unsigned cq = area.code(q.x, q.y);
        if ((cp | cq) == kInside)
            return true;
        if (cp & cq)
            return false;
        Point& outside = cp != kInside ? p : q;
        const unsigned c = cp != kInside ? cp : cq;
        if (c & (kLeft | kRight)) {
            const Real x = (c & kLeft) ? area.left : area.right;
            outside = {x, Interpolate(a.x, a.y, b.x, b.y, x)};
        } else {
            const Real y = (c & kAbove) ? area.top : area.bottom;
            outside = {Interpolate(a.y, a.x, b.y, b.x, y), y};
        }
    }
    return false;
}

// A whole pixel, halves to even as everywhere in the drawing.
std::int64_t WholePixel(Real v)
{
    return static_cast<std::int64_t>(std::nearbyint(v));
}

}  // namespace

void DrawClippedRing(Canvas& canvas, double x, double y, int half, int width, int height)
{
    const Area area{Real(-kClipMargin), Real(-kClipMargin), Real(width) + kClipMargin, Real(height) + kClipMargin};
    if (!std::isfinite(x) || !std::isfinite(y) || area.code(x, y) != kInside)
        return;
    const int cx = Round(x);
    const int cy = Round(y);
    canvas.ellipse(cx - half, cy - half, cx + half, cy + half);
}

void DrawClippedLine(Canvas& canvas, double x0, double y0, double x1, double y1, int width, int height)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    const Point a{std::nearbyint(Real(x0)), std::nearbyint(Real(y0))};
    const Point b{std::nearbyint(Real(x1)), std::nearbyint(Real(y1))};
    // A line that keeps this far from the image shows nothing, not even a wide pen's edge.
    const Area near{-Real(kClipMargin), -Real(kClipMargin), Real(width) + kClipMargin, Real(height) + kClipMargin};
    Point p, q;
    if (!Cut(near, a, b, p, q))
        return;
    // Ends beyond the reach of a double's whole pixels are cut back to it. The line then shifts by
    // less than half a pixel, a line so long that its own ends are not known to a pixel.
    const Real reach = static_cast<Real>(kLineReach);
    if (!Cut(Area{-reach, -reach, reach, reach}, a, b, p, q))
        return;
    canvas.moveTo(WholePixel(p.x), WholePixel(p.y));
    canvas.lineTo(WholePixel(q.x), WholePixel(q.y));
}

}  // namespace kalven
