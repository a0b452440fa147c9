#include "analysis/outline_moments.h"

#include <algorithm>

namespace kalven {

int StoredVertexCount(const ProjectData& data, int area)
{
    return std::min<int>(data.VertexCount[area], kVertexCapacity);
}

OutlineMoments ComputeOutlineMoments(const ProjectData& data, int area)
{
    const int n = StoredVertexCount(data, area);
    double sumC = 0;
    OutlineMoments m;
    for (int j = 1; j < n; ++j) {
        const double x0 = data.VertexX[j][area];
        const double y0 = data.VertexY[j][area];
        const double x1 = data.VertexX[j + 1][area];
        const double y1 = data.VertexY[j + 1][area];
        const double c = x0 * y1 - x1 * y0;
        sumC += c;
        m.Sx += (x0 + x1) * c / 6;
        m.Sy += (y0 + y1) * c / 6;
    }
    m.A = sumC / 2;
    return m;
}

}  // namespace kalven
