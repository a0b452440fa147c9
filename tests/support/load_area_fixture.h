#pragma once
// Load areas for tests, given as their outlines in metres.

#include <initializer_list>
#include <utility>

#include "core/project_data.h"

namespace kalven::testing {

// Stores the outline as area `area`'s vertices, exactly as given (a closed outline repeats its
// first point at the end), and marks the area as in use.
inline void SetOutline(ProjectData& data, int area, std::initializer_list<std::pair<double, double>> outline)
{
    data.AreaUsed[area] = true;
    data.VertexCount[area] = static_cast<std::uint8_t>(outline.size());
    int v = 1;
    for (const auto& [x, y] : outline) {
        data.VertexX[v][area] = x;
        data.VertexY[v][area] = y;
        ++v;
    }
}

inline void SetLoad(ProjectData& data, int area, std::int32_t multiplier, double alpha, double shiftX = 0)
{
    data.LoadAreaData[area].Multiplier = multiplier;
    data.LoadAreaData[area].Alpha = alpha;
    data.LoadAreaData[area].ShiftX = shiftX;
}

// The two areas of the usual worked example on a 25 m area: a 2 m square pressing down with
// 40 kN at (1, 1) and a 2 m x 1 m rectangle pushing right with 40 kN at (5, 0.5).
inline void SetTwoAreaExample(ProjectData& data)
{
    SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
    SetLoad(data, 1, 10, 270);
    SetOutline(data, 2, {{4, 0}, {6, 0}, {6, 1}, {4, 1}, {4, 0}});
    SetLoad(data, 2, 20, 0);
}

inline ProjectData TwoAreaExample()
{
    ProjectData data;
    SetTwoAreaExample(data);
    return data;
}

}  // namespace kalven::testing
