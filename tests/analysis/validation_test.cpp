#include <gtest/gtest.h>

#include "analysis/validation.h"
#include "support/load_area_fixture.h"

namespace kalven::testing {
namespace {

TEST(SegmentsCross, GivesItsThreeVerdictsInEitherOrder)
{
    using V = CrossVerdict;
    const struct {
        PlanePoint p1, p2, q1, q2;
        V verdict;
    } cases[] = {
        {{0, 0}, {0, 4}, {0, 1}, {0, 3}, V::NoVerdict},        // both vertical, even overlapping
        {{1, 0}, {1, 4}, {0, 2}, {3, 2}, V::Cross},            // one vertical, crossing
        {{1, 0}, {1, 2}, {0, 2}, {3, 2}, V::Cross},            // ... touching at its end
        {{1, 0}, {1, 1.9}, {0, 2}, {3, 2}, V::Apart},          // ... short of the other edge
        {{0, 0}, {4, 4}, {1, 1}, {5, 5}, V::NoVerdict},        // collinear and overlapping
        {{0, 0}, {4, 0}, {0, 1}, {4, 1.00001}, V::NoVerdict},  // slopes within the tolerance
        {{0, 0}, {4, 0}, {0, 1}, {4, 1.002}, V::Apart},        // ... and just past it
        {{0, 0}, {4, 4}, {4, 4}, {8, 0}, V::Cross},            // sharing an end point
        {{0, 0}, {1, 1}, {3, 1}, {4, 0}, V::Apart},            // lines meet off both edges
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SegmentsCross(c.p1, c.p2, c.q1, c.q2), c.verdict) << c.p1.x << "," << c.p1.y;
        EXPECT_EQ(SegmentsCross(c.q1, c.q2, c.p1, c.p2), c.verdict) << c.p1.x << "," << c.p1.y;
    }
}

TEST(ValidateLoadAreas, NamesTheFirstFaultOfTheFirstFailingCheck)
{
    const std::string coordinate = " Error in coordinate of loading area No ";
    const struct {
        int area;
        std::initializer_list<std::pair<double, double>> outline;
        std::string message;
    } cases[] = {
        {1, {{0, 0}, {4, 0}, {0, 3}, {0, 0}}, ""},  // no pair of a triangle's edges is tested
        {3, {{0, 0}, {1, 1}, {2, 2}, {0, 0}}, " Area is too small - No  3 !"},
        {5, {{1, 1}}, " Area is too small - No  5 !"},
        {12, {{0, 0}, {2, 2}, {2, 0}, {0, 2}, {0, 0}}, " Area is too small - No 12 !"},  // a bow tie
        {12, {{1, 1}, {6, 1}, {1, 4}, {4, 4}, {1, 1}}, coordinate + "12 !"},
        {12, {{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}, {0, 0}}, coordinate + "12 !"},          // vertex on an edge
        {12, {{0, 0}, {4, 0}, {2, 2}, {4, 4}, {0, 4}, {2, 2}, {0, 0}}, coordinate + "12 !"},  // shared point
        {1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.01, 0}}, " Non closed loading area No  1 !"},
        // A repeated first vertex between vertical edges, which raise no crossing.
        {12, {{0, 0}, {0, 0}, {0, 2}, {2, 2}, {2, -1}, {0, -1}, {0, 0}}, coordinate + "12 !"},
        // Bounds with L = 25: x up to 25 and y up to 20 inclusive, no lower bound.
        {7, {{23, 18}, {25, 18}, {25, 20}, {23, 20}, {23, 18}}, ""},
        {7, {{23, 18}, {25.01, 18}, {25, 20}, {23, 20}, {23, 18}}, coordinate + " 7 !"},
        {7, {{23, 18}, {25, 18}, {25, 20.01}, {23, 20}, {23, 18}}, coordinate + " 7 !"},
        {7, {{-90, -60}, {-80, -60}, {-80, -50}, {-90, -60}}, ""},
    };
    for (const auto& c : cases) {
        ProjectData data;
        SetOutline(data, c.area, c.outline);
        EXPECT_EQ(ValidateLoadAreas(data), c.message) << &c - cases;
    }

    ProjectData data;
    EXPECT_EQ(ValidateLoadAreas(data), " Non-existent area load !");
    SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0.01}});    // open
    SetOutline(data, 2, {{24, 0}, {26, 0}, {26, 2}, {24, 2}, {24, 0}});  // beyond x = L: checked first
    EXPECT_EQ(ValidateLoadAreas(data), coordinate + " 2 !");
    SetOutline(data, 9, {{0, 0}, {1, 0}, {0, 0}});  // too small, which comes before both
    EXPECT_EQ(ValidateLoadAreas(data), " Area is too small - No  9 !");
    data.AreaUsed[9] = data.AreaUsed[2] = false;  // areas not in use are never looked at
    data.VertexY[5][1] = 0;
    EXPECT_EQ(ValidateLoadAreas(data), "");
}

}  // namespace
}  // namespace kalven::testing
