// Kresli on a recording canvas: outlines, numbers beside the last picked vertex, the title.
#include <gtest/gtest.h>

#include "drawing/fixed_colors.h"
#include "drawing/load_areas.h"
#include "support/load_area_fixture.h"
#include "support/recording_canvas.h"

namespace kalven {
namespace {

using testing::CanvasCall;
using testing::RecordingCanvas;
using testing::SetOutline;

constexpr int W = 601;  // 24.04 pixels per metre at 25 m
constexpr int H = 425;

std::tuple<int, int, int, int> Ends(const CanvasCall& c)
{
    return {c.x1, c.y1, c.x2, c.y2};
}

TEST(LoadAreas, OutlinesAndNumbersOfTheUsedAreas)
{
    ProjectData data;
    SetOutline(data, 2, {{1, 1}, {5, 1}, {3, 4}, {1, 1}});
    SetOutline(data, 5, {{2, 0}, {2, 0}});  // closed after one picked vertex
    SetOutline(data, 3, {{7, 7}, {8, 8}, {7, 7}});
    data.AreaUsed[3] = false;  // deleted: its numbers stay but it is not drawn

    RecordingCanvas canvas;
    canvas.setFontColor(0x123456);
    DrawLoadAreas(canvas, data, W, H);

    const auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(Ends(lines[0]), std::make_tuple(24, 400, 120, 400));
    EXPECT_EQ(Ends(lines[1]), std::make_tuple(120, 400, 72, 328));
    EXPECT_EQ(Ends(lines[2]), std::make_tuple(72, 328, 24, 400));
    EXPECT_EQ(Ends(lines[3]), std::make_tuple(48, 424, 48, 424));  // y = 0 is the bottom row
    for (const CanvasCall& line : lines) {
        EXPECT_EQ(line.state.penColor, data.ColorSettings[kLoadAreaColor]);
        EXPECT_EQ(line.state.penWidth, 2);
    }

    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, " 2 ");
    EXPECT_EQ((std::pair<int, int>(texts[0].x1, texts[0].y1)), std::make_pair(76, 313));  // beside (3, 4)
    EXPECT_EQ(texts[1].text, " 5 ");
    EXPECT_EQ((std::pair<int, int>(texts[1].x1, texts[1].y1)), std::make_pair(52, 409));
    for (const CanvasCall& t : texts) {
        EXPECT_EQ(t.state.brushColor, kSkyBlue);
        EXPECT_EQ(t.state.brushStyle, BrushStyle::Solid);
        EXPECT_EQ(t.state.fontColor, 0x123456u);  // the colour in force, not one of its own
    }

    EXPECT_EQ(canvas.state().penWidth, 1);
    EXPECT_EQ(canvas.state().brushStyle, BrushStyle::Clear);
    EXPECT_EQ(canvas.state().fontColor, data.ColorSettings[kUniversalLine]);
}

TEST(LoadAreas, TitleOnlyWhenItIsNotTheDefault)
{
    ProjectData data;
    RecordingCanvas untitled;
    DrawLoadAreas(untitled, data, W, H);
    EXPECT_TRUE(untitled.calls().empty());

    data.Title = "Retaining wall";
    RecordingCanvas titled;
    DrawLoadAreas(titled, data, W, H);
    ASSERT_EQ(titled.texts().size(), 1u);
    const CanvasCall title = titled.texts()[0];
    EXPECT_EQ(title.text, "Retaining wall");
    EXPECT_EQ((std::pair<int, int>(title.x1, title.y1)), std::make_pair(65, 10));
    EXPECT_EQ(title.state.brushStyle, BrushStyle::Clear);
    EXPECT_EQ(title.state.fontColor, data.ColorSettings[kUniversalLine]);
}

TEST(LoadAreas, InconsistentCountsAndFarVerticesStillDraw)
{
    ProjectData data;
    SetOutline(data, 1, {{1e300, -1e300}, {-1e300, 1e300}, {1, 1}});
    SetOutline(data, 4, {{1, 1}, {2, 2}});
    data.VertexCount[4] = 200;  // more than the table holds
    RecordingCanvas canvas;
    EXPECT_NO_THROW(DrawLoadAreas(canvas, data, W, H));
    EXPECT_EQ(canvas.lines().size(), 2u + 41u);
}

}  // namespace
}  // namespace kalven
