#pragma once
// The base joint's results in pictures and short lines: the joint with marks at its ends, the
// crossing S as a ring, the pressure diagram on the ground side with its edge values, and the
// verdicts below the result lines. The diagram's shape is kept in metres so the screen and the
// printed page draw the same figure through their own mappings.

#include <string>
#include <vector>

#include "analysis/base_joint.h"
#include "analysis/result_drawing.h"

namespace kalven {

struct WorldPoint {
    double x = 0;
    double y = 0;
};

struct PressureDiagram {
    // The outline from the joint out into the ground and back to the joint, in metres; empty when
    // the joint carries no pressure.
    std::vector<WorldPoint> outline;
    // The ordinates whose values are written beside their outer ends, kN/m2.
    struct EdgeValue {
        WorldPoint tip;
        double sigma = 0;
    };
    std::vector<EdgeValue> values;
};

// The diagram of the results, its largest ordinate a tenth of the area length.
PressureDiagram JointPressureDiagram(const BaseJoint& joint, const JointResults& r, int areaLength);

// "40.88 kN/m2"
std::string PressureText(double sigma);

// The verdict lines: the eccentricity's verdict, e (and the contact width), then sliding.
std::vector<std::string> JointResultTexts(const JointResults& r);

// The whole joint picture over the results of a computation; nothing when no joint is set.
void DrawJoint(Canvas& canvas, const ResultView& view, const ProjectData& data);

}  // namespace kalven
