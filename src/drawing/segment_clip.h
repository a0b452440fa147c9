#pragma once
// Lines and marks placed in pixels computed from metres, which may lie far off the image (a
// nearly horizontal line of action, a huge force, a far shift). A line keeps its true whole-pixel
// ends, so the part that shows is exactly that line's; only ends beyond kLineReach, where a double
// no longer places a pixel, are cut back.

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

// How far beyond the image a line or a ring may reach and still be drawn: a ring is drawn with
// whole-pixel integer corners, and every ring an ordinary project draws lies well within it.
inline constexpr int kClipMargin = 16384;

// Draws the line from (x0, y0) to (x1, y1), its ends rounded to whole pixels, with the canvas's
// current pen, as moveTo and lineTo. A line that passes far from the image, or has an end that is
// not a finite number, is left out.
void DrawClippedLine(Canvas& canvas, double x0, double y0, double x1, double y1, int width, int height);

// A ring `half` pixels each way around the pixel point (x, y), rounded to whole pixels, with the
// canvas's current pen and brush; one whose centre lies beyond kClipMargin is left out.
void DrawClippedRing(Canvas& canvas, double x, double y, int half, int width, int height);

}  // namespace kalven
