#include "analysis/resultant.h"

#include <cmath>
#include <numbers>

#include "analysis/force_rules.h"
#include "analysis/outline_moments.h"

namespace kalven {

namespace {

bool WithinTolerance(double v)
{
    return -kEps < v && v < kEps;
}

double Radians(double degrees)
{
    return std::numbers::pi * degrees / 180;
}

// One force per area in use, kept under its area number.
void AreaPass(const ProjectData& data, ResultantResults& r)
{
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!data.AreaUsed[i])
            continue;
        ForceRecord& result = r.AreaResult[i];
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
            r.UnshiftedCentroidX[i] = xc;
            result.CentroidX = load.ShiftX;
        }
    }
}

void CompactResults(ResultantResults& r)
{
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!r.AreaResult[i].Valid)
            continue;
        ++r.ResultCount;
        r.ResultList[r.ResultCount] = r.AreaResult[i];
        r.ResultList[r.ResultCount].Valid = true;
    }
}

double LargestForce(const ResultantResults& r)
{
    double fmax = 0;
    for (int k = 1; k <= kResultListCapacity; ++k) {
        if (r.ResultList[k].Force > fmax)
            fmax = r.ResultList[k].Force;
    }
    return fmax;
}

// Sums, magnitude, point of application, direction and line of action of the resultant.
void ReduceForces(const ProjectData& data, ResultantResults& r)
{
    double mx = 0;
    double my = 0;
    for (int k = 1; k <= r.ResultCount; ++k) {
        const ForceRecord& force = r.ResultList[k];
        const double phi = Radians(force.Alpha);
        const double fx = std::cos(phi) * force.Force;
        const double fy = std::sin(phi) * force.Force;
        r.SumFx += fx;
        r.SumFy += fy;
        mx += fx * force.CentroidY;
        my += fy * force.CentroidX;
    }
    r.ResultantForce = std::sqrt(r.SumFx * r.SumFx + r.SumFy * r.SumFy);
    // A (nearly) balanced component leaves its coordinate to the first force's point.
    const double xc = WithinTolerance(r.SumFy) ? r.ResultList[1].CentroidX : my / r.SumFy;
    const double yc = WithinTolerance(r.SumFx) ? r.ResultList[1].CentroidY : mx / r.SumFx;
    r.ResultantXc = xc;
    r.ResultantYc = yc;

    // The point one resultant ahead of (Xc, Yc) gives the direction and the slope.
    const double aheadX = xc + r.SumFx;
    const double aheadY = yc + r.SumFy;
    r.ResultantAngle = DirectionAngle(xc, yc, aheadX, aheadY);

    // Where the line of action crosses y = 0 and y = L. A vertical line gets a tiny horizontal
    // step and a horizontal one a tiny slope, so both crossings always exist.
    double dX = aheadX - xc;
    const double dY = aheadY - yc;
    if (std::fabs(dX) < kEps)
        dX = kEps;
    double m = dY / dX;
    if (std::fabs(m) < kEps)
        m = kEps;
    const double b = yc - m * xc;
    r.LineX0 = -b / m;
    r.LineX1 = (data.AreaLength - b) / m;

    const double L = data.AreaLength;
    r.OnDesktop = 0 < xc && xc <= L && 0 < yc && yc <= L;
}

// The longest arrow, of the largest single force or of the resultant when that is larger, is
// one fifth of the area length. With every force zero there is nothing to scale: the scale is 0
// and every tip stays on its point.
void ArrowTips(const ProjectData& data, double fmax, ResultantResults& r)
{
    if (r.ResultantForce > fmax)
        fmax = r.ResultantForce;
    r.ArrowScale = fmax > 0 ? data.AreaLength * 0.2 / fmax : 0;
    for (int k = 1; k <= r.ResultCount; ++k) {
        ForceRecord& force = r.ResultList[k];
        const double phi = Radians(force.Alpha);
        const double length = force.Force * r.ArrowScale;
        force.TipX = std::cos(phi) * length + force.CentroidX;
        force.TipY = std::sin(phi) * length + force.CentroidY;
    }
    const double phi = Radians(r.ResultantAngle);
    const double length = r.ResultantForce * r.ArrowScale;
    r.ResultantTipX = std::cos(phi) * length + r.ResultantXc;
    r.ResultantTipY = std::sin(phi) * length + r.ResultantYc;
}

bool Finite(const ForceRecord& r)
{
    return std::isfinite(r.CentroidX) && std::isfinite(r.CentroidY) && std::isfinite(r.TipX) && std::isfinite(r.TipY) &&
           std::isfinite(r.Force) && std::isfinite(r.Alpha);
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

ResultantResults ComputeResultant(const ProjectData& data)
{
    ResultantResults r;
    r.UnshiftedCentroidX = data.UnshiftedCentroidX;
    AreaPass(data, r);
    CompactResults(r);
    const double fmax = LargestForce(r);
    ReduceForces(data, r);
    ArrowTips(data, fmax, r);
    return r;
}

bool AllFinite(const ResultantResults& r)
{
    for (int i = 1; i <= kAreaCount; ++i) {
        if (!Finite(r.AreaResult[i]) || !std::isfinite(r.UnshiftedCentroidX[i]))
            return false;
    }
    for (int k = 1; k <= kResultListCapacity; ++k) {
        if (!Finite(r.ResultList[k]))
            return false;
    }
    for (const double v : {r.SumFx, r.SumFy, r.ResultantForce, r.ResultantXc, r.ResultantYc, r.ResultantAngle,
                           r.ResultantTipX, r.ResultantTipY, r.LineX0, r.LineX1, r.ArrowScale}) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

void StoreResults(ProjectData& data, const ResultantResults& r)
{
    static_cast<ResultVariables&>(data) = r;
}

}  // namespace kalven
