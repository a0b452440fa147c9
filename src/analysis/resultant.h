#pragma once
// The reduction of the load areas to one resultant: every area in use becomes a force
// (area times multiplier, acting at its centre of gravity or at its shifted X), and the forces
// become a magnitude, a direction, a point of application and a line of action.

#include "core/project_data.h"
#include "core/status_panels.h"
#include "drawing/canvas.h"

namespace kalven {

// Direction of the vector from (x1, y1) to (x2, y2) in degrees, 0 <= angle < 360;
// a vector with no horizontal extent points up (90) or, also when it has no length, down (270).
double DirectionAngle(double x1, double y1, double x2, double y2);

// The whole computation on a set of load areas that passed ValidateLoadAreas: redraws raster and
// load areas on the canvas of W x H pixels, fills every result, draws them, leaves
// " Resultant is outside the desktop !" in ValidationMessage when the resultant's point is not on
// the drawing area, blanks status panel 1 and sets Computed. Showing the message is the caller's.
// When a result would not be a finite number, nothing is drawn or changed but ValidationMessage,
// which then holds kMsgResultNotFinite, and the answer is false.
bool ComputeResultant(ProjectData& data, Canvas& canvas, int W, int H, StatusPanels& status);

inline constexpr const char* kMsgResultantOutside = " Resultant is outside the desktop !";
inline constexpr const char* kMsgResultNotFinite = " Result is not finite - check the coordinates and loads !";

}  // namespace kalven
