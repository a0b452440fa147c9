#include "analysis/resultant.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "analysis/force_rules.h"
#include "analysis/outline_moments.h"
#include "analysis/result_drawing.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "drawing/view_mapping.h"

namespace kalven {

namespace {

bool WithinTolerance(double v)
{
    return -kEps < v && v < kEps;
}

void ClearResults(ProjectData& data)
{
    for (int k = 1; k <= kResultListCapacity; ++k)
        data.ResultList[k] = ForceRecord{};
    for (int i = 1; i <= kAreaCount; ++i)
        data.AreaResult[i] = ForceRecord{};
}

// One force per area in use, at its centre of gravity or its shifted X.
void AreaPass(ProjectData& data, Canvas& canvas, const ResultView& view)
{
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!data.AreaUsed[i])
            continue;
        ForceRecord& result = data.AreaResult[i];
        result.Valid = true;
        const OutlineMoments m = ComputeOutlineMoments(data, i);
        const double xc = m.Sx / m.A;
        const double yc = m.Sy / m.A;
        const kalven::LoadAreaData& load = data.LoadAreaData[i];
        result.CentroidX = xc;
        result.CentroidY = yc;
        result.Force = std::fabs(m.A) * load.Multiplier;
        result.Alpha = load.Alpha;
        if (ActsAtShiftedX(result.Alpha, load.ShiftX)) {
            data.UnshiftedCentroidX[i] = xc;
            result.CentroidX = load.ShiftX;
            DrawShiftMark(canvas, view, xc, load.ShiftX, yc);
        }
    }
}

void CompactResults(ProjectData& data)
{
    data.ResultCount = 0;
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!data.AreaResult[i].Valid)
            continue;
        ++data.ResultCount;
        data.ResultList[data.ResultCount] = data.AreaResult[i];
        data.ResultList[data.ResultCount].Valid = true;
    }
}

double LargestForce(const ProjectData& data)
{
    double fmax = 0;
    for (int k = 1; k <= kResultListCapacity; ++k) {
        if (data.ResultList[k].Force > fmax)
            fmax = data.ResultList[k].Force;
    }
    return fmax;
}

// Sums, magnitude, point of application and direction of the resultant.
void ReduceForces(ProjectData& data)
{
    data.SumFx = 0;
    data.SumFy = 0;
    double mx = 0;
    double my = 0;
    for (int k = 1; k <= data.ResultCount; ++k) {
        const ForceRecord& force = data.ResultList[k];
        const double phi = std::numbers::pi * force.Alpha / 180;
        const double fx = std::cos(phi) * force.Force;
        const double fy = std::sin(phi) * force.Force;
        data.SumFx += fx;
        data.SumFy += fy;
        mx += fx * force.CentroidY;
        my += fy * force.CentroidX;
    }
    data.ResultantForce = std::sqrt(data.SumFx * data.SumFx + data.SumFy * data.SumFy);
    // A (nearly) balanced component leaves its coordinate to the first force's point.
    data.ResultantYc = WithinTolerance(data.SumFx) ? data.ResultList[1].CentroidY : mx / data.SumFx;
    data.ResultantXc = WithinTolerance(data.SumFy) ? data.ResultList[1].CentroidX : my / data.SumFy;
    data.ResultantTipX = data.ResultantXc + data.SumFx;
    data.ResultantTipY = data.ResultantYc + data.SumFy;
    data.ResultantAngle = DirectionAngle(data.ResultantXc, data.ResultantYc, data.ResultantTipX, data.ResultantTipY);
}

// Where the line of action crosses y = 0 and y = L. A vertical line gets a tiny horizontal step
// and a horizontal one a tiny slope, so both crossings always exist.
void LineOfAction(ProjectData& data)
{
    double dX = data.ResultantTipX - data.ResultantXc;
    const double dY = data.ResultantTipY - data.ResultantYc;
    if (std::fabs(dX) < kEps)
        dX = kEps;
    double m = dY / dX;
    if (std::fabs(m) < kEps)
        m = kEps;
    const double b = data.ResultantYc - m * data.ResultantXc;
    data.LineX0 = -b / m;
    data.LineX1 = (data.AreaLength - b) / m;
}

bool OnDesktop(const ProjectData& data)
{
    const double L = data.AreaLength;
    return 0 < data.ResultantXc && data.ResultantXc <= L && 0 < data.ResultantYc && data.ResultantYc <= L;
}

}  // namespace

double DirectionAngle(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (WithinTolerance(dx))
        return dy > 0 ? 90 : 270;
    const double theta = std::fabs(std::atan(dy / dx)) * 180 / std::numbers::pi;
    if (dx > 0) {
        if (dy >= 0)
            return theta;
        // A direction just below the X axis would round to 360, which is 0 again.
        const double angle = 360 - theta;
        return angle < 360 ? angle : 0;
    }
    return dy >= 0 ? 180 - theta : 180 + theta;
}

namespace {

// Takes every drawing call and draws nothing: the trial run of a computation.
class NoCanvas : public Canvas {
public:
    void setPenColor(ColorValue) override {}
    void setPenWidth(int) override {}
    void setPenStyle(PenStyle) override {}
    void setPenMode(PenMode) override {}
    void setBrushColor(ColorValue) override {}
    void setBrushStyle(BrushStyle) override {}
    void setFontColor(ColorValue) override {}
    int fontHeight() const override { return 0; }
    void setFontHeight(int) override {}
    void rectangle(int, int, int, int) override {}
    void moveTo(std::int64_t, std::int64_t) override {}
    void lineTo(std::int64_t, std::int64_t) override {}
    void ellipse(int, int, int, int) override {}
    void textOut(int, int, const std::string&) override {}
};

bool Finite(const ForceRecord& r)
{
    return std::isfinite(r.CentroidX) && std::isfinite(r.CentroidY) && std::isfinite(r.TipX) &&
           std::isfinite(r.TipY) && std::isfinite(r.Force) && std::isfinite(r.Alpha);
}

bool ResultsFinite(const ProjectData& data)
{
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!Finite(data.AreaResult[i]) || !std::isfinite(data.UnshiftedCentroidX[i]))
            return false;
    }
    for (int k = 1; k <= kResultListCapacity; ++k) {
        if (!Finite(data.ResultList[k]))
            return false;
    }
    for (const double v : {data.SumFx, data.SumFy, data.ResultantForce, data.ResultantXc, data.ResultantYc,
                           data.ResultantAngle, data.ResultantTipX, data.ResultantTipY, data.LineX0, data.LineX1,
                           data.ArrowScale}) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

void ComputeAndDraw(ProjectData& data, Canvas& canvas, int W, int H, StatusPanels& status)
{
    DrawRaster(canvas, data, W, H, status);
    DrawLoadAreas(canvas, data, W, H);
    const ResultView view{Scale(W, data.AreaLength), W, H};

    ClearResults(data);
    AreaPass(data, canvas, view);
    CompactResults(data);
    double fmax = LargestForce(data);
    ReduceForces(data);
    if (data.ResultantForce > fmax)
        fmax = data.ResultantForce;
    LineOfAction(data);
    // With every force zero there is nothing to scale: no arrows are drawn.
    data.ArrowScale = fmax > 0 ? data.AreaLength * 0.2 / fmax : 0;

    DrawForceArrows(canvas, view, data);
    DrawLineOfAction(canvas, view, data);
    DrawResultantArrow(canvas, view, data);
    DrawResultTexts(canvas, data);

    if (!OnDesktop(data))
        data.ValidationMessage = kMsgResultantOutside;
    status.setPanelText(1, " ");
    data.Computed = true;
}

}  // namespace

bool ComputeResultant(ProjectData& data, Canvas& canvas, int W, int H, StatusPanels& status)
{
    // Coordinates near the limits of a double (the bounds check has no lower bound) overflow to
    // infinity or NaN. A trial run on a copy finds that before anything is drawn, so such a
    // computation leaves the picture and the last good results exactly as they were.
    ProjectData trial = data;
    NoCanvas nowhere;
    NoStatusPanels noPanels;
    ComputeAndDraw(trial, nowhere, W, H, noPanels);
    if (!ResultsFinite(trial)) {
        data.ValidationMessage = kMsgResultNotFinite;
        return false;
    }
    ComputeAndDraw(data, canvas, W, H, status);
    return true;
}

}  // namespace kalven
