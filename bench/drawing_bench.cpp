// The drawing area's figures: a plain fill, a full redraw, and one mouse move during input.
// Targets: a redraw within three fills, a mouse move well below 0.2 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cmath>
#include <numbers>

#include "windows/vstup1_wall.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "windows/drawing_image.h"
#include "platform/qt_canvas.h"
#include "windows/qt_user_dialogs.h"

namespace {

using namespace kalven;

constexpr int kWidth = 1824;
constexpr int kHeight = 1008;

// Twenty areas of 40 picked points and the closing copy, two rows of ten on a 1200 m area.
ProjectData FullProject()
{
    ProjectData data;
    ProjectReset(data);
    data.AreaLength = 1200;
    for (int a = 1; a <= kAreaCount; ++a) {
        const double cx = 60 + 120 * ((a - 1) % 10);
        const double cy = 150 + 300 * ((a - 1) / 10);
        data.AreaUsed[a] = true;
        data.VertexCount[a] = 41;
        for (int v = 1; v <= 40; ++v) {
            const double angle = 2 * std::numbers::pi * (v - 1) / 40;
            data.VertexX[v][a] = cx + 50 * std::cos(angle);
            data.VertexY[v][a] = cy + 50 * std::sin(angle);
        }
        data.VertexX[41][a] = data.VertexX[1][a];
        data.VertexY[41][a] = data.VertexY[1][a];
    }
    return data;
}

void BM_Fill(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QtCanvas canvas(image, QApplication::palette());
    bool light = false;
    for (auto _ : state) {
        // Two colours in turn, so that every pass really writes the whole image.
        const ColorValue color = (light = !light) ? 0x00C0C0C0 : kSystemWindowColor;
        canvas.setPenColor(color);
        canvas.setBrushColor(color);
        canvas.rectangle(0, 0, kWidth, kHeight);
        canvas.flush();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);

void BM_Redraw(benchmark::State& state)
{
    const ProjectData data = FullProject();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QtCanvas canvas(image, QApplication::palette());
    NoStatusPanels panels;
    for (auto _ : state) {
        DrawRaster(canvas, data, kWidth, kHeight, panels);
        DrawLoadAreas(canvas, data, kWidth, kHeight);
        canvas.flush();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Redraw)->Unit(benchmark::kMillisecond);

// The handler of the real main window, as the image's mouse-move signal runs it.
void BM_MouseMove(benchmark::State& state)
{
    QtUserDialogs dialogs;
    Tvstupy window(dialogs);
    window.Image1_vstupy->setImageSize(kWidth, kHeight);
    ProjectReset(window.data());
    window.Osnova();
    window.SpBu_KavernClick();
    window.Image1_vstupyMouseMove(Qt::NoModifier, 900, 500);
    window.Image1_vstupyMouseDown(Qt::LeftButton, Qt::NoModifier, 900, 500);
    window.showDrawing();
    int step = 0;
    for (auto _ : state) {
        const int x = 400 + (step * 37) % 1000;
        const int y = 200 + (step * 53) % 600;
        ++step;
        window.Image1_vstupyMouseMove(Qt::NoModifier, x, y);
        window.showDrawing();
    }
}
BENCHMARK(BM_MouseMove)->Unit(benchmark::kMicrosecond);

}  // namespace
