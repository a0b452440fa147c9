#pragma once
// The Compute command without its window: check, compute, store and draw, and say what happened
// so that each caller shows or prints the message its own way.

#include <string>

#include "core/project_data.h"
#include "core/status_panels.h"
#include "drawing/canvas.h"

namespace kalven {

enum class ComputeOutcome {
    Refused,     // a load area failed its check: nothing computed or drawn
    NotFinite,   // a result overflowed: nothing stored or drawn
    Computed,    // results stored and drawn
    OffDesktop,  // results stored and drawn, but the resultant's point is off the drawing area
};

struct ComputeRun {
    ComputeOutcome outcome = ComputeOutcome::Refused;
    std::string message;  // Windows-1252, empty only when Computed
};

// Validates the areas and, when they pass and every result is finite, redraws raster and load
// areas on the W x H canvas, stores the results, draws them, blanks status panel 1 and sets
// Computed. ValidationMessage ends up holding the run's message. A refused run leaves the picture,
// the results and Computed as they were.
ComputeRun RunCompute(ProjectData& data, Canvas& canvas, int W, int H, StatusPanels& status);

}  // namespace kalven
