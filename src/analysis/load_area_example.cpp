#include "analysis/load_area_example.h"

#include <cmath>
#include <numbers>

#include "analysis/compute_sequence.h"
#include "analysis/force_rules.h"
#include "core/project_file.h"
#include "core/status_panels.h"
#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/view_mapping.h"

namespace kalven {

namespace {

constexpr int kLegendLeft = 296;
constexpr int kLegendTop = 10;
constexpr int kLineHeight = 14;
constexpr int kArcRadius = 30;
constexpr int kArcStepDegrees = 5;

bool IsInclined(double alpha)
{
    return std::fmod(alpha, 90.0) != 0;
}

// An arc counter-clockwise from the +X direction to `alpha` degrees around (cx, cy), with a
// dotted reference line along +X and the angle written beside the arc's middle.
void DrawAngleArc(Canvas& canvas, int cx, int cy, double alpha)
{
    canvas.setPenColor(kBlack);
    canvas.setPenWidth(1);
    canvas.setPenStyle(PenStyle::Dotted);
    canvas.moveTo(cx, cy);
    canvas.lineTo(cx + kArcRadius + 12, cy);
    canvas.setPenStyle(PenStyle::Solid);
    const int steps = std::max(1, Round(alpha / kArcStepDegrees));
    canvas.moveTo(cx + kArcRadius, cy);
    for (int k = 1; k <= steps; ++k) {
        const double phi = std::numbers::pi * alpha * k / steps / 180;
        canvas.lineTo(cx + Round(kArcRadius * std::cos(phi)), cy - Round(kArcRadius * std::sin(phi)));
    }
    const double middle = std::numbers::pi * alpha / 2 / 180;
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFontColor(kBlack);
    canvas.textOut(cx + Round((kArcRadius + 4) * std::cos(middle)) - 12,
                   cy - Round((kArcRadius + 4) * std::sin(middle)) - canvas.fontHeight(), F(alpha, 0, 0) + kDegreeSign);
}

void DrawLegend(Canvas& canvas, const ProjectData& data)
{
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setFontColor(data.ColorSettings[kUniversalLine]);
    int y = kLegendTop;
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!data.AreaUsed[i])
            continue;
        canvas.textOut(kLegendLeft, y, ExampleLegendLine(data, i));
        y += kLineHeight;
    }
    canvas.textOut(kLegendLeft, y + 4, "width of a pressure diagram =");
    canvas.textOut(kLegendLeft, y + 4 + kLineHeight, "   pressure / multiplier");
}

}  // namespace

std::string ExampleLegendLine(const ProjectData& data, int area)
{
    const LoadAreaData& load = data.LoadAreaData[area];
    std::string line =
        I(area, 2) + "  " + load.Text.str() + ":  " + I(load.Multiplier, 0) + ",  " + F(load.Alpha, 0, 0) + kDegreeSign;
    if (ActsAtShiftedX(load.Alpha, load.ShiftX))
        line += ",  X = " + F(load.ShiftX, 0, 2);
    return line;
}

ProjectData DrawLoadAreaExample(Canvas& canvas, int W, int H)
{
    ProjectData example = ReadProjectFile(std::string(LoadAreaExampleFile()), ProjectData{});
    NoStatusPanels status;
    RunCompute(example, canvas, W, H, status);

    const double s = Scale(W, example.AreaLength);
    for (int k = 1; k <= example.ResultCount; ++k) {
        const ForceRecord& force = example.ResultList[k];
        if (IsInclined(force.Alpha)) {
            const PixelPoint at = ResultPixel(force.CentroidX, force.CentroidY, s, H);
            DrawAngleArc(canvas, at.x, at.y, force.Alpha);
            break;
        }
    }
    DrawLegend(canvas, example);
    return example;
}

}  // namespace kalven
