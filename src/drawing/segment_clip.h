#pragma once
// Cutting lines to the drawing surface before they become integer pixels. A point far off the
// image (a nearly horizontal line of action, a huge force) would not fit a pixel coordinate;
// the part of the line that can be seen does, and it is the only part worth drawing.

#include <optional>

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

// How far beyond the image a line may reach before it is cut. Every arrow and line an ordinary
// project draws ends well within it, so it keeps its own end points and its exact pixels and dash
// pattern; a cut end lies so far out that pen width, caps and the excluded end point stay out of
// sight, while the coordinates remain small for every paint engine.
inline constexpr int kClipMargin = 16384;

struct PixelSegment {
    PixelPoint from;
    PixelPoint to;

    bool operator==(const PixelSegment&) const = default;
};

// The part of the line from (x0, y0) to (x1, y1), in pixels, that lies within the image of
// width x height pixels grown by kClipMargin on every side. An end point inside keeps its place
// exactly (rounded to the nearest pixel); a cut end lies on the grown border. Nothing when the
// line misses that area or a coordinate is not a finite number.
std::optional<PixelSegment> ClipSegment(double x0, double y0, double x1, double y1, int width, int height);

// True when the pixel point lies within the image grown by kClipMargin.
bool WithinClipArea(double x, double y, int width, int height);

// Draws the visible part of the line with the canvas's current pen, as moveTo and lineTo.
void DrawClippedLine(Canvas& canvas, double x0, double y0, double x1, double y1, int width, int height);

}  // namespace kalven
