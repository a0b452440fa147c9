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
using testing::RecordingCanvas;
using testing::RecordingPanels;

// 25 m on 1000 pixels: 40 pixels per metre, so pixel x is x / 40 metres.
constexpr int W = 1000;
constexpr int H = 500;

struct Input {
    ProjectData data;
    RecordingCanvas canvas;
    RecordingPanels panels;
    PixelPoint anchor, end;
    PolygonInput input{data, canvas, panels, W, H, anchor, end};

    Input() { ProjectReset(data); }  // 5 cm rounding
    void move(int x, int y, int spin = 3) { input.mouseMove(spin, x, y); }
    void left(int x, int y)
    {
        move(x, y);
        input.mouseDown(MouseButton::Left, x, y);
    }
    void right(int x, int y)
    {
        move(x, y);
        input.mouseDown(MouseButton::Right, x, y);
    }
};

TEST(PolygonInput, RoundingToFiveAndToOneCentimetre)
{
    const struct {
        double raw;
        int rounding;  // 1: 5 cm, 0: 1 cm
        double value;
        const char* text;
    } cases[] = {
        {1.23, 1, 1.25, "1.25"},
        {1.22, 1, 1.20, "1.20"},
        {1.28, 1, 1.30, "1.30"},
        // Fractions of exactly a quarter and three quarters of a tenth, as the mouse gives them.
        {RawX(1, 40.0), 1, 0.05, "0.05"},  // 0.025: the half step
        {RawX(3, 40.0), 1, 0.10, "0.10"},  // 0.075: the next tenth
        {RawX(5, 40.0), 1, 0.15, "0.15"},
        {RawX(999, 40.0), 1, 25.0, "25.00"},
        // Past the left or bottom edge (a drag out of the image) the half step is still added.
        {-1.22, 1, -1.20, "-1.20"},
        {-1.23, 1, -1.15, "-1.15"},
        {0.0, 1, 0.0, "0.00"},
        {1.234, 0, 1.23, "1.23"},
        // Whole halves of a centimetre are stored to the even one; the text shows the raw value.
        {RawX(1, 40.0), 0, 0.02, "0.03"},
        {RawX(3, 40.0), 0, 0.08, "0.07"},
    };
    for (const auto& c : cases) {
        const auto snapped = SnapCoordinate(c.raw, c.rounding);
        EXPECT_DOUBLE_EQ(snapped.value, c.value) << c.raw << " rounding " << c.rounding;
        EXPECT_EQ(snapped.text, c.text) << c.raw << " rounding " << c.rounding;
    }
}

TEST(PolygonInput, MouseMoveShowsCoordinatesAndTheSpinEditNumber)
{
    Input t;
    t.move(49, H - 1, 7);  // the bottom row is y = 0
    EXPECT_DOUBLE_EQ(t.data.CursorX, 1.25);
    EXPECT_DOUBLE_EQ(t.data.CursorY, 0.0);
    EXPECT_EQ(t.panels.texts[0], "    X = 1.25      Y = 0.00");
    EXPECT_EQ(t.panels.texts[1], "    Load area No. 7");
    EXPECT_TRUE(t.canvas.calls().empty());  // no band while no polygon is under way

    t.data.Rounding = 0;
    t.move(49, 0, 12);
    EXPECT_EQ(t.panels.texts[0], "    X = 1.23      Y = 12.47");
    EXPECT_DOUBLE_EQ(t.data.CursorY, 12.48);  // 12.475 stored to the even centimetre
    EXPECT_EQ(t.panels.texts[1], "    Load area No.12");
}

std::tuple<int, int, int, int> Ends(const CanvasCall& c)
{
    return {c.x1, c.y1, c.x2, c.y2};
}

TEST(PolygonInput, ArmPickCloseRelease)
{
    Input t;
    t.data.Computed = true;
    ASSERT_TRUE(ArmPolygonInput(t.data, t.panels, 3));
    EXPECT_TRUE(t.data.InputMode == kInputModeLoadArea && !t.data.Idle && t.data.AreaUsed[3]);
    EXPECT_EQ(t.panels.texts[1], " Loaded area - input data");

    // First vertex at (2, 1) m: a red mark, no edge; the band starts there in not-xor.
    t.left(80, 459);
    EXPECT_TRUE(t.data.PolygonStarted && !t.data.Computed);
    EXPECT_EQ(t.data.VertexCount[3], 1);
    EXPECT_EQ(t.panels.texts[2], "  End right mouse button !");
    ASSERT_EQ(t.canvas.ellipses().size(), 1u);
    EXPECT_EQ(Ends(t.canvas.ellipses()[0]), std::make_tuple(77, 456, 83, 462));
    EXPECT_EQ(t.anchor, (PixelPoint{80, 459}));
    EXPECT_EQ(t.canvas.state().penMode, PenMode::NotXor);

    // Second vertex: 4.975 m high snaps to 5.00, one row above the click. The band is painted
    // over in the window colour, the edge drawn red, the previous vertex turns blue.
    t.move(200, 300);
    t.canvas.clear();
    t.input.mouseDown(MouseButton::Left, 200, 300);
    EXPECT_DOUBLE_EQ(t.data.VertexY[2][3], 5.0);
    const auto lines = t.canvas.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Ends(lines[0]), std::make_tuple(80, 459, 200, 300));
    EXPECT_EQ(lines[0].state.penColor, kSystemWindowColor);
    EXPECT_EQ(lines[0].state.penMode, PenMode::Copy);
    EXPECT_EQ(Ends(lines[1]), std::make_tuple(80, 459, 200, 299));
    EXPECT_EQ(lines[1].state.penWidth, 2);
    ASSERT_EQ(t.canvas.ellipses().size(), 2u);
    EXPECT_EQ(t.canvas.ellipses()[0].state.brushColor, kBlue);
    EXPECT_EQ(t.canvas.ellipses()[1].state.brushColor, kRed);

    // Closing: edge back to vertex 1, its copy stored, the number in black, idle again.
    t.canvas.clear();
    t.right(210, 310);
    EXPECT_EQ(t.data.VertexCount[3], 3);
    EXPECT_EQ(std::make_pair(t.data.VertexX[3][3], t.data.VertexY[3][3]), std::make_pair(2.0, 1.0));
    EXPECT_TRUE(t.data.Idle && !t.data.PolygonStarted && t.data.InputMode == 0 && t.data.ReleaseAreaButton);
    EXPECT_EQ(t.panels.texts[1], " ");
    EXPECT_EQ(t.panels.texts[2], "  Length =  25 m");
    ASSERT_EQ(t.canvas.lines().size(), 4u);  // the band of the move, the paint-over, the edge
    EXPECT_EQ(Ends(t.canvas.lines()[3]), std::make_tuple(200, 299, 80, 459));
    const CanvasCall* label = t.canvas.findText(" 3 ");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ((std::pair<int, int>(label->x1, label->y1)), std::make_pair(204, 284));
    EXPECT_EQ(label->state.fontColor, kBlack);
    EXPECT_EQ(label->state.brushColor, kSkyBlue);
    EXPECT_EQ(t.canvas.state().penMode, PenMode::Copy);

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
    t.left(999, 100);
    EXPECT_FALSE(t.data.PolygonStarted);
    EXPECT_FALSE(t.data.Computed);
    EXPECT_EQ(t.data.VertexCount[1], 0);
    EXPECT_EQ(t.anchor, (PixelPoint{1000, 99}));
    EXPECT_EQ(t.canvas.state().penMode, PenMode::NotXor);
    t.left(998, 100);  // 24.95 m is inside
    EXPECT_EQ(t.data.VertexCount[1], 1);

    for (int i = 2; i <= 40; ++i)
        t.left(20 * i, 100 + (i % 2) * 40);
    EXPECT_EQ(t.data.VertexCount[1], 40);
    const PixelPoint last = t.data.LastPointPx;
    t.left(500, 400);  // a 41st picked point is refused
    EXPECT_EQ(t.data.VertexCount[1], 40);
    EXPECT_EQ(t.data.LastPointPx, last);
    t.right(500, 400);
    EXPECT_EQ(t.data.VertexCount[1], 41);
    EXPECT_EQ(t.data.VertexX[41][1], t.data.VertexX[1][1]);
    EXPECT_TRUE(t.data.Idle);
    for (const CanvasCall& mark : t.canvas.ellipses())  // the first one too, after the refused click
        EXPECT_EQ(mark.state.penMode, PenMode::Copy);
}

TEST(PolygonInput, OnePointAndOtherButtons)
{
    Input t;
    t.input.mouseDown(MouseButton::Left, 10, 10);  // not armed: nothing at all
    EXPECT_TRUE(t.canvas.calls().empty());
    EXPECT_EQ(t.data.VertexCount[1], 0);

    ASSERT_TRUE(ArmPolygonInput(t.data, t.panels, 2));
    t.data.VertexCount[2] = 45;  // a count an unused area may bring from a file
    t.right(10, 10);             // before the first vertex
    t.input.mouseDown(MouseButton::Middle, 10, 10);
    EXPECT_TRUE(t.canvas.calls().empty());
    EXPECT_FALSE(t.data.Idle);

    t.left(120, 459);
    t.move(300, 300, 9);  // another number in the spin edit does not change the area under input
    EXPECT_EQ(t.panels.texts[1], "    Load area No. 9");
    t.right(300, 300);
    EXPECT_EQ(t.data.CurrentArea, 2);
    EXPECT_EQ(t.data.VertexCount[2], 2);
    EXPECT_EQ(t.data.VertexX[2][2], 3.0);
    EXPECT_EQ(t.data.VertexY[2][2], 1.0);
}

TEST(PolygonInput, DeletionClearsOnlyAUsedAreaWhileIdle)
{
    ProjectData data;
    data.AreaUsed[4] = true;
    data.VertexCount[4] = 3;
    data.VertexY[42][4] = 1;
    data.LoadAreaData[4].Multiplier = 99;
    data.Computed = true;
    data.Idle = false;
    EXPECT_FALSE(DeleteLoadArea(data, 4));
    data.Idle = true;
    EXPECT_FALSE(DeleteLoadArea(data, 5));  // not used
    EXPECT_TRUE(data.Computed);
    EXPECT_TRUE(DeleteLoadArea(data, 4));
    EXPECT_FALSE(data.AreaUsed[4] || data.Computed);
    EXPECT_EQ(data.VertexCount[4], 0);
    EXPECT_EQ(data.VertexY[42][4], 0);
    EXPECT_EQ(data.LoadAreaData[4].Multiplier, 99);  // the data row stays
}

}  // namespace
}  // namespace kalven
