#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "analysis/joint_drawing.h"
#include "analysis/result_drawing.h"
#include "analysis/resultant.h"
#include "analysis/validation.h"
#include "drawing/fixed_colors.h"
#include "support/joint_example.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"

namespace kalven::testing {
namespace {

using Lines = std::vector<std::string>;

struct SquareLoad {
    double left, bottom;
    std::int32_t multiplier;
    double alpha, shiftX = 0, side = 2;
};

ProjectData Squares(std::initializer_list<SquareLoad> loads)
{
    ProjectData data;
    int area = 0;
    for (const auto& [x, y, multiplier, alpha, shiftX, d] : loads) {
        SetOutline(data, ++area, {{x, y}, {x + d, y}, {x + d, y + d}, {x, y + d}, {x, y}});
        SetLoad(data, area, multiplier, alpha, shiftX);
    }
    return data;
}

// Each drawing call as "kind x1 y1 x2 y2 colour/width" (a text's colour is its font's), marked
// where the pen is dashed or the brush clear.
Lines Shown(const std::vector<CanvasCall>& calls, std::size_t count = SIZE_MAX)
{
    Lines shown;
    for (std::size_t i = 0; i < std::min(count, calls.size()); ++i) {
        const CanvasCall& c = calls[i];
        const bool text = c.kind == CanvasCall::Kind::Text;
        char s[200];
        std::snprintf(s, sizeof s, "%c %" PRId64 " %" PRId64 " %" PRId64 " %" PRId64 " %06X/%d%s%s%s",
                      "RLET"[static_cast<int>(c.kind)], c.x1, c.y1, c.x2, c.y2,
                      text ? c.state.fontColor : c.state.penColor, c.state.penWidth,
                      c.state.penStyle == PenStyle::Dashed ? " dashed" : "",
                      c.state.brushStyle == BrushStyle::Clear && c.kind != CanvasCall::Kind::Line ? " clear" : "",
                      (text ? " " + c.text : "").c_str());
        shown.push_back(s);
    }
    return shown;
}

TEST(DirectionAngle, CoversEveryQuadrantAndTheVerticals)
{
    // Within the tolerance a vector is vertical, one of no length points down, and a direction just
    // below the X axis is 0, never 360.
    const struct {
        double x1, y1, x2, y2, angle;
    } cases[] = {
        {0, 0, 1, std::sqrt(3.0), 60}, {1, 1, 0, 2, 135}, {0, 0, -1, 0, 180},  {1, 1, 0, 0, 225}, {0, 0, 1, -1, 315},
        {5, 5, 5.00009, 7, 90},        {5, 5, 5, 5, 270}, {0, 0, 1, -1e-17, 0}};
    for (const auto& c : cases)
        EXPECT_NEAR(DirectionAngle(c.x1, c.y1, c.x2, c.y2), c.angle, 1e-12) << c.x2 << " " << c.y2;
}

TEST(ComputeResultant, ReducesForceSystemsToTheirResultant)
{
    const struct {
        ProjectData project;
        double force, angle, xc, yc, x0, x1;  // x0, x1: the line of action at y = 0 and y = L
        bool onDesktop;
    } cases[] = {
        {Squares({{0, 0, 10, 270}, {4, 0, 10, 0}}), 40 * std::sqrt(2.0), 315, 1, 1, 2, -23, true},
        // 20 kN up beside 40 kN down: the lever rule puts Xc off the area; Yc is the first force's y.
        {Squares({{0, 0, 10, 270}, {4, 0, 5, 90}}), 20, 270, -3, 1, -3 + 1 / 2e5, -3 - 24 / 2e5, false},
        {Squares({{0, 0, 10, 270}, {4, 2, 10, 270}}), 80, 270, 3, 1, 3 + 1 / 8e5, 3 - 24 / 8e5, true},  // dX 0.0001
        {Squares({{2, 2, 10, 180}}), 40, 180, 3, 3, 3 - 3e4, 3 + 22e4, true},                           // slope 0.0001
        {Squares({{0, 0, 10, 90, 3}}), 40, 90, 3, 1, 3 - 1 / 4e5, 3 + 24 / 4e5, true},                  // shifted
        {Squares({{0, 0, 10, 0, 3}}), 40, 0, 1, 1, 1 - 1e4, 1 + 24e4, true},                // never shifted at 0 or 180
        {Squares({{-1, 0, 10, 90}}), 40, 90, 0, 1, -1 / 4e5, 24 / 4e5, false},              // Xc = 0
        {Squares({{0, 0, 10, 90, 25}}), 40, 90, 25, 1, 25 - 1 / 4e5, 25 + 24 / 4e5, true},  // Xc = L
        {Squares({{0, -1, 10, 90}}), 40, 90, 1, 0, 1, 1 + 25 / 4e5, false},                 // Yc = 0
    };
    for (const auto& c : cases) {
        const ResultantResults r = ComputeResultant(c.project);
        // The longest arrow, of the largest single force (40 kN in every row) or of the resultant, is L / 5.
        const double found[] = {r.ResultantForce,
                                r.ResultantAngle,
                                r.ResultantXc,
                                r.ResultantYc,
                                r.LineX0,
                                r.LineX1,
                                std::hypot(r.ResultantTipX - c.xc, r.ResultantTipY - c.yc)};
        const double wanted[] = {c.force, c.angle, c.xc, c.yc, c.x0, c.x1, 5 * c.force / std::max(c.force, 40.0)};
        for (int k = 0; k < 7; ++k)
            EXPECT_NEAR(found[k], wanted[k], 1e-6) << "row " << &c - cases << ", value " << k;
        EXPECT_EQ(r.OnDesktop, c.onDesktop) << &c - cases;
    }
}

TEST(ComputeResultant, ForceListShiftsArrowTipsAndZeroForces)
{
    ProjectData data = Squares({{0, 0, 10, 270}, {4, 0, 5, 0}, {8, 0, 10, 90, 3}});
    data.AreaUsed[1] = false;  // the list is compacted in area order
    data.UnshiftedCentroidX[2] = 7;
    ResultantResults r = ComputeResultant(data);
    ASSERT_EQ(r.ResultCount, 2);
    EXPECT_NEAR(r.ArrowScale, 5 / std::hypot(20.0, 40.0), 1e-12);
    const ForceRecord &first = r.ResultList[1], &second = r.ResultList[2];
    const double expected[] = {5, 1, 5 + 20 * r.ArrowScale, 1, 20, 0, 3, 1, 3, 1 + 40 * r.ArrowScale, 40, 90};
    const double found[] = {first.CentroidX,  first.CentroidY,  first.TipX,  first.TipY,  first.Force,  first.Alpha,
                            second.CentroidX, second.CentroidY, second.TipX, second.TipY, second.Force, second.Alpha};
    for (int k = 0; k < 12; ++k)
        EXPECT_NEAR(found[k], expected[k], 1e-12) << k;
    EXPECT_TRUE(first.Valid && second.Valid && r.AreaResult[3].Valid && r.ResultList[3] == ForceRecord{} &&
                r.AreaResult[1] == ForceRecord{});
    // Tips belong to the list only; the project's unshifted x stays where nothing is shifted.
    EXPECT_EQ(std::tuple(r.AreaResult[3].CentroidX, r.AreaResult[3].TipY, r.UnshiftedCentroidX[2]),
              std::tuple(3.0, 0.0, 7.0));
    EXPECT_NEAR(r.UnshiftedCentroidX[3], 9, 1e-12);

    SetOutline(data, 2, {{9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}, {9, 9}});  // a sixth vertex left behind is never read
    SetOutline(data, 2, {{4, 0}, {4, 2}, {6, 2}, {6, 0}, {4, 0}});  // clockwise: the same force at the same point
    const ForceRecord clockwise = ComputeResultant(data).ResultList[1];
    EXPECT_NEAR(clockwise.Force + clockwise.CentroidX + clockwise.CentroidY, 20 + 5 + 1, 1e-12);

    SetLoad(data, 2, 0, 0);  // every force zero: the scale is 0, every tip stays on its point
    SetLoad(data, 3, 0, 90);
    r = ComputeResultant(data);
    EXPECT_EQ(r.ArrowScale, 0);
    EXPECT_EQ(r.ResultantAngle, 270);
    EXPECT_EQ(r.ResultList[2].TipY, r.ResultList[2].CentroidY);
    EXPECT_TRUE(AllFinite(r));
}

TEST(ComputeResultant, OverflowingResultsAreNotFinite)
{
    // A square whose area overflows, far out and clockwise, one beyond the largest double, a shift there.
    for (const SquareLoad& far : {SquareLoad{0, 0, 10, 90, 0, 2e154}, SquareLoad{0, 0, 10, 90, 0, -2e300},
                                  SquareLoad{1e308, 0, 10, 90}, SquareLoad{0, 0, 10, 90, 1e308}})
        EXPECT_FALSE(AllFinite(ComputeResultant(Squares({far, {4, 0, 10, 0}})))) << far.left << " " << far.side;
}

TEST(ResultDrawing, ArrowsRingsLineOfActionAndTextsAtTheirPixels)
{
    ProjectData data = TwoAreaExample();
    data.ColorSettings[kUniversalLine] = 0x00123456;
    auto run = ComputeOnScreen(data);
    EXPECT_TRUE(run.run.outcome == ComputeOutcome::Computed && run.run.message.empty() && data.Computed &&
                run.panels.texts[1] == " ");
    ProjectData upward = Squares({{0, 0, 10, 270}, {4, 0, 5, 90}});
    const ComputeRun off = ComputeOnScreen(upward).run;
    EXPECT_TRUE(off.outcome == ComputeOutcome::OffDesktop && off.message == kMsgResultantOutside && upward.Computed);
    // Area 1's arrow, the line of action and the resultant run off the image to their own ends.
    EXPECT_EQ(Shown(run.results),
              (Lines{"L 24 401 24 486 800000/3", "E 22 484 26 488 800000/3 clear", "L 120 413 205 413 800000/3",
                     "E 203 411 207 415 800000/3 clear", "L 36 425 -565 -176 000000/1", "L 24 413 109 498 0000FF/4",
                     "E 106 495 112 501 0000FF/4 clear", "T 65 32 0 0 123456/4 clear Resultant force   56.57 kN",
                     "T 65 46 0 0 123456/4 clear Resultant angle  315.00\xB0",
                     "T 65 60 0 0 123456/4 clear Resultant Xc    1.00 m",
                     "T 65 74 0 0 123456/4 clear Resultant Yc    0.50 m"}));
    EXPECT_EQ(run.canvas.state().penWidth, 1);
    data.ResultantForce = 12345.678;
    EXPECT_EQ(ResultTexts(data)[0], "Resultant force12345.68 kN");

    ProjectData shifted = Squares({{0, 0, 10, 90, 3}});  // the mark from x = 1 m to 3 m, the arrows 5 m up
    EXPECT_EQ(Shown(ComputeOnScreen(shifted).results, 6),
              (Lines{"L 24 401 72 401 000000/1 dashed", "L 72 401 72 281 800000/3", "E 70 279 74 283 800000/3 clear",
                     "L 72 425 72 -176 000000/1", "L 72 401 72 281 0000FF/4", "E 69 278 75 284 0000FF/4 clear"}));

    ProjectData zero = Squares({{0, 0, 0, 270}, {4, 0, 0, 0}});  // no arrows and no rings
    EXPECT_EQ(Shown(ComputeOnScreen(zero).results, 2),
              (Lines{"L -240376 425 5769624 -176 000000/1", "T 65 32 0 0 000000/4 clear Resultant force    0.00 kN"}));

    // Far-away items keep their true ends: a shift a thousand million kilometres away, whose ring
    // stays out, and two huge opposite loads beside a small one, 10^9 m long on their slope of 1 degree.
    ProjectData far = Squares({{0, 0, 10, 90, 1e12}});
    EXPECT_EQ(Shown(ComputeOnScreen(far).results, 2), (Lines{"L 24 401 24040000000000 401 000000/1 dashed",
                                                             "T 65 32 0 0 000000/4 clear Resultant force   40.00 kN"}));
    // A level load's line of action, 10^-4 steep, runs to its true ends, never to a rounded cut point.
    ProjectData level = Squares({{2, 0.05, 10, 180}});
    EXPECT_EQ(Shown(ComputeOnScreen(level).results, 3)[2], "L -252348 425 5757652 -176 000000/1");
    ProjectData huge = Squares({{4, 4, -2000000000, 1}, {8, 4, -2000000000, 181}, {12, 4, 10, 90}});
    EXPECT_EQ(Shown(ComputeOnScreen(huge).results, 4),
              (Lines{"L 120 305 -24036338471 419556156 800000/3", "L 216 305 24036338808 -419555546 800000/3",
                     "L 313 305 313 185 800000/3", "E 311 183 315 187 800000/3 clear"}));
}

TEST(ResultDrawing, BaseJointDiagramAndVerdicts)
{
    // The worked example 4 m up, so the diagram below the joint lies on the image: its ordinates
    // 60 and 10 pixels as sigmaA and sigmaB, the largest a tenth of the area length.
    ProjectData data = WallOnItsJoint();
    for (int v = 1; v <= 5; ++v)
        data.VertexY[v][1] += 4, data.VertexY[v][2] += 4;
    data.Joint.Y1 = data.Joint.Y2 = 4;
    // Everything drawn while the joint's pen is up, its texts included.
    const auto joint = [](ProjectData& project) {
        Lines shown;
        for (const CanvasCall& c : ComputeOnScreen(project).results)
            if (c.state.penColor == kDarkGreen)
                shown.push_back(Shown({c})[0] + (c.state.penStyle == PenStyle::DashDot ? " dashdot" : ""));
        return shown;
    };
    EXPECT_EQ(joint(data),
              (Lines{"L 0 329 96 329 006400/2 dashdot", "L 0 324 0 334 006400/2", "L 96 324 96 334 006400/2",
                     "E 34 326 40 332 006400/2 clear", "L 0 329 0 389 006400/1", "L 0 389 96 339 006400/1",
                     "L 96 339 96 329 006400/1", "T 0 395 0 0 000000/1 clear 40.88 kN/m2",
                     "T 96 345 0 0 000000/1 clear 7.12 kN/m2",
                     "T 65 88 0 0 000000/1 clear Base joint: within the middle third",
                     "T 65 102 0 0 000000/1 clear e = -0.47 m", "T 65 116 0 0 000000/1 clear Sliding: safe (0.625)"}));
    // From x = 1 the crossing lies outside the middle third: the triangle over c = 1.59 m at A.
    data.Joint.X1 = 1;
    const Lines outside = joint(data);
    EXPECT_EQ(Lines(outside.begin() + 4, outside.begin() + 6),
              (Lines{"L 24 329 24 389 006400/1", "L 24 389 62 329 006400/1"}));
    EXPECT_EQ(JointResultTexts(*ProjectJointResults(data))[1], "e = -0.97 m, c = 1.59 m");
}

TEST(SegmentsCross, GivesItsThreeVerdictsInEitherOrder)
{
    using V = CrossVerdict;
    const struct {
        PlanePoint p1, p2, q1, q2;
        V verdict;
    } cases[] = {
        {{0, 0}, {0, 4}, {0, 1}, {0, 3}, V::NoVerdict},        // both vertical, even overlapping
        {{1, 0}, {1, 4}, {0, 2}, {3, 2}, V::Cross},            // one vertical, crossing
        {{1, 0}, {1, 2}, {0, 2}, {3, 2}, V::Cross},            // ... touching at its end
        {{1, 0}, {1, 1.9}, {0, 2}, {3, 2}, V::Apart},          // ... short of the other edge
        {{1, 1.5}, {1, 2.5}, {0, 0}, {2, 4}, V::Cross},        // ... crossing a slope of 2 at y = 2
        {{0, 0}, {4, 4}, {1, 1}, {5, 5}, V::NoVerdict},        // collinear and overlapping
        {{0, 0}, {4, 0}, {0, 1}, {4, 1.00001}, V::NoVerdict},  // slopes within the tolerance
        {{0, 0}, {4, 0}, {0, 1}, {4, 1.002}, V::Apart},        // ... and just past it
        {{0, 0}, {4, 4}, {4, 4}, {8, 0}, V::Cross},            // sharing an end point
        {{0, 0}, {1, 1}, {3, 1}, {4, 0}, V::Apart},            // lines meet off both edges
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SegmentsCross(c.p1, c.p2, c.q1, c.q2), c.verdict) << c.p1.x << "," << c.p1.y;
        EXPECT_EQ(SegmentsCross(c.q1, c.q2, c.p1, c.p2), c.verdict) << c.p1.x << "," << c.p1.y;
    }
}

TEST(ValidateLoadAreas, NamesTheFirstFaultOfTheFirstFailingCheck)
{
    const std::string coordinate = " Error in coordinate of loading area No ";
    const struct {
        int area;
        std::initializer_list<std::pair<double, double>> outline;
        std::string message;
    } cases[] = {
        {1, {{0, 0}, {4, 0}, {0, 3}, {0, 0}}, ""},  // no pair of a triangle's edges is tested
        {3, {{0, 0}, {1, 1}, {2, 2}, {0, 0}}, " Area is too small - No  3 !"},
        {5, {{1, 1}}, " Area is too small - No  5 !"},
        {12, {{0, 0}, {2, 2}, {2, 0}, {0, 2}, {0, 0}}, " Area is too small - No 12 !"},  // a bow tie
        {12, {{1, 1}, {6, 1}, {1, 4}, {4, 4}, {1, 1}}, coordinate + "12 !"},
        {12, {{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}, {0, 0}}, coordinate + "12 !"},          // vertex on an edge
        {12, {{0, 0}, {4, 0}, {2, 2}, {4, 4}, {0, 4}, {2, 2}, {0, 0}}, coordinate + "12 !"},  // shared point
        {1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.01, 0}}, " Non closed loading area No  1 !"},
        // A repeated first vertex between vertical edges, which raise no crossing.
        {12, {{0, 0}, {0, 0}, {0, 2}, {2, 2}, {2, -1}, {0, -1}, {0, 0}}, coordinate + "12 !"},
        // Bounds with L = 25: x up to 25 and y up to 20 inclusive, no lower bound.
        {7, {{23, 18}, {25, 18}, {25, 20}, {23, 20}, {23, 18}}, ""},
        {7, {{23, 18}, {25.01, 18}, {25, 20}, {23, 20}, {23, 18}}, coordinate + " 7 !"},
        {7, {{23, 18}, {25, 18}, {25, 20.01}, {23, 20}, {23, 18}}, coordinate + " 7 !"},
        {7, {{-90, -60}, {-80, -60}, {-80, -50}, {-90, -60}}, ""},
    };
    for (const auto& c : cases) {
        ProjectData data;
        SetOutline(data, c.area, c.outline);
        EXPECT_EQ(ValidateLoadAreas(data), c.message) << &c - cases;
    }

    ProjectData data;
    EXPECT_EQ(ValidateLoadAreas(data), " Non-existent area load !");
    SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0.01}});    // open
    SetOutline(data, 2, {{24, 0}, {26, 0}, {26, 2}, {24, 2}, {24, 0}});  // beyond x = L: checked first
    EXPECT_EQ(ValidateLoadAreas(data), coordinate + " 2 !");
    SetOutline(data, 9, {{0, 0}, {1, 0}, {0, 0}});  // too small, which comes before both
    EXPECT_EQ(ValidateLoadAreas(data), " Area is too small - No  9 !");
    data.AreaUsed[9] = data.AreaUsed[2] = false;  // areas not in use are never looked at
    data.VertexY[5][1] = 0;
    EXPECT_EQ(ValidateLoadAreas(data), "");
}

}  // namespace
}  // namespace kalven::testing
