#include "drawing/dxf_preview.h"

#include "drawing/segment_clip.h"
#include "drawing/view_mapping.h"

namespace kalven {

namespace {

// Outlines may lie anywhere, far off the area too: only their visible parts are drawn.
void DrawOutline(Canvas& canvas, const std::vector<PlanePoint>& vertices, double s, int W, int H)
{
    for (std::size_t v = 1; v < vertices.size(); ++v) {
        const PlanePoint& a = vertices[v - 1];
        const PlanePoint& b = vertices[v];
        DrawClippedLine(canvas, a.x * s, H - (a.y * s + 1), b.x * s, H - (b.y * s + 1), W, H);
    }
}

}  // namespace

void DrawDxfPreview(Canvas& canvas, const ProjectData& data, const DxfImportPlan& plan, int W, int H)
{
    const double s = Scale(W, data.AreaLength);
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    canvas.setPenColor(data.ColorSettings[kBackground]);
    canvas.setBrushColor(data.ColorSettings[kBackground]);
    canvas.rectangle(0, 0, W, H);
    canvas.setBrushStyle(BrushStyle::Clear);
    canvas.setPenColor(data.ColorSettings[kUniversalLine]);
    canvas.rectangle(0, 0, W, H);

    canvas.setPenColor(data.ColorSettings[kRasterDark]);
    for (int a = 1; a <= kAreaCount; ++a) {
        if (!data.AreaUsed[a])
            continue;
        std::vector<PlanePoint> vertices;
        for (int v = 1; v <= data.VertexCount[a] && v <= kVertexCapacity; ++v)
            vertices.push_back({data.VertexX[v][a], data.VertexY[v][a]});
        DrawOutline(canvas, vertices, s, W, H);
    }

    canvas.setPenColor(data.ColorSettings[kLoadAreaColor]);
    canvas.setPenWidth(2);
    for (const DxfImportedArea& area : plan.areas)
        DrawOutline(canvas, area.vertices, s, W, H);
    canvas.setPenWidth(1);
}

}  // namespace kalven
