#include <gtest/gtest.h>

#include "analysis/validation.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using Outline = std::initializer_list<std::pair<double, double>>;

std::string Validate(const ProjectData& data)
{
    return ValidateLoadAreas(data);
}

std::string ValidateOne(int area, Outline outline)
{
    ProjectData data;
    testing::SetOutline(data, area, outline);
    return Validate(data);
}

TEST(SegmentsCross, GivesItsThreeVerdictsInEitherOrder)
{
    using V = CrossVerdict;
    const struct {
        PlanePoint p1, p2, q1, q2;
        V verdict;
    } cases[] = {
        {{0, 0}, {0, 4}, {0, 1}, {0, 3}, V::NoVerdict},     // both vertical, even overlapping
        {{1, 0}, {1, 4}, {0, 2}, {3, 2}, V::Cross},         // one vertical, crossing
        {{1, 0}, {1, 2}, {0, 2}, {3, 2}, V::Cross},         // ... touching at its end
        {{1, 0}, {1, 1.9}, {0, 2}, {3, 2}, V::Apart},       // ... short of the other edge
        {{0, 0}, {4, 4}, {1, 1}, {5, 5}, V::NoVerdict},     // collinear and overlapping
        {{0, 0}, {4, 0}, {0, 1}, {4, 1.00001}, V::NoVerdict},  // slopes within the tolerance
        {{0, 0}, {4, 4}, {4, 4}, {8, 0}, V::Cross},         // sharing an end point
        {{0, 0}, {1, 1}, {3, 1}, {4, 0}, V::Apart},         // lines meet off both edges
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SegmentsCross(c.p1, c.p2, c.q1, c.q2), c.verdict) << c.p1.x << "," << c.p1.y;
        EXPECT_EQ(SegmentsCross(c.q1, c.q2, c.p1, c.p2), c.verdict) << c.p1.x << "," << c.p1.y;
    }
}

TEST(ValidateLoadAreas, NamesEachKindOfFault)
{
    ProjectData empty;
    EXPECT_EQ(Validate(empty), " Non-existent area load !");
    const std::string coordinate12 = " Error in coordinate of loading area No 12 !";
    EXPECT_EQ(ValidateOne(1, {{0, 0}, {4, 0}, {0, 3}, {0, 0}}), "");  // no pair of a triangle is tested
    EXPECT_EQ(ValidateOne(3, {{0, 0}, {1, 1}, {2, 2}, {0, 0}}), " Area is too small - No  3 !");
    EXPECT_EQ(ValidateOne(5, {{1, 1}}), " Area is too small - No  5 !");
    EXPECT_EQ(ValidateOne(12, {{0, 0}, {2, 2}, {2, 0}, {0, 2}, {0, 0}}), " Area is too small - No 12 !");  // bow tie
    EXPECT_EQ(ValidateOne(12, {{1, 1}, {6, 1}, {1, 4}, {4, 4}, {1, 1}}), coordinate12);
    EXPECT_EQ(ValidateOne(12, {{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}, {0, 0}}), coordinate12);  // vertex on edge
    EXPECT_EQ(ValidateOne(12, {{0, 0}, {4, 0}, {2, 2}, {4, 4}, {0, 4}, {2, 2}, {0, 0}}), coordinate12);  // shared point
    EXPECT_EQ(ValidateOne(1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.01, 0}}), " Non closed loading area No  1 !");
    // A repeated first vertex between vertical edges, which raise no crossing.
    EXPECT_EQ(ValidateOne(12, {{0, 0}, {0, 0}, {0, 2}, {2, 2}, {2, -1}, {0, -1}, {0, 0}}), coordinate12);

    // Bounds with L = 25: x up to 25 and y up to 20 inclusive, no lower bound.
    const std::string bounds7 = " Error in coordinate of loading area No  7 !";
    EXPECT_EQ(ValidateOne(7, {{23, 18}, {25, 18}, {25, 20}, {23, 20}, {23, 18}}), "");
    EXPECT_EQ(ValidateOne(7, {{23, 18}, {25.01, 18}, {25, 20}, {23, 20}, {23, 18}}), bounds7);
    EXPECT_EQ(ValidateOne(7, {{23, 18}, {25, 18}, {25, 20.01}, {23, 20}, {23, 18}}), bounds7);
    EXPECT_EQ(ValidateOne(7, {{-90, -60}, {-80, -60}, {-80, -50}, {-90, -60}}), "");
}

TEST(ValidateLoadAreas, EachCheckCoversEveryAreaBeforeTheNext)
{
    ProjectData data;
    testing::SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0.01}});      // open
    testing::SetOutline(data, 2, {{24, 0}, {26, 0}, {26, 2}, {24, 2}, {24, 0}});    // beyond x = L
    EXPECT_EQ(Validate(data), " Error in coordinate of loading area No  2 !");
    testing::SetOutline(data, 9, {{0, 0}, {1, 0}, {0, 0}});  // too small
    EXPECT_EQ(Validate(data), " Area is too small - No  9 !");
    data.AreaUsed[9] = data.AreaUsed[2] = false;  // areas not in use are never looked at
    data.VertexY[5][1] = 0;
    EXPECT_EQ(Validate(data), "");
}

}  // namespace
}  // namespace kalven
