#pragma once
// The one-page graphic printout: frame, metre scales, load areas, shift marks and, when the
// results belong to the data, forces, line of action, resultant and result lines; above the
// frame the title and the header line. It has its own mapping and fixed colours, scaled to the
// printable size of the page.

#include "core/project_data.h"
#include "drawing/canvas.h"

namespace kalven {

// The page quantities of one printout, in device pixels unless said otherwise.
struct PrintPage {
    int PW = 0, PH = 0;  // printable width and height
    int M = 0;           // margin allowance
    double s = 0;        // device pixels per metre, both axes
    double r = 0;        // aspect factor, never above 1
    int x0 = 0, y0 = 0;  // the frame's left and top edge
    int FW = 0, FH = 0;  // frame width and height
    int yb = 0;          // page y of the world line y = 0

    // Page position of a world point, unrounded beyond the whole pixel it lands on, so far-away
    // points keep their direction for clipping.
    double px(double x) const;
    double py(double y) const;
};

PrintPage MakePrintPage(int PW, int PH, int areaLength);

// Draws the whole page on the canvas. The canvas's font is the page's default font; the header
// line's smaller height is set and restored here.
void DrawGraphicPage(Canvas& canvas, const ProjectData& data, int PW, int PH);

}  // namespace kalven
