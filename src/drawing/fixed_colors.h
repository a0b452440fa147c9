#pragma once
// The colours of the drawing that the colour settings do not change (0x00BBGGRR).

#include "core/project_data.h"

namespace kalven {

inline constexpr ColorValue kPureRed = 0x000000FFu;  // length marker, edges under input, newest vertex
inline constexpr ColorValue kPureBlue = 0x00FF0000u;  // vertices picked before the newest one
inline constexpr ColorValue kSkyBlue = 0x00F0CAA6u;  // background of the load-area numbers
inline constexpr ColorValue kBlack = 0x00000000u;  // load-area numbers written during input

}  // namespace kalven
