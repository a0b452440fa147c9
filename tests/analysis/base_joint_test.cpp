// The base joint's crossing, eccentricity, pressures and sliding, each verdict checked against the
// statics it stands for: the pressure diagram carries N and its moment about A is N s.
#include <gtest/gtest.h>

#include "analysis/base_joint.h"
#include "analysis/compute_sequence.h"
#include "analysis/resultant.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

BaseJoint Joint(double x1, double y1, double x2, double y2, double mu = 0.5)
{
    return {true, x1, y1, x2, y2, mu};
}

// The diagram's force and its moment about A, integrated numerically.
std::pair<double, double> DiagramForceAndMoment(const JointResults& r)
{
    constexpr int kSteps = 200000;
    double force = 0;
    double moment = 0;
    for (int i = 0; i < kSteps; ++i) {
        const double u = (i + 0.5) * r.Bw / kSteps;
        const double p = JointPressureAt(r, u) * r.Bw / kSteps;
        force += p;
        moment += p * u;
    }
    return {force, moment};
}

TEST(BaseJoint, RetainingWallExampleByHand)
{
    ProjectData data;
    ProjectReset(data);
    testing::SetOutline(data, 1, {{0, 0}, {4, 0}, {4, 1}, {0, 1}, {0, 0}});
    testing::SetLoad(data, 1, 24, 270);
    testing::SetOutline(data, 2, {{4, 0}, {5, 0}, {5, 3}, {4, 3}, {4, 0}});
    testing::SetLoad(data, 2, 10, 180);
    StoreResults(data, ComputeResultant(data));
    data.Joint = Joint(0, 0, 4, 0);
    const JointResults r = *ProjectJointResults(data);
    EXPECT_NEAR(data.ResultantForce, 100.58, 0.005);
    EXPECT_EQ(r.verdict, JointVerdict::WithinMiddleThird);
    const double expected[] = {1.53125, 0, 1.53125, -0.46875, 96, -30, 40.875, 7.125, 0.625};
    const double got[] = {r.Sx, r.Sy, r.s, r.e, r.N, r.T, r.SigmaA, r.SigmaB, r.Utilisation};
    for (std::size_t i = 0; i < std::size(got); ++i)
        EXPECT_NEAR(got[i], expected[i], 1e-9) << i;
    EXPECT_EQ(SlidingVerdictText(r.Utilisation), "safe");
    data.Joint.Set = false;
    EXPECT_FALSE(ProjectJointResults(data));
}

TEST(BaseJoint, EveryVerdictAgreesWithTheStatics)
{
    struct Row {
        BaseJoint joint;
        double fx, fy, xc, yc;
        JointVerdict verdict;
        const char* sliding;
    };
    const Row rows[] = {
        {Joint(0, 0, 4, 0), -30, -96, 2, 1.5, JointVerdict::WithinMiddleThird, "safe"},
        {Joint(0, 0, 4, 0), 10, -100, 3.5, 2, JointVerdict::OutsideMiddleThird, "safe"},     // e > 0: max under B
        {Joint(0, 0, 4, 0), 60, -100, 0.5, 1, JointVerdict::OutsideMiddleThird, "sliding"},  // e < 0: max under A
        {Joint(0, 0, 4, 0), 0, -100, 4.5, 1, JointVerdict::OutsideJoint, "safe"},
        {Joint(0, 0, 4, 0), 0, 100, 2, 1, JointVerdict::NotPressed, nullptr},
        {Joint(0, 0, 4, 0), 0, -0.5, 2, 1, JointVerdict::WithinMiddleThird, "safe"},  // pressed however lightly
        {Joint(0, 0, 4, 0), 50, 0.001, 2, 1, JointVerdict::Parallel, nullptr},
        // Taken from right to left, the joint has its body below it: the weight pulls it open.
        {Joint(4, 0, 0, 0), 0, -100, 2, 1, JointVerdict::NotPressed, nullptr},
        {Joint(0, 0, 4, 1), -10, -100, 2.5, 2, JointVerdict::WithinMiddleThird, "safe"},
    };
    for (const Row& row : rows) {
        const JointResults r = ComputeBaseJoint(row.joint, row.fx, row.fy, row.xc, row.yc);
        SCOPED_TRACE(JointVerdictText(row.verdict));
        EXPECT_EQ(r.verdict, row.verdict);
        if (r.verdict == JointVerdict::Parallel)
            continue;
        // S lies on the line of action and on the joint's line.
        EXPECT_NEAR((r.Sx - row.xc) * row.fy - (r.Sy - row.yc) * row.fx, 0, 1e-9);
        const BaseJoint& j = row.joint;
        EXPECT_NEAR((r.Sx - j.X1) * (j.Y2 - j.Y1) - (r.Sy - j.Y1) * (j.X2 - j.X1), 0, 1e-9);
        // N and T make up the resultant.
        EXPECT_NEAR(r.N * r.N + r.T * r.T, row.fx * row.fx + row.fy * row.fy, 1e-9);
        EXPECT_EQ(SlidingShown(r), row.sliding != nullptr);
        EXPECT_EQ(SlidingShown(r) ? SlidingVerdictText(r.Utilisation) : "", row.sliding ? row.sliding : "");
        if (r.verdict == JointVerdict::WithinMiddleThird || r.verdict == JointVerdict::OutsideMiddleThird) {
            const auto [force, moment] = DiagramForceAndMoment(r);
            EXPECT_NEAR(force, r.N, 1e-6 * r.N);
            EXPECT_NEAR(moment, r.N * r.s, 1e-6 * r.N * r.Bw);
            EXPECT_GE(std::min(JointPressureAt(r, 0), JointPressureAt(r, r.Bw)), 0);
        }
    }
}

}  // namespace
}  // namespace kalven
