#pragma once
// Compute as the main window runs it, on the 601 x 425 design size of the drawing image
// (24.04 pixels per metre for L = 25), with everything it draws and writes recorded.

#include <vector>

#include "analysis/compute_sequence.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "support/recording_canvas.h"
#include "support/recording_panels.h"

namespace kalven::testing {

struct ScreenComputation {
    ComputeRun run;
    RecordingCanvas canvas;
    RecordingPanels panels;
    std::vector<CanvasCall> results;  // what was drawn after the redraw of raster and load areas
};

inline ScreenComputation ComputeOnScreen(ProjectData& data, int width = 601, int height = 425)
{
    ScreenComputation screen;
    RecordingCanvas redraw;
    RecordingPanels ignored;
    DrawRaster(redraw, data, width, height, ignored);
    DrawLoadAreas(redraw, data, width, height);
    screen.run = RunCompute(data, screen.canvas, width, height, screen.panels);
    if (screen.canvas.calls().size() >= redraw.calls().size())
        screen.results.assign(screen.canvas.calls().begin() + static_cast<long>(redraw.calls().size()),
                              screen.canvas.calls().end());
    return screen;
}

}  // namespace kalven::testing
