#include <gtest/gtest.h>

#include <locale>

#include "core/dxf_import.h"
#include "support/comma_locale.h"

namespace kalven {
namespace {

using Points = std::vector<PlanePoint>;
const char* const kFormats[] = {"r12", "2000"};

DxfDrawing Fixture(const std::string& name)
{
    const DxfReadResult read = ReadDxfFile(QStringLiteral(KALVEN_TEST_DATA "/") + QString::fromStdString(name));
    EXPECT_EQ(read.status, DxfReadStatus::Read) << name;
    return read.drawing;
}

// A drawing of nothing but the given entities.
std::string Entities(const std::string& groups)
{
    return "0\nSECTION\n2\nENTITIES\n" + groups + "0\nENDSEC\n0\nEOF\n";
}

Points Vertices(const ProjectData& data, int area)
{
    Points v;
    for (int i = 1; i <= data.VertexCount[area]; ++i)
        v.push_back({data.VertexX[i][area], data.VertexY[i][area]});
    return v;
}

TEST(DxfImport, FillsTheLowestFreeNumbersInMetresWithAClosingVertexAndKeepsTheDataRows)
{
    for (const std::string format : kFormats) {
        SCOPED_TRACE(format);
        const DxfDrawing d = Fixture("retaining_wall_mm_" + format + ".dxf");
        ASSERT_EQ(d.layers.size(), 2u);
        EXPECT_EQ(std::tuple(d.layers[0].name, d.layers[0].outlines, d.layers[1].name, d.layers[1].outlines),
                  std::tuple("WALL", 2, "BACKFILL", 1));
        EXPECT_EQ(d.unit, format == "r12" ? std::nullopt : std::optional(DrawingUnit::Millimetre));
        DxfImportOptions options = DefaultImportOptions(d);
        EXPECT_EQ(options.unit, format == "r12" ? DrawingUnit::Metre : DrawingUnit::Millimetre);
        options.unit = DrawingUnit::Millimetre;
        ProjectData data;
        data.AreaUsed[1] = data.AreaUsed[3] = true;
        data.VertexCount[1] = 4;
        data.VertexX[1][1] = 9.5;
        data.LoadAreaData[2].Multiplier = 24;
        data.VertexX[12][4] = 3.0;  // left over from an earlier area: cleared
        data.Computed = true;
        const DxfImportPlan plan = PlanDxfImport(d, options, data);
        ApplyDxfImport(plan, data);
        // The repeated first point of the backfill and the shear key is no corner of its own.
        const Points wall{{4, 1.5}, {7, 1.5}, {7, 2}, {5.4, 2}, {5.25, 6}, {4.85, 6}, {4.8, 2}, {4, 2}, {4, 1.5}};
        EXPECT_EQ(Vertices(data, 2), wall);
        EXPECT_EQ(Vertices(data, 4), (Points{{5.4, 2.0}, {7.0, 2.0}, {7.0, 6.0}, {5.25, 6.0}, {5.4, 2.0}}));
        EXPECT_EQ(Vertices(data, 5), (Points{{5.8, 1.1}, {6.2, 1.1}, {6.2, 1.5}, {5.8, 1.5}, {5.8, 1.1}}));
        EXPECT_TRUE(data.AreaUsed[2] && data.AreaUsed[4] && data.AreaUsed[5] && !data.Computed);
        EXPECT_EQ(
            std::tuple(data.VertexX[12][4], data.VertexX[1][1], data.VertexCount[1], data.LoadAreaData[2].Multiplier),
            std::tuple(0.0, 9.5, 4, 24));
        EXPECT_EQ(std::pair(plan.areas[2].outlineNumber, DxfImportSummary(plan)),
                  std::pair(2, std::string("3 outlines imported as load areas 2, 4, 5.")));
        // Moved to the origin of the chosen layers: the shear key reaches lowest, at y 1100 mm.
        options.moveToOrigin = true;
        DxfImportPlan moved = PlanDxfImport(d, options, ProjectData{});
        ASSERT_EQ(moved.areas.size(), 3u);
        EXPECT_EQ(std::pair(moved.areas[0].vertices[0], moved.areas[2].vertices[0]),
                  std::pair(PlanePoint{0, 0.4}, PlanePoint{1.8, 0}));
        // The backfill alone, in centimetres: its top left corner at x 5250 mm is now the leftmost.
        options.layers = {"BACKFILL"};
        options.unit = DrawingUnit::Centimetre;
        moved = PlanDxfImport(d, options, ProjectData{});
        ASSERT_EQ(moved.areas.size(), 1u);
        EXPECT_EQ(std::tuple(moved.areas[0].area, moved.areas[0].vertices[0], moved.areas[0].vertices[2]),
                  std::tuple(1, PlanePoint{1.5, 0}, PlanePoint{17.5, 40}));
        options.layers.clear();
        moved = PlanDxfImport(d, options, ProjectData{});
        EXPECT_TRUE(moved.chosenOutlines == 0 && moved.areas.empty());
    }
}

TEST(DxfImport, SkipsCountsAndNamesWhatCannotBeALoadArea)
{
    // Numbers do not follow a comma-decimal locale, and the reader leaves the global locale alone.
    const testing::CommaLocale comma;
    for (const std::string format : kFormats) {
        SCOPED_TRACE(format);
        const DxfDrawing d = Fixture("open_polyline_and_bulge_" + format + ".dxf");
        EXPECT_TRUE(!comma.active() || std::locale().name() == "de_DE.UTF-8");
        ASSERT_EQ(d.layers.size(), 2u);
        // The closed polyline inside the block does not count.
        EXPECT_EQ(std::pair(d.layers[0].outlines, d.layers[1].outlines), std::pair(4, 1));
        const DxfImportPlan plan = PlanDxfImport(d, DefaultImportOptions(d), ProjectData{});
        ASSERT_EQ(plan.areas.size(), 4u);
        EXPECT_TRUE(plan.areas[0].hasArcs);
        EXPECT_EQ(plan.areas[0].vertices, (Points{{2, 5}, {6, 5}, {6, 7}, {2, 7}, {2, 5}}));  // the arc's chord
        EXPECT_EQ(plan.areas[1].vertices.size(), 41u);                                        // 40 corners fit
        EXPECT_EQ(std::pair(plan.areas[1].vertices[0], plan.areas[1].vertices[10]),
                  std::pair(PlanePoint{20.5, 5.0}, PlanePoint{18.0, 7.5}));
        EXPECT_EQ(plan.areas[2].vertices, (Points{{8, 1}, {10, 1}, {10, 3}, {8, 3}, {8, 1}}));
        EXPECT_EQ(plan.areas[3].layer, "NOTES");
        EXPECT_EQ(DxfImportSummary(plan),
                  std::string("4 outlines imported as load areas 1, 2, 3, 4.\n"
                              "Arcs replaced by their chords in load area 1.\n"
                              "Outline 2 on layer SECTION: 45 corners, more than 40 - not imported.\n"
                              "Skipped:\n   1 open polyline\n   2 lines\n   1 circle\n   1 arc\n") +
                      (format == "r12" ? "" : "   1 spline\n") + "   1 block insert");
    }
}

TEST(DxfImport, OutlinesBeyondTheFreeNumbersAreSkippedAndCounted)
{
    for (const std::string format : kFormats) {
        SCOPED_TRACE(format);
        const DxfDrawing d = Fixture("twenty_five_outlines_" + format + ".dxf");
        ProjectData data;
        data.AreaUsed[2] = data.AreaUsed[5] = true;
        const DxfImportPlan plan = PlanDxfImport(d, DefaultImportOptions(d), data);
        ASSERT_EQ(plan.areas.size(), 18u);
        EXPECT_EQ(std::tuple(plan.areas[1].area, plan.areas[17].area, plan.withoutFreeNumber), std::tuple(3, 20, 7));
        EXPECT_EQ(plan.areas[17].vertices[0], (PlanePoint{3.0, 4.0}));  // the 18th square
        EXPECT_EQ(
            DxfImportSummary(plan),
            "18 outlines imported as load areas 1, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20.\n"
            "Skipped:\n   7 outlines - no free load area number left");
        data.AreaUsed.fill(true);
        EXPECT_EQ(DxfImportSummary(PlanDxfImport(d, DefaultImportOptions(d), data)),
                  "No outline imported.\nSkipped:\n   25 outlines - no free load area number left");
    }
}

TEST(DxfRead, DamagedFilesAreRefusedWithoutHangingOrExhaustingMemory)
{
    for (const std::string format : kFormats)
        EXPECT_EQ(ReadDxfFile(QStringLiteral(KALVEN_TEST_DATA "/truncated_%1.dxf").arg(format.c_str())).status,
                  DxfReadStatus::Damaged);
    const std::string square =
        Entities("0\nLWPOLYLINE\n8\nA\n90\n3\n70\n1\n10\n0\n20\n0\n10\n1\n20\n0\n10\n1\n20\n1\n");
    ASSERT_EQ(ReadDxf(square).status, DxfReadStatus::Read);
    std::string crlf;
    for (char c : square + "\n\n")
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ReadDxf(crlf).drawing.outlines.size(), 1u);  // Windows line ends and blank lines at the end
    // Cut short, a line dxflib cannot take, counts beyond what the file has room for.
    const std::string damaged[] = {"",
                                   "just some text",
                                   square.substr(0, square.size() - 4),
                                   Entities("0\nTEXT\n8\nA\n1\n" + std::string(1500, 'x') + "\n"),
                                   Entities("0\nLWPOLYLINE\n8\nA\n90\n900000000\n10\n0\n20\n0\n"),
                                   Entities("0\nLWPOLYLINE\n8\nA\n90\n-4\n10\n0\n20\n0\n"),
                                   Entities("0\nLWPOLYLINE\n8\nA\n90\n100\n10\n0\n20\n0\n"),
                                   Entities("0\nSPLINE\n8\nA\n72\n900000000\n"),
                                   Entities("0\nSPLINE\n8\nA\n73\n-1\n"),
                                   Entities("0\nSPLINE\n8\nA\n74\n900000000\n"),
                                   Entities("0\nLEADER\n8\nA\n76\n900000000\n")};
    for (const std::string& bytes : damaged)
        EXPECT_EQ(ReadDxf(bytes).status, DxfReadStatus::Damaged) << bytes.substr(0, 60);
    EXPECT_EQ(ReadDxfFile(QStringLiteral(KALVEN_TEST_DATA "/no_such_drawing.dxf")).status, DxfReadStatus::Unreadable);
    EXPECT_EQ(ReadDxf(std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + square).status, DxfReadStatus::Binary);
}

TEST(DxfRead, ClosureArcsOrientationAndSpaces)
{
    const std::string lw = "0\nLWPOLYLINE\n8\nA\n", triangle = "10\n0\n20\n0\n10\n2\n20\n0\n10\n2\n20\n2\n";
    const std::string polyline = "0\nPOLYLINE\n8\nA\n66\n1\n70\n1\n230\n";
    const std::string vertices =
        "0\nVERTEX\n8\nA\n10\n+1\n20\n0\n0\nVERTEX\n8\nA\n10\n2\n20\n0\n0\nVERTEX\n8\nA\n10\n2\n"
        "20\n2\n0\nSEQEND\n";
    const std::tuple<std::string, Points, bool> cases[] = {
        // Closed by a repeated first point; the bulge of that last point starts no edge.
        {lw + "90\n4\n70\n0\n" + triangle + "10\n0\n20\n0\n42\n1\n", {{0, 0}, {2, 0}, {2, 2}}, false},
        // Closed by the flag: the last point's bulge is the edge back to the first.
        {lw + "90\n3\n70\n1\n" + triangle + "42\n-0.3\n", {{0, 0}, {2, 0}, {2, 2}}, true},
        // Drawn with its normal pointing down: seen from above, x is mirrored; a normal without a
        // downward part mirrors nothing.
        {lw + "90\n3\n70\n1\n" + triangle + "210\n0\n220\n0\n230\n-1\n", {{0, 0}, {-2, 0}, {-2, 2}}, false},
        {polyline + "-0.5\n" + vertices, {{-1, 0}, {-2, 0}, {-2, 2}}, false},
        {polyline + "0\n" + vertices, {{1, 0}, {2, 0}, {2, 2}}, false},
        {lw + "67\n1\n90\n3\n70\n1\n" + triangle, {}, false},  // paper space is not part of the section
    };
    for (const auto& [groups, corners, hasArcs] : cases) {
        const auto outlines = ReadDxf(Entities(groups)).drawing.outlines;
        ASSERT_EQ(outlines.size(), corners.empty() ? 0u : 1u) << groups;
        for (const DxfOutline& o : outlines)
            EXPECT_TRUE(o.corners == corners && o.hasArcs == hasArcs) << groups;
    }
    // Two points, open: a line rather than an outline.
    const DxfDrawing d = ReadDxf(Entities(lw + "90\n2\n70\n0\n10\n0\n20\n0\n10\n1\n20\n0\n")).drawing;
    EXPECT_TRUE(d.outlines.empty() && d.layers.size() == 1u && d.layers[0].skipped.openPolylines == 1);
}

TEST(DxfRead, PolylinesWithBadNumbersOrVertexCountsAreRefusedAndNamed)
{
    const auto lw = [](const std::string& count, const std::string& y) {
        return "0\nLWPOLYLINE\n5\n1A\n8\nW\n" + count + "70\n1\n10\n0\n20\n0\n10\n1\n20\n" + y + "\n10\n1\n20\n1\n";
    };
    const std::string vertex = "0\nVERTEX\n8\nW\n10\n1\n20\n1\n";
    const std::string polyline = "0\nPOLYLINE\n8\nW\n66\n1\n70\n1\n" + vertex + vertex;
    const std::string named = "LWPOLYLINE on layer W, handle 1A, line 5: ";
    const std::pair<std::string, std::string> cases[] = {
        {lw("90\n3\n", "nan"), named + "group 20 holds \"nan\", not a finite number"},
        {lw("90\n3\n", "-inf"), named + "group 20 holds \"-inf\", not a finite number"},
        {lw("90\n3\n", "1e400"), named + "group 20 holds \"1e400\", not a finite number"},
        {lw("90\n2\n", "0"), named + "2 vertices announced, 3 given"},
        {lw("90\n4\n", "0"), named + "4 vertices announced, 3 given"},
        {lw("", "0"), named + "no vertex count, 3 vertices given"},
        {lw("90\n0\n90\n3\n", "0"), named + "vertex count given twice or after the vertices"},
        {polyline + "0\nVERTEX\n8\nW\n10\n2\n0\nSEQEND\n",
         "POLYLINE on layer W, line 5: VERTEX, line 29: a vertex without exactly one X and one Y"},
        {polyline + "0\nLINE\n8\nW\n", "POLYLINE on layer W, line 5: vertex list not ended by SEQEND"},
    };
    for (const auto& [groups, refused] : cases) {
        const DxfReadResult r = ReadDxf(Entities(groups));
        EXPECT_TRUE(r.status == DxfReadStatus::Read && r.drawing.outlines.empty() && r.drawing.refused.size() == 1 &&
                    r.drawing.refused[0].text == refused)
            << refused;
    }
    EXPECT_EQ(ReadDxf(Entities(lw("90\n3\n", "0"))).drawing.outlines.size(), 1u);
    EXPECT_EQ(ReadDxf(Entities(lw("90\n3\n", "0")), [](int) { return false; }).status, DxfReadStatus::Cancelled);
    // A unit of metres in the header; a name that differs only after its first letter announces no count.
    std::string misnamed = lw("90\n900000000\n", "0");
    misnamed[11] = 'X';  // LWPOLYLINX
    const DxfReadResult m = ReadDxf("0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n6\n0\nENDSEC\n" + Entities(misnamed));
    EXPECT_EQ(std::tuple(m.status, m.drawing.unit, m.drawing.outlines.size()),
              std::tuple(DxfReadStatus::Read, std::optional(DrawingUnit::Metre), 0ul));
}

TEST(DxfRead, KeepsOnlyWhatCanBeImported)
{
    // Per layer the first 20 outlines that fit; an outline of many corners keeps only their count.
    std::string groups = "0\nLWPOLYLINE\n8\nBIG\n90\n100000\n70\n1\n";
    for (int k = 0; k < 100000; ++k)
        groups += "10\n" + std::to_string(k % 1000) + "\n20\n" + std::to_string(k / 1000) + "\n";
    // On A squares, on B zigzags of 40 corners, the most an area takes.
    const std::string square = "90\n4\n70\n1\n10\n0\n20\n-1\n10\n1\n20\n0\n10\n1\n20\n1\n10\n0\n20\n1\n";
    std::string zigzag = "90\n40\n70\n1\n";
    for (int k = 0; k < 40; ++k)
        zigzag += "10\n" + std::to_string(k % 2) + "\n20\n" + std::to_string(k - 1) + "\n";
    for (int k = 0; k < 25; ++k)
        groups += "0\nLWPOLYLINE\n8\nA\n" + square + "0\nLWPOLYLINE\n8\nB\n" + zigzag;
    const DxfDrawing d = ReadDxf(Entities(groups)).drawing;
    ASSERT_EQ(d.outlines.size(), 41u);
    EXPECT_TRUE(d.outlines[0].corners.empty() && d.outlines[0].cornerCount == 100000);
    ASSERT_EQ(d.layers.size(), 3u);
    EXPECT_EQ(std::tuple(d.layers[1].outlines, d.layers[1].notKept, d.layers[2].notKept), std::tuple(25, 5, 5));
    DxfImportOptions options = DefaultImportOptions(d);
    options.layers.erase("A");
    options.moveToOrigin = true;
    const DxfImportPlan plan = PlanDxfImport(d, options, ProjectData{});
    ASSERT_EQ(plan.areas.size(), 20u);
    EXPECT_EQ(std::tuple(plan.chosenOutlines, plan.withoutFreeNumber, plan.areas[0].layer), std::tuple(26, 5, "B"));
    EXPECT_EQ(plan.areas[0].vertices[0], (PlanePoint{0, 0}));  // the lowest corner of B lies at (0, -1)
}

}  // namespace
}  // namespace kalven
