#include "drawing/load_areas.h"

#include <algorithm>

#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/view_mapping.h"

namespace kalven {

std::string AreaLabelText(int area)
{
    return I(area, 2) + " ";
}

PixelPoint AreaLabelPosition(double x, double y, double s, int H)
{
    return {HeldPixel(std::int64_t{Round(x * s)} + 4), HeldPixel(std::int64_t{H} - Round(y * s) - 16)};
}

void DrawLoadAreas(Canvas& canvas, const ProjectData& data, int W, int H)
{
    const double s = Scale(W, data.AreaLength);
    canvas.setPenColor(data.ColorSettings[kLoadAreaColor]);
    canvas.setPenWidth(2);
    for (int n = 1; n <= kAreaCount; ++n) {
        if (!data.AreaUsed[n])
            continue;
        // A count beyond the table (an inconsistent file) draws what the table holds.
        const int count = std::min<int>(data.VertexCount[n], kVertexCapacity);
        const PixelPoint first = VertexPixel(data.VertexX[1][n], data.VertexY[1][n], s, H);
        canvas.moveTo(first.x, first.y);
        for (int v = 2; v <= count; ++v) {
            const PixelPoint p = VertexPixel(data.VertexX[v][n], data.VertexY[v][n], s, H);
            canvas.lineTo(p.x, p.y);
        }
        canvas.setBrushColor(kSkyBlue);
        if (count >= 2) {
            // Beside the last picked vertex, the one before the closing copy of vertex 1.
            const PixelPoint at = AreaLabelPosition(data.VertexX[count - 1][n], data.VertexY[count - 1][n], s, H);
            canvas.textOut(at.x, at.y, AreaLabelText(n));
        }
    }
    canvas.setFontColor(data.ColorSettings[kUniversalLine]);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenWidth(1);
    if (data.Title != kDefaultTitle)
        canvas.textOut(65, 10, data.Title);
}

}  // namespace kalven
