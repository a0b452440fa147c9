#include "analysis/text_report.h"

#include <gtest/gtest.h>

#include "support/joint_example.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"

namespace kalven::testing {
namespace {

using Lines = std::vector<std::string>;

std::string Blanks(int n)
{
    return std::string(static_cast<std::size_t>(n), ' ');
}

const Lines kHead = {"  ",
                     "  ",
                     "  ",
                     "K A L V E N   Resultant Of General Force System             KALVEN devs ",
                     std::string(72, '='),
                     "  ",
                     "Text",
                     "  ",
                     "  ",
                     "I N P U T   D A T A  "};

Lines From(const Lines& lines, std::size_t first)
{
    return Lines(lines.begin() + static_cast<std::ptrdiff_t>(first), lines.end());
}

TEST(TextReport, HeaderTitlePlaceAndMargin)
{
    const Lines lines = BuildTextReport(ProjectData{});
    EXPECT_EQ(lines, kHead);
    EXPECT_EQ(ReportLineStart(lines, kReportTitleLine), 164);
    Lines wide = lines;
    for (std::string& line : wide)
        line = Blanks(30) + line;
    EXPECT_EQ(WithLeftMargin(lines, 30), wide);
    EXPECT_EQ(WithLeftMargin(lines, 0), lines);
}

TEST(TextReport, AreaLineColumns)
{
    ProjectData data;
    data.AreaUsed[1] = data.AreaUsed[3] = data.AreaUsed[4] = data.AreaUsed[20] = true;  // area 1 as reset
    data.LoadAreaData[3] = {18, 270.0, 10.0, "Soil"};
    data.LoadAreaData[4] = {5, 5.0, 45.0, "abcdefghijklmnopqrstuvwxyz"};
    data.LoadAreaData[20] = {150, 45.0, 12.25, ""};
    EXPECT_EQ(
        From(BuildTextReport(data), 10),
        (Lines{"  ", "LOAD AREAS", "  ", "No. Name                      multiplier  alpha (\xB0)   Xc (m)",
               std::string(59, '-'), " 1" + Blanks(31) + "30" + Blanks(7) + "180.0" + Blanks(5) + "  0.0" + Blanks(6),
               " 3  Soil" + Blanks(25) + "18" + Blanks(7) + "270.0" + Blanks(5) + " 10.0" + Blanks(6),
               // Multiplier 5 as "  5", alpha 5 as "  5.0", shift 45 as " 45.0".
               " 4  abcdefghijklmnopqrstuvwxyz   5" + Blanks(7) + "  5.0" + Blanks(5) + " 45.0" + Blanks(6),
               // 150 ends one column right of a two-digit multiplier; 12.25 rounds half to even.
               "20" + Blanks(29) + "150" + Blanks(7) + " 45.0" + Blanks(5) + " 12.2" + Blanks(6)}));
    data.AreaUsed[1] = data.AreaUsed[3] = data.AreaUsed[4] = false;
    EXPECT_EQ(BuildTextReport(data).size(), 16u);  // area 20 alone is listed as well
}

TEST(TextReport, ResultsFollowTheLastComputationUntilTheResultantIsZero)
{
    ProjectData data = TwoAreaExample();
    ComputeOnScreen(data);
    const Lines results = {"  ",
                           "  ",
                           "R E S U L T S",
                           "  ",
                           "ALL FORCES  ",
                           "  ",
                           "Center of gravity",
                           "  Xc (m)   Yc (m)    force (kN)   angle (\xB0)",
                           std::string(43, '-'),
                           "    1.00    1.00       40.00       270.00",
                           "    5.00    0.50       40.00         0.00",
                           "  ",
                           "  ",
                           "Resultant force   56.57 kN",
                           "Angle of resultant force   315.00\xB0",
                           "Resultant Xc =     1.00 m",
                           "Resultant Yc =     0.50 m"};
    Lines lines = BuildTextReport(data);
    ASSERT_EQ(lines.size(), kHead.size() + 7 + results.size());
    EXPECT_EQ(From(lines, kHead.size() + 7), results);

    // An edit or a new project leaves the last figures in the report.
    data.Computed = false;
    ProjectReset(data);
    EXPECT_EQ(From(BuildTextReport(data), 10), results);
    data.ResultantForce = 0;
    EXPECT_EQ(BuildTextReport(data), kHead);
}

TEST(TextReport, BaseJointSectionAfterTheResultantLines)
{
    ProjectData data = WallOnItsJoint();
    ComputeOnScreen(data);
    const Lines lines = BuildTextReport(data);
    ASSERT_EQ(lines[lines.size() - 21], "Resultant Yc =     1.50 m");
    EXPECT_EQ(From(lines, lines.size() - 20), (Lines{"  ",
                                                     "  ",
                                                     "BASE JOINT",
                                                     "  ",
                                                     "A (x, y)        =     0.00    0.00 m",
                                                     "B (x, y)        =     4.00    0.00 m",
                                                     "S (x, y)        =     1.53    0.00 m",
                                                     "Bw              =     4.00 m",
                                                     "s               =     1.53 m",
                                                     "e               =    -0.47 m",
                                                     "Bw/6            =     0.67 m",
                                                     "N               =    96.00 kN/m",
                                                     "T               =   -30.00 kN/m",
                                                     "sigmaA          =    40.88 kN/m2",
                                                     "sigmaB          =     7.12 kN/m2",
                                                     "mu              =    0.500",
                                                     "utilisation     =    0.625",
                                                     "  ",
                                                     "Verdict: within the middle third",
                                                     "Sliding: safe"}));
    // A joint along the line of action has that sentence only; an edit of the joint since the
    // computation leaves the section out.
    data.Joint = {true, 2, 1.5, 1.6875, 0.5, 0.5};
    EXPECT_EQ(From(BuildTextReport(data), lines.size() - 20),
              (Lines{"  ", "  ", "BASE JOINT", "  ", "Verdict: the line of action runs parallel to the base joint"}));
    data.Computed = false;
    EXPECT_EQ(BuildTextReport(data).size(), lines.size() - 20);
}

}  // namespace
}  // namespace kalven::testing
