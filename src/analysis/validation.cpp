#include "analysis/validation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/force_rules.h"
#include "analysis/outline_moments.h"
#include "core/text_format.h"

namespace kalven {

namespace {

bool Between(double v, double a, double b)
{
    return std::min(a, b) <= v && v <= std::max(a, b);
}

CrossVerdict Verdict(bool onBoth)
{
    return onBoth ? CrossVerdict::Cross : CrossVerdict::Apart;
}

PlanePoint Vertex(const ProjectData& data, int j, int area)
{
    return {data.VertexX[j][area], data.VertexY[j][area]};
}

std::string NumberedMessage(const char* head, int area, const char* tail)
{
    return std::string(head) + I(area, 2) + tail;
}

std::string CoordinateError(int area)
{
    return NumberedMessage(" Error in coordinate of loading area No ", area, " !");
}

bool TooSmall(const ProjectData& data, int area)
{
    return std::fabs(ComputeOutlineMoments(data, area).A) < kEps;
}

// Edges e = 1..n-1 run from vertex e to e+1. Neighbours share a vertex by construction, and so do
// the first and the last edge of a closed outline; only the other pairs may not meet.
bool CrossesItself(const ProjectData& data, int area)
{
    const int edges = StoredVertexCount(data, area) - 1;
    for (int e = 1; e <= edges; ++e) {
        for (int f = e + 2; f <= edges; ++f) {
            if (e == 1 && f == edges)
                continue;
            if (SegmentsCross(Vertex(data, e, area), Vertex(data, e + 1, area), Vertex(data, f, area),
                              Vertex(data, f + 1, area)) == CrossVerdict::Cross)
                return true;
        }
    }
    return false;
}

// No lower bound: vertices left of or below the drawing area pass.
bool OutOfBounds(const ProjectData& data, int area)
{
    const double maxX = data.AreaLength;
    const double maxY = 4.0 * data.AreaLength / 5.0;
    for (int j = 1; j <= StoredVertexCount(data, area); ++j) {
        if (data.VertexX[j][area] > maxX || data.VertexY[j][area] > maxY)
            return true;
    }
    return false;
}

bool NotClosed(const ProjectData& data, int area)
{
    const int n = StoredVertexCount(data, area);
    if (n < 1)
        return true;
    return data.VertexX[n][area] != data.VertexX[1][area] || data.VertexY[n][area] != data.VertexY[1][area];
}

bool FirstEdgeEmpty(const ProjectData& data, int area)
{
    if (StoredVertexCount(data, area) < 2)
        return true;
    return data.VertexX[2][area] == data.VertexX[1][area] && data.VertexY[2][area] == data.VertexY[1][area];
}

struct Check {
    bool (*fails)(const ProjectData&, int);
    std::string (*message)(int);
};

}  // namespace

CrossVerdict SegmentsCross(PlanePoint P1, PlanePoint P2, PlanePoint Q1, PlanePoint Q2)
{
    const double dPx = P2.x - P1.x;
    const double dPy = P2.y - P1.y;
    const double dQx = Q2.x - Q1.x;
    const double dQy = Q2.y - Q1.y;
    const bool pVertical = std::fabs(dPx) < kEps;
    const bool qVertical = std::fabs(dQx) < kEps;

    if (pVertical && qVertical)
        return CrossVerdict::NoVerdict;
    if (pVertical) {
        const double x = P1.x;
        const double y = dQy / dQx * (x - Q1.x) + Q1.y;
        return Verdict(Between(x, Q1.x, Q2.x) && Between(y, P1.y, P2.y));
    }
    if (qVertical) {
        const double x = Q1.x;
        const double y = dPy / dPx * (x - P1.x) + P1.y;
        return Verdict(Between(x, P1.x, P2.x) && Between(y, Q1.y, Q2.y));
    }
    const double mP = dPy / dPx;
    const double mQ = dQy / dQx;
    if (std::fabs(mP - mQ) < kEps)
        return CrossVerdict::NoVerdict;
    const double cP = P1.y - mP * P1.x;
    const double cQ = Q1.y - mQ * Q1.x;
    const double x = (cQ - cP) / (mP - mQ);
    return Verdict(Between(x, P1.x, P2.x) && Between(x, Q1.x, Q2.x));
}

std::string ValidateLoadAreas(const ProjectData& data)
{
    bool anyUsed = false;
    for (int i = 1; i <= kAreaCount; ++i)
        anyUsed = anyUsed || data.AreaUsed[i];
    if (!anyUsed)
        return kMsgNoLoadArea;

    // Each check looks at every area before the next one starts, so the first failing check
    // decides which area is named.
    static const Check checks[] = {
        {TooSmall, [](int i) { return NumberedMessage(" Area is too small - No ", i, " !"); }},
        {CrossesItself, CoordinateError},
        {OutOfBounds, CoordinateError},
        {NotClosed, [](int i) { return NumberedMessage(" Non closed loading area No ", i, " !"); }},
        {FirstEdgeEmpty, CoordinateError},
    };
    for (const Check& check : checks) {
        for (int i = 1; i <= kAreaCount; ++i) {
            if (data.AreaUsed[i] && check.fails(data, i))
                return check.message(i);
        }
    }
    return {};
}

}  // namespace kalven
