#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/project_file.h"
#include "core/text_format.h"
#include "core/text_reader.h"
#include "support/comma_locale.h"
#include "support/file_bytes.h"

namespace kalven {
namespace {

std::string fixture(const char* name)
{
    return testing::FileBytes(QStringLiteral(KALVEN_TEST_DATA "/") + QLatin1String(name));
}

ProjectData emptyProject()
{
    ProjectData data;
    ProjectReset(data);
    return data;
}

ProjectData load(const char* name)
{
    return ReadProjectFile(fixture(name), emptyProject());
}

TEST(ProjectFileWriter, EmptyProjectIsTheFixtureByteForByte)
{
    EXPECT_EQ(FormatProjectFile(emptyProject()), fixture("empty_project.klv"));
}

TEST(ProjectFileWriter, WritesVerticesOfUsedAreasOnlyAndKeepsEveryTextOnItsLine)
{
    ProjectData data = emptyProject();
    data.Title = "Wall\r\nsplit";
    data.AreaUsed[2] = true;
    data.VertexCount[2] = 1;
    data.VertexX[1][2] = 12.5;
    data.VertexY[1][2] = -0.05;
    data.VertexCount[4] = 3;  // counted, not used: no vertex lines
    data.AreaUsed[6] = true;  // used, no vertices: no vertex lines
    data.LoadAreaData[20].Text = "a\nb";
    const std::string written = FormatProjectFile(data);
    EXPECT_TRUE(written.starts_with("Wall  split\r\n25\r\n"
                                    "0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n3\r\n0\r\n0\r\n1\r\n0\r\n"));
    EXPECT_TRUE(written.ends_with("\r\na b\r\n 1.25000000000000E+0001\r\n-5.00000000000000E-0002\r\n"));
}

std::string randomText(std::mt19937& random, std::size_t maxLength)
{
    std::string text(std::uniform_int_distribution<std::size_t>(0, maxLength)(random), ' ');
    for (char& c : text) {
        const int b = std::uniform_int_distribution<int>(0x20, 0x7E + 96)(random);  // ASCII and 0xA0..0xFF
        c = static_cast<char>(b <= 0x7E ? b : b - 0x7F + 0xA0);
    }
    return text;
}

double randomReal(std::mt19937& random)
{
    const double mantissa = std::uniform_real_distribution<double>(-10, 10)(random);
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0:
        return 0.0;
    case 1:
        return std::round(mantissa * 1000) / 100;  // picked to the centimetre
    case 2:
        return mantissa * 1000;
    default:
        return mantissa * std::pow(10.0, std::uniform_int_distribution<int>(-300, 300)(random));
    }
}

bool same15Digits(double read, double written)
{
    return Real23(read) == Real23(written) && std::fabs(read - written) <= std::fabs(written) * 5.1e-15;
}

TEST(ProjectFileRoundTrip, RandomProjectsComeBackTo15SignificantDigits)
{
    const testing::CommaLocale comma;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::int32_t> anyInt(std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max());
    for (int project = 0; project < 100; ++project) {
        ProjectData saved = emptyProject();
        saved.Title = randomText(random, 40);
        saved.AreaLength = std::uniform_int_distribution<std::int32_t>(1, 10000)(random);
        for (int a = 1; a <= kAreaCount; ++a) {
            saved.AreaUsed[a] = std::bernoulli_distribution(0.6)(random);
            saved.VertexCount[a] = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 42)(random));
            for (int v = 1; saved.AreaUsed[a] && v <= saved.VertexCount[a]; ++v) {
                saved.VertexX[v][a] = randomReal(random);
                saved.VertexY[v][a] = randomReal(random);
            }
            saved.LoadAreaData[a] = {anyInt(random), randomReal(random), randomReal(random),
                                     AreaText(randomText(random, 26))};
        }
        const ProjectData read = ReadProjectFile(FormatProjectFile(saved), emptyProject());
        ASSERT_EQ(read.Title, saved.Title);
        ASSERT_EQ(read.AreaLength, saved.AreaLength);
        ASSERT_EQ(read.AreaUsed, saved.AreaUsed);
        ASSERT_EQ(read.VertexCount, saved.VertexCount);
        for (int a = 1; a <= kAreaCount; ++a) {
            const LoadAreaData& r = read.LoadAreaData[a];
            const LoadAreaData& s = saved.LoadAreaData[a];
            ASSERT_EQ(r.Multiplier, s.Multiplier);
            ASSERT_EQ(r.Text, s.Text);
            ASSERT_TRUE(same15Digits(r.Alpha, s.Alpha) && same15Digits(r.ShiftX, s.ShiftX)) << project;
            for (int v = 1; v <= kVertexCapacity; ++v)
                ASSERT_TRUE(same15Digits(read.VertexX[v][a], saved.VertexX[v][a]) &&
                            same15Digits(read.VertexY[v][a], saved.VertexY[v][a]))
                    << project << " area " << a << " vertex " << v;
        }
    }
}

TEST(ProjectFileReader, ReadsOtherNotationsTabsAndBareLineFeeds)
{
    const testing::CommaLocale comma;
    const ProjectData read = load("other_notations.klv");
    EXPECT_EQ(read.Title, "  Wall in other notations");
    EXPECT_EQ(read.AreaLength, 7);  // no length the length dialog offers, loaded as it stands
    EXPECT_TRUE(read.AreaUsed[3]);
    EXPECT_EQ(read.LoadAreaData[3], (LoadAreaData{-3, 12.5, 12.5, "  two leading blanks"}));
    EXPECT_EQ(read.LoadAreaData[4], (LoadAreaData{7, -0.05, 0.5, ""}));
    EXPECT_EQ(read.LoadAreaData[20], LoadAreaData{});
    ASSERT_EQ(read.VertexCount[3], 4);
    const double xy[4][2] = {{1.5, 2}, {-3, 0.01}, {4.25, 12.5}, {1.5, 2}};
    for (int v = 1; v <= 4; ++v)
        EXPECT_TRUE(read.VertexX[v][3] == xy[v - 1][0] && read.VertexY[v][3] == xy[v - 1][1]) << v;
}

TEST(ProjectFileReader, CutsLongTextsAndReadsFlagsCountsAndEarlyEnds)
{
    EXPECT_EQ(load("title_of_50_characters.klv").Title, "Retaining wall, section A-A, slope 30\xB0, ");
    EXPECT_EQ(load("area_text_of_30_characters.klv").LoadAreaData[3].Text, "Backfill of gravel, wet, 2");

    // Area 1 is flagged "2": not used, so the vertex lines written for it become area 2's vertex.
    const ProjectData flag2 = load("flag_2_reads_vertex_lines_as_following_values.klv");
    EXPECT_FALSE(flag2.AreaUsed[1]);
    EXPECT_EQ(flag2.VertexX[1][1], 0);
    EXPECT_TRUE(flag2.VertexX[1][2] == 1 && flag2.VertexY[1][2] == 2);

    const ProjectData noVertices = load("used_area_with_no_vertices.klv");
    EXPECT_TRUE(noVertices.AreaUsed[5] && noVertices.VertexCount[5] == 0);

    // The file stops after area 2's alpha: numbers read as 0, texts as empty, and the reader says so.
    bool endedEarly = false;
    const ProjectData early = ReadProjectFile(fixture("file_ending_early.klv"), emptyProject(), &endedEarly);
    EXPECT_TRUE(endedEarly);
    ReadProjectFile(fixture("used_area_with_no_vertices.klv"), emptyProject(), &endedEarly);
    EXPECT_FALSE(endedEarly);
    EXPECT_EQ(early.AreaLength, 40);
    EXPECT_EQ(early.LoadAreaData[1], (LoadAreaData{25, 45, 12, "first"}));
    EXPECT_EQ(early.LoadAreaData[2], (LoadAreaData{0, 180, 0, ""}));
    EXPECT_EQ(early.LoadAreaData[20], (LoadAreaData{0, 0, 0, ""}));
    EXPECT_TRUE(early.AreaUsed[1] && early.VertexCount[1] == 3 && early.VertexX[3][1] == 0);
}

TEST(ProjectFileReader, RefusesImpossibleCountsAndLengthsAndMalformedNumbers)
{
    const auto refusal = [](const std::string& bytes) -> std::string {
        try {
            ReadProjectFile(bytes, emptyProject());
        } catch (const InvalidProjectFile& error) {
            return error.what();
        }
        return "accepted";
    };
    // 257 would wrap to 1 in eight bits; 43 is beyond the storage of an area.
    EXPECT_EQ(refusal(fixture("vertex_count_43.klv")),
              "Invalid project file: load area  2 has 43 vertices, possible are 0 to 42");
    EXPECT_EQ(refusal(fixture("vertex_count_257.klv")),
              "Invalid project file: load area  2 has 257 vertices, possible are 0 to 42");
    EXPECT_EQ(refusal("T\r\n25\r\n0\r\n-1\r\n"),
              "Invalid project file: load area  1 has -1 vertices, possible are 0 to 42");
    EXPECT_EQ(refusal(fixture("area_length_0.klv")),
              "Invalid project file: area length 0 m, possible are 1 to 10000 m");
    EXPECT_EQ(refusal(fixture("area_length_20000.klv")),
              "Invalid project file: area length 20000 m, possible are 1 to 10000 m");
    EXPECT_NE(refusal("Only a title\r\n"), "accepted");  // a missing length reads as 0
    EXPECT_EQ(refusal("T\r\n1\r\n"), "accepted");
    EXPECT_EQ(refusal("T\r\n10000\r\n"), "accepted");
    try {
        load("malformed_number.klv");
        ADD_FAILURE() << "accepted";
    } catch (const InvalidNumericInput& error) {
        EXPECT_STREQ(error.what(), "Invalid numeric input in line 56: \"3O\"");
    }
}

}  // namespace
}  // namespace kalven
