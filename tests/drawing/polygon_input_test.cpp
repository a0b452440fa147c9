// The polygon input on a recording canvas: snapping, status texts, clicks, limits, deletion.
#include <gtest/gtest.h>

#include "drawing/fixed_colors.h"
#include "drawing/polygon_input.h"
#include "drawing/view_mapping.h"
#include "support/recording_panels.h"
#include "support/recording_canvas.h"

namespace kalven {
namespace {

using testing::CanvasCall;

// 25 m on 1000 pixels: 40 pixels per metre, so pixel x is x / 40 metres.
constexpr int W = 1000;
constexpr int H = 500;

struct Input {
    ProjectData data;
    testing::RecordingCanvas canvas;
    testing::RecordingPanels panels;
    PixelPoint anchor, end;
    PolygonInput input{data, canvas, panels, W, H, anchor, end};

    Input() { ProjectReset(data); }  // 5 cm rounding
    void move(int x, int y, int spin = 3) { input.mouseMove(spin, x, y); }
    void click(int x, int y, MouseButton button = MouseButton::Left)
    {
        move(x, y);
        input.mouseDown(button, x, y);
    }
};

// A line's ends and pen.
std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t, int> Line(const CanvasCall& c)
{
    return {c.x1, c.y1, c.x2, c.y2, c.state.penWidth};
}

TEST(PolygonInput, RoundingToFiveAndToOneCentimetre)
{
    // Raw metres, rounding (1: 5 cm, 0: 1 cm), the stored value and the text.
    const std::tuple<double, int, double, const char*> cases[] = {
        {1.23, 1, 1.25, "1.25"},
        {1.22, 1, 1.20, "1.20"},
        {1.28, 1, 1.30, "1.30"},
        // Fractions of exactly a quarter and three quarters of a tenth, as the mouse gives them.
        {RawX(1, 40.0), 1, 0.05, "0.05"},
        {RawX(3, 40.0), 1, 0.10, "0.10"},
        {RawX(999, 40.0), 1, 25.0, "25.00"},
        // Past the left or bottom edge (a drag out of the image) the half step is still added.
        {-1.22, 1, -1.20, "-1.20"},
        {-1.23, 1, -1.15, "-1.15"},
        {1.234, 0, 1.23, "1.23"},
        // Whole halves of a centimetre are stored to the even one; the text shows the raw value.
        {RawX(1, 40.0), 0, 0.02, "0.03"},
        {RawX(3, 40.0), 0, 0.08, "0.07"}};
    for (const auto& [raw, rounding, value, text] : cases) {
        const auto snapped = SnapCoordinate(raw, static_cast<std::uint8_t>(rounding));
        EXPECT_EQ(std::pair(snapped.value, snapped.text), std::pair(value, std::string(text)))
            << raw << " " << rounding;
    }
}

TEST(PolygonInput, MouseMoveShowsCoordinatesAndTheSpinEditNumber)
{
    Input t;
    t.move(49, H - 1, 7);  // the bottom row is y = 0
    EXPECT_EQ(std::tuple(t.data.CursorX, t.data.CursorY, t.panels.texts[0], t.panels.texts[1]),
              std::tuple(1.25, 0.0, "    X = 1.25      Y = 0.00", "    Load area No. 7"));
    EXPECT_TRUE(t.canvas.calls().empty());  // no band while no polygon is under way
    t.data.Rounding = 0;
    t.move(49, 0, 12);
    // 12.475 stored to the even centimetre.
    EXPECT_EQ(std::tuple(t.data.CursorY, t.panels.texts[0], t.panels.texts[1]),
              std::tuple(12.48, "    X = 1.23      Y = 12.47", "    Load area No.12"));
}

TEST(PolygonInput, ArmPickCloseRelease)
{
    Input t;
    t.data.Computed = true;
    ASSERT_TRUE(ArmPolygonInput(t.data, t.panels, 3));
    EXPECT_TRUE(t.data.InputMode == kInputModeLoadArea && !t.data.Idle && t.data.AreaUsed[3]);
    EXPECT_EQ(t.panels.texts[1], " Loaded area - input data");

    // First vertex at (2, 1) m: a red mark, no edge; the band starts there in not-xor.
    t.click(80, 459);
    EXPECT_TRUE(t.data.PolygonStarted && !t.data.Computed && t.data.VertexCount[3] == 1);
    EXPECT_EQ(t.panels.texts[2], "  End right mouse button !");
    ASSERT_EQ(t.canvas.ellipses().size(), 1u);
    const CanvasCall mark = t.canvas.ellipses()[0];
    EXPECT_EQ(std::tuple(mark.x1, mark.y1, mark.x2, mark.y2, t.anchor, t.canvas.state().penMode),
              std::tuple(77, 456, 83, 462, PixelPoint{80, 459}, PenMode::NotXor));

    // Second vertex: 4.975 m high snaps to 5.00, one row above the click. The band is painted
    // over in the window colour, the edge drawn red, the previous vertex turns blue.
    t.move(200, 300);
    t.canvas.clear();
    t.input.mouseDown(MouseButton::Left, 200, 300);
    EXPECT_DOUBLE_EQ(t.data.VertexY[2][3], 5.0);
    const auto lines = t.canvas.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(std::tuple(Line(lines[0]), lines[0].state.penColor, lines[0].state.penMode, Line(lines[1])),
              std::tuple(std::tuple(80, 459, 200, 300, 1), kSystemWindowColor, PenMode::Copy,
                         std::tuple(80, 459, 200, 299, 2)));
    ASSERT_EQ(t.canvas.ellipses().size(), 2u);
    EXPECT_EQ(std::pair(t.canvas.ellipses()[0].state.brushColor, t.canvas.ellipses()[1].state.brushColor),
              std::pair(kBlue, kRed));

    // Closing: edge back to vertex 1, its copy stored, the number in black, idle again.
    t.canvas.clear();
    t.canvas.setFontColor(kRed);  // as an earlier drawing may leave it
    t.click(210, 310, MouseButton::Right);
    EXPECT_EQ(std::tuple(t.data.VertexCount[3], t.data.VertexX[3][3], t.data.VertexY[3][3]), std::tuple(3, 2.0, 1.0));
    const testing::CanvasState last = t.canvas.ellipses().at(0).state;  // the last vertex turns blue
    EXPECT_EQ(std::tuple(last.brushColor, last.penWidth, last.penColor), std::tuple(kBlue, 1, kBlack));
    EXPECT_TRUE(t.data.Idle && !t.data.PolygonStarted && t.data.InputMode == 0 && t.data.ReleaseAreaButton);
    EXPECT_EQ(std::tuple(t.panels.texts[1], t.panels.texts[2]), std::tuple(" ", "  Length =  25 m"));
    ASSERT_EQ(t.canvas.lines().size(), 4u);  // the band of the move, the paint-over, the edge
    EXPECT_EQ(Line(t.canvas.lines()[3]), std::tuple(200, 299, 80, 459, 2));
    const CanvasCall* label = t.canvas.findText(" 3 ");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(
        std::tuple(label->x1, label->y1, label->state.fontColor, label->state.brushColor, t.canvas.state().penMode),
        std::tuple(204, 284, kBlack, kSkyBlue, PenMode::Copy));

    // The arming button comes up once, at the next move over the window; the area is in use.
    EXPECT_TRUE(TakeAreaButtonRelease(t.data));
    EXPECT_FALSE(TakeAreaButtonRelease(t.data));
    EXPECT_FALSE(ArmPolygonInput(t.data, t.panels, 3));
    EXPECT_TRUE(t.data.Idle);
}

TEST(PolygonInput, RefusedClicksAndTheVertexLimit)
{
    Input t;
    ASSERT_TRUE(ArmPolygonInput(t.data, t.panels, 1));
    // 24.975 m snaps onto the right edge: refused, yet Computed is cleared and the band restarts.
    t.data.Computed = true;
    t.click(999, 100);
    EXPECT_TRUE(!t.data.PolygonStarted && !t.data.Computed && t.data.VertexCount[1] == 0);
    EXPECT_EQ(std::tuple(t.anchor, t.canvas.state().penMode), std::tuple(PixelPoint{1000, 99}, PenMode::NotXor));
    for (int i = 1; i <= 40; ++i)  // 24.95 m is inside
        t.click(i == 1 ? 998 : 20 * i, 100 + (i % 2) * 40);
    const PixelPoint last = t.data.LastPointPx;
    t.click(500, 400);  // a 41st picked point is refused
    EXPECT_EQ(std::tuple(t.data.VertexCount[1], t.data.LastPointPx), std::tuple(std::uint8_t{40}, last));
    t.click(500, 400, MouseButton::Right);
    EXPECT_EQ(std::tuple(t.data.VertexCount[1], t.data.VertexX[41][1], t.data.Idle),
              std::tuple(41, t.data.VertexX[1][1], true));
    for (const CanvasCall& mark : t.canvas.ellipses())  // the first one too, after the refused click
        EXPECT_EQ(mark.state.penMode, PenMode::Copy);
}

TEST(PolygonInput, OnePointOtherButtonsAndDeletion)
{
    Input t;
    t.input.mouseDown(MouseButton::Left, 10, 10);  // not armed: nothing at all
    EXPECT_TRUE(t.canvas.calls().empty() && t.data.VertexCount[1] == 0);
    ASSERT_TRUE(ArmPolygonInput(t.data, t.panels, 2));
    t.data.VertexCount[2] = 45;           // a count an unused area may bring from a file
    t.click(10, 10, MouseButton::Right);  // before the first vertex
    t.input.mouseDown(MouseButton::Middle, 10, 10);
    EXPECT_TRUE(t.canvas.calls().empty() && !t.data.Idle);
    t.click(120, 459);
    t.move(300, 300, 9);  // another number in the spin edit does not change the area under input
    EXPECT_EQ(t.panels.texts[1], "    Load area No. 9");
    t.click(300, 300, MouseButton::Right);
    EXPECT_EQ(std::tuple(t.data.CurrentArea, t.data.VertexCount[2], t.data.VertexX[2][2], t.data.VertexY[2][2]),
              std::tuple(2, 2, 3.0, 1.0));

    // Deletion clears only a used area while idle; the data row stays.
    ProjectData& data = t.data;
    data.VertexY[42][2] = 1;
    data.LoadAreaData[2].Multiplier = 99;
    data.Computed = true;
    data.Idle = false;
    EXPECT_FALSE(DeleteLoadArea(data, 2));
    data.Idle = true;
    EXPECT_FALSE(DeleteLoadArea(data, 5));  // not used
    EXPECT_TRUE(data.Computed);
    EXPECT_TRUE(DeleteLoadArea(data, 2));
    EXPECT_EQ(std::tuple(data.AreaUsed[2], data.Computed, data.VertexCount[2], data.VertexY[42][2],
                         data.LoadAreaData[2].Multiplier),
              std::tuple(false, false, 0, 0.0, 99));
}

}  // namespace
}  // namespace kalven
