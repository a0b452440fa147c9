#pragma once
// Compute as the main window runs it, on the 601 x 425 design size of the drawing image
// (24.04 pixels per metre for L = 25), with everything it draws and writes recorded.

#include <vector>

#include "analysis/resultant.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "support/recording_canvas.h"
#include "support/recording_panels.h"

namespace kalven::testing {

struct ScreenComputation {
    RecordingCanvas canvas;
    RecordingPanels panels;
    std::vector<CanvasCall> results;  // what was drawn after the redraw of raster and load areas
};

inline ScreenComputation ComputeOnScreen(ProjectData& data, int width = 601, int height = 425)
{
    ScreenComputation run;
    RecordingCanvas redraw;
    RecordingPanels ignored;
    DrawRaster(redraw, data, width, height, ignored);
    DrawLoadAreas(redraw, data, width, height);
    ComputeResultant(data, run.canvas, width, height, run.panels);
    run.results.assign(run.canvas.calls().begin() + static_cast<long>(redraw.calls().size()), run.canvas.calls().end());
    return run;
}

}  // namespace kalven::testing
