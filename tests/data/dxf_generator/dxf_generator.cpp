// Writes the DXF drawings that the import tests read, with dxflib's own writer, in the R12 and
// the 2000 format. Built with the tests; run it by hand when a drawing has to change:
//   build/<dir>/kalven-dxf-fixtures tests/data
// and commit the .dxf files it writes.

#include <dl_dxf.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Point {
    double x, y, bulge = 0.0;
};

DL_Dxf* dxf = nullptr;
DL_WriterA* w = nullptr;
bool r12 = true;

DL_Attributes On(const std::string& layer)
{
    return DL_Attributes(layer, 256, -1, "BYLAYER", 1.0);
}

void Polyline(const std::string& layer, const std::vector<Point>& points, bool closedFlag)
{
    dxf->writePolyline(*w, DL_PolylineData(static_cast<int>(points.size()), 0, 0, closedFlag ? 1 : 0), On(layer));
    for (const Point& p : points)
        dxf->writeVertex(*w, DL_VertexData(p.x, p.y, 0.0, p.bulge));
    dxf->writePolylineEnd(*w);
}

// $INSUNITS (4 = mm, 6 = m) came with the later formats: the R12 drawings say nothing of their unit.
// A drawing with a block holds the one block ANCHOR.
void Write(const std::string& path, const std::vector<std::string>& layers, int insunits, bool anchor,
           const std::function<void()>& entities)
{
    DL_Dxf file;
    std::unique_ptr<DL_WriterA> out(file.out(path.c_str(), r12 ? DL_Codes::AC1009 : DL_Codes::AC1015));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    dxf = &file;
    w = out.get();
    dxf->writeHeader(*w);
    if (!r12) {
        w->dxfString(9, "$INSUNITS");
        w->dxfInt(70, insunits);
    }
    w->sectionEnd();
    w->sectionTables();
    dxf->writeVPort(*w);
    w->tableLinetypes(3);
    for (const char* type : {"BYBLOCK", "BYLAYER", "CONTINUOUS"})
        dxf->writeLinetype(*w, DL_LinetypeData(type, type[0] == 'C' ? "Solid line" : "", 0, 0, 0.0));
    w->tableEnd();
    w->tableLayers(static_cast<int>(layers.size()) + 1);
    dxf->writeLayer(*w, DL_LayerData("0", 0), DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    for (const std::string& layer : layers)
        dxf->writeLayer(*w, DL_LayerData(layer, 0), DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    w->tableEnd();
    w->tableStyle(1);
    dxf->writeStyle(*w, DL_StyleData("Standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
    w->tableEnd();
    dxf->writeView(*w);
    dxf->writeUcs(*w);
    w->tableAppid(1);
    dxf->writeAppid(*w, "ACAD");
    w->tableEnd();
    dxf->writeDimStyle(*w, 1, 1, 1, 1, 1);
    dxf->writeBlockRecord(*w);
    if (anchor)
        dxf->writeBlockRecord(*w, "ANCHOR");
    w->tableEnd();
    w->sectionEnd();
    w->sectionBlocks();
    for (const std::string block : {"*Model_Space", "*Paper_Space", "*Paper_Space0", "ANCHOR"}) {
        if (block == "ANCHOR" && !anchor)
            break;
        dxf->writeBlock(*w, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        if (block == "ANCHOR")  // reached only through the insert, which the import skips
            Polyline("SECTION", {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
        dxf->writeEndBlock(*w, block);
    }
    w->sectionEnd();
    w->sectionEntities();
    entities();
    w->sectionEnd();
    if (!r12) {
        dxf->writeObjects(*w);
        dxf->writeObjectsEnd(*w);
    }
    w->dxfEOF();
    w->close();
}

std::vector<Point> RegularPolygon(int corners, double cx, double cy, double r)
{
    std::vector<Point> points;
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * M_PI * i / corners;
        points.push_back(
            {std::round((cx + r * std::cos(a)) * 1000) / 1000, std::round((cy + r * std::sin(a)) * 1000) / 1000});
    }
    return points;
}

// In metres: one of each thing the import leaves out, next to outlines it takes.
void OpenPolylineAndBulge()
{
    // Open; closed with an arc on its second edge; 45 corners, too many; 40 corners and the first
    // repeated, the most an area can take; a corner given twice in a row.
    Polyline("SECTION", {{1, 1}, {5, 1}, {5, 3}}, false);
    Polyline("SECTION", {{2, 5}, {6, 5, 0.5}, {6, 7}, {2, 7}}, true);
    Polyline("SECTION", RegularPolygon(45, 12, 12, 3), true);
    std::vector<Point> forty = RegularPolygon(40, 18, 5, 2.5);
    forty.push_back(forty.front());
    Polyline("SECTION", forty, false);
    Polyline("SECTION", {{8, 1}, {10, 1}, {10, 1}, {10, 3}, {8, 3}}, true);
    dxf->writeLine(*w, DL_LineData(0, 0, 0, 20, 0, 0), On("SECTION"));
    dxf->writeLine(*w, DL_LineData(0, 0.5, 0, 20, 0.5, 0), On("SECTION"));
    dxf->writeCircle(*w, DL_CircleData(3, 12, 0, 1), On("SECTION"));
    dxf->writeArc(*w, DL_ArcData(6, 12, 0, 1, 0, 90), On("SECTION"));
    if (!r12) {
        dxf->writeSpline(*w, DL_SplineData(3, 8, 4, 0, 8), On("SECTION"));
        for (double k : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0})
            dxf->writeKnot(*w, DL_KnotData(k));
        for (const Point& p : std::vector<Point>{{1, 15}, {2, 17}, {4, 17}, {5, 15}})
            dxf->writeControlPoint(*w, DL_ControlPointData(p.x, p.y, 0, 1));
    }
    dxf->writeInsert(*w, DL_InsertData("ANCHOR", 14, 1, 0, 1, 1, 1, 0, 1, 1, 0, 0), On("SECTION"));
    Polyline("NOTES", {{1, 18}, {3, 18}, {3, 19}, {1, 19}}, true);  // on the other layer
    dxf->writeText(*w, DL_TextData(1, 19.5, 0, 0, 0, 0, 0.3, 1, 0, 0, 0, "Section A-A", "Standard", 0), On("NOTES"));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder for the drawings>\n", argv[0]);
        return 2;
    }
    for (const std::string s : {"r12", "2000"}) {
        r12 = s == "r12";
        const std::string wall = std::string(argv[1]) + "/retaining_wall_mm_" + s + ".dxf";
        // A cantilever retaining wall in millimetres, standing 4 m from the drawing's origin: the wall
        // closed by its flag, the backfill over the heel closed by repeating its first point, the shear
        // key by both.
        Write(wall, {"WALL", "BACKFILL"}, 4, false, [] {
            Polyline("WALL",
                     {{4000, 1500},
                      {7000, 1500},
                      {7000, 2000},
                      {5400, 2000},
                      {5250, 6000},
                      {4850, 6000},
                      {4800, 2000},
                      {4000, 2000}},
                     true);
            Polyline("BACKFILL", {{5400, 2000}, {7000, 2000}, {7000, 6000}, {5250, 6000}, {5400, 2000}}, false);
            Polyline("WALL", {{5800, 1100}, {6200, 1100}, {6200, 1500}, {5800, 1500}, {5800, 1100}}, true);
        });
        Write(std::string(argv[1]) + "/open_polyline_and_bulge_" + s + ".dxf", {"SECTION", "NOTES"}, 6, true,
              OpenPolylineAndBulge);
        // 25 squares of 0.5 m in metres, in five rows, numbered row by row from the bottom left.
        Write(std::string(argv[1]) + "/twenty_five_outlines_" + s + ".dxf", {"CELLS"}, 6, false, [] {
            for (int i = 0; i < 25; ++i) {
                const double x = 1 + (i % 5) * 1.0, y = 1 + (i / 5) * 1.0;
                Polyline("CELLS", {{x, y}, {x + 0.5, y}, {x + 0.5, y + 0.5}, {x, y + 0.5}}, true);
            }
        });
        // The retaining wall cut off in the middle of its entities.
        std::ifstream in(wall, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(std::string(argv[1]) + "/truncated_" + s + ".dxf", std::ios::binary)
            << bytes.substr(0, bytes.find("BACKFILL", bytes.find("ENTITIES")) + 4);
    }
    return 0;
}
