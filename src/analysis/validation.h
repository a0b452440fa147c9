#pragma once
// The checks a set of load areas must pass before its resultant is computed.

#include <string>

#include "core/project_data.h"

namespace kalven {

enum class CrossVerdict : int {
    Apart = -1,     // the lines meet, but not on both edges
    NoVerdict = 0,  // both edges vertical, or parallel
    Cross = 1,      // the edges cross or touch
};

// Crossing test of the edges P1P2 and Q1Q2. Touching counts as crossing.
CrossVerdict SegmentsCross(PlanePoint P1, PlanePoint P2, PlanePoint Q1, PlanePoint Q2);

// Runs the six checks over the areas in use: the text of the first failure, empty when all pass.
std::string ValidateLoadAreas(const ProjectData& data);

inline constexpr const char* kMsgNoLoadArea = " Non-existent area load !";

}  // namespace kalven
