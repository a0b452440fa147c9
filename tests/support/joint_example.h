#pragma once
// The retaining wall of the base joint's worked example: a 4 m x 1 m footing pressing down with
// 96 kN and a 1 m x 3 m strip pushing left with 30 kN, on the joint from (0, 0) to (4, 0).

#include "support/load_area_fixture.h"

namespace kalven::testing {

inline ProjectData WallOnItsJoint()
{
    ProjectData data;
    SetOutline(data, 1, {{0, 0}, {4, 0}, {4, 1}, {0, 1}, {0, 0}});
    SetLoad(data, 1, 24, 270);
    SetOutline(data, 2, {{4, 0}, {5, 0}, {5, 3}, {4, 3}, {4, 0}});
    SetLoad(data, 2, 10, 180);
    data.Joint = {true, 0, 0, 4, 0, 0.5};
    return data;
}

}  // namespace kalven::testing
