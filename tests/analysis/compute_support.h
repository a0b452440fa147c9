#pragma once
// Runs the computation on a recording canvas of the drawing image's design size.

#include <string>
#include <vector>

#include "analysis/resultant.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "support/recording_canvas.h"

namespace kalven::testing {

inline constexpr int kW = 601;
inline constexpr int kH = 425;

struct RecordingPanels : StatusPanels {
    std::string texts[4];
    void setPanelText(int panel, const std::string& text) override { texts[panel] = text; }
};

struct ComputeRun {
    RecordingCanvas canvas;
    RecordingPanels panels;
    // The calls of the result drawing alone, after the redraw of raster and load areas.
    std::vector<CanvasCall> results;

    std::vector<CanvasCall> resultsOf(CanvasCall::Kind kind) const
    {
        std::vector<CanvasCall> out;
        for (const CanvasCall& call : results) {
            if (call.kind == kind)
                out.push_back(call);
        }
        return out;
    }
};

inline ComputeRun Compute(ProjectData& data, int W = kW, int H = kH)
{
    ComputeRun run;
    RecordingCanvas redraw;
    RecordingPanels ignored;
    DrawRaster(redraw, data, W, H, ignored);
    DrawLoadAreas(redraw, data, W, H);
    ComputeResultant(data, run.canvas, W, H, run.panels);
    const auto& all = run.canvas.calls();
    run.results.assign(all.begin() + static_cast<std::ptrdiff_t>(redraw.calls().size()), all.end());
    return run;
}

}  // namespace kalven::testing
