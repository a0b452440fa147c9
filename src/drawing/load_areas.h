#pragma once
// Kresli: the outlines of the load areas with their numbers, then the project title.

#include <string>

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

void DrawLoadAreas(Canvas& canvas, const ProjectData& data, int W, int H);

// The number of a load area as it is written beside its last picked vertex: two characters and a blank.
std::string AreaLabelText(int area);
// The top-left corner of that number: 4 pixels right of the vertex (x, y) and about 15 above it.
PixelPoint AreaLabelPosition(double x, double y, double s, int H);

}  // namespace kalven
