#pragma once
// Osnova: the background of the drawing area (fill, frame, raster lines, labels, length marker)
// and the length text in status panel 2.

#include "core/project_data.h"
#include "core/status_panels.h"
#include "drawing/canvas.h"

namespace kalven {

// W, H: the drawing image's size in pixels.
void DrawRaster(Canvas& canvas, const ProjectData& data, int W, int H, StatusPanels& status);

}  // namespace kalven
