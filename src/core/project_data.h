#pragma once
// The whole state of one KALVEN run: settings, the project, the input state and the results.

#include <cstdint>
#include <string>

#include "core/tables.h"

namespace kalven {

inline constexpr int kAreaCount = 20;          // load areas 1..20
inline constexpr int kVertexCapacity = 42;     // stored vertices per area
inline constexpr int kMaxPickedVertices = 40;  // the mouse input accepts a point while fewer are stored
inline constexpr std::size_t kTitleLength = 40;
inline constexpr std::size_t kAreaTextLength = 26;
inline constexpr int kResultListCapacity = 80;
inline constexpr int kColorCount = 8;

// 0x00BBGGRR, or a system colour: top bit set plus the system colour index.
using ColorValue = std::uint32_t;
inline constexpr ColorValue kSystemWindowColor = 0x80000005u;

// Colour slots, in the order of the colour dialog and of the configuration files.
enum ColorSlot : int {
    kBackground = 1,
    kRasterLight = 2,
    kRasterDark = 3,
    kUniversalLine = 4,
    kSolidLine = 5,
    kForceLine = 6,
    kInclinedForce = 7,
    kLoadAreaColor = 8,
};

using ColorTable = Table1<ColorValue, kColorCount>;
ColorTable DefaultColors();

using Title = CountedString<kTitleLength>;
using AreaText = CountedString<kAreaTextLength>;

inline constexpr const char* kDefaultTitle = "Text";

// One row of the load-area data grid.
struct LoadAreaData {
    std::int32_t Multiplier = 30;  // loading rate: the force is area times this
    double Alpha = 180.0;          // degrees counter-clockwise from +X
    double ShiftX = 0.0;           // X to which an inclined load's centroid is moved; 0 = none
    AreaText Text{" "};

    bool operator==(const LoadAreaData&) const = default;
};

// One force of the system.
struct ForceRecord {
    double CentroidX = 0;  // point of application, metres
    double CentroidY = 0;
    double TipX = 0;  // tip of the drawn arrow, metres
    double TipY = 0;
    double Force = 0;  // kN
    double Alpha = 0;  // degrees
    bool Valid = false;

    bool operator==(const ForceRecord&) const = default;
};

// A point of the plane in metres, or in a drawing's own units.
struct PlanePoint {
    double x = 0;
    double y = 0;

    bool operator==(const PlanePoint&) const = default;
};

struct PixelPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    bool operator==(const PixelPoint&) const = default;
};

using VertexTable = Table1<Table1<double, kAreaCount>, kVertexCapacity>;  // [vertex][area]

// The base joint of a retaining wall: the segment from A to B on which the loaded body stands, the
// body lying on the left of the direction from A to B, and the friction coefficient against
// sliding along it. A project holds one joint or none.
struct BaseJoint {
    bool Set = false;
    double X1 = 0;  // A, metres
    double Y1 = 0;
    double X2 = 0;  // B, metres
    double Y2 = 0;
    double Mu = 0.5;

    bool operator==(const BaseJoint&) const = default;
};

// Results of the last computation, under the names the project keeps them by. Compute finds
// them all together, and the project stores them all together.
struct ResultVariables {
    Table1<ForceRecord, kAreaCount> AreaResult;
    Table1<ForceRecord, kResultListCapacity> ResultList;
    std::uint8_t ResultCount = 0;
    Table1<double, kAreaCount> UnshiftedCentroidX;
    double SumFx = 0;
    double SumFy = 0;
    double ResultantForce = 0;
    double ResultantAngle = 0;
    double ResultantXc = 0;
    double ResultantYc = 0;
    double ResultantTipX = 0;
    double ResultantTipY = 0;
    double LineX0 = 0;
    double LineX1 = 0;
    double ArrowScale = 0;
};

// The project content a file holds, and the rounding, which New, Open and a length change set as
// well: what the editing commands change and an undo puts back.
struct ProjectContent {
    kalven::Title Title{kDefaultTitle};
    std::int32_t AreaLength = 25;  // metres, side of the square drawing area
    std::uint8_t Rounding = 0;     // 0 = "1 cm", 1 = "5 cm"
    Table1<bool, kAreaCount> AreaUsed;
    Table1<std::uint8_t, kAreaCount> VertexCount;
    VertexTable VertexX;
    VertexTable VertexY;
    Table1<kalven::LoadAreaData, kAreaCount> LoadAreaData;
    BaseJoint Joint;

    bool operator==(const ProjectContent&) const = default;
};

struct ProjectData : ResultVariables, ProjectContent {
    // Settings of the run.
    std::int32_t MaxAreaLength = 1200;  // exclusive upper bound for AreaLength
    ColorTable ColorSettings = DefaultColors();
    std::string InitialDir;
    std::string StartDir;
    std::int32_t PrintLeftMargin = 14;

    // State of the running program.
    bool Idle = true;
    std::int32_t CurrentArea = 1;
    std::uint8_t InputMode = 0;  // 6 while a load-area polygon input is armed or running
    bool PolygonStarted = false;
    PixelPoint LastPointPx;
    bool ReleaseAreaButton = false;
    double CursorX = 0;
    double CursorY = 0;
    bool LengthChanged = false;
    std::string ValidationMessage;
    bool Computed = false;
    std::int32_t CorrectionArea = 0;
    std::uint8_t HelpTopic = 0;
};

inline constexpr std::uint8_t kInputModeLoadArea = 6;

// Returns the project to an empty drawing; keeps the settings (but for the rounding),
// the input state, the message and the results.
void ProjectReset(ProjectData& data);

// Project content only (title, length, areas, vertices, data rows, base joint): what a project
// file holds.
bool SameProjectContent(const ProjectData& a, const ProjectData& b);

ProjectContent TakeContent(const ProjectData& data);
void PutContent(ProjectData& data, const ProjectContent& content);

}  // namespace kalven
