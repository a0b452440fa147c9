#include "printout/graphic_printout.h"

#include <gtest/gtest.h>

#include <cmath>
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

// Black marks of a pen width: vertical ones standing on y = yb, or horizontal ones from the left edge.
std::vector<CanvasCall> Marks(const RecordingCanvas& canvas, const PrintPage& p, int width, bool bottom)
{
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : canvas.lines()) {
        const bool along = bottom ? c.x1 == c.x2 && c.y1 == p.yb : c.y1 == c.y2 && c.x1 == p.x0 + 1;
        if (along && c.state.penWidth == width && c.state.penStyle == PenStyle::Solid && c.state.penColor == kBlack)
            out.push_back(c);
    }
    return out;
}

const CanvasCall* TextAt(const RecordingCanvas& canvas, const std::string& text, int x, int y)
{
    for (const CanvasCall& c : canvas.calls())
        if (c.kind == CanvasCall::Kind::Text && c.text == text && c.x1 == x && c.y1 == y)
            return &c;
    return nullptr;
}

TEST(GraphicPrintout, PortraitPageFrameScalesTitleAndHeader)
{
    ProjectData data;
    data.Title = "Wall";
    const PrintPage p = MakePrintPage(4800, 6600, 25);
    EXPECT_EQ(std::tie(p.M, p.x0, p.y0, p.FW, p.FH, p.yb), std::make_tuple(600, 300, 300, 4200, 3055, 3356));
    EXPECT_DOUBLE_EQ(p.s, 168);
    const RecordingCanvas canvas = Print(data);
    ASSERT_EQ(canvas.rectangles().size(), 1u);
    EXPECT_EQ(BoxOf(canvas.rectangles()[0]), Box(301, 301, 4498, 3355));
    EXPECT_EQ(canvas.rectangles()[0].state.brushStyle, BrushStyle::Clear);
    const auto fine = Marks(canvas, p, 1, true), coarse = Marks(canvas, p, 2, true);
    ASSERT_EQ(std::pair(fine.size(), coarse.size()), std::pair(24ul, 4ul));
    EXPECT_EQ(std::tie(fine[0].x1, fine[0].y2, coarse[0].x1, coarse[0].y2),
              std::make_tuple(468, 3356 - 34, 1140, 3356 - 45));
    int k = 0;
    for (const char* number : {" 5", "10", "15", "20"}) {
        const CanvasCall* text =
            TextAt(canvas, number, static_cast<int>(coarse[static_cast<std::size_t>(k++)].x1) + 5, 3272);
        ASSERT_NE(text, nullptr) << number;
        EXPECT_EQ(text->state.brushStyle, BrushStyle::Clear);
    }
    // h = 19.976 m: 18 fine and 3 coarse marks on the left, each coarse one with its number.
    const auto left = Marks(canvas, p, 3, false);
    EXPECT_EQ(std::pair(Marks(canvas, p, 1, false).size(), Marks(canvas, p, 1, false)[0].x2), std::pair(18ul, 331l));
    ASSERT_EQ(left.size(), 3u);
    k = 0;
    for (auto [y, number] : {std::pair{2516, " 5"}, {1676, "10"}, {836, "15"}}) {
        EXPECT_EQ(std::tie(left[static_cast<std::size_t>(k)].y1, left[static_cast<std::size_t>(k)].x2),
                  std::make_tuple(y, 341));
        ++k;
        EXPECT_NE(TextAt(canvas, number, 315, y + 5), nullptr) << number;
    }
    // The title in the page's font, the header line smaller, the font set back afterwards.
    const CanvasCall* title = TextAt(canvas, "Wall", 307, 190);
    const CanvasCall* notice = TextAt(canvas, "KALVEN devs ", 2880, 259);
    const CanvasCall* name = TextAt(canvas, " KALVEN  V 1.0", 4000, 259);
    ASSERT_TRUE(title && notice && name);
    EXPECT_EQ(
        std::tie(title->state.fontHeight, notice->state.fontHeight, name->state.fontHeight, canvas.state().fontHeight),
        std::make_tuple(67, 37, 37, 67));
}

TEST(GraphicPrintout, MarkStepsFollowTheLengthAndTheFrameTheOrientation)
{
    ProjectData data;
    data.AreaLength = 20;
    PrintPage p = MakePrintPage(4800, 6600, 20);
    RecordingCanvas canvas = Print(data);
    EXPECT_EQ(Marks(canvas, p, 1, true).size(), 39u);
    EXPECT_EQ(Marks(canvas, p, 1, true)[0].x1, 300 + 105);  // half a metre
    EXPECT_EQ(Marks(canvas, p, 2, true).size(), 19u);
    EXPECT_TRUE(canvas.findText(" 1") && canvas.findText("19"));

    data.AreaLength = 1200;
    p = MakePrintPage(4800, 6600, 1200);
    canvas = Print(data);
    EXPECT_EQ(Marks(canvas, p, 1, true).size(), 1199u);
    EXPECT_EQ(Marks(canvas, p, 2, true).size(), 239u);
    EXPECT_TRUE(canvas.findText(" 5") && canvas.findText("1195"));
    const double h = p.yb / p.s;
    EXPECT_EQ(Marks(canvas, p, 1, false).size(), static_cast<std::size_t>(Round(h) - Round(h / 8)));
    data.AreaLength = 30000;  // 5 m marks 0.7 pixels apart: the first mark on a pixel is labelled
    canvas = Print(data);
    EXPECT_TRUE(canvas.findText(" 5") && canvas.findText("15") && !canvas.findText("10"));

    // Landscape: the same aspect factor, the frame again PW - M wide.
    const PrintPage wide = MakePrintPage(6600, 4800, 25);
    EXPECT_DOUBLE_EQ(wide.r, MakePrintPage(4800, 6600, 25).r);
    EXPECT_EQ(std::tie(wide.M, wide.x0, wide.FW, wide.FH), std::make_tuple(825, 412, 5775, 4200));
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
    const PrintPage p = MakePrintPage(4800, 6600, 25);
    std::vector<CanvasCall> navy4, arrows, red;
    for (const CanvasCall& c : canvas.lines()) {
        if (c.state.penColor == kNavy)
            (c.state.penWidth == 4 ? navy4 : arrows).push_back(c);
        if (c.state.penColor == kRed && c.state.penWidth == 15)
            red.push_back(c);
    }
    ASSERT_EQ(std::tuple(navy4.size(), arrows.size(), red.size()), std::tuple(11ul, 2ul, 1ul));
    EXPECT_EQ(BoxOf(navy4[0]), Box(300, 3356, 636, 3356));
    // Area 12's number by vertex (12, 4), 34 pixels below it.
    const CanvasCall* twelve = TextAt(canvas, "12 ", 2316 + 4, 3356 - 672 + 34);
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->state.brushColor, kSkyBlue);
    EXPECT_NE(canvas.findText(" 1 "), nullptr);
    // PW / 140 pixels below: 36 on a page 4970 wide.
    const PrintPage narrow = MakePrintPage(4970, 6600, 25);
    EXPECT_NE(TextAt(Print(data, 4970), "12 ", Round(narrow.px(12)) + 4, Round(narrow.py(4)) + 36), nullptr);
    EXPECT_EQ(arrows[0].state.penWidth, 10);
    EXPECT_EQ(BoxOf(arrows[0]),
              Box(468, 3188, Round(p.px(data.ResultList[1].TipX)), Round(p.py(data.ResultList[1].TipY))));
    // The resultant: 5 m long at 315 degrees from (1, 0.5).
    EXPECT_EQ(BoxOf(red[0]),
              Box(468, 3272, Round(p.px(1 + 5 / std::sqrt(2.0))), Round(p.py(0.5 - 5 / std::sqrt(2.0)))));
    const auto rings = canvas.ellipses();
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_EQ(BoxOf(rings[0]), Box(arrows[0].x2 - 6, arrows[0].y2 - 6, arrows[0].x2 + 6, arrows[0].y2 + 6));
    EXPECT_EQ(BoxOf(rings[2]), Box(red[0].x2 - 8, red[0].y2 - 8, red[0].x2 + 8, red[0].y2 + 8));
    EXPECT_EQ(rings[2].state.brushColor, kWhite);
    // The line of action from x = 1.5 at y = 0 to x = -23.5 at y = 25, far beside the page.
    const auto lines = canvas.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const CanvasCall& c) {
        return BoxOf(c) == Box(552, 3356, 300 - 3948, 3356 - 4200) && c.state.penWidth == 1;
    }));
    for (auto [y, text] : {std::pair{380, "Resultant force   56.57 kN"},
                           {461, "Xs =     1.00 m"},
                           {541, "Ys =     0.50 m"},
                           {622, "Angle   315.00\xB0"}}) {
        const CanvasCall* line = TextAt(canvas, text, 468, y);
        ASSERT_NE(line, nullptr) << text;
        EXPECT_EQ(std::pair(line->state.fontColor, line->state.brushStyle), std::pair(kBlack, BrushStyle::Solid));
    }
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
        EXPECT_NE(TextAt(canvas, text, x, y), nullptr) << text;
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
    std::vector<CanvasCall> dashed;
    for (const CanvasCall& c : canvas.lines())
        if (c.state.penStyle == PenStyle::Dashed)
            dashed.push_back(c);
    ASSERT_EQ(dashed.size(), 1u);
    EXPECT_EQ(BoxOf(dashed[0]), Box(468, 3188, 804, 3188));
    EXPECT_TRUE(canvas.ellipses().empty());
    for (const CanvasCall& c : canvas.lines())
        EXPECT_LT(c.state.penWidth, 10);
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
