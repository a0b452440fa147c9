#pragma once
// Rules shared by the checks, the computation and the pictures of its results.

namespace kalven {

// Below this a figure counts as zero: an area too small to load, an edge or a line of action with
// no horizontal extent, a balanced sum of forces.
inline constexpr double kEps = 0.0001;

// A load acts at its shifted X only when it is inclined: along X (0 or 180 degrees) a shift would
// change nothing but the picture. A shift of 0 means none.
inline bool ActsAtShiftedX(double alpha, double shiftX)
{
    return alpha != 0 && alpha != 180 && shiftX != 0;
}

}  // namespace kalven
