#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>

#include <algorithm>
#include <cmath>

#include "analysis/result_drawing.h"
#include "core/status_panels.h"
#include "drawing/fixed_colors.h"
#include "platform/qt_canvas.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"

namespace kalven {
namespace {

using testing::CanvasCall;
using testing::SetLoad;
using testing::SetOutline;
using testing::ComputeOnScreen;
using Kind = CanvasCall::Kind;
constexpr double kTiny = 1e-9;

void SetSquare(ProjectData& data, int area, double left = 0, double bottom = 0)
{
    SetOutline(data, area, {{left, bottom}, {left + 2, bottom}, {left + 2, bottom + 2}, {left, bottom + 2}, {left, bottom}});
}

void ExpectCall(const CanvasCall& call, Kind kind, std::array<std::int64_t, 4> at, ColorValue pen, int width,
                PenStyle style = PenStyle::Solid)
{
    EXPECT_EQ(call.kind, kind);
    EXPECT_EQ((std::array{call.x1, call.y1, call.x2, call.y2}), at);
    EXPECT_EQ(call.state.penColor, pen);
    EXPECT_EQ(call.state.penWidth, width);
    EXPECT_EQ(call.state.penStyle, style);
}

TEST(DirectionAngle, CoversEveryQuadrantAndTheVerticals)
{
    EXPECT_NEAR(DirectionAngle(0, 0, 1, std::sqrt(3.0)), 60, kTiny);
    EXPECT_DOUBLE_EQ(DirectionAngle(1, 1, 0, 2), 135);
    EXPECT_DOUBLE_EQ(DirectionAngle(0, 0, -1, 0), 180);
    EXPECT_DOUBLE_EQ(DirectionAngle(1, 1, 0, 0), 225);
    EXPECT_DOUBLE_EQ(DirectionAngle(0, 0, 1, -1), 315);
    EXPECT_EQ(DirectionAngle(5, 5, 5.00009, 7), 90);  // within the tolerance the vector is vertical
    EXPECT_EQ(DirectionAngle(5, 5, 5, 5), 270);        // and one of no length points down
    EXPECT_EQ(DirectionAngle(0, 0, 1, -1e-17), 0);     // never 360: the angle stays below a full turn
}

TEST(ComputeResultant, ReducesTheWorkedExamples)
{
    ProjectData data;
    testing::SetTwoAreaExample(data);
    auto run = ComputeOnScreen(data);
    EXPECT_EQ(data.ResultCount, 2);
    EXPECT_NEAR(data.ResultantForce, 40 * std::sqrt(2.0), kTiny);
    EXPECT_NEAR(data.ResultantXc, 1, kTiny);
    EXPECT_NEAR(data.ResultantYc, 0.5, kTiny);
    EXPECT_NEAR(data.ResultantAngle, 315, kTiny);
    EXPECT_NEAR(data.LineX0, 1.5, kTiny);
    EXPECT_NEAR(data.LineX1, -23.5, kTiny);
    EXPECT_NEAR(data.ArrowScale, 5 / (40 * std::sqrt(2.0)), kTiny);
    EXPECT_EQ(data.ValidationMessage, "");
    EXPECT_TRUE(data.Computed);
    EXPECT_EQ(run.panels.texts[1], " ");

    // 20 kN upward at (5, 0.5) instead: the lever rule of antiparallel forces puts Xc off the area.
    SetLoad(data, 2, 10, 90);
    ComputeOnScreen(data);
    EXPECT_NEAR(data.ResultantForce, 20, kTiny);
    EXPECT_NEAR(data.ResultantAngle, 270, kTiny);
    EXPECT_NEAR(data.ResultantXc, -3, kTiny);
    EXPECT_NEAR(data.ResultantYc, 1, kTiny);  // no horizontal component: the first force's y
    EXPECT_EQ(data.ValidationMessage, " Resultant is outside the desktop !");

    data.AreaUsed[1] = false;  // a new run starts from cleared lists
    ComputeOnScreen(data);
    EXPECT_EQ(data.ResultCount, 1);
    EXPECT_EQ(data.ResultList[2], ForceRecord{});
    EXPECT_EQ(data.AreaResult[1], ForceRecord{});
}

TEST(ComputeResultant, ShiftsOnlyInclinedLoadsAndIgnoresOrientation)
{
    for (double alpha : {90.0, 0.0, 180.0}) {
        ProjectData data;
        ProjectReset(data);
        SetSquare(data, 1);
        SetLoad(data, 1, 10, alpha, 3);
        ComputeOnScreen(data);
        const double x = alpha == 90 ? 3 : 1;
        EXPECT_NEAR(data.ResultList[1].CentroidX, x, kTiny) << alpha;
        EXPECT_NEAR(data.UnshiftedCentroidX[1], alpha == 90 ? 1 : 3.0, kTiny) << alpha;  // else the reset value
        EXPECT_NEAR(data.ResultantXc, x, kTiny) << alpha;
        EXPECT_NEAR(data.ResultantYc, 1, kTiny);
        EXPECT_NEAR(data.ResultantAngle, alpha, kTiny);
    }
    ProjectData counter, clockwise;
    SetOutline(counter, 1, {{1, 1}, {4, 1}, {4, 2}, {2, 3}, {1, 2}, {1, 1}});
    SetOutline(clockwise, 1, {{1, 1}, {1, 2}, {2, 3}, {4, 2}, {4, 1}, {1, 1}});
    ComputeOnScreen(counter);
    ComputeOnScreen(clockwise);
    EXPECT_NEAR(clockwise.ResultList[1].Force, 30 * 4.5, kTiny);
    EXPECT_NEAR(clockwise.ResultList[1].CentroidX, counter.ResultList[1].CentroidX, kTiny);
    EXPECT_NEAR(clockwise.ResultList[1].CentroidY, counter.ResultList[1].CentroidY, kTiny);
}

TEST(ComputeResultant, VerticalHorizontalAndOffTheDesktop)
{
    ProjectData vertical;
    SetSquare(vertical, 1);
    SetSquare(vertical, 2, 4, 2);
    SetLoad(vertical, 1, 10, 270);
    SetLoad(vertical, 2, 10, 270);
    ComputeOnScreen(vertical);
    EXPECT_NEAR(vertical.ResultantXc, 3, kTiny);
    EXPECT_NEAR(vertical.ResultantYc, 1, kTiny);  // the first force's y
    EXPECT_NEAR(vertical.LineX0, 3, 1e-4);
    EXPECT_NEAR(vertical.LineX1, 3, 1e-4);

    ProjectData horizontal;
    SetSquare(horizontal, 1, 2, 2);
    SetLoad(horizontal, 1, 10, 180);
    ComputeOnScreen(horizontal);
    EXPECT_NEAR(horizontal.LineX0, 3 - 10000 * 3, 1e-6);
    EXPECT_NEAR(horizontal.LineX1, 3 + 10000 * 22, 1e-6);

    const auto message = [](double left, double shiftX) {
        ProjectData data;
        SetSquare(data, 1, left);
        SetLoad(data, 1, 10, 90, shiftX);
        ComputeOnScreen(data);
        return data.ValidationMessage;
    };
    EXPECT_EQ(message(-1, 0), " Resultant is outside the desktop !");  // Xc exactly 0
    EXPECT_EQ(message(0, 25), "");                                     // Xc = L
}

TEST(ComputeResultant, AllForcesZeroDrawNoArrowsAndStayFinite)
{
    ProjectData data;
    testing::SetTwoAreaExample(data);
    SetLoad(data, 1, 0, 270);
    SetLoad(data, 2, 0, 0);
    auto run = ComputeOnScreen(data);
    EXPECT_EQ(data.ArrowScale, 0);
    EXPECT_EQ(data.ResultantAngle, 270);
    EXPECT_EQ(data.ResultList[2].TipX, data.ResultList[2].CentroidX);  // arrows of no length
    for (double v : {data.LineX0, data.LineX1, data.ResultantTipX, data.ResultantXc, data.ResultList[1].TipY})
        EXPECT_TRUE(std::isfinite(v));
    ASSERT_EQ(run.results.size(), 5u);  // the line of action and the four texts
    EXPECT_EQ(run.results[0].kind, Kind::Line);
    EXPECT_EQ(run.results[1].text, "Resultant force    0.00 kN");
}

TEST(ComputeResultant, AResultThatIsNotFiniteIsRefusedBeforeAnythingIsDrawnOrChanged)
{
    const struct {
        double x;       // the left edge of area 1's square, far out on the X axis
        double scale;   // every vertex of both areas times this
        double shiftX;  // of area 1, loaded at 90 degrees
    } cases[] = {{0, 1e154, 0}, {0, 1e300, 0}, {0, -1e300, 0}, {1e308, 1, 0}, {0, 1, 1e308}};
    for (const auto& c : cases) {
        ProjectData data;
        testing::SetTwoAreaExample(data);
        SetSquare(data, 1, c.x);
        SetLoad(data, 1, 10, 90, c.shiftX);
        for (int v = 1; v <= 5; ++v) {
            for (int area : {1, 2}) {
                data.VertexX[v][area] *= c.scale;
                data.VertexY[v][area] *= c.scale;
            }
        }
        data.ResultantForce = 7;
        ProjectData before = data;
        before.ValidationMessage = " Result is not finite - check the coordinates and loads !";
        testing::RecordingCanvas canvas;
        testing::RecordingPanels panels;
        EXPECT_FALSE(ComputeResultant(data, canvas, 601, 425, panels)) << c.x << " " << c.scale << " " << c.shiftX;
        EXPECT_EQ(data.ValidationMessage, before.ValidationMessage);
        EXPECT_TRUE(SameProjectContent(data, before) && data.ResultList == before.ResultList &&
                    data.AreaResult == before.AreaResult && data.ResultantForce == 7 && !data.Computed);
        EXPECT_TRUE(canvas.calls().empty());
        EXPECT_EQ(panels.texts, (std::array<std::string, 4>{}));
    }
}

TEST(ResultDrawing, TwoAreaExampleAtItsPixels)
{
    ProjectData data;
    data.ColorSettings[kUniversalLine] = 0x00123456;
    testing::SetTwoAreaExample(data);
    auto run = ComputeOnScreen(data);
    const auto& calls = run.results;
    ASSERT_EQ(calls.size(), 11u);
    // Area 1's arrow, the line of action and the resultant run off the image to their own ends.
    ExpectCall(calls[0], Kind::Line, {24, 401, 24, 486}, kNavy, 3);
    ExpectCall(calls[1], Kind::Ellipse, {22, 484, 26, 488}, kNavy, 3);
    ExpectCall(calls[2], Kind::Line, {120, 413, 205, 413}, kNavy, 3);
    ExpectCall(calls[3], Kind::Ellipse, {203, 411, 207, 415}, kNavy, 3);
    EXPECT_EQ(calls[3].state.brushStyle, BrushStyle::Clear);
    ExpectCall(calls[4], Kind::Line, {36, 425, -565, -176}, kBlack, 1);
    ExpectCall(calls[5], Kind::Line, {24, 413, 109, 498}, kRed, 4);
    ExpectCall(calls[6], Kind::Ellipse, {106, 495, 112, 501}, kRed, 4);
    const char* texts[4] = {"Resultant force   56.57 kN", "Resultant angle  315.00\xB0", "Resultant Xc    1.00 m",
                            "Resultant Yc    0.50 m"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[7 + i].text, texts[i]);
        EXPECT_EQ((std::array{calls[7 + i].x1, calls[7 + i].y1}), (std::array<std::int64_t, 2>{65, 32 + 14 * static_cast<int>(i)}));
        EXPECT_EQ(calls[7 + i].state.fontColor, 0x00123456u);
        EXPECT_EQ(calls[7 + i].state.brushStyle, BrushStyle::Clear);
    }
    EXPECT_EQ(run.canvas.state().penWidth, 1);
    data.ResultantForce = 12345.678;
    EXPECT_EQ(ResultTexts(data)[0], "Resultant force12345.68 kN");
}

TEST(ResultDrawing, ShiftedAreaWithItsMarkArrowsAndRings)
{
    ProjectData data;
    SetSquare(data, 1);
    SetLoad(data, 1, 10, 90, 3);
    auto run = ComputeOnScreen(data);
    const auto& calls = run.results;
    ASSERT_EQ(calls.size(), 10u);
    ExpectCall(calls[0], Kind::Line, {24, 401, 72, 401}, kBlack, 1, PenStyle::Dashed);  // from x = 1 m to 3 m
    ExpectCall(calls[1], Kind::Line, {72, 401, 72, 281}, kNavy, 3);                      // 5 m up
    ExpectCall(calls[2], Kind::Ellipse, {70, 279, 74, 283}, kNavy, 3);
    ExpectCall(calls[3], Kind::Line, {72, 425, 72, -176}, kBlack, 1);
    ExpectCall(calls[4], Kind::Line, {72, 401, 72, 281}, kRed, 4);
    ExpectCall(calls[5], Kind::Ellipse, {69, 278, 75, 284}, kRed, 4);
}

TEST(ResultDrawing, FarAwayItemsKeepTheirTrueEnds)
{
    // A shift a thousand million kilometres away: the mark runs to it, the ring stays out.
    ProjectData shifted;
    SetSquare(shifted, 1);
    SetLoad(shifted, 1, 10, 90, 1e12);
    auto far = ComputeOnScreen(shifted);
    ASSERT_EQ(far.results.size(), 5u);
    ExpectCall(far.results[0], Kind::Line, {24, 401, 24040000000000, 401}, kBlack, 1, PenStyle::Dashed);

    // Two huge opposite loads (negative multipliers) beside a small upward one: arrows 10^9 m long
    // on their slope of 1 degree.
    ProjectData huge;
    SetSquare(huge, 1, 4, 4);
    SetSquare(huge, 2, 8, 4);
    SetSquare(huge, 3, 12, 4);
    SetLoad(huge, 1, -2000000000, 1);
    SetLoad(huge, 2, -2000000000, 181);
    SetLoad(huge, 3, 10, 90);
    auto wide = ComputeOnScreen(huge);
    ExpectCall(wide.results[0], Kind::Line, {120, 305, -24036338471, 419556156}, kNavy, 3);
    ExpectCall(wide.results[1], Kind::Line, {216, 305, 24036338808, -419555546}, kNavy, 3);
    EXPECT_EQ(std::count_if(wide.results.begin(), wide.results.end(),
                            [](const CanvasCall& c) { return c.kind == Kind::Ellipse; }),
              1);  // only the small load's ring

    // A horizontal resultant at y = 3 m: its line of action rises 0.0001 per metre from 30 km left.
    ProjectData flat;
    SetSquare(flat, 1, 2, 2);
    SetLoad(flat, 1, 10, 180);
    ExpectCall(ComputeOnScreen(flat).results[2], Kind::Line, {-721128, 425, 5288872, -176}, kBlack, 1);
}

TEST(ResultDrawing, ANearlyHorizontalLineOfActionShowsItsOwnPixels)
{
    // Cut to a rounded point far out, the line used to tilt: row 399 instead of 400 from column 301.
    ProjectData data;
    SetOutline(data, 1, {{2, 0.05}, {4, 0.05}, {4, 2.05}, {2, 2.05}, {2, 0.05}});
    SetLoad(data, 1, 10, 180);
    QImage image(601, 425, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas canvas(image, QPalette());
        NoStatusPanels status;
        ComputeResultant(data, canvas, 601, 425, status);
    }
    for (int x = 301; x <= 589; ++x) {
        EXPECT_EQ(image.pixel(x, 400), qRgb(0, 0, 0)) << x;
        EXPECT_NE(image.pixel(x, 399), qRgb(0, 0, 0)) << x;
    }
}

}  // namespace
}  // namespace kalven
