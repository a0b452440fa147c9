#include <gtest/gtest.h>

#include <cmath>

#include "analysis/compute_support.h"
#include "analysis/result_drawing.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using testing::Compute;
using testing::SetLoad;
using testing::SetOutline;

constexpr double kTiny = 1e-9;

void SetSquare(ProjectData& data, int area)
{
    SetOutline(data, area, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
}

TEST(DirectionAngle, CoversEveryQuadrantAndTheVerticals)
{
    EXPECT_DOUBLE_EQ(DirectionAngle(0, 0, 1, 0), 0);
    EXPECT_DOUBLE_EQ(DirectionAngle(1, 1, 2, 2), 45);
    EXPECT_DOUBLE_EQ(DirectionAngle(1, 1, 0, 2), 135);
    EXPECT_DOUBLE_EQ(DirectionAngle(0, 0, -1, 0), 180);
    EXPECT_DOUBLE_EQ(DirectionAngle(1, 1, 0, 0), 225);
    EXPECT_DOUBLE_EQ(DirectionAngle(0, 0, 1, -1), 315);
    EXPECT_NEAR(DirectionAngle(0, 0, 1, std::sqrt(3.0)), 60, kTiny);
    // Within the horizontal tolerance the vector counts as vertical; no length points down.
    EXPECT_EQ(DirectionAngle(5, 5, 5.00009, 7), 90);
    EXPECT_EQ(DirectionAngle(5, 5, 4.99991, 3), 270);
    EXPECT_EQ(DirectionAngle(5, 5, 5, 5), 270);
    EXPECT_NEAR(DirectionAngle(0, 0, 0.0001, 1), 90, 0.01);
}

TEST(ComputeResultant, ReducesTheTwoAreaExample)
{
    ProjectData data;
    testing::SetTwoAreaExample(data);
    data.ValidationMessage.clear();
    auto run = Compute(data);

    ASSERT_EQ(data.ResultCount, 2);
    EXPECT_NEAR(data.AreaResult[1].Force, 40, kTiny);
    EXPECT_NEAR(data.AreaResult[1].CentroidX, 1, kTiny);
    EXPECT_NEAR(data.AreaResult[1].CentroidY, 1, kTiny);
    EXPECT_EQ(data.AreaResult[1].Alpha, 270);
    EXPECT_EQ(data.AreaResult[1].TipX, 0);  // tips belong to the force list only
    EXPECT_NEAR(data.ResultList[2].CentroidX, 5, kTiny);
    EXPECT_NEAR(data.ResultList[2].CentroidY, 0.5, kTiny);
    EXPECT_TRUE(data.ResultList[2].Valid);
    EXPECT_FALSE(data.ResultList[3].Valid);

    EXPECT_NEAR(data.SumFx, 40, kTiny);
    EXPECT_NEAR(data.SumFy, -40, kTiny);
    EXPECT_NEAR(data.ResultantForce, 40 * std::sqrt(2.0), kTiny);
    EXPECT_NEAR(data.ResultantXc, 1, kTiny);
    EXPECT_NEAR(data.ResultantYc, 0.5, kTiny);
    EXPECT_NEAR(data.ResultantAngle, 315, kTiny);
    EXPECT_NEAR(data.LineX0, 1.5, kTiny);
    EXPECT_NEAR(data.LineX1, -23.5, kTiny);
    EXPECT_NEAR(data.ArrowScale, 5 / (40 * std::sqrt(2.0)), kTiny);

    // Arrow tips as drawn: each force 40 * 0.0884 = 3.54 m long, the resultant 5 m.
    EXPECT_NEAR(data.ResultList[1].TipX, 1, kTiny);
    EXPECT_NEAR(data.ResultList[1].TipY, 1 - 5 / std::sqrt(2.0), kTiny);
    EXPECT_NEAR(data.ResultList[2].TipX, 5 + 5 / std::sqrt(2.0), kTiny);
    EXPECT_NEAR(std::hypot(data.ResultantTipX - 1, data.ResultantTipY - 0.5), 5, kTiny);

    EXPECT_EQ(data.ValidationMessage, "");
    EXPECT_TRUE(data.Computed);
    EXPECT_EQ(run.panels.texts[1], " ");
}

TEST(ComputeResultant, AntiparallelForcesActOffTheDrawingArea)
{
    ProjectData data;
    testing::SetTwoAreaExample(data);
    SetLoad(data, 2, 10, 90);  // 20 kN upward at (5, 0.5)
    auto run = Compute(data);

    EXPECT_NEAR(data.ResultantForce, 20, kTiny);
    EXPECT_NEAR(data.ResultantAngle, 270, kTiny);
    EXPECT_NEAR(data.ResultantXc, -3, kTiny);
    EXPECT_NEAR(data.ResultantYc, 1, kTiny);  // the first force's y: no horizontal component
    EXPECT_EQ(data.ValidationMessage, " Resultant is outside the desktop !");
    EXPECT_TRUE(data.Computed);
    EXPECT_FALSE(run.canvas.findText("Resultant force   20.00 kN") == nullptr);
}

TEST(ComputeResultant, ShiftsOnlyInclinedLoads)
{
    for (double alpha : {90.0, 0.0, 180.0}) {
        SCOPED_TRACE(alpha);
        ProjectData data;
        ProjectReset(data);
        SetSquare(data, 1);
        SetLoad(data, 1, 10, alpha, 3);
        Compute(data);
        const bool shifted = alpha == 90;
        EXPECT_NEAR(data.ResultList[1].CentroidX, shifted ? 3 : 1, kTiny);
        EXPECT_NEAR(data.ResultList[1].CentroidY, 1, kTiny);
        EXPECT_NEAR(data.UnshiftedCentroidX[1], shifted ? 1 : 3.0, kTiny);  // 3.0 is the untouched reset value
        EXPECT_NEAR(data.ResultantForce, 40, kTiny);
        EXPECT_NEAR(data.ResultantAngle, alpha, kTiny);
        if (shifted) {
            EXPECT_NEAR(data.ResultantXc, 3, kTiny);
            EXPECT_NEAR(data.ResultantYc, 1, kTiny);
        }
    }
}

TEST(ComputeResultant, OrientationOfTheOutlineDoesNotMatter)
{
    ProjectData counter;
    SetOutline(counter, 1, {{1, 1}, {4, 1}, {4, 2}, {2, 3}, {1, 2}, {1, 1}});
    ProjectData clockwise;
    SetOutline(clockwise, 1, {{1, 1}, {1, 2}, {2, 3}, {4, 2}, {4, 1}, {1, 1}});
    Compute(counter);
    Compute(clockwise);
    EXPECT_NEAR(counter.ResultList[1].Force, 30 * 4.5, kTiny);
    EXPECT_NEAR(clockwise.ResultList[1].Force, counter.ResultList[1].Force, kTiny);
    EXPECT_NEAR(clockwise.ResultList[1].CentroidX, counter.ResultList[1].CentroidX, kTiny);
    EXPECT_NEAR(clockwise.ResultList[1].CentroidY, counter.ResultList[1].CentroidY, kTiny);
}

TEST(ComputeResultant, VerticalAndHorizontalLinesOfAction)
{
    ProjectData vertical;
    SetSquare(vertical, 1);
    SetLoad(vertical, 1, 10, 270);
    SetOutline(vertical, 2, {{4, 2}, {6, 2}, {6, 4}, {4, 4}, {4, 2}});
    SetLoad(vertical, 2, 10, 270);
    Compute(vertical);
    EXPECT_NEAR(vertical.ResultantXc, 3, kTiny);
    EXPECT_NEAR(vertical.ResultantYc, 1, kTiny);  // the first force's y
    EXPECT_NEAR(vertical.LineX0, 3, 1e-4);
    EXPECT_NEAR(vertical.LineX1, 3, 1e-4);

    ProjectData horizontal;
    SetOutline(horizontal, 1, {{2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}});
    SetLoad(horizontal, 1, 10, 180);
    Compute(horizontal);
    EXPECT_NEAR(horizontal.ResultantXc, 3, kTiny);
    EXPECT_NEAR(horizontal.ResultantYc, 3, kTiny);
    EXPECT_NEAR(horizontal.LineX0, 3 - 10000 * 3, 1e-6);
    EXPECT_NEAR(horizontal.LineX1, 3 + 10000 * (25 - 3), 1e-6);
    EXPECT_EQ(horizontal.ValidationMessage, "");
}

TEST(ComputeResultant, DesktopBoundsExcludeZeroAndIncludeTheLength)
{
    const auto message = [](double left, double shiftX) {
        ProjectData data;
        SetOutline(data, 1, {{left, 0}, {left + 2, 0}, {left + 2, 2}, {left, 2}, {left, 0}});
        SetLoad(data, 1, 10, 90, shiftX);
        Compute(data);
        return data.ValidationMessage;
    };
    EXPECT_EQ(message(-1, 0), " Resultant is outside the desktop !");  // Xc exactly 0
    EXPECT_EQ(message(0, 25), "");                                     // Xc = L
    EXPECT_EQ(message(0, 25.01), " Resultant is outside the desktop !");
}

TEST(ComputeResultant, StartsFromClearedResults)
{
    ProjectData data;
    testing::SetTwoAreaExample(data);
    Compute(data);
    data.AreaUsed[1] = false;
    Compute(data);
    ASSERT_EQ(data.ResultCount, 1);
    EXPECT_NEAR(data.ResultList[1].CentroidX, 5, kTiny);
    EXPECT_EQ(data.ResultList[2], ForceRecord{});
    EXPECT_EQ(data.AreaResult[1], ForceRecord{});
    EXPECT_NEAR(data.ResultantForce, 40, kTiny);
}

bool Finite(const ForceRecord& r)
{
    return std::isfinite(r.CentroidX) && std::isfinite(r.CentroidY) && std::isfinite(r.TipX) &&
           std::isfinite(r.TipY) && std::isfinite(r.Force) && std::isfinite(r.Alpha);
}

TEST(ComputeResultant, AllForcesZeroDrawNoArrows)
{
    ProjectData data;
    testing::SetTwoAreaExample(data);
    SetLoad(data, 1, 0, 270);
    SetLoad(data, 2, 0, 0);
    auto run = Compute(data);

    EXPECT_EQ(data.ArrowScale, 0);
    EXPECT_EQ(data.ResultantForce, 0);
    EXPECT_NEAR(data.ResultantXc, 1, kTiny);  // the first force's point
    EXPECT_NEAR(data.ResultantYc, 1, kTiny);
    EXPECT_EQ(data.ResultantAngle, 270);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_TRUE(Finite(data.ResultList[k]));
        EXPECT_EQ(data.ResultList[k].TipX, data.ResultList[k].CentroidX);  // arrows of no length
        EXPECT_EQ(data.ResultList[k].TipY, data.ResultList[k].CentroidY);
    }
    for (double v : {data.LineX0, data.LineX1, data.ResultantTipX, data.ResultantTipY})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_TRUE(run.resultsOf(testing::CanvasCall::Kind::Ellipse).empty());
    const auto lines = run.resultsOf(testing::CanvasCall::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);  // the line of action alone
    EXPECT_EQ(lines[0].state.penColor, kBlack);
    EXPECT_NE(run.canvas.findText("Resultant force    0.00 kN"), nullptr);
    EXPECT_TRUE(data.Computed);
}

}  // namespace
}  // namespace kalven
