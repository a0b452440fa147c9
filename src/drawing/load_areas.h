#pragma once
// Kresli: the outlines of the load areas with their numbers, then the project title.

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

void DrawLoadAreas(Canvas& canvas, const ProjectData& data, int W, int H);

}  // namespace kalven
