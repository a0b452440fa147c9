#pragma once
// Metres on the drawing area to pixels of the drawing image, and back.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/project_data.h"
#include "core/text_format.h"

namespace kalven {

// A pixel coordinate computed in 64 bits, held within the 32-bit range: a vertex far off the
// image (a value read from a file) still gives a coordinate, never an overflow.
inline std::int32_t HeldPixel(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// Pixels per metre: the image's full width is the area length.
inline double Scale(int imageWidth, int areaLength)
{
    return static_cast<double>(imageWidth) / areaLength;
}

// Where a stored vertex is drawn: y = 0 is the bottom row H - 1.
inline PixelPoint VertexPixel(double x, double y, double s, int imageHeight)
{
    return {Round(x * s), HeldPixel(std::int64_t{imageHeight} - Round(y * s + 1))};
}

// Where a result item (arrow, resultant, shift mark) is drawn: one row below VertexPixel as a rule.
inline PixelPoint ResultPixel(double x, double y, double s, int imageHeight)
{
    return {Round(x * s), HeldPixel(std::int64_t{imageHeight} - Round(y * s))};
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
