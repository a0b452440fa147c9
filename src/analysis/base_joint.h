#pragma once
// Where the resultant's line of action meets the base joint, and what that means for the joint:
// the eccentricity against the middle third, the soil pressure under both edges (a rigid base,
// a linear pressure distribution, no tension) and the safety against sliding.

#include <optional>
#include <string>

#include "core/project_data.h"

namespace kalven {

enum class JointVerdict {
    Parallel,            // the line of action runs along the joint: nothing further
    NotPressed,          // N <= 0: the joint is not pressed, no pressures, no sliding check
    WithinMiddleThird,   // |e| <= Bw/6: pressures at both edges
    OutsideMiddleThird,  // Bw/6 < |e| < Bw/2: a contact width c and the edge pressure there
    OutsideJoint,        // |e| >= Bw/2: the resultant misses the joint (overturning)
};

struct JointResults {
    JointVerdict verdict = JointVerdict::Parallel;
    double Bw = 0;  // |AB|, m
    double Sx = 0;  // the crossing S of the line of action and the joint's line, m
    double Sy = 0;
    double s = 0;  // from A to S along t, m
    double e = 0;  // s - Bw/2, positive towards B, m
    double N = 0;  // R . n, pressing into the joint, kN/m
    double T = 0;  // R . t, along the joint, kN/m
    // Within the middle third: the pressures under A and B, kN/m2.
    double SigmaA = 0;
    double SigmaB = 0;
    // Outside the middle third: the contact width from the nearer edge and the pressure there.
    double Contact = 0;   // m
    double SigmaMax = 0;  // kN/m2
    bool MaxAtA = false;
    // Sliding, when the joint is pressed: |T| / (mu N).
    double Utilisation = 0;
};

// A line of action closer to parallel than this (the sine of the angle between the resultant and
// the joint) has no crossing worth showing.
inline constexpr double kParallelTolerance = 0.0001;

// The joint's results for the resultant (Fx, Fy) whose line of action passes through (Xc, Yc).
// The joint must be set, with A and B apart.
JointResults ComputeBaseJoint(const BaseJoint& joint, double Fx, double Fy, double Xc, double Yc);

// The results of the project's joint for its stored resultant; nothing when no joint is set.
std::optional<JointResults> ProjectJointResults(const ProjectData& data);

// The verdicts in words: the eccentricity's, then sliding's when the joint is pressed.
std::string JointVerdictText(JointVerdict verdict);
std::string SlidingVerdictText(double utilisation);  // "safe" or "sliding"
bool SlidingShown(const JointResults& r);

// The pressure under the joint at the distance u from A along t (0 <= u <= Bw): the linear
// diagram the results describe, 0 where the joint has no contact or is not pressed.
double JointPressureAt(const JointResults& r, double u);

}  // namespace kalven
