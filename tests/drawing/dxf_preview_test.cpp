#include <gtest/gtest.h>

#include "drawing/dxf_preview.h"
#include "support/load_area_fixture.h"
#include "support/recording_canvas.h"

namespace kalven {
namespace {

using testing::RecordingCanvas;

TEST(DxfPreview, DrawsTheAreasInUseGreyAndTheImportedOnesInTheLoadAreaColour)
{
    ProjectData data;
    data.AreaLength = 20;  // 16 pixels a metre
    testing::SetOutline(data, 1, {{1, 1}, {2, 1}, {2, 2}, {1, 1}});
    data.VertexCount[1] = 200;  // beyond the table: drawn as far as the table holds, 41 edges
    testing::SetOutline(data, 20, {{3, 3}, {4, 3}, {4, 4}, {3, 3}});
    DxfImportPlan plan;
    plan.areas.push_back({1, {{10, 0}, {12, 0}, {12, 1}, {10, 0}}, "WALL", 1, false});
    // Far off the area: cut away, never a wild pixel coordinate.
    plan.areas.push_back({2, {{5000, 5000}, {5001, 5000}, {5000, 5001}, {5000, 5000}}, "WALL", 2, false});

    RecordingCanvas canvas;
    canvas.setPenMode(PenMode::NotXor);  // left so by the rubber band
    DrawDxfPreview(canvas, data, plan, kDxfPreviewWidth, kDxfPreviewHeight);
    const auto lines = canvas.lines();
    const auto frames = canvas.rectangles();
    ASSERT_EQ(lines.size(), 47u);
    ASSERT_EQ(frames.size(), 2u);
    const auto seen = [](const testing::CanvasCall& c) {
        return std::tuple(c.state.penColor, c.state.penWidth, c.state.penMode, c.x1, c.y1, c.x2, c.y2);
    };
    EXPECT_EQ(seen(lines[0]), std::tuple(data.ColorSettings[kRasterDark], 1, PenMode::Copy, 16, 239, 32, 239));
    EXPECT_EQ(seen(lines[44]), std::tuple(data.ColorSettings[kLoadAreaColor], 2, PenMode::Copy, 160, 255, 192, 255));
    EXPECT_EQ(std::tuple(frames[0].state.brushColor, frames[0].state.penColor, frames[0].x1, frames[0].y1, frames[0].x2,
                         frames[0].y2, frames[1].state.brushStyle),
              std::tuple(data.ColorSettings[kBackground], data.ColorSettings[kBackground], 0, 0, kDxfPreviewWidth,
                         kDxfPreviewHeight, BrushStyle::Clear));
}

}  // namespace
}  // namespace kalven
