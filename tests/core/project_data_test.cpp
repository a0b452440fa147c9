#include <gtest/gtest.h>

#include "core/project_data.h"

namespace kalven {
namespace {

TEST(ProjectReset, EmptiesTheProjectSetsFiveCentimetreRoundingAndKeepsTheRest)
{
    ProjectData data;
    data.AreaLength = 70;
    data.ColorSettings[kBackground] = 0x00123456;
    data.InitialDir = "/home/engineer/walls";
    data.Title = "Retaining wall";
    data.AreaUsed[20] = true;
    data.VertexCount[20] = 41;
    data.VertexX[41][3] = 12.5;
    data.VertexY[42][20] = 7;
    data.LoadAreaData[20] = {18, 270, 6, "Soil"};
    data.CursorX = data.CursorY = 1.25;
    data.CurrentArea = 3;
    data.Idle = false;
    data.Computed = data.PolygonStarted = true;
    data.InputMode = 6;
    data.ValidationMessage = " Resultant is outside the desktop !";
    data.ResultCount = 1;
    data.ResultantForce = 56.57;
    ProjectReset(data);
    ProjectData fresh;
    fresh.AreaLength = 70;
    fresh.UnshiftedCentroidX.fill(3.0);
    EXPECT_TRUE(SameProjectContent(data, fresh) && data.UnshiftedCentroidX == fresh.UnshiftedCentroidX);
    EXPECT_EQ(std::tuple(data.CursorX, data.CursorY, data.CurrentArea, data.Idle, data.Computed, data.Rounding),
              std::tuple(0.0, 0.0, 1, true, false, 1));
    // Kept: the settings, the input state, the message and the last results.
    EXPECT_EQ(
        std::tuple(data.ColorSettings[kBackground], data.InitialDir, data.InputMode, data.PolygonStarted,
                   data.ValidationMessage, data.ResultCount, data.ResultantForce),
        std::tuple(0x00123456u, "/home/engineer/walls", 6, true, " Resultant is outside the desktop !", 1, 56.57));
}

TEST(Tables, CountedStringsAreCutOnEveryAssignmentAndIndicesRunFromOne)
{
    ProjectData data;
    data.Title = std::string(45, 'T');
    EXPECT_EQ(data.Title.size(), 40u);
    data.LoadAreaData[1].Text = "Thirty characters of soil text";
    EXPECT_EQ(data.LoadAreaData[1].Text, "Thirty characters of soil ");
    data.VertexX[42][20] = 1;  // the last vertex of the last area exists
    EXPECT_EQ(data.VertexX[42][20], 1);
    EXPECT_THROW(data.VertexX[43][1], std::out_of_range);
    EXPECT_THROW(data.VertexX[1][21], std::out_of_range);
    EXPECT_THROW(data.AreaUsed[0], std::out_of_range);
}

}  // namespace
}  // namespace kalven
