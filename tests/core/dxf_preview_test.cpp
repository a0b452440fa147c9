#include <gtest/gtest.h>

#include <array>

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
    testing::SetOutline(data, 4, {{1, 1}, {2, 1}, {2, 2}, {1, 1}});
    DxfImportPlan plan;
    plan.areas.push_back({1, {{10, 0}, {12, 0}, {12, 1}, {10, 0}}, "WALL", 1, false});
    // Far off the area: cut away, never a wild pixel coordinate.
    plan.areas.push_back({2, {{5000, 5000}, {5001, 5000}, {5000, 5001}, {5000, 5000}}, "WALL", 2, false});

    RecordingCanvas canvas;
    DrawDxfPreview(canvas, data, plan, kDxfPreviewWidth, kDxfPreviewHeight);
    const auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].state.penColor, data.ColorSettings[kRasterDark]);
    EXPECT_EQ(lines[0].state.penWidth, 1);
    EXPECT_EQ((std::array{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}), (std::array<std::int64_t, 4>{16, 239, 32, 239}));
    EXPECT_EQ(lines[3].state.penColor, data.ColorSettings[kLoadAreaColor]);
    EXPECT_EQ(lines[3].state.penWidth, 2);
    EXPECT_EQ((std::array{lines[3].x1, lines[3].y1, lines[3].x2, lines[3].y2}), (std::array<std::int64_t, 4>{160, 255, 192, 255}));
    const auto frames = canvas.rectangles();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].state.brushColor, data.ColorSettings[kBackground]);
    EXPECT_EQ(frames[1].state.brushStyle, BrushStyle::Clear);
}

}  // namespace
}  // namespace kalven
