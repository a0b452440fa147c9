#include "analysis/base_joint.h"

#include <cmath>

namespace kalven {

JointResults ComputeBaseJoint(const BaseJoint& joint, double Fx, double Fy, double Xc, double Yc)
{
    JointResults r;
    const double dx = joint.X2 - joint.X1;
    const double dy = joint.Y2 - joint.Y1;
    r.Bw = std::hypot(dx, dy);
    const double tx = dx / r.Bw;
    const double ty = dy / r.Bw;
    // n = (ty, -tx) points out of the body, which lies on the left of A -> B, into the ground.
    r.N = Fx * ty - Fy * tx;
    r.T = Fx * tx + Fy * ty;
    const double R = std::hypot(Fx, Fy);
    // The line of action C + k R meets A + s t where the cross product R x t vanishes no more
    // than the tolerance allows; a zero resultant has no line of action at all.
    const double cross = Fx * ty - Fy * tx;  // R x t, which is also N
    if (!(R > 0) || std::fabs(cross) <= kParallelTolerance * R) {
        r.verdict = JointVerdict::Parallel;
        return r;
    }
    // s from (C - A) x R = s (t x R).
    const double cx = Xc - joint.X1;
    const double cy = Yc - joint.Y1;
    r.s = (cx * Fy - cy * Fx) / (tx * Fy - ty * Fx);
    r.Sx = joint.X1 + r.s * tx;
    r.Sy = joint.Y1 + r.s * ty;
    r.e = r.s - r.Bw / 2;

    if (!(r.N > 0)) {
        r.verdict = JointVerdict::NotPressed;
        return r;
    }
    r.Utilisation = std::fabs(r.T) / (joint.Mu * r.N);
    const double ae = std::fabs(r.e);
    if (ae <= r.Bw / 6) {
        r.verdict = JointVerdict::WithinMiddleThird;
        r.SigmaA = r.N / r.Bw * (1 - 6 * r.e / r.Bw);
        r.SigmaB = r.N / r.Bw * (1 + 6 * r.e / r.Bw);
    } else if (ae < r.Bw / 2) {
        r.verdict = JointVerdict::OutsideMiddleThird;
        r.Contact = 3 * (r.Bw / 2 - ae);
        r.SigmaMax = 2 * r.N / r.Contact;
        r.MaxAtA = r.e < 0;
    } else {
        r.verdict = JointVerdict::OutsideJoint;
    }
    return r;
}

std::optional<JointResults> ProjectJointResults(const ProjectData& data)
{
    if (!data.Joint.Set)
        return std::nullopt;
    return ComputeBaseJoint(data.Joint, data.SumFx, data.SumFy, data.ResultantXc, data.ResultantYc);
}

std::string JointVerdictText(JointVerdict verdict)
{
    switch (verdict) {
    case JointVerdict::Parallel:
        return "the line of action runs parallel to the base joint";
    case JointVerdict::NotPressed:
        return "the base joint is not pressed";
    case JointVerdict::WithinMiddleThird:
        return "within the middle third";
    case JointVerdict::OutsideMiddleThird:
        return "outside the middle third";
    case JointVerdict::OutsideJoint:
        return "resultant outside the base joint";
    }
    return {};
}

std::string SlidingVerdictText(double utilisation)
{
    return utilisation <= 1 ? "safe" : "sliding";
}

bool SlidingShown(const JointResults& r)
{
    return r.verdict != JointVerdict::Parallel && r.verdict != JointVerdict::NotPressed;
}

double JointPressureAt(const JointResults& r, double u)
{
    switch (r.verdict) {
    case JointVerdict::WithinMiddleThird:
        return r.SigmaA + (r.SigmaB - r.SigmaA) * u / r.Bw;
    case JointVerdict::OutsideMiddleThird: {
        const double fromEdge = r.MaxAtA ? u : r.Bw - u;
        return fromEdge < r.Contact ? r.SigmaMax * (1 - fromEdge / r.Contact) : 0;
    }
    default:
        return 0;
    }
}

}  // namespace kalven
