#pragma once
// The colours that the colour settings do not change (0x00BBGGRR): those of the drawing during
// input, of the results and of the printed page.

#include "core/project_data.h"

namespace kalven {

inline constexpr ColorValue kBlack = 0x00000000u;      // numbers during input, shift marks, line of action, page ink
inline constexpr ColorValue kWhite = 0x00FFFFFFu;      // the paper
inline constexpr ColorValue kRed = 0x000000FFu;        // length marker, edges under input, newest vertex, resultant
inline constexpr ColorValue kBlue = 0x00FF0000u;       // vertices picked before the newest one
inline constexpr ColorValue kNavy = 0x00800000u;       // force arrows and the printed outlines
inline constexpr ColorValue kSkyBlue = 0x00F0CAA6u;    // background of the load-area numbers
inline constexpr ColorValue kDarkGreen = 0x00006400u;  // the base joint, its crossing and its pressure diagram

}  // namespace kalven
