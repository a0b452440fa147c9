#pragma once
// Load areas from a CAD drawing: the closed polylines of a DXF file become load areas in the free
// area numbers. Reading is a function of the file's bytes alone, so anything may be fed to it.

#include <QString>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/project_data.h"

namespace kalven {

enum class DrawingUnit { Metre, Centimetre, Millimetre };

// How many drawing units make one metre: 1, 100 or 1000.
double UnitsPerMetre(DrawingUnit unit);

// A closed polyline of the drawing, in drawing units.
struct DxfOutline {
    std::string layer;
    int number = 0;                   // 1-based among the closed outlines of its layer, in file order
    std::vector<PlanePoint> corners;  // file order; no corner given twice in a row, no closing repeat;
                                      // left empty when there are too many to import
    int cornerCount = 0;              // what corners holds, or would hold
    bool hasArcs = false;             // some edge is an arc (bulge); the import takes its chord
};

// What a layer holds that cannot become a load area.
struct DxfSkipCounts {
    int openPolylines = 0;
    int lines = 0;
    int circles = 0;
    int ellipses = 0;
    int arcs = 0;
    int splines = 0;
    int inserts = 0;

    DxfSkipCounts& operator+=(const DxfSkipCounts& other);
    bool operator==(const DxfSkipCounts&) const = default;
};

struct DxfLayer {
    std::string name;
    int outlines = 0;
    DxfSkipCounts skipped;
    // Importable outlines read past the first 20 of the layer: however the layers are chosen,
    // 20 outlines come before them, so they can never get an area number and are only counted.
    int notKept = 0;
    PlanePoint lowest;  // the lower-left corner of all its outlines, kept or not (when outlines > 0)
    int refusedEntities = 0;
};

// A polyline whose data cannot be trusted: a coordinate that is no finite number, or vertices
// that disagree with the count the polyline announces. It is not imported.
struct DxfRefusedEntity {
    std::string layer;
    std::string text;  // "LWPOLYLINE on layer A, handle 2F, line 120: 4 vertices announced, 5 given"
};

// The model space of a drawing as far as the import is concerned; block contents and paper space
// are left out.
struct DxfDrawing {
    std::vector<DxfLayer> layers;           // every layer that carries an outline or a skipped entity, in file order
    std::vector<DxfOutline> outlines;       // file order
    std::optional<DrawingUnit> unit;        // what $INSUNITS says, when it is mm, cm or m
    std::vector<DxfRefusedEntity> refused;  // the first few refused polylines, named
};

// Binary: the binary form of DXF, which dxflib does not read. NotRegularFile: a folder, a FIFO, a
// device. TooLarge: above kMaxDxfFileBytes. Cancelled: the progress callback asked to stop.
enum class DxfReadStatus { Read, Unreadable, Damaged, Binary, NotRegularFile, TooLarge, Cancelled };

// Cross-section drawings are kilobytes, whole CAD sheets a few megabytes; a file far beyond that
// is refused before it is read, so reading stays within seconds and memory stays small.
inline constexpr long long kMaxDxfFileBytes = 64LL * 1024 * 1024;
// How many refused polylines the message names; the rest are counted.
inline constexpr std::size_t kMaxNamedRefusals = 10;

// Told how far reading has come, in thousandths; answers false to stop reading.
using DxfProgress = std::function<bool(int permille)>;

struct DxfReadResult {
    DxfReadStatus status = DxfReadStatus::Damaged;
    DxfDrawing drawing;  // empty unless Read
};

// A text DXF file (R12 up to the current versions). A file cut short, or one whose counts promise
// more data than it holds, is Damaged. Only what an import can use is kept: per layer the first
// 20 outlines of at most 40 corners; the rest is counted.
DxfReadResult ReadDxf(const std::string& bytes, const DxfProgress& progress = {});
DxfReadResult ReadDxfFile(const QString& path, const DxfProgress& progress = {});

struct DxfImportOptions {
    std::set<std::string> layers;  // the chosen layers
    DrawingUnit unit = DrawingUnit::Metre;
    bool moveToOrigin = false;  // the lower-left corner of the chosen outlines' extent goes to (0, 0)
};

// Every layer chosen; the unit of the header, else metres.
DxfImportOptions DefaultImportOptions(const DxfDrawing& drawing);

struct DxfImportedArea {
    int area = 0;
    std::vector<PlanePoint> vertices;  // metres, the closing copy of vertex 1 included
    std::string layer;
    int outlineNumber = 0;
    bool hasArcs = false;
};

struct DxfRefusedOutline {
    enum class Reason { TooManyCorners, OutOfRange };
    std::string layer;
    int outlineNumber = 0;
    int corners = 0;
    Reason reason = Reason::TooManyCorners;
};

struct DxfImportPlan {
    int chosenOutlines = 0;  // closed outlines on the chosen layers
    std::vector<DxfImportedArea> areas;
    std::vector<DxfRefusedOutline> refused;
    std::vector<std::string> refusedEntities;  // named, on the chosen layers
    int moreRefusedEntities = 0;               // refused on the chosen layers but not named
    int withoutFreeNumber = 0;
    DxfSkipCounts skipped;  // on the chosen layers
};

// Which outline goes to which free area number, with its vertices in metres. Changes nothing.
DxfImportPlan PlanDxfImport(const DxfDrawing& drawing, const DxfImportOptions& options, const ProjectData& data);

// Stores the planned areas; the data rows keep their values. Results are stale afterwards.
void ApplyDxfImport(const DxfImportPlan& plan, ProjectData& data);

// The message that sums up an import, one line per fact (Windows-1252).
std::string DxfImportSummary(const DxfImportPlan& plan);
// The lines that name the refused polylines of the chosen layers, each starting with a line break.
std::string DxfRefusalLines(const DxfImportPlan& plan);
// What the import dialog says the plan will do: how many outlines go to which area numbers.
std::string DxfImportPreviewText(const DxfImportPlan& plan);

inline constexpr const char* kMsgDxfUnreadable = "File input error !!!";
inline constexpr const char* kMsgDxfDamaged = "The DXF file is damaged or incomplete: nothing was imported.";
inline constexpr const char* kMsgDxfBinary =
    "The DXF file is binary: save the drawing as a text (ASCII) DXF file. Nothing was imported.";
inline constexpr const char* kMsgDxfNoOutline = "The DXF file holds no closed outline: nothing was imported.";
inline constexpr const char* kMsgDxfTooLarge = "The DXF file %1 is larger than 64 MB: nothing was imported.";
inline constexpr const char* kMsgDxfReading = "Reading the DXF file ...";
inline constexpr const char* kMsgDxfNoOutlineChosen = "No closed outline on the chosen layers: nothing was imported.";

}  // namespace kalven
