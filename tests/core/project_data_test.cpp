#include <gtest/gtest.h>

#include "core/project_data.h"

namespace kalven {
namespace {

TEST(ProjectData, StartsWithTheDefinedValues)
{
    const ProjectData data;
    EXPECT_EQ(data.AreaLength, 25);
    EXPECT_EQ(data.MaxAreaLength, 1200);
    EXPECT_EQ(data.Rounding, 0);
    EXPECT_EQ(data.PrintLeftMargin, 14);
    EXPECT_EQ(data.Title, "Text");
    EXPECT_TRUE(data.Idle);
    EXPECT_FALSE(data.Computed);
    EXPECT_EQ(data.ColorSettings, DefaultColors());  // their values: the configuration file test
    EXPECT_EQ(data.LoadAreaData[20].Multiplier, 30);
    EXPECT_EQ(data.LoadAreaData[20].Alpha, 180.0);
    EXPECT_EQ(data.LoadAreaData[20].Text, " ");
}

ProjectData projectFullOfWork()
{
    ProjectData data;
    data.AreaLength = 70;
    data.MaxAreaLength = 908;
    data.Rounding = 0;
    data.ColorSettings[kBackground] = 0x00123456;
    data.InitialDir = "/home/engineer/walls";
    data.StartDir = "/opt/kalven";
    data.PrintLeftMargin = 3;
    data.Title = "Retaining wall";
    data.AreaUsed[3] = true;
    data.VertexCount[3] = 41;
    data.VertexX[41][3] = 12.5;
    data.VertexY[42][20] = 7;
    data.LoadAreaData[3] = {18, 270, 6, "Soil"};
    data.CursorX = 1.25;
    data.CursorY = 2.5;
    data.CurrentArea = 3;
    data.Idle = false;
    data.Computed = true;
    data.InputMode = 6;
    data.PolygonStarted = true;
    data.LastPointPx = {10, 20};
    data.ReleaseAreaButton = true;
    data.ValidationMessage = " Resultant is outside the desktop !";
    data.UnshiftedCentroidX[3] = 1;
    data.ResultCount = 1;
    data.ResultList[1].Force = 40;
    data.ResultantForce = 56.57;
    data.ArrowScale = 0.0884;
    return data;
}

TEST(ProjectReset, EmptiesTheProjectSetsFiveCentimetreRoundingAndKeepsTheRest)
{
    const ProjectData before = projectFullOfWork();
    ProjectData data = before;
    ProjectReset(data);
    EXPECT_EQ(data.Title, "Text");
    EXPECT_EQ(data.CursorX, 0);
    EXPECT_EQ(data.CursorY, 0);
    EXPECT_EQ(data.CurrentArea, 1);
    EXPECT_TRUE(data.Idle);
    EXPECT_FALSE(data.Computed);
    EXPECT_EQ(data.Rounding, 1);
    for (int a = 1; a <= kAreaCount; ++a) {
        EXPECT_FALSE(data.AreaUsed[a]);
        EXPECT_EQ(data.VertexCount[a], 0);
        EXPECT_EQ(data.LoadAreaData[a], LoadAreaData{});
        EXPECT_EQ(data.UnshiftedCentroidX[a], 3.0);
        for (int v = 1; v <= kVertexCapacity; ++v) {
            EXPECT_EQ(data.VertexX[v][a], 0);
            EXPECT_EQ(data.VertexY[v][a], 0);
        }
    }
    // Kept: the settings, the input state, the message and the last results.
    EXPECT_EQ(data.AreaLength, 70);
    EXPECT_EQ(data.MaxAreaLength, 908);
    EXPECT_EQ(data.ColorSettings, before.ColorSettings);
    EXPECT_EQ(data.InitialDir, before.InitialDir);
    EXPECT_EQ(data.StartDir, before.StartDir);
    EXPECT_EQ(data.PrintLeftMargin, 3);
    EXPECT_EQ(data.InputMode, 6);
    EXPECT_TRUE(data.PolygonStarted);
    EXPECT_EQ(data.LastPointPx, (PixelPoint{10, 20}));
    EXPECT_TRUE(data.ReleaseAreaButton);
    EXPECT_EQ(data.ValidationMessage, before.ValidationMessage);
    EXPECT_EQ(data.ResultCount, 1);
    EXPECT_EQ(data.ResultList[1].Force, 40);
    EXPECT_EQ(data.ResultantForce, 56.57);
    EXPECT_EQ(data.ArrowScale, 0.0884);
}

TEST(CountedStrings, CutToTheirLengthOnEveryAssignment)
{
    ProjectData data;
    data.Title = std::string(45, 'T');
    EXPECT_EQ(data.Title.size(), 40u);
    data.LoadAreaData[1].Text = "Thirty characters of soil text";
    EXPECT_EQ(data.LoadAreaData[1].Text, "Thirty characters of soil ");
    data.Title = "";
    EXPECT_TRUE(data.Title.empty());
}

TEST(Tables, AreIndexedFromOneAndRefuseEveryOtherIndex)
{
    ProjectData data;
    data.VertexX[42][20] = 1;  // the last vertex of the last area exists
    EXPECT_EQ(data.VertexX[42][20], 1);
    EXPECT_THROW(data.VertexX[43][1], std::out_of_range);
    EXPECT_THROW(data.VertexX[1][21], std::out_of_range);
    EXPECT_THROW(data.AreaUsed[0], std::out_of_range);
    EXPECT_THROW(data.ResultList[81], std::out_of_range);
}

}  // namespace
}  // namespace kalven
