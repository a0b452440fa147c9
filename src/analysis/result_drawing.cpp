#include "analysis/result_drawing.h"

#include <cmath>

#include "analysis/force_rules.h"
#include "analysis/joint_drawing.h"
#include "analysis/resultant.h"
#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/segment_clip.h"
#include "drawing/view_mapping.h"

namespace kalven {

namespace {

double Column(const ResultView& view, double x)
{
    return view.Column(x);
}

double Row(const ResultView& view, double y)
{
    return view.Row(y);
}

void Line(Canvas& canvas, const ResultView& view, double x0, double y0, double x1, double y1)
{
    DrawClippedLine(canvas, Column(view, x0), Row(view, y0), Column(view, x1), Row(view, y1), view.W, view.H);
}

// A ring of the given half size around a point; one too far off the image to show is left out.
void Ring(Canvas& canvas, const ResultView& view, double x, double y, int half)
{
    DrawClippedRing(canvas, Column(view, x), Row(view, y), half, view.W, view.H);
}

}  // namespace

void DrawResults(Canvas& canvas, const ProjectData& data, int W, int H)
{
    const ResultView view{Scale(W, data.AreaLength), W, H};
    // First, so the results of the resultant itself stay on top and leave the canvas as before.
    if (data.Joint.Set)
        DrawJoint(canvas, view, data);
    DrawShiftMarks(canvas, view, data);
    DrawForceArrows(canvas, view, data);
    DrawLineOfAction(canvas, view, data);
    DrawResultantArrow(canvas, view, data);
    DrawResultTexts(canvas, data);
}

void DrawShiftMarks(Canvas& canvas, const ResultView& view, const ProjectData& data)
{
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!data.AreaUsed[i] || !ActsAtShiftedX(data.LoadAreaData[i].Alpha, data.LoadAreaData[i].ShiftX))
            continue;
        const ForceRecord& area = data.AreaResult[i];
        canvas.setPenColor(kBlack);
        canvas.setPenWidth(1);
        canvas.setPenStyle(PenStyle::Dashed);
        Line(canvas, view, data.UnshiftedCentroidX[i], area.CentroidY, area.CentroidX, area.CentroidY);
        canvas.setPenStyle(PenStyle::Solid);
    }
}

void DrawForceArrows(Canvas& canvas, const ResultView& view, const ProjectData& data)
{
    canvas.setPenColor(kNavy);
    canvas.setPenWidth(3);
    canvas.setBrushStyle(BrushStyle::Clear);
    if (data.ArrowScale == 0)
        return;
    for (int k = 1; k <= data.ResultCount; ++k) {
        const ForceRecord& force = data.ResultList[k];
        Line(canvas, view, force.CentroidX, force.CentroidY, force.TipX, force.TipY);
        Ring(canvas, view, force.TipX, force.TipY, 2);
    }
}

void DrawLineOfAction(Canvas& canvas, const ResultView& view, const ProjectData& data)
{
    canvas.setPenColor(kBlack);
    canvas.setPenWidth(1);
    const double bottom = view.H;
    const double top = view.H - std::nearbyint(data.AreaLength * view.s);
    DrawClippedLine(canvas, Column(view, data.LineX0), bottom, Column(view, data.LineX1), top, view.W, view.H);
}

void DrawResultantArrow(Canvas& canvas, const ResultView& view, const ProjectData& data)
{
    canvas.setPenColor(kRed);
    canvas.setPenWidth(4);
    if (data.ArrowScale == 0)
        return;
    Line(canvas, view, data.ResultantXc, data.ResultantYc, data.ResultantTipX, data.ResultantTipY);
    Ring(canvas, view, data.ResultantTipX, data.ResultantTipY, 3);
}

std::array<std::string, 4> ResultTexts(const ProjectData& data)
{
    return {
        "Resultant force" + D(data.ResultantForce) + " kN",
        "Resultant angle" + D(data.ResultantAngle) + kDegreeSign,
        "Resultant Xc" + D(data.ResultantXc) + " m",
        "Resultant Yc" + D(data.ResultantYc) + " m",
    };
}

void DrawResultTexts(Canvas& canvas, const ProjectData& data)
{
    constexpr int kLeft = 65;
    constexpr int kRows[4] = {32, 46, 60, 74};
    const ColorValue textColor = data.ColorSettings[kUniversalLine];
    // Transparent, so the lines show over the raster without a box.
    canvas.setFontColor(textColor);
    canvas.setBrushStyle(BrushStyle::Clear);
    const std::array<std::string, 4> texts = ResultTexts(data);
    for (int line = 0; line < 4; ++line)
        canvas.textOut(kLeft, kRows[line], texts[line]);
    canvas.setFontColor(textColor);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenWidth(1);
}

}  // namespace kalven
