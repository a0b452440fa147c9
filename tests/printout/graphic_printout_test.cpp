#include "printout/graphic_printout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/segment_clip.h"
#include "support/joint_example.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"

namespace kalven::testing {
namespace {

using Box = std::tuple<int, int, int, int>;
using Lines = std::vector<std::string>;

Box BoxOf(const CanvasCall& c)
{
    return {c.x1, c.y1, c.x2, c.y2};
}

RecordingCanvas Print(const ProjectData& data, int PW = 4800, int PH = 6600)
{
    RecordingCanvas canvas;
    canvas.setFontHeight(67);
    DrawGraphicPage(canvas, data, PW, PH);
    return canvas;
}

template <typename Pick> std::vector<CanvasCall> Calls(const std::vector<CanvasCall>& calls, Pick pick)
{
    std::vector<CanvasCall> picked;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(picked), pick);
    return picked;
}

// Black marks of a pen width: vertical ones standing on y = yb, or horizontal ones from the left edge.
std::vector<CanvasCall> Marks(const RecordingCanvas& canvas, const PrintPage& p, int width, bool bottom)
{
    return Calls(canvas.lines(), [&](const CanvasCall& c) {
        const bool along = bottom ? c.x1 == c.x2 && c.y1 == p.yb : c.y1 == c.y2 && c.x1 == p.x0 + 1;
        return along && c.state.penWidth == width && c.state.penStyle == PenStyle::Solid && c.state.penColor == kBlack;
    });
}

// Each call as "kind x1 y1 x2 y2 colour/width brush text"; a text's colour is its font's, its width the font height.
Lines Shown(const std::vector<CanvasCall>& calls)
{
    Lines shown;
    for (const CanvasCall& c : calls) {
        char s[200];
        const bool text = c.kind == CanvasCall::Kind::Text;
        std::snprintf(s, sizeof s, "%c %" PRId64 " %" PRId64 " %" PRId64 " %" PRId64 " %06X/%d %06X%s %s",
                      "RLET"[static_cast<int>(c.kind)], c.x1, c.y1, c.x2, c.y2,
                      text ? c.state.fontColor : c.state.penColor, text ? c.state.fontHeight : c.state.penWidth,
                      c.state.brushColor, c.state.brushStyle == BrushStyle::Clear ? " clear" : "", c.text.c_str());
        shown.push_back(s);
    }
    return shown;
}

TEST(GraphicPrintout, PortraitPageFrameScalesTitleAndHeader)
{
    ProjectData data;
    data.Title = "Wall";
    const PrintPage p = MakePrintPage(4800, 6600, 25);
    const RecordingCanvas canvas = Print(data);
    EXPECT_EQ(Shown(canvas.rectangles()), Lines{"R 301 301 4498 3355 000000/1 FFFFFF clear "});
    // h = 19.976 m: 18 fine and 3 coarse marks on the left.
    const auto fine = Marks(canvas, p, 1, true), coarse = Marks(canvas, p, 2, true);
    const auto leftFine = Marks(canvas, p, 1, false), left = Marks(canvas, p, 3, false);
    ASSERT_EQ(std::tuple(fine.size(), coarse.size(), leftFine.size(), left.size()), std::tuple(24ul, 4ul, 18ul, 3ul));
    EXPECT_EQ(std::tuple(fine[0].x1, fine[0].y2, coarse[0].x1, coarse[3].x1, coarse[0].y2, leftFine[0].x2),
              std::tuple(468, 3356 - 34, 1140, 3660, 3356 - 45, 331));
    EXPECT_EQ(std::tuple(left[0].y1, left[1].y1, left[2].y1, left[0].x2), std::tuple(2516, 1676, 836, 341));
    // Each coarse mark with its number; the title in the page's font, the header line smaller.
    EXPECT_EQ(
        Shown(canvas.texts()),
        (Lines{"T 1145 3272 0 0 000000/67 FFFFFF clear  5", "T 1985 3272 0 0 000000/67 FFFFFF clear 10",
               "T 2825 3272 0 0 000000/67 FFFFFF clear 15", "T 3665 3272 0 0 000000/67 FFFFFF clear 20",
               "T 315 2521 0 0 000000/67 FFFFFF clear  5", "T 315 1681 0 0 000000/67 FFFFFF clear 10",
               "T 315 841 0 0 000000/67 FFFFFF clear 15", "T 307 190 0 0 000000/67 FFFFFF Wall",
               "T 2880 259 0 0 000000/37 FFFFFF KALVEN devs ", "T 4000 259 0 0 000000/37 FFFFFF  KALVEN  V 1.0"}));
    EXPECT_EQ(canvas.state().fontHeight, 67);  // set back after the header line
}

TEST(GraphicPrintout, MarkStepsFollowTheLengthAndTheFrameTheOrientation)
{
    ProjectData data;
    data.AreaLength = 20;
    PrintPage p = MakePrintPage(4800, 6600, 20);
    RecordingCanvas canvas = Print(data);
    EXPECT_EQ(
        std::tuple(Marks(canvas, p, 1, true).size(), Marks(canvas, p, 1, true)[0].x1, Marks(canvas, p, 2, true).size()),
        std::tuple(39u, 300 + 105, 19u));  // half metres and metres
    EXPECT_TRUE(canvas.findText(" 1") && canvas.findText("19"));
    data.AreaLength = 1200;
    p = MakePrintPage(4800, 6600, 1200);
    canvas = Print(data);
    EXPECT_EQ(std::tuple(Marks(canvas, p, 1, true).size(), Marks(canvas, p, 2, true).size(),
                         Marks(canvas, p, 1, false).size()),
              std::tuple(1199u, 239u, 839u));
    EXPECT_TRUE(canvas.findText(" 5") && canvas.findText("1195"));
    data.AreaLength = 30000;  // 5 m marks 0.7 pixels apart: the first mark on a pixel is labelled
    canvas = Print(data);
    EXPECT_TRUE(canvas.findText(" 5") && canvas.findText("15") && !canvas.findText("10"));
    // Landscape: the same aspect factor, the frame again PW - M wide.
    EXPECT_EQ(BoxOf(Print(ProjectData{}, 6600, 4800).rectangles().at(0)), Box(413, 413, 6185, 4612));
}

TEST(GraphicPrintout, LoadAreasForcesResultantAndResultLines)
{
    ProjectData data = TwoAreaExample();
    SetOutline(data, 12, {{10, 1}, {12, 1}, {12, 4}, {10, 1}});
    data.AreaUsed[12] = false;  // left out of the computation: the figures stay the two areas' ones
    ComputeOnScreen(data);
    data.AreaUsed[12] = true;
    const RecordingCanvas canvas = Print(data);
    data.Computed = false;
    const std::size_t before = Print(data).calls().size() - 3, after = canvas.calls().size() - 3;
    // The arrows and their rings, the line of action from x = 1.5 at y = 0 to x = -23.5 at y = 25 far
    // beside the page, the resultant 5 m long at 315 degrees from (1, 0.5), and the result lines.
    EXPECT_EQ(
        Shown({canvas.calls().begin() + before, canvas.calls().begin() + after}),
        (Lines{"L 468 3188 468 3782 800000/10 FFFFFF ", "E 462 3776 474 3788 800000/10 FFFFFF ",
               "L 1140 3272 1734 3272 800000/10 FFFFFF ", "E 1728 3266 1740 3278 800000/10 FFFFFF ",
               "L 552 3356 -3648 -844 000000/1 FFFFFF ", "L 468 3272 1062 3866 0000FF/15 FFFFFF ",
               "E 1054 3858 1070 3874 0000FF/15 FFFFFF ", "T 468 380 0 0 000000/67 FFFFFF Resultant force   56.57 kN",
               "T 468 461 0 0 000000/67 FFFFFF Xs =     1.00 m", "T 468 541 0 0 000000/67 FFFFFF Ys =     0.50 m",
               "T 468 622 0 0 000000/67 FFFFFF Angle   315.00\xB0"}));
    const auto navy4 =
        Calls(canvas.lines(), [](const CanvasCall& c) { return c.state.penColor == kNavy && c.state.penWidth == 4; });
    ASSERT_EQ(navy4.size(), 11u);
    EXPECT_EQ(BoxOf(navy4[0]), Box(300, 3356, 636, 3356));
    // Area 12's number by vertex (12, 4), 34 pixels below it; PW / 140 pixels: 36 on a page 4970 wide.
    EXPECT_THAT(Shown(canvas.texts()), ::testing::IsSupersetOf({"T 304 3054 0 0 000000/67 F0CAA6  1 ",
                                                                "T 2320 2718 0 0 000000/67 F0CAA6 12 "}));
    EXPECT_THAT(Shown(Print(data, 4970).texts()), ::testing::Contains("T 2402 2926 0 0 000000/67 F0CAA6 12 "));
}

TEST(GraphicPrintout, BaseJointCrossingAndPressureDiagram)
{
    ProjectData data = WallOnItsJoint();
    ComputeOnScreen(data);
    const RecordingCanvas canvas = Print(data);
    std::vector<Box> green;
    for (const CanvasCall& c : canvas.calls())
        if (c.kind != CanvasCall::Kind::Text && c.state.penColor == kDarkGreen) {
            if (green.empty()) {
                EXPECT_EQ(std::pair(c.state.penStyle, c.state.penWidth), std::pair(PenStyle::DashDot, 6));
            }
            green.push_back(BoxOf(c));
        }
    // The joint along the frame's foot, its end marks, S at x = 1.53 m, then the ordinates of
    // 2.5 m and 0.44 m (168 pixels a metre) as sigmaA and sigmaB.
    EXPECT_EQ(green, (std::vector<Box>{{300, 3356, 972, 3356},
                                       {300, 3326, 300, 3386},
                                       {972, 3326, 972, 3386},
                                       {549, 3348, 565, 3364},
                                       {300, 3356, 300, 3776},
                                       {300, 3776, 972, 3429},
                                       {972, 3429, 972, 3356}}));
    for (auto [x, y, text] : {std::tuple{300, 3810, "40.88 kN/m2"},
                              {972, 3463, "7.12 kN/m2"},
                              {468, 702, "Base joint: within the middle third"},
                              {468, 783, "e = -0.47 m"},
                              {468, 863, "Sliding: safe (0.625)"}})
        EXPECT_TRUE(std::any_of(canvas.calls().begin(), canvas.calls().end(), [&](const CanvasCall& c) {
            return c.kind == CanvasCall::Kind::Text && c.text == text && c.x1 == x && c.y1 == y;
        })) << text;
}

TEST(GraphicPrintout, StaleResultsKeepTheShiftMarksOnly)
{
    ProjectData data = TwoAreaExample();
    data.AreaUsed[1] = false;  // its outline as area 20, the last number
    SetOutline(data, 20, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
    SetLoad(data, 20, 10, 90, 3);
    data.LoadAreaData[2].Alpha = 180;  // never shifted
    data.LoadAreaData[2].ShiftX = 8;
    ComputeOnScreen(data);
    data.Computed = false;
    const RecordingCanvas canvas = Print(data);
    const auto dashed = Calls(canvas.lines(), [](const CanvasCall& c) { return c.state.penStyle == PenStyle::Dashed; });
    ASSERT_EQ(dashed.size(), 1u);
    EXPECT_EQ(BoxOf(dashed[0]), Box(468, 3188, 804, 3188));
    EXPECT_TRUE(canvas.ellipses().empty());
    EXPECT_TRUE(Calls(canvas.lines(), [](const CanvasCall& c) { return c.state.penWidth >= 10; }).empty());
    EXPECT_EQ(canvas.findText("Xs =     3.00 m"), nullptr);
}

TEST(GraphicPrintout, DamagedFiguresNeitherFailNorStall)
{
    ProjectData data = TwoAreaExample();
    ComputeOnScreen(data);
    data.VertexX[3][1] = 1e300;
    data.VertexY[2][2] = std::numeric_limits<double>::quiet_NaN();
    data.VertexCount[2] = 255;
    data.ResultCount = 255;
    data.LineX0 = -1e200;
    data.ResultantXc = std::numeric_limits<double>::infinity();
    data.Joint = {true, 0, 0, 1e300, 1, 0.5};
    EXPECT_FALSE(Print(TwoAreaExample(), 1, 1).calls().empty());  // the smallest page is still drawn
    for (int length : {0, -7, 5, std::numeric_limits<int>::max()}) {
        data.AreaLength = length;
        for (auto [pw, ph] : {std::pair{4800, 6600}, {1, 1}, {30, 10}, {0, 6600}}) {
            const RecordingCanvas canvas = Print(data, pw, ph);
            for (const CanvasCall& c : canvas.lines())
                for (std::int64_t v : {c.x1, c.y1, c.x2, c.y2})
                    EXPECT_TRUE(v >= -kLineReach && v <= kLineReach) << v;
        }
    }
}

}  // namespace
}  // namespace kalven::testing
