#include "core/project_data.h"

namespace kalven {

ColorTable DefaultColors()
{
    ColorTable colors;
    colors[kBackground] = kSystemWindowColor;
    colors[kRasterLight] = 0x00C0C0C0;
    colors[kRasterDark] = 0x00808080;
    colors[kUniversalLine] = 0x00000000;
    colors[kSolidLine] = 0x00B900B9;
    colors[kForceLine] = 0x00808000;
    colors[kInclinedForce] = 0x00000080;
    colors[kLoadAreaColor] = 0x00A00000;
    return colors;
}

void ProjectReset(ProjectData& data)
{
    data.Title = kDefaultTitle;
    data.CursorX = 0;
    data.CursorY = 0;
    data.CurrentArea = 1;
    data.Idle = true;
    data.Computed = false;
    for (int a = 1; a <= kAreaCount; ++a) {
        data.AreaUsed[a] = false;
        data.VertexCount[a] = 0;
    }
    for (int a = 1; a <= kAreaCount; ++a) {
        for (int v = 1; v <= kVertexCapacity; ++v) {
            data.VertexX[v][a] = 0;
            data.VertexY[v][a] = 0;
        }
    }
    for (int a = 1; a <= kAreaCount; ++a)
        data.LoadAreaData[a] = LoadAreaData{};
    for (int a = 1; a <= kAreaCount; ++a)
        data.UnshiftedCentroidX[a] = 3.0;
    data.Joint = BaseJoint{};
    data.Rounding = 1;
}

bool SameProjectContent(const ProjectData& a, const ProjectData& b)
{
    ProjectContent rounded = a;
    rounded.Rounding = b.Rounding;
    return rounded == b;
}

ProjectContent TakeContent(const ProjectData& data)
{
    return data;
}

void PutContent(ProjectData& data, const ProjectContent& content)
{
    static_cast<ProjectContent&>(data) = content;
}

}  // namespace kalven
