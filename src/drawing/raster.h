#pragma once
// Osnova: the background of the drawing area (fill, frame, raster lines, labels, length marker)
// and the length text in status panel 2.

#include <cstdint>
#include <string>

#include "core/project_data.h"
#include "core/status_panels.h"
#include "drawing/canvas.h"

namespace kalven {

// W, H: the drawing image's size in pixels.
void DrawRaster(Canvas& canvas, const ProjectData& data, int W, int H, StatusPanels& status);

// "  Length = " and the length in three characters and " m": status panel 2 whenever no input is under way.
std::string LengthStatusText(std::int32_t areaLength);

}  // namespace kalven
