#include "drawing/segment_clip.h"

#include <cmath>

#include "core/text_format.h"

namespace kalven {

namespace {

// Extended precision keeps a cut point exact to far below a pixel even when the other end of the
// line lies millions of pixels away.
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

Area GrownImage(int width, int height)
{
    return {Real(-kClipMargin), Real(-kClipMargin), Real(width) + kClipMargin, Real(height) + kClipMargin};
}

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

}  // namespace

bool WithinClipArea(double x, double y, int width, int height)
{
    const Area area = GrownImage(width, height);
    return std::isfinite(x) && std::isfinite(y) && area.code(x, y) == kInside;
}

std::optional<PixelSegment> ClipSegment(double x0, double y0, double x1, double y1, int width, int height)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return std::nullopt;
    const Area area = GrownImage(width, height);
    const Point a{x0, y0};
    const Point b{x1, y1};
    Point p = a;
    Point q = b;
    // Each pass moves one end onto a border it lay beyond; four borders, two ends.
    for (int pass = 0; pass < 8; ++pass) {
        const unsigned cp = area.code(p.x, p.y);
        const unsigned cq = area.code(q.x, q.y);
        if ((cp | cq) == kInside) {
            return PixelSegment{{Round(static_cast<double>(p.x)), Round(static_cast<double>(p.y))},
                                {Round(static_cast<double>(q.x)), Round(static_cast<double>(q.y))}};
        }
        if (cp & cq)
            return std::nullopt;
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
    return std::nullopt;
}

void DrawClippedLine(Canvas& canvas, double x0, double y0, double x1, double y1, int width, int height)
{
    const std::optional<PixelSegment> visible = ClipSegment(x0, y0, x1, y1, width, height);
    if (!visible)
        return;
    canvas.moveTo(visible->from.x, visible->from.y);
    canvas.lineTo(visible->to.x, visible->to.y);
}

}  // namespace kalven
