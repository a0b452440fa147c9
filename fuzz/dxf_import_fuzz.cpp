// The DXF import: any bytes read as a drawing or are refused, reading keeps no more than an import
// can use, and a planned import never stores beyond 42 vertices or 20 areas, never overwrites a
// used area and never stores a non-finite value.
#include <cmath>
#include <map>
#include <string>

#include "core/dxf_import.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string file(reinterpret_cast<const char*>(bytes), size);
    const kalven::DxfReadResult read = kalven::ReadDxf(file);
    if (read.status != kalven::DxfReadStatus::Read)
        return 0;
    // Only what can be imported is kept, whatever the file holds.
    std::map<std::string, int> kept;
    for (const kalven::DxfOutline& outline : read.drawing.outlines) {
        FUZZ_CHECK(outline.corners.size() <= kalven::kMaxPickedVertices);
        FUZZ_CHECK(outline.corners.empty() || outline.corners.size() == static_cast<std::size_t>(outline.cornerCount));
        bool ordinary = !outline.corners.empty();  // coordinates far out are kept beyond the 20
        for (const kalven::PlanePoint& p : outline.corners)
            ordinary = ordinary && std::fabs(p.x) <= 1e307 && std::fabs(p.y) <= 1e307;
        if (ordinary)
            FUZZ_CHECK(++kept[outline.layer] <= kalven::kAreaCount);
    }
    FUZZ_CHECK(read.drawing.refused.size() <= kalven::kMaxNamedRefusals);
    kalven::ProjectData data;
    data.AreaUsed[1] = true;  // one area already drawn: the import must leave it alone
    data.VertexCount[1] = 3;
    data.VertexX[2][1] = 5;
    for (bool moveToOrigin : {false, true}) {
        kalven::DxfImportOptions options = kalven::DefaultImportOptions(read.drawing);
        options.moveToOrigin = moveToOrigin;
        const kalven::DxfImportPlan plan = kalven::PlanDxfImport(read.drawing, options, data);
        kalven::ProjectData imported = data;
        kalven::ApplyDxfImport(plan, imported);
        FUZZ_CHECK(imported.VertexCount[1] == 3 && imported.VertexX[2][1] == 5);
        FUZZ_CHECK(plan.areas.size() <= kalven::kAreaCount - 1);
        for (const kalven::DxfImportedArea& area : plan.areas) {
            FUZZ_CHECK(area.area >= 2 && area.area <= kalven::kAreaCount);
            FUZZ_CHECK(area.vertices.size() <= kalven::kMaxPickedVertices + 1);
            FUZZ_CHECK(imported.AreaUsed[area.area]);
            FUZZ_CHECK(imported.VertexCount[area.area] == area.vertices.size());
            FUZZ_CHECK(area.vertices.front() == area.vertices.back());
            for (const kalven::PlanePoint& p : area.vertices)
                FUZZ_CHECK(std::isfinite(p.x) && std::isfinite(p.y));
        }
        (void)kalven::DxfImportSummary(plan);
    }
    return 0;
}
