#pragma once
// The two-area project the report and printout tests share: a 2 m square of multiplier 10
// pointing down and a 2 m x 1 m rectangle of multiplier 20 pointing right, on a 25 m area.

#include "analysis/resultant.h"
#include "core/project_data.h"
#include "support/recording_canvas.h"

namespace kalven::testing {

inline void SetOutline(ProjectData& data, int area, std::initializer_list<std::pair<double, double>> points)
{
    data.AreaUsed[area] = true;
    int j = 0;
    for (const auto& [x, y] : points) {
        ++j;
        data.VertexX[j][area] = x;
        data.VertexY[j][area] = y;
    }
    data.VertexCount[area] = static_cast<std::uint8_t>(j);
}

inline ProjectData TwoAreaExample()
{
    ProjectData data;
    data.AreaLength = 25;
    SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
    data.LoadAreaData[1].Multiplier = 10;
    data.LoadAreaData[1].Alpha = 270;
    SetOutline(data, 2, {{4, 0}, {6, 0}, {6, 1}, {4, 1}, {4, 0}});
    data.LoadAreaData[2].Multiplier = 20;
    data.LoadAreaData[2].Alpha = 0;
    return data;
}

// The computation as the main window runs it, on a drawing image of 601 x 425 pixels.
inline void ComputeOnScreen(ProjectData& data)
{
    struct : StatusPanels {
        void setPanelText(int, const std::string&) override {}
    } panels;
    RecordingCanvas screen;
    ComputeResultant(data, screen, 601, 425, panels);
}

}  // namespace kalven::testing
