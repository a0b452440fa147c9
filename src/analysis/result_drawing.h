#pragma once
// The stored results over the redrawn load areas: shift marks, force arrows, the line of action,
// the resultant and the four result lines. A point (x, y) in metres is drawn at
// (Round(x * s), H - Round(y * s)), one row below where a vertex at the same y is drawn.
// Lines are cut to the image, so far-away ends never overflow a pixel coordinate.

#include <array>
#include <cmath>
#include <string>

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

// Everything below over the freshly drawn raster and load areas of a W x H image, with the
// scale s = W / L taken once.
void DrawResults(Canvas& canvas, const ProjectData& data, int W, int H);

// The drawing image of one computation, with its scale taken once at the start.
struct ResultView {
    double s = 0;  // pixels per metre
    int W = 0;
    int H = 0;

    // The pixel of a result item, kept as a real so a far-away point can still be cut exactly;
    // within the image it is the same whole number Round gives.
    double Column(double x) const { return std::nearbyint(x * s); }
    double Row(double y) const { return H - std::nearbyint(y * s); }
};

// Dashed black lines from each shifted area's centroid X to its shifted X, at the centroid's height.
void DrawShiftMarks(Canvas& canvas, const ResultView& view, const ProjectData& data);

// Navy arrows of every entry of the force list with a ring at the tip. An ArrowScale of 0
// (every force zero) draws no arrow.
void DrawForceArrows(Canvas& canvas, const ResultView& view, const ProjectData& data);

// The black line of action from its crossing with y = 0 to its crossing with y = L.
void DrawLineOfAction(Canvas& canvas, const ResultView& view, const ProjectData& data);

// The red resultant with a ring at its tip; like the force arrows, not drawn when ArrowScale is 0.
void DrawResultantArrow(Canvas& canvas, const ResultView& view, const ProjectData& data);

// "Resultant force", "Resultant angle", "Resultant Xc", "Resultant Yc" with their figures.
std::array<std::string, 4> ResultTexts(const ProjectData& data);

// The four result lines below the title, then the canvas state every drawing leaves behind.
void DrawResultTexts(Canvas& canvas, const ProjectData& data);

}  // namespace kalven
