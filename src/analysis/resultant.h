#pragma once
// The reduction of the load areas to one resultant: every area in use becomes a force
// (area times multiplier, acting at its centre of gravity or at its shifted X), and the forces
// become a magnitude, a direction, a point of application and a line of action.

#include <cstdint>

#include "core/project_data.h"

namespace kalven {

// Direction of the vector from (x1, y1) to (x2, y2) in degrees, 0 <= angle < 360;
// a vector with no horizontal extent points up (90) or, also when it has no length, down (270).
double DirectionAngle(double x1, double y1, double x2, double y2);

// Everything one computation finds, under the names of the project's result variables. The
// arrow tips are those the result drawing draws. UnshiftedCentroidX is the project's table with the
// unshifted X of every shifted area written in; the other entries keep what the project held.
struct ResultantResults : ResultVariables {
    bool OnDesktop = false;  // 0 < Xc <= L and 0 < Yc <= L
};

// The results of the areas in use, which must have passed ValidateLoadAreas. Reads the project only.
ResultantResults ComputeResultant(const ProjectData& data);

// Coordinates near the limits of a double (the bounds check has no lower bound) overflow to
// infinity or NaN; such results are never stored or drawn.
bool AllFinite(const ResultantResults& results);

// Writes the results into the project's result variables; Computed and the message are the caller's.
void StoreResults(ProjectData& data, const ResultantResults& results);

inline constexpr const char* kMsgResultantOutside = " Resultant is outside the desktop !";
inline constexpr const char* kMsgResultNotFinite = " Result is not finite - check the coordinates and loads !";

}  // namespace kalven
