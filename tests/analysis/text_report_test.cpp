#include "analysis/text_report.h"

#include <gtest/gtest.h>

#include "support/load_area_fixture.h"
#include "support/screen_computation.h"

namespace kalven::testing {
namespace {

std::string Blanks(int n)
{
    return std::string(static_cast<std::size_t>(n), ' ');
}

const std::vector<std::string> kHead = {
    "  ", "  ", "  ", "K A L V E N   Resultant Of General Force System             KALVEN devs ",
    std::string(72, '='), "  ", "Text", "  ", "  ", "I N P U T   D A T A  ",
};

TEST(TextReport, HeaderPutsTheTitleAtCharacter164AndTheMarginGoesInFrontOfEveryLine)
{
    const auto lines = BuildTextReport(ProjectData{});
    EXPECT_EQ(lines, kHead);
    EXPECT_EQ(lines[3].size(), 72u);
    EXPECT_EQ(ReportLineStart(lines, kReportTitleLine), 164);
    EXPECT_EQ(WithLeftMargin(lines, 0), lines);
    const auto wide = WithLeftMargin(lines, 30);
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(wide[k], Blanks(30) + lines[k]);
}

TEST(TextReport, AreaLineColumns)
{
    ProjectData data;
    data.AreaUsed[1] = true;  // the default row
    data.AreaUsed[3] = true;
    data.LoadAreaData[3] = {18, 270.0, 0.0, "Soil"};
    data.AreaUsed[4] = true;
    data.LoadAreaData[4] = {5, 5.0, 45.0, "abcdefghijklmnopqrstuvwxyz"};
    data.AreaUsed[20] = true;
    data.LoadAreaData[20] = {150, 45.0, 12.25, ""};
    const auto lines = BuildTextReport(data);
    const std::vector<std::string> section = {
        "  ",
        "LOAD AREAS",
        "  ",
        "No. Name                      multiplier  alpha (\xB0)   Xc (m)",
        std::string(59, '-'),
        " 1" + Blanks(31) + "30" + Blanks(7) + "180.0" + Blanks(5) + "  0.0" + Blanks(6),
        " 3  Soil" + Blanks(25) + "18" + Blanks(7) + "270.0" + Blanks(5) + "  0.0" + Blanks(6),
        // Multiplier 5 as "  5", alpha 5 as "  5.0", shift 45 as " 45.0".
        " 4  abcdefghijklmnopqrstuvwxyz   5" + Blanks(7) + "  5.0" + Blanks(5) + " 45.0" + Blanks(6),
        // 150 ends one column right of a two-digit multiplier; 12.25 rounds half to even.
        "20" + Blanks(29) + "150" + Blanks(7) + " 45.0" + Blanks(5) + " 12.2" + Blanks(6),
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.end()), section);
    EXPECT_EQ(section[6].size(), 63u);
}

TEST(TextReport, ResultsFollowTheLastComputationUntilTheResultantIsZero)
{
    ProjectData data = TwoAreaExample();
    ComputeOnScreen(data);
    const std::vector<std::string> results = {
        "  ",
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
        "Resultant Yc =     0.50 m",
    };
    auto lines = BuildTextReport(data);
    ASSERT_EQ(lines.size(), kHead.size() + 7 + results.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<std::ptrdiff_t>(results.size()), lines.end()),
              results);

    // An edit or a new project leaves the last figures in the report.
    data.Computed = false;
    ProjectReset(data);
    lines = BuildTextReport(data);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.end()), results);

    data.ResultantForce = 0;
    EXPECT_EQ(BuildTextReport(data), kHead);
}

}  // namespace
}  // namespace kalven::testing
