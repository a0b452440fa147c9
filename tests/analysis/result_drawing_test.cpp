#include <gtest/gtest.h>

#include <cmath>

#include "analysis/compute_support.h"
#include "analysis/result_drawing.h"
#include "drawing/segment_clip.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using testing::CanvasCall;
using testing::Compute;
using testing::kH;
using testing::kW;
using testing::SetLoad;
using testing::SetOutline;

using Kind = CanvasCall::Kind;

struct Box {
    int x1, y1, x2, y2;
};

void ExpectCall(const CanvasCall& call, Kind kind, Box box, ColorValue pen, int width)
{
    EXPECT_EQ(call.kind, kind);
    EXPECT_EQ((std::array{call.x1, call.y1, call.x2, call.y2}), (std::array{box.x1, box.y1, box.x2, box.y2}));
    EXPECT_EQ(call.state.penColor, pen);
    EXPECT_EQ(call.state.penWidth, width);
    EXPECT_EQ(call.state.penStyle, PenStyle::Solid);
    if (kind == Kind::Ellipse) {
        EXPECT_EQ(call.state.brushStyle, BrushStyle::Clear);
    }
}

void ExpectWithinMargin(const std::vector<CanvasCall>& calls)
{
    for (const CanvasCall& call : calls) {
        if (call.kind == Kind::Text)
            continue;
        for (int x : {call.x1, call.x2}) {
            EXPECT_GE(x, -kClipMargin - 3);
            EXPECT_LE(x, kW + kClipMargin + 3);
        }
        for (int y : {call.y1, call.y2}) {
            EXPECT_GE(y, -kClipMargin - 3);
            EXPECT_LE(y, kH + kClipMargin + 3);
        }
    }
}

TEST(ResultDrawing, TwoAreaExampleAtItsPixels)
{
    ProjectData data;
    data.ColorSettings[kUniversalLine] = 0x00123456;
    testing::SetTwoAreaExample(data);
    auto run = Compute(data);  // s = 24.04 pixels per metre

    const auto& calls = run.results;
    ASSERT_EQ(calls.size(), 9u);
    // The downward arrow of area 1 leaves the image at the bottom; its ring lies too far below.
    ExpectCall(calls[0], Kind::Line, {24, 401, 24, 425 + kClipMargin}, kNavy, 3);
    ExpectCall(calls[1], Kind::Line, {120, 413, 205, 413}, kNavy, 3);
    ExpectCall(calls[2], Kind::Ellipse, {203, 411, 207, 415}, kNavy, 3);
    // Line of action from (36, 425) toward (-565, -176), cut at the left margin.
    ExpectCall(calls[3], Kind::Line, {36, 425, -kClipMargin, 373}, kBlack, 1);
    // Resultant from (24, 413) toward (109, 498), cut at the bottom margin.
    ExpectCall(calls[4], Kind::Line, {24, 413, 52, 425 + kClipMargin}, kRed, 4);

    const char* texts[4] = {"Resultant force   56.57 kN", "Resultant angle  315.00\xB0", "Resultant Xc    1.00 m",
                            "Resultant Yc    0.50 m"};
    const int rows[4] = {32, 46, 60, 74};
    for (int i = 0; i < 4; ++i) {
        const CanvasCall& text = calls[5 + static_cast<std::size_t>(i)];
        EXPECT_EQ(text.kind, Kind::Text);
        EXPECT_EQ(text.text, texts[i]);
        EXPECT_EQ(text.x1, 65);
        EXPECT_EQ(text.y1, rows[i]);
        EXPECT_EQ(text.state.fontColor, 0x00123456u);
        EXPECT_EQ(text.state.brushStyle, BrushStyle::Clear);
    }
    const testing::CanvasState& after = run.canvas.state();
    EXPECT_EQ(after.fontColor, 0x00123456u);
    EXPECT_EQ(after.brushStyle, BrushStyle::Clear);
    EXPECT_EQ(after.penWidth, 1);
    EXPECT_EQ(after.penColor, kRed);
}

TEST(ResultDrawing, ShiftedAreaWithItsMarkArrowsAndRings)
{
    ProjectData data;
    SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
    SetLoad(data, 1, 10, 90, 3);
    auto run = Compute(data);

    const auto& calls = run.results;
    ASSERT_EQ(calls.size(), 10u);
    EXPECT_EQ(calls[0].kind, Kind::Line);  // the mark: dashed black from x = 1 m to x = 3 m
    EXPECT_EQ((std::array{calls[0].x1, calls[0].y1, calls[0].x2, calls[0].y2}), (std::array{24, 401, 72, 401}));
    EXPECT_EQ(calls[0].state.penColor, kBlack);
    EXPECT_EQ(calls[0].state.penStyle, PenStyle::Dashed);
    EXPECT_EQ(calls[0].state.penWidth, 1);
    ExpectCall(calls[1], Kind::Line, {72, 401, 72, 281}, kNavy, 3);  // 5 m up from the shifted point
    ExpectCall(calls[2], Kind::Ellipse, {70, 279, 74, 283}, kNavy, 3);
    ExpectCall(calls[3], Kind::Line, {72, 425, 72, -kClipMargin}, kBlack, 1);
    ExpectCall(calls[4], Kind::Line, {72, 401, 72, 281}, kRed, 4);
    ExpectCall(calls[5], Kind::Ellipse, {69, 278, 75, 284}, kRed, 4);
    EXPECT_EQ(calls[6].text, "Resultant force   40.00 kN");
    EXPECT_EQ(calls[7].text, "Resultant angle   90.00\xB0");
}

TEST(ResultDrawing, TextsKeepFiguresWiderThanTheirField)
{
    ProjectData data;
    data.ResultantForce = 12345.678;
    data.ResultantAngle = 0;
    data.ResultantXc = -1234.5;
    data.ResultantYc = 0.004;
    const auto texts = ResultTexts(data);
    EXPECT_EQ(texts[0], "Resultant force12345.68 kN");
    EXPECT_EQ(texts[1], "Resultant angle    0.00\xB0");
    EXPECT_EQ(texts[2], "Resultant Xc-1234.50 m");
    EXPECT_EQ(texts[3], "Resultant Yc    0.00 m");
}

TEST(ResultDrawing, FarAwayItemsAreCutToTheImage)
{
    // A shift a thousand million kilometres away: the mark runs to the right margin, nothing else shows.
    ProjectData shifted;
    SetOutline(shifted, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
    SetLoad(shifted, 1, 10, 90, 1e12);
    auto far = Compute(shifted);
    ExpectWithinMargin(far.results);
    ASSERT_EQ(far.resultsOf(Kind::Line).size(), 1u);
    const CanvasCall mark = far.resultsOf(Kind::Line)[0];
    EXPECT_EQ((std::array{mark.x1, mark.y1, mark.x2, mark.y2}), (std::array{24, 401, kW + kClipMargin, 401}));
    EXPECT_TRUE(far.resultsOf(Kind::Ellipse).empty());
    EXPECT_EQ(shifted.ValidationMessage, " Resultant is outside the desktop !");

    // Two huge opposite loads with negative multipliers and a small upward one: the arrows of
    // the huge ones are far longer than the image, only their visible parts are drawn.
    ProjectData huge;
    SetOutline(huge, 1, {{4, 4}, {6, 4}, {6, 6}, {4, 6}, {4, 4}});
    SetLoad(huge, 1, -2000000000, 0);
    SetOutline(huge, 2, {{8, 4}, {10, 4}, {10, 6}, {8, 6}, {8, 4}});
    SetLoad(huge, 2, -2000000000, 180);
    SetOutline(huge, 3, {{12, 4}, {14, 4}, {14, 6}, {12, 6}, {12, 4}});
    SetLoad(huge, 3, 10, 90);
    auto wide = Compute(huge);
    ExpectWithinMargin(wide.results);
    const auto lines = wide.resultsOf(Kind::Line);
    ASSERT_GE(lines.size(), 2u);
    // Area 1 pushes left from (5, 5) and area 2 right from (9, 5), each to the image's margin.
    EXPECT_EQ((std::array{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
              (std::array{120, 305, -kClipMargin, 305}));
    EXPECT_EQ((std::array{lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
              (std::array{216, 305, kW + kClipMargin, 305}));

    // A horizontal resultant: its line of action rises 0.0001 per metre from far left of the image.
    ProjectData flat;
    SetOutline(flat, 1, {{2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}});
    SetLoad(flat, 1, 10, 180);
    auto level = Compute(flat);
    ExpectWithinMargin(level.results);
    const auto action = level.resultsOf(Kind::Line)[1];
    EXPECT_EQ(action.state.penColor, kBlack);
    const double s = 601.0 / 25;
    const double bottomX = std::nearbyint(flat.LineX0 * s);
    const double topX = std::nearbyint(flat.LineX1 * s);
    const auto rowOf = [&](double x) { return kH + (x - bottomX) * (-601.0) / (topX - bottomX); };
    EXPECT_EQ(action.x1, -kClipMargin);
    EXPECT_EQ(action.x2, kW + kClipMargin);
    EXPECT_NEAR(action.y1, rowOf(action.x1), 0.5);
    EXPECT_NEAR(action.y2, rowOf(action.x2), 0.5);
    EXPECT_EQ(action.y1, 353);  // 3 m = 72 px above the bottom row, as the resultant's height
}

}  // namespace
}  // namespace kalven
