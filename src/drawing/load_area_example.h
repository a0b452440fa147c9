#pragma once
// The picture of the "Load area" help: the worked example project drawn and computed by the
// program's own raster, load-area, computation and result drawing, with the data of every area,
// the angle arc of the first inclined load and the example's notes.

#include <optional>
#include <string>

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

inline constexpr const char* kLoadAreaExampleFile = "examples/retaining_wall.klv";

// The legend line of one area: number, text, multiplier, angle and, for a shifted load, its X.
std::string ExampleLegendLine(const ProjectData& data, int area);

// Reads the example project from the bytes of its file (nothing: the file could not be opened),
// computes it on the W x H canvas and labels it. When the file is missing or unreadable or its
// areas do not pass the checks, the empty raster carries a notice naming `fileName` instead.
// The computed example is returned for whoever wants its figures.
ProjectData DrawLoadAreaExample(Canvas& canvas, const std::optional<std::string>& fileBytes,
                                const std::string& fileName, int W, int H);

}  // namespace kalven
