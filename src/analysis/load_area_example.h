#pragma once
// The picture of the "Load area" help: the worked example project drawn and computed by the
// program's own raster, load-area, computation and result drawing, with the data of every area,
// the angle arc of the first inclined load and the example's notes.

#include <string>
#include <string_view>

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

// The example project's file, compiled into the program from the example shipped beside it.
std::string_view LoadAreaExampleFile();

// The legend line of one area: number, text, multiplier, angle and, for a shifted load, its X.
std::string ExampleLegendLine(const ProjectData& data, int area);

// Computes the example project on the W x H canvas and labels it. The computed example is
// returned for whoever wants its figures.
ProjectData DrawLoadAreaExample(Canvas& canvas, int W, int H);

}  // namespace kalven
