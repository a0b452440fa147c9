// From the outlines of a drawing to load areas: choice of area numbers, metres, the summary.
#include "core/dxf_import.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/text_format.h"

namespace kalven {

double UnitsPerMetre(DrawingUnit unit)
{
    switch (unit) {
    case DrawingUnit::Centimetre:
        return 100.0;
    case DrawingUnit::Millimetre:
        return 1000.0;
    case DrawingUnit::Metre:
        break;
    }
    return 1.0;
}

DxfSkipCounts& DxfSkipCounts::operator+=(const DxfSkipCounts& other)
{
    openPolylines += other.openPolylines;
    lines += other.lines;
    circles += other.circles;
    ellipses += other.ellipses;
    arcs += other.arcs;
    splines += other.splines;
    inserts += other.inserts;
    return *this;
}

DxfImportOptions DefaultImportOptions(const DxfDrawing& drawing)
{
    DxfImportOptions options;
    for (const DxfLayer& layer : drawing.layers)
        options.layers.insert(layer.name);
    options.unit = drawing.unit.value_or(DrawingUnit::Metre);
    return options;
}

DxfImportPlan PlanDxfImport(const DxfDrawing& drawing, const DxfImportOptions& options, const ProjectData& data)
{
    DxfImportPlan plan;
    for (const DxfLayer& layer : drawing.layers)
        if (options.layers.count(layer.name))
            plan.skipped += layer.skipped;

    std::vector<const DxfOutline*> chosen;
    for (const DxfOutline& outline : drawing.outlines)
        if (options.layers.count(outline.layer))
            chosen.push_back(&outline);

    // The origin is taken over every chosen outline, so the outlines keep their places relative
    // to each other whichever of them find a free area number.
    PlanePoint origin;
    bool anyOutline = false;
    for (const DxfLayer& layer : drawing.layers) {
        if (!options.layers.count(layer.name))
            continue;
        plan.chosenOutlines += layer.outlines;
        plan.withoutFreeNumber += layer.notKept;
        plan.moreRefusedEntities += layer.refusedEntities;
        if (options.moveToOrigin && layer.outlines > 0) {
            origin = anyOutline ? PlanePoint{std::min(origin.x, layer.lowest.x), std::min(origin.y, layer.lowest.y)}
                                : layer.lowest;
            anyOutline = true;
        }
    }
    for (const DxfRefusedEntity& refused : drawing.refused) {
        if (options.layers.count(refused.layer)) {
            plan.refusedEntities.push_back(refused.text);
            --plan.moreRefusedEntities;
        }
    }

    std::vector<int> freeAreas;
    for (int a = 1; a <= kAreaCount; ++a)
        if (!data.AreaUsed[a])
            freeAreas.push_back(a);
    std::size_t nextFree = 0;

    // Dividing, not multiplying by 0.001, gives 1234 mm exactly the metres 1.234 typed by hand.
    const double perMetre = UnitsPerMetre(options.unit);
    for (const DxfOutline* outline : chosen) {
        const int corners = outline->cornerCount;
        if (corners > kMaxPickedVertices) {
            plan.refused.push_back(
                {outline->layer, outline->number, corners, DxfRefusedOutline::Reason::TooManyCorners});
            continue;
        }
        DxfImportedArea area;
        area.layer = outline->layer;
        area.outlineNumber = outline->number;
        area.hasArcs = outline->hasArcs;
        bool finite = true;
        for (const PlanePoint& p : outline->corners) {
            const PlanePoint m{(p.x - origin.x) / perMetre, (p.y - origin.y) / perMetre};
            finite = finite && std::isfinite(m.x) && std::isfinite(m.y);
            area.vertices.push_back(m);
        }
        if (!finite) {
            plan.refused.push_back({outline->layer, outline->number, corners, DxfRefusedOutline::Reason::OutOfRange});
            continue;
        }
        if (nextFree == freeAreas.size()) {
            ++plan.withoutFreeNumber;
            continue;
        }
        // The closing copy of vertex 1, as the mouse input stores it.
        area.vertices.push_back(area.vertices.front());
        area.area = freeAreas[nextFree++];
        plan.areas.push_back(std::move(area));
    }
    return plan;
}

void ApplyDxfImport(const DxfImportPlan& plan, ProjectData& data)
{
    for (const DxfImportedArea& area : plan.areas) {
        const int a = area.area;
        const int count = static_cast<int>(area.vertices.size());
        data.AreaUsed[a] = true;
        data.VertexCount[a] = static_cast<std::uint8_t>(count);
        for (int v = 1; v <= kVertexCapacity; ++v) {
            data.VertexX[v][a] = v <= count ? area.vertices[v - 1].x : 0.0;
            data.VertexY[v][a] = v <= count ? area.vertices[v - 1].y : 0.0;
        }
    }
    if (!plan.areas.empty())
        data.Computed = false;
}

namespace {

std::string Counted(int n, const char* one, const char* many)
{
    return I(n, 1) + " " + (n == 1 ? one : many);
}

std::string AreaList(const std::vector<int>& areas)
{
    std::string list;
    for (std::size_t i = 0; i < areas.size(); ++i)
        list += (i ? ", " : "") + I(areas[i], 1);
    return list;
}

std::vector<int> AreaNumbers(const DxfImportPlan& plan)
{
    std::vector<int> numbers;
    for (const DxfImportedArea& area : plan.areas)
        numbers.push_back(area.area);
    return numbers;
}

// "3 outlines" and "load areas 1, 2, 4".
std::string OutlineCount(const DxfImportPlan& plan)
{
    return Counted(static_cast<int>(plan.areas.size()), "outline", "outlines");
}
std::string AreaNames(const DxfImportPlan& plan)
{
    return std::string(plan.areas.size() == 1 ? "load area " : "load areas ") + AreaList(AreaNumbers(plan));
}

}  // namespace

std::string DxfRefusalLines(const DxfImportPlan& plan)
{
    std::string text;
    // Appended piece by piece: g++ 12 at -O3 warns wrongly about a literal + std::string.
    for (const std::string& refused : plan.refusedEntities) {
        text += '\n';
        text += refused;
        text += " - not imported.";
    }
    if (plan.moreRefusedEntities > 0) {
        text += '\n';
        text += Counted(plan.moreRefusedEntities, "more polyline", "more polylines");
        text += " with bad coordinates or vertex counts - not imported.";
    }
    return text;
}

std::string DxfImportPreviewText(const DxfImportPlan& plan)
{
    if (plan.areas.empty())
        return "Imports no outline.";
    return "Imports " + OutlineCount(plan) + " as " + AreaNames(plan) + ".";
}

std::string DxfImportSummary(const DxfImportPlan& plan)
{
    std::string text =
        plan.areas.empty() ? "No outline imported." : OutlineCount(plan) + " imported as " + AreaNames(plan) + ".";

    std::vector<int> withArcs;
    for (const DxfImportedArea& area : plan.areas)
        if (area.hasArcs)
            withArcs.push_back(area.area);
    if (!withArcs.empty())
        text += std::string("\nArcs replaced by their chords in load ") + (withArcs.size() == 1 ? "area " : "areas ") +
                AreaList(withArcs) + ".";

    for (const DxfRefusedOutline& r : plan.refused) {
        text += "\nOutline " + I(r.outlineNumber, 1) + " on layer " + r.layer + ": ";
        if (r.reason == DxfRefusedOutline::Reason::TooManyCorners)
            text += I(r.corners, 1) + " corners, more than " + I(kMaxPickedVertices, 1) + " - not imported.";
        else
            text += "coordinates out of range - not imported.";
    }
    text += DxfRefusalLines(plan);

    const DxfSkipCounts& s = plan.skipped;
    const std::pair<int, std::string> skipped[] = {
        {s.openPolylines, Counted(s.openPolylines, "open polyline", "open polylines")},
        {s.lines, Counted(s.lines, "line", "lines")},
        {s.circles, Counted(s.circles, "circle", "circles")},
        {s.ellipses, Counted(s.ellipses, "ellipse", "ellipses")},
        {s.arcs, Counted(s.arcs, "arc", "arcs")},
        {s.splines, Counted(s.splines, "spline", "splines")},
        {s.inserts, Counted(s.inserts, "block insert", "block inserts")},
        {plan.withoutFreeNumber,
         Counted(plan.withoutFreeNumber, "outline", "outlines") + " - no free load area number left"},
    };
    bool any = false;
    for (const auto& [count, line] : skipped) {
        if (count == 0)
            continue;
        if (!any)
            text += "\nSkipped:";
        any = true;
        text += "\n   " + line;
    }
    return text;
}

}  // namespace kalven
