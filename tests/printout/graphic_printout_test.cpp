#include "printout/graphic_printout.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <limits>

#include "core/text_format.h"
#include "drawing/segment_clip.h"
#include "printout/two_area_example.h"
#include "support/recording_canvas.h"

namespace kalven::testing {
namespace {

constexpr int kPW = 4800;  // a 4800 x 6600 portrait page
constexpr int kPH = 6600;

std::vector<CanvasCall> Lines(const RecordingCanvas& canvas, const std::function<bool(const CanvasCall&)>& keep)
{
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : canvas.lines()) {
        if (keep(call))
            out.push_back(call);
    }
    return out;
}

// Vertical marks standing on the line y = 0 of the page.
std::vector<CanvasCall> BottomMarks(const RecordingCanvas& canvas, int yb, int width)
{
    return Lines(canvas, [&](const CanvasCall& c) {
        return c.x1 == c.x2 && c.y1 == yb && c.y2 < yb && c.state.penWidth == width && c.state.penColor == kPrintBlack;
    });
}

// Horizontal marks starting at the frame's left edge.
std::vector<CanvasCall> LeftMarks(const RecordingCanvas& canvas, int x0, int width)
{
    return Lines(canvas, [&](const CanvasCall& c) {
        return c.y1 == c.y2 && c.x1 == x0 + 1 && c.x2 > c.x1 && c.state.penWidth == width &&
               c.state.penColor == kPrintBlack;
    });
}

RecordingCanvas Print(const ProjectData& data, int PW = kPW, int PH = kPH)
{
    RecordingCanvas canvas;
    DrawGraphicPage(canvas, data, PW, PH);
    return canvas;
}

TEST(GraphicPrintout, PortraitPageQuantitiesAndFrame)
{
    const PrintPage p = MakePrintPage(kPW, kPH, 25);
    EXPECT_EQ(p.M, 600);
    EXPECT_DOUBLE_EQ(p.s, 168);
    EXPECT_NEAR(p.r, 0.727272, 1e-6);
    EXPECT_EQ(p.x0, 300);
    EXPECT_EQ(p.y0, 300);
    EXPECT_EQ(p.FW, 4200);
    EXPECT_EQ(p.FH, 3055);
    EXPECT_EQ(p.yb, 3356);

    const RecordingCanvas canvas = Print(ProjectData{});
    ASSERT_EQ(canvas.rectangles().size(), 1u);
    const CanvasCall frame = canvas.rectangles()[0];
    EXPECT_EQ(std::tie(frame.x1, frame.y1, frame.x2, frame.y2), std::make_tuple(301, 301, 4498, 3355));
    EXPECT_EQ(frame.state.brushStyle, BrushStyle::Clear);
    EXPECT_EQ(frame.state.penWidth, 1);
}

TEST(GraphicPrintout, LandscapeFrameFillsThePageWidthAtTheSameAspect)
{
    const PrintPage portrait = MakePrintPage(kPW, kPH, 25);
    const PrintPage landscape = MakePrintPage(kPH, kPW, 25);
    EXPECT_DOUBLE_EQ(portrait.r, landscape.r);
    EXPECT_EQ(landscape.M, 825);
    EXPECT_DOUBLE_EQ(landscape.s, 231);
    EXPECT_EQ(landscape.FW, kPH - 825);
    EXPECT_EQ(landscape.FH, 4200);
    EXPECT_EQ(landscape.x0, 412);  // 412.5, the half to the even neighbour
    const RecordingCanvas canvas = Print(ProjectData{}, kPH, kPW);
    const CanvasCall frame = canvas.rectangles().at(0);
    EXPECT_EQ(std::tie(frame.x1, frame.y1, frame.x2, frame.y2), std::make_tuple(413, 413, 6185, 4612));
}

TEST(GraphicPrintout, BottomScaleOfA25MetreArea)
{
    const RecordingCanvas canvas = Print(ProjectData{});
    const auto fine = BottomMarks(canvas, 3356, 1);
    ASSERT_EQ(fine.size(), 24u);
    EXPECT_EQ(fine[0].x1, 468);
    EXPECT_EQ(fine[23].x1, 300 + 24 * 168);
    for (const auto& mark : fine)
        EXPECT_EQ(mark.y2, 3356 - 34);
    const auto coarse = BottomMarks(canvas, 3356, 2);
    ASSERT_EQ(coarse.size(), 4u);
    EXPECT_EQ(coarse[0].x1, 1140);
    EXPECT_EQ(coarse[0].y2, 3356 - 45);
    const char* numbers[] = {" 5", "10", "15", "20"};
    for (int i = 0; i < 4; ++i) {
        const CanvasCall* number = canvas.findText(numbers[i]);
        ASSERT_NE(number, nullptr) << numbers[i];
        EXPECT_EQ(number->x1, coarse[static_cast<std::size_t>(i)].x1 + 5);
        EXPECT_EQ(number->y1, 3272);
        EXPECT_EQ(number->state.brushStyle, BrushStyle::Clear);
    }
    EXPECT_EQ(canvas.findText(" 5")->x1, 1145);
}

TEST(GraphicPrintout, LeftScaleCountsFollowThePageHeightInMetres)
{
    const RecordingCanvas canvas = Print(ProjectData{});
    const auto fine = LeftMarks(canvas, 300, 1);
    ASSERT_EQ(fine.size(), 18u);
    EXPECT_EQ(fine[0].y1, 3356 - 168);
    EXPECT_EQ(fine[0].x2, 301 + 30);
    const auto coarse = LeftMarks(canvas, 300, 3);
    ASSERT_EQ(coarse.size(), 3u);
    const int ys[] = {2516, 1676, 836};
    const char* numbers[] = {" 5", "10", "15"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(coarse[static_cast<std::size_t>(i)].y1, ys[i]);
        EXPECT_EQ(coarse[static_cast<std::size_t>(i)].x2, 301 + 40);
        bool found = false;
        for (const CanvasCall& text : canvas.texts()) {
            if (text.text == numbers[i] && text.x1 == 315 && text.y1 == ys[i] + 5) {
                found = true;
                EXPECT_EQ(text.state.penWidth, 1);
            }
        }
        EXPECT_TRUE(found) << numbers[i];
    }
}

TEST(GraphicPrintout, ShortAndLongAreasChangeTheMarkSteps)
{
    ProjectData data;
    data.AreaLength = 20;
    RecordingCanvas canvas = Print(data);
    const int yb = MakePrintPage(kPW, kPH, 20).yb;
    EXPECT_EQ(BottomMarks(canvas, yb, 1).size(), 39u);
    EXPECT_EQ(BottomMarks(canvas, yb, 2).size(), 19u);
    EXPECT_NE(canvas.findText(" 1"), nullptr);
    EXPECT_NE(canvas.findText("19"), nullptr);
    EXPECT_EQ(BottomMarks(canvas, yb, 1)[0].x1, 300 + 105);  // half a metre of 210 pixels

    data.AreaLength = 1200;
    canvas = Print(data);
    const PrintPage p = MakePrintPage(kPW, kPH, 1200);
    EXPECT_EQ(BottomMarks(canvas, p.yb, 1).size(), 1199u);
    EXPECT_EQ(BottomMarks(canvas, p.yb, 2).size(), 239u);
    EXPECT_NE(canvas.findText(" 5"), nullptr);
    EXPECT_NE(canvas.findText("1195"), nullptr);
    const double h = p.yb / p.s;
    EXPECT_EQ(LeftMarks(canvas, p.x0, 1).size(), static_cast<std::size_t>(Round(h) - Round(h / 8)));
    EXPECT_EQ(LeftMarks(canvas, p.x0, 3).size(), static_cast<std::size_t>(Round(h / 5) - Round(h / 30)));
}

TEST(GraphicPrintout, LoadAreasWithTheirNumbers)
{
    ProjectData data;
    SetOutline(data, 7, {{1, 1}, {3, 1}, {3, 2}, {1, 1}});
    SetOutline(data, 12, {{10, 1}, {12, 1}, {12, 4}, {10, 1}});
    const RecordingCanvas canvas = Print(data);
    const auto outline = Lines(canvas, [](const CanvasCall& c) { return c.state.penColor == kPrintNavy; });
    ASSERT_EQ(outline.size(), 6u);
    EXPECT_EQ(std::tie(outline[0].x1, outline[0].y1, outline[0].x2, outline[0].y2),
              std::make_tuple(468, 3188, 804, 3188));
    EXPECT_EQ(outline[0].state.penWidth, 4);
    const CanvasCall* seven = canvas.findText(" 7 ");
    ASSERT_NE(seven, nullptr);
    EXPECT_EQ(std::tie(seven->x1, seven->y1), std::make_tuple(804 + 4, 3356 - 336 + 34));  // by vertex (3, 2)
    EXPECT_EQ(seven->state.brushColor, kPrintSkyBlue);
    EXPECT_EQ(seven->state.brushStyle, BrushStyle::Solid);
    ASSERT_NE(canvas.findText("12 "), nullptr);
}

TEST(GraphicPrintout, ResultsTitleAndHeaderOfAComputedProject)
{
    ProjectData data = TwoAreaExample();
    data.Title = "Wall";
    ComputeOnScreen(data);
    ASSERT_TRUE(data.Computed);
    RecordingCanvas canvas;
    canvas.setFontHeight(133);
    DrawGraphicPage(canvas, data, kPW, kPH);
    const PrintPage p = MakePrintPage(kPW, kPH, 25);

    const auto arrows = Lines(canvas, [](const CanvasCall& c) { return c.state.penWidth == 10; });
    ASSERT_EQ(arrows.size(), 2u);
    EXPECT_EQ(std::tie(arrows[0].x1, arrows[0].y1), std::make_tuple(468, 3188));  // force 1 at (1, 1)
    EXPECT_EQ(arrows[0].state.penColor, kPrintNavy);
    EXPECT_EQ(arrows[0].x2, Round(p.px(data.ResultList[1].TipX)));
    EXPECT_EQ(arrows[0].y2, Round(p.py(data.ResultList[1].TipY)));
    const auto rings = canvas.ellipses();
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_EQ(rings[0].x1, arrows[0].x2 - 6);
    EXPECT_EQ(rings[0].y2, arrows[0].y2 + 6);
    EXPECT_EQ(rings[0].state.brushColor, kPrintWhite);

    const auto resultant = Lines(canvas, [](const CanvasCall& c) { return c.state.penWidth == 15; });
    ASSERT_EQ(resultant.size(), 1u);
    EXPECT_EQ(resultant[0].state.penColor, kPrintRed);
    EXPECT_EQ(std::tie(resultant[0].x1, resultant[0].y1), std::make_tuple(468, 3272));  // (1, 0.5)
    // 5 m long at 315 degrees: 3.54 m right and down.
    EXPECT_EQ(resultant[0].x2, Round(p.px(1 + 5 / std::sqrt(2.0))));
    EXPECT_EQ(resultant[0].y2, Round(p.py(0.5 - 5 / std::sqrt(2.0))));
    EXPECT_EQ(rings[2].x1, resultant[0].x2 - 8);
    EXPECT_EQ(rings[2].x2, resultant[0].x2 + 8);

    // Line of action from x = 1.5 at y = 0 toward x = -23.5 at y = 25, cut at the page edge.
    const auto action = Lines(canvas, [](const CanvasCall& c) {
        return c.state.penWidth == 1 && c.state.penStyle == PenStyle::Solid && c.x1 == 300 + 252;
    });
    ASSERT_EQ(action.size(), 1u);
    EXPECT_EQ(action[0].y1, 3356);
    EXPECT_EQ(action[0].x2, -kClipMargin);

    const std::pair<int, std::string> lines[] = {{380, "Resultant force   56.57 kN"},
                                                 {461, "Xs =     1.00 m"},
                                                 {541, "Ys =     0.50 m"},
                                                 {622, "Angle   315.00\xB0"}};
    for (const auto& [y, text] : lines) {
        const CanvasCall* call = canvas.findText(text);
        ASSERT_NE(call, nullptr) << text;
        EXPECT_EQ(std::tie(call->x1, call->y1), std::make_tuple(468, y));
        EXPECT_EQ(call->state.brushStyle, BrushStyle::Solid);
        EXPECT_EQ(call->state.fontColor, kPrintBlack);
    }

    const CanvasCall* title = canvas.findText("Wall");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(std::tie(title->x1, title->y1), std::make_tuple(307, 190));
    const CanvasCall* notice = canvas.findText("KALVEN devs ");
    const CanvasCall* name = canvas.findText(" KALVEN  V 1.0");
    ASSERT_TRUE(notice && name);
    EXPECT_EQ(std::tie(notice->x1, notice->y1, notice->state.fontHeight), std::make_tuple(2880, 259, 37));
    EXPECT_EQ(std::tie(name->x1, name->y1, name->state.fontHeight), std::make_tuple(4000, 259, 37));
    EXPECT_EQ(title->state.fontHeight, 133);
    EXPECT_EQ(canvas.state().fontHeight, 133);
}

TEST(GraphicPrintout, StaleResultsKeepTheShiftMarksOnly)
{
    ProjectData data;
    SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
    data.LoadAreaData[1].Alpha = 90;
    data.LoadAreaData[1].ShiftX = 3;
    SetOutline(data, 2, {{4, 0}, {6, 0}, {6, 1}, {4, 1}, {4, 0}});
    data.LoadAreaData[2].Alpha = 180;  // never shifted
    data.LoadAreaData[2].ShiftX = 8;
    ComputeOnScreen(data);
    const auto dashed = [](const RecordingCanvas& c) {
        return Lines(c, [](const CanvasCall& l) { return l.state.penStyle == PenStyle::Dashed; });
    };

    RecordingCanvas canvas = Print(data);
    ASSERT_EQ(dashed(canvas).size(), 1u);
    const CanvasCall mark = dashed(canvas)[0];
    EXPECT_EQ(std::tie(mark.x1, mark.y1, mark.x2, mark.y2), std::make_tuple(468, 3188, 804, 3188));
    EXPECT_NE(canvas.findText("Xs =     3.00 m"), nullptr);

    data.Computed = false;
    canvas = Print(data);
    EXPECT_EQ(dashed(canvas).size(), 1u);
    EXPECT_TRUE(canvas.ellipses().empty());
    EXPECT_TRUE(Lines(canvas, [](const CanvasCall& c) { return c.state.penWidth >= 10; }).empty());
    EXPECT_EQ(canvas.findText("Xs =     3.00 m"), nullptr);
    EXPECT_NE(canvas.findText(" KALVEN  V 1.0"), nullptr);
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
    data.ResultList[2].TipY = -1e18;
    for (int length : {0, -7, 5, std::numeric_limits<int>::max()}) {
        data.AreaLength = length;
        for (auto [pw, ph] : {std::pair{kPW, kPH}, std::pair{1, 1}, std::pair{30, 10}, std::pair{0, 6600}}) {
            const auto start = std::chrono::steady_clock::now();
            const RecordingCanvas canvas = Print(data, pw, ph);
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << length;
            for (const CanvasCall& line : canvas.lines()) {
                // Every line drawn lies within the page grown by the clip margin.
                for (int x : {line.x1, line.x2})
                    EXPECT_TRUE(x >= -kClipMargin && x <= pw + kClipMargin) << x;
                for (int y : {line.y1, line.y2})
                    EXPECT_TRUE(y >= -kClipMargin && y <= ph + kClipMargin) << y;
            }
        }
    }
}

}  // namespace
}  // namespace kalven::testing
