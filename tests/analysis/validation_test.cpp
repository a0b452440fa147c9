#include <gtest/gtest.h>

#include "analysis/validation.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using testing::SetOutline;

const std::string kCoordinate12 = " Error in coordinate of loading area No 12 !";

std::string Validate(ProjectData& data)
{
    data.ValidationMessage = "left over";
    ValidateLoadAreas(data);
    return data.ValidationMessage;
}

ProjectData WithSquare(int area)
{
    ProjectData data;
    SetOutline(data, area, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
    return data;
}

TEST(SegmentsCross, GivesItsThreeVerdictsInEitherOrder)
{
    const auto verdict = [](PlanePoint a, PlanePoint b, PlanePoint c, PlanePoint d) {
        const CrossVerdict forward = SegmentsCross(a, b, c, d);
        EXPECT_EQ(forward, SegmentsCross(c, d, a, b));
        return forward;
    };
    // Both vertical, even overlapping: never reported.
    EXPECT_EQ(verdict({0, 0}, {0, 4}, {0, 1}, {0, 3}), CrossVerdict::NoVerdict);
    // One vertical: crossing, touching at an end, and meeting beyond an edge.
    EXPECT_EQ(verdict({1, 0}, {1, 4}, {0, 2}, {3, 2}), CrossVerdict::Cross);
    EXPECT_EQ(verdict({1, 0}, {1, 2}, {0, 2}, {3, 2}), CrossVerdict::Cross);
    EXPECT_EQ(verdict({1, 0}, {1, 1.9}, {0, 2}, {3, 2}), CrossVerdict::Apart);
    EXPECT_EQ(verdict({4, 0}, {4, 4}, {0, 2}, {3, 2}), CrossVerdict::Apart);
    // Parallel, also collinear and overlapping: no verdict.
    EXPECT_EQ(verdict({0, 0}, {4, 4}, {1, 1}, {5, 5}), CrossVerdict::NoVerdict);
    EXPECT_EQ(verdict({0, 0}, {4, 0}, {0, 1}, {4, 1.00001}), CrossVerdict::NoVerdict);
    // General position: crossing, sharing an end point, and lines meeting off both edges.
    EXPECT_EQ(verdict({0, 0}, {4, 4}, {0, 4}, {4, 0}), CrossVerdict::Cross);
    EXPECT_EQ(verdict({0, 0}, {4, 4}, {4, 4}, {8, 0}), CrossVerdict::Cross);
    EXPECT_EQ(verdict({0, 0}, {1, 1}, {3, 1}, {4, 0}), CrossVerdict::Apart);
}

TEST(ValidateLoadAreas, NamesEachKindOfFault)
{
    ProjectData empty;
    EXPECT_EQ(Validate(empty), " Non-existent area load !");

    ProjectData valid = WithSquare(1);
    EXPECT_EQ(Validate(valid), "");

    ProjectData line;
    SetOutline(line, 3, {{0, 0}, {1, 1}, {2, 2}, {0, 0}});
    EXPECT_EQ(Validate(line), " Area is too small - No  3 !");

    // An area that is in use but holds no outline yet has no size either.
    ProjectData started;
    SetOutline(started, 5, {{1, 1}});
    EXPECT_EQ(Validate(started), " Area is too small - No  5 !");

    ProjectData crossing;
    SetOutline(crossing, 12, {{1, 1}, {6, 1}, {1, 4}, {4, 4}, {1, 1}});
    EXPECT_EQ(Validate(crossing), kCoordinate12);

    ProjectData open;
    SetOutline(open, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.01, 0}});
    EXPECT_EQ(Validate(open), " Non closed loading area No  1 !");

    // A repeated first vertex whose neighbouring edges are vertical, so no crossing is found.
    ProjectData repeated;
    SetOutline(repeated, 12, {{0, 0}, {0, 0}, {0, 2}, {2, 2}, {2, -1}, {0, -1}, {0, 0}});
    EXPECT_EQ(Validate(repeated), kCoordinate12);
}

TEST(ValidateLoadAreas, TouchingEdgesCountAsCrossing)
{
    ProjectData vertexOnEdge;
    SetOutline(vertexOnEdge, 12, {{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}, {0, 0}});
    EXPECT_EQ(Validate(vertexOnEdge), kCoordinate12);

    // Two triangles meeting in one point shared by two non-neighbouring edges.
    ProjectData sharedPoint;
    SetOutline(sharedPoint, 12, {{0, 0}, {4, 0}, {2, 2}, {4, 4}, {0, 4}, {2, 2}, {0, 0}});
    EXPECT_EQ(Validate(sharedPoint), kCoordinate12);

    // A symmetric bow tie has no size, which is found first.
    ProjectData bowTie;
    SetOutline(bowTie, 12, {{0, 0}, {2, 2}, {2, 0}, {0, 2}, {0, 0}});
    EXPECT_EQ(Validate(bowTie), " Area is too small - No 12 !");

    // A triangle only has neighbouring edges and the closing pair, none of them tested.
    ProjectData triangle;
    SetOutline(triangle, 12, {{0, 0}, {4, 0}, {0, 3}, {0, 0}});
    EXPECT_EQ(Validate(triangle), "");
}

TEST(ValidateLoadAreas, BoundsIncludeTheLengthAndFourFifthsOfIt)
{
    const auto withVertex = [](double x, double y) {
        ProjectData data;
        data.AreaLength = 25;
        SetOutline(data, 7, {{x - 2, y - 2}, {x, y - 2}, {x, y}, {x - 2, y}, {x - 2, y - 2}});
        return Validate(data);
    };
    const std::string fault = " Error in coordinate of loading area No  7 !";
    EXPECT_EQ(withVertex(25, 20), "");
    EXPECT_EQ(withVertex(25.01, 20), fault);
    EXPECT_EQ(withVertex(25, 20.01), fault);
    EXPECT_EQ(withVertex(-100, -50), "");

    ProjectData other;
    other.AreaLength = 7;  // 4 * 7 / 5 = 5.6
    SetOutline(other, 7, {{0, 0}, {7, 0}, {7, 5.6}, {0, 5.6}, {0, 0}});
    EXPECT_EQ(Validate(other), "");
}

TEST(ValidateLoadAreas, EachCheckCoversEveryAreaBeforeTheNext)
{
    // Area 1 open (check 5), area 2 beyond x = L (check 4): area 2 is named.
    ProjectData data;
    SetOutline(data, 1, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0.01}});
    SetOutline(data, 2, {{24, 0}, {26, 0}, {26, 2}, {24, 2}, {24, 0}});
    EXPECT_EQ(Validate(data), " Error in coordinate of loading area No  2 !");

    // A too small area 9 is found before the bounds fault of area 2.
    SetOutline(data, 9, {{0, 0}, {1, 0}, {0, 0}});
    EXPECT_EQ(Validate(data), " Area is too small - No  9 !");

    // Areas not in use are never looked at, however their vertices lie.
    ProjectData unused = WithSquare(4);
    SetOutline(unused, 6, {{0, 0}, {1, 0}, {0, 0}});
    unused.AreaUsed[6] = false;
    EXPECT_EQ(Validate(unused), "");
}

}  // namespace
}  // namespace kalven
