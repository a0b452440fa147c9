#pragma once
// Metres on the drawing area to pixels of the drawing image, and back.

#include "core/project_data.h"
#include "core/text_format.h"

namespace kalven {

// Pixels per metre: the image's full width is the area length.
inline double Scale(int imageWidth, int areaLength)
{
    return static_cast<double>(imageWidth) / areaLength;
}

// Where a stored vertex is drawn: y = 0 is the bottom row H - 1.
inline PixelPoint VertexPixel(double x, double y, double s, int imageHeight)
{
    return {Round(x * s), imageHeight - Round(y * s + 1)};
}

// Where a result item (arrow, resultant, shift mark) is drawn: one row below VertexPixel as a rule.
inline PixelPoint ResultPixel(double x, double y, double s, int imageHeight)
{
    return {Round(x * s), imageHeight - Round(y * s)};
}

// The unrounded world position of an image pixel.
inline double RawX(int px, double s)
{
    return px / s;
}
inline double RawY(int py, double s, int imageHeight)
{
    return (imageHeight - py - 1) / s;
}

}  // namespace kalven
