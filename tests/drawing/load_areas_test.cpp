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

TEST(LoadAreas, OutlinesNumbersAndTitleOfTheUsedAreas)
{
    ProjectData data;
    RecordingCanvas untitled;
    DrawLoadAreas(untitled, data, W, H);
    EXPECT_TRUE(untitled.calls().empty());  // no title while it is the default
    SetOutline(data, 2, {{1, 1}, {5, 1}, {3, 4}, {1, 1}});
    SetOutline(data, 20, {{2, 0}, {2, 0}});  // closed after one picked vertex
    SetOutline(data, 3, {{7, 7}, {8, 8}, {7, 7}});
    data.AreaUsed[3] = false;  // deleted: its numbers stay but it is not drawn
    data.Title = "Retaining wall";
    RecordingCanvas canvas;
    canvas.setFontColor(0x123456);
    DrawLoadAreas(canvas, data, W, H);

    using Line = std::tuple<std::int64_t, std::int64_t, std::int64_t, std::int64_t, ColorValue, int>;
    std::vector<Line> lines;
    for (const CanvasCall& c : canvas.lines())
        lines.emplace_back(c.x1, c.y1, c.x2, c.y2, c.state.penColor, c.state.penWidth);
    const ColorValue blue = data.ColorSettings[kLoadAreaColor], black = data.ColorSettings[kUniversalLine];
    EXPECT_EQ(lines, (std::vector<Line>{{24, 400, 120, 400, blue, 2},
                                        {120, 400, 72, 328, blue, 2},
                                        {72, 328, 24, 400, blue, 2},
                                        {48, 424, 48, 424, blue, 2}}));  // y = 0 is the bottom row
    // Beside the last picked vertex, in the font colour in force rather than one of its own; the
    // title on no box in the line colour.
    using Label = std::tuple<std::string, std::int64_t, std::int64_t, ColorValue, BrushStyle, ColorValue>;
    std::vector<Label> labels;
    for (const CanvasCall& t : canvas.texts())
        labels.emplace_back(t.text, t.x1, t.y1, t.state.brushColor, t.state.brushStyle, t.state.fontColor);
    EXPECT_EQ(labels, (std::vector<Label>{{" 2 ", 76, 313, kSkyBlue, BrushStyle::Solid, 0x123456},
                                          {"20 ", 52, 409, kSkyBlue, BrushStyle::Solid, 0x123456},
                                          {"Retaining wall", 65, 10, kSkyBlue, BrushStyle::Clear, black}}));
    EXPECT_EQ(std::tuple(canvas.state().penWidth, canvas.state().brushStyle, canvas.state().fontColor),
              std::tuple(1, BrushStyle::Clear, black));
}

TEST(LoadAreas, InconsistentCountsAndFarVerticesStillDraw)
{
    ProjectData data;
    SetOutline(data, 1, {{1e300, -1e300}, {-1e300, 1e300}, {1, 1}});
    SetOutline(data, 4, {{1, 1}, {2, 2}});
    data.VertexCount[4] = 200;  // more than the table holds
    RecordingCanvas canvas;
    DrawLoadAreas(canvas, data, W, H);
    EXPECT_EQ(canvas.lines().size(), 2u + 41u);
}

}  // namespace
}  // namespace kalven
