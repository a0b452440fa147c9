// Compute as the button runs it: validation, computation and the drawing on the image.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPalette>
#include <cmath>
#include <numbers>

#include "analysis/compute_sequence.h"
#include "platform/qt_canvas.h"

namespace {

using namespace kalven;

// Twenty round areas of 40 points each plus the closing copy, in five columns and four rows.
ProjectData FullProject()
{
    ProjectData data;
    ProjectReset(data);
    data.AreaLength = 25;
    for (int a = 1; a <= kAreaCount; ++a) {
        const double cx = 2.5 + 5 * ((a - 1) % 5);
        const double cy = 2.5 + 5 * ((a - 1) / 5);
        data.AreaUsed[a] = true;
        data.VertexCount[a] = kMaxPickedVertices + 1;
        for (int v = 1; v <= kMaxPickedVertices; ++v) {
            const double phi = 2 * std::numbers::pi * (v - 1) / kMaxPickedVertices;
            data.VertexX[v][a] = cx + 2 * std::cos(phi);
            data.VertexY[v][a] = cy + 2 * std::sin(phi);
        }
        data.VertexX[kMaxPickedVertices + 1][a] = data.VertexX[1][a];
        data.VertexY[kMaxPickedVertices + 1][a] = data.VertexY[1][a];
        data.LoadAreaData[a].Alpha = 18.0 * a;
        data.LoadAreaData[a].ShiftX = a % 3 == 0 ? 12.0 : 0.0;
    }
    return data;
}

void BM_Compute(benchmark::State& state)
{
    constexpr int W = 1824;
    constexpr int H = 1008;
    QImage image(W, H, QImage::Format_RGB32);
    QtCanvas canvas(image, QPalette());
    NoStatusPanels panels;
    ProjectData data = FullProject();
    for (auto _ : state) {
        const ComputeRun run = RunCompute(data, canvas, W, H, panels);
        if (run.outcome == ComputeOutcome::Refused || run.outcome == ComputeOutcome::NotFinite) {
            state.SkipWithError(run.message.c_str());
            break;
        }
        canvas.flush();
        benchmark::DoNotOptimize(data.ResultantForce);
    }
}
BENCHMARK(BM_Compute)->Unit(benchmark::kMillisecond);

}  // namespace
