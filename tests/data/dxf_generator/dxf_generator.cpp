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
    double x;
    double y;
    double bulge = 0.0;
};

struct Format {
    DL_Codes::version version;
    const char* suffix;
};

const Format kFormats[] = {{DL_Codes::AC1009, "r12"}, {DL_Codes::AC1015, "2000"}};

// Header variable $INSUNITS: 4 = mm, 6 = m; 0 writes none.
struct Drawing {
    std::vector<std::string> layers;
    int insunits = 0;
    // Block definitions: name and the entities inside.
    std::vector<std::pair<std::string, std::function<void(DL_Dxf&, DL_WriterA&)>>> blocks;
    std::function<void(DL_Dxf&, DL_WriterA&, DL_Codes::version)> entities;
};

DL_Attributes onLayer(const std::string& layer)
{
    return DL_Attributes(layer, 256, -1, "BYLAYER", 1.0);
}

void writePolyline(DL_Dxf& dxf, DL_WriterA& w, const std::string& layer, const std::vector<Point>& points,
                   bool closedFlag)
{
    dxf.writePolyline(w, DL_PolylineData(static_cast<int>(points.size()), 0, 0, closedFlag ? 1 : 0),
                      onLayer(layer));
    for (const Point& p : points)
        dxf.writeVertex(w, DL_VertexData(p.x, p.y, 0.0, p.bulge));
    dxf.writePolylineEnd(w);
}

std::vector<Point> offset(std::vector<Point> points, double dx, double dy)
{
    for (Point& p : points) {
        p.x += dx;
        p.y += dy;
    }
    return points;
}

void write(const std::string& path, const Drawing& drawing, DL_Codes::version version)
{
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> w(dxf.out(path.c_str(), version));
    if (!w) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    dxf.writeHeader(*w);
    if (drawing.insunits != 0) {
        w->dxfString(9, "$INSUNITS");
        w->dxfInt(70, drawing.insunits);
    }
    w->sectionEnd();

    w->sectionTables();
    dxf.writeVPort(*w);
    w->tableLinetypes(3);
    dxf.writeLinetype(*w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf.writeLinetype(*w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(*w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    w->tableEnd();
    w->tableLayers(static_cast<int>(drawing.layers.size()) + 1);
    dxf.writeLayer(*w, DL_LayerData("0", 0), DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    for (const std::string& layer : drawing.layers)
        dxf.writeLayer(*w, DL_LayerData(layer, 0), DL_Attributes("", DL_Codes::black, 100, "CONTINUOUS", 1.0));
    w->tableEnd();
    w->tableStyle(1);
    dxf.writeStyle(*w, DL_StyleData("Standard", 0, 2.5, 1.0, 0.0, 0, 2.5, "txt", ""));
    w->tableEnd();
    dxf.writeView(*w);
    dxf.writeUcs(*w);
    w->tableAppid(1);
    dxf.writeAppid(*w, "ACAD");
    w->tableEnd();
    dxf.writeDimStyle(*w, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(*w);
    for (const auto& block : drawing.blocks)
        dxf.writeBlockRecord(*w, block.first);
    w->tableEnd();
    w->sectionEnd();

    w->sectionBlocks();
    dxf.writeBlock(*w, DL_BlockData("*Model_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Model_Space");
    dxf.writeBlock(*w, DL_BlockData("*Paper_Space", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Paper_Space");
    dxf.writeBlock(*w, DL_BlockData("*Paper_Space0", 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(*w, "*Paper_Space0");
    for (const auto& block : drawing.blocks) {
        dxf.writeBlock(*w, DL_BlockData(block.first, 0, 0.0, 0.0, 0.0));
        block.second(dxf, *w);
        dxf.writeEndBlock(*w, block.first);
    }
    w->sectionEnd();

    w->sectionEntities();
    drawing.entities(dxf, *w, version);
    w->sectionEnd();

    if (version != DL_Codes::AC1009) {
        dxf.writeObjects(*w);
        dxf.writeObjectsEnd(*w);
    }
    w->dxfEOF();
    w->close();
}

// A cantilever retaining wall in millimetres, standing 4 m from the drawing's origin: the wall with
// its shear key on layer WALL, the backfill over the heel on layer BACKFILL.
Drawing retainingWall(int insunits)
{
    Drawing d;
    d.layers = {"WALL", "BACKFILL"};
    d.insunits = insunits;
    d.entities = [](DL_Dxf& dxf, DL_WriterA& w, DL_Codes::version) {
        const double x0 = 4000, y0 = 1500;
        // Closed by its flag.
        writePolyline(dxf, w, "WALL",
                      offset({{0, 0}, {3000, 0}, {3000, 500}, {1400, 500}, {1250, 4500}, {850, 4500}, {800, 500},
                              {0, 500}},
                             x0, y0),
                      true);
        // Closed by repeating its first point, the flag not set.
        writePolyline(dxf, w, "BACKFILL",
                      offset({{1400, 500}, {3000, 500}, {3000, 4500}, {1250, 4500}, {1400, 500}}, x0, y0), false);
        // Both: flag set and the first point repeated.
        writePolyline(dxf, w, "WALL",
                      offset({{1800, -400}, {2200, -400}, {2200, 0}, {1800, 0}, {1800, -400}}, x0, y0), true);
    };
    return d;
}

std::vector<Point> regularPolygon(int corners, double cx, double cy, double r)
{
    std::vector<Point> points;
    for (int i = 0; i < corners; ++i) {
        const double a = 2 * M_PI * i / corners;
        points.push_back({std::round((cx + r * std::cos(a)) * 1000) / 1000, std::round((cy + r * std::sin(a)) * 1000) / 1000});
    }
    return points;
}

// In metres: one of each thing the import leaves out, next to outlines it takes.
Drawing openPolylineAndBulge(int insunits)
{
    Drawing d;
    d.layers = {"SECTION", "NOTES"};
    d.insunits = insunits;
    d.blocks = {{"ANCHOR", [](DL_Dxf& dxf, DL_WriterA& w) {
                     // Inside a block: reached only through the insert, which is skipped.
                     writePolyline(dxf, w, "SECTION", {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, true);
                 }}};
    d.entities = [](DL_Dxf& dxf, DL_WriterA& w, DL_Codes::version version) {
        // 1: open.
        writePolyline(dxf, w, "SECTION", {{1, 1}, {5, 1}, {5, 3}}, false);
        // 2: closed, an arc on its second edge.
        writePolyline(dxf, w, "SECTION", {{2, 5}, {6, 5, 0.5}, {6, 7}, {2, 7}}, true);
        // 3: 45 corners, too many.
        writePolyline(dxf, w, "SECTION", regularPolygon(45, 12, 12, 3), true);
        // 4: 40 corners and the first repeated: the most an area can take.
        std::vector<Point> forty = regularPolygon(40, 18, 5, 2.5);
        forty.push_back(forty.front());
        writePolyline(dxf, w, "SECTION", forty, false);
        // 5: a corner given twice in a row.
        writePolyline(dxf, w, "SECTION", {{8, 1}, {10, 1}, {10, 1}, {10, 3}, {8, 3}}, true);
        dxf.writeLine(w, DL_LineData(0, 0, 0, 20, 0, 0), onLayer("SECTION"));
        dxf.writeLine(w, DL_LineData(0, 0.5, 0, 20, 0.5, 0), onLayer("SECTION"));
        dxf.writeCircle(w, DL_CircleData(3, 12, 0, 1), onLayer("SECTION"));
        dxf.writeArc(w, DL_ArcData(6, 12, 0, 1, 0, 90), onLayer("SECTION"));
        if (version != DL_Codes::AC1009) {
            DL_SplineData spline(3, 8, 4, 0, 8);
            dxf.writeSpline(w, spline, onLayer("SECTION"));
            for (double k : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0})
                dxf.writeKnot(w, DL_KnotData(k));
            for (const Point& p : std::vector<Point>{{1, 15}, {2, 17}, {4, 17}, {5, 15}})
                dxf.writeControlPoint(w, DL_ControlPointData(p.x, p.y, 0, 1));
        }
        dxf.writeInsert(w, DL_InsertData("ANCHOR", 14, 1, 0, 1, 1, 1, 0, 1, 1, 0, 0), onLayer("SECTION"));
        // 6: on the other layer.
        writePolyline(dxf, w, "NOTES", {{1, 18}, {3, 18}, {3, 19}, {1, 19}}, true);
        dxf.writeText(w, DL_TextData(1, 19.5, 0, 0, 0, 0, 0.3, 1, 0, 0, 0, "Section A-A", "Standard", 0),
                      onLayer("NOTES"));
    };
    return d;
}

// 25 squares of 0.5 m in metres, in five rows, numbered row by row from the bottom left.
Drawing twentyFiveOutlines(int insunits)
{
    Drawing d;
    d.layers = {"CELLS"};
    d.insunits = insunits;
    d.entities = [](DL_Dxf& dxf, DL_WriterA& w, DL_Codes::version) {
        for (int i = 0; i < 25; ++i) {
            const double x = 1 + (i % 5) * 1.0;
            const double y = 1 + (i / 5) * 1.0;
            writePolyline(dxf, w, "CELLS", {{x, y}, {x + 0.5, y}, {x + 0.5, y + 0.5}, {x, y + 0.5}}, true);
        }
    };
    return d;
}

// The retaining wall cut off in the middle of its entities.
void truncate(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t cut = bytes.find("BACKFILL", bytes.find("ENTITIES")) + 4;
    std::ofstream(to, std::ios::binary) << bytes.substr(0, cut);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder for the drawings>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (const Format& f : kFormats) {
        const std::string s = f.suffix;
        // $INSUNITS came with the later formats: the R12 drawings say nothing of their unit.
        const bool r12 = f.version == DL_Codes::AC1009;
        write(folder + "/retaining_wall_mm_" + s + ".dxf", retainingWall(r12 ? 0 : 4), f.version);
        write(folder + "/open_polyline_and_bulge_" + s + ".dxf", openPolylineAndBulge(r12 ? 0 : 6), f.version);
        write(folder + "/twenty_five_outlines_" + s + ".dxf", twentyFiveOutlines(r12 ? 0 : 6), f.version);
        write(folder + "/.whole_" + s + ".dxf", retainingWall(r12 ? 0 : 4), f.version);
        truncate(folder + "/.whole_" + s + ".dxf", folder + "/truncated_" + s + ".dxf");
        std::remove((folder + "/.whole_" + s + ".dxf").c_str());
    }
    return 0;
}
