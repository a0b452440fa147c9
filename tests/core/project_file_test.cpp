#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <climits>
#include <cmath>

#include <sys/stat.h>

#include "core/config_file.h"
#include "core/file_names.h"
#include "core/project_file.h"
#include "core/text_file.h"
#include "core/text_format.h"
#include "core/text_reader.h"
#include "support/comma_locale.h"
#include "support/file_bytes.h"
#include "support/working_folder.h"

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

ProjectData load(const char* name, bool* endedEarly = nullptr)
{
    return ReadProjectFile(fixture(name), emptyProject(), endedEarly);
}

TEST(ProjectFileWriter, WritesVerticesOfUsedAreasOnlyAndKeepsEveryTextOnItsLine)
{
    EXPECT_EQ(FormatProjectFile(emptyProject()), fixture("empty_project.klv"));
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
    EXPECT_TRUE(
        written.starts_with("Wall  split\r\n25\r\n0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n3\r\n0\r\n0\r\n1\r\n0\r\n"));
    EXPECT_TRUE(written.ends_with("\r\na b\r\n 1.25000000000000E+0001\r\n-5.00000000000000E-0002\r\n"));
}

TEST(ProjectFileRoundTrip, TextsIntegersAndRealsOfEveryMagnitudeComeBackTo15SignificantDigits)
{
    const testing::CommaLocale comma;
    ProjectData saved = emptyProject();
    saved.Title = "\xA0 Wall \xFF~";
    saved.AreaLength = 10000;
    saved.AreaUsed[20] = true;
    saved.VertexCount[20] = kVertexCapacity;
    for (int v = 1; v <= kVertexCapacity; ++v) {
        saved.VertexX[v][20] = (v % 2 ? -1 : 1) * (1 + v / 7.0) * std::pow(10.0, 14 * v - 300);
        saved.VertexY[v][20] = 1.0 / v;
    }
    saved.LoadAreaData[19] = {INT_MIN, -0.1, 1.234e308, "\xB0 26 characters of text \xE4"};
    const ProjectData read = ReadProjectFile(FormatProjectFile(saved), emptyProject());
    EXPECT_TRUE(read.Title == saved.Title && read.AreaUsed == saved.AreaUsed && read.VertexCount == saved.VertexCount &&
                read.AreaLength == 10000);
    const auto same15Digits = [](double read, double written) {
        return Real23(read) == Real23(written) && std::fabs(read - written) <= std::fabs(written) * 5.1e-15;
    };
    const LoadAreaData &r = read.LoadAreaData[19], &s = saved.LoadAreaData[19];
    EXPECT_TRUE(r.Multiplier == INT_MIN && r.Text == s.Text && same15Digits(r.Alpha, s.Alpha) &&
                same15Digits(r.ShiftX, s.ShiftX));
    for (int v = 1; v <= kVertexCapacity; ++v)
        EXPECT_TRUE(same15Digits(read.VertexX[v][20], saved.VertexX[v][20]) &&
                    same15Digits(read.VertexY[v][20], saved.VertexY[v][20]))
            << v;
}

TEST(ProjectFileRoundTrip, TheBaseJointFollowsTheVerticesAndOnlyWhenSet)
{
    ProjectData saved = load("used_area_with_no_vertices.klv");
    const std::string without = FormatProjectFile(saved);
    saved.Joint = {false, 1, 2, 3, 4, 0.7};  // not set: not written, whatever it holds
    EXPECT_EQ(FormatProjectFile(saved), without);
    saved.Joint = {true, 0, 0, 4.25, -1e-3, 0.55};
    const std::string with = FormatProjectFile(saved);
    EXPECT_EQ(with, without + "BASE JOINT\r\n 0.00000000000000E+0000\r\n 0.00000000000000E+0000\r\n"
                              " 4.25000000000000E+0000\r\n-1.00000000000000E-0003\r\n 5.50000000000000E-0001\r\n");
    bool endedEarly = true;
    EXPECT_EQ(ReadProjectFile(with, emptyProject(), &endedEarly).Joint, saved.Joint);
    EXPECT_FALSE(endedEarly);
    // Other lines after the vertices stay unread, as before.
    EXPECT_FALSE(ReadProjectFile(without + "BASE JOINT \r\n1\r\n", emptyProject()).Joint.Set);
}

TEST(ProjectFileReader, OtherNotationsLongTextsFlagsCountsAndEarlyEnds)
{
    const testing::CommaLocale comma;
    const ProjectData read = load("other_notations.klv");  // tabs and bare line feeds
    // 7 m: no length the length dialog offers, loaded as it stands.
    EXPECT_EQ(std::tuple(read.Title, read.AreaLength, read.AreaUsed[3]),
              std::tuple("  Wall in other notations", 7, true));
    EXPECT_EQ(read.LoadAreaData[3], (LoadAreaData{-3, 12.5, 12.5, "  two leading blanks"}));
    EXPECT_EQ(read.LoadAreaData[4], (LoadAreaData{7, -0.05, 0.5, ""}));
    EXPECT_EQ(read.LoadAreaData[20], LoadAreaData{});
    ASSERT_EQ(read.VertexCount[3], 4);
    const double xy[4][2] = {{1.5, 2}, {-3, 0.01}, {4.25, 12.5}, {1.5, 2}};
    for (int v = 1; v <= 4; ++v)
        EXPECT_TRUE(read.VertexX[v][3] == xy[v - 1][0] && read.VertexY[v][3] == xy[v - 1][1]) << v;

    EXPECT_EQ(load("title_of_50_characters.klv").Title, "Retaining wall, section A-A, slope 30\xB0, ");
    EXPECT_EQ(load("area_text_of_30_characters.klv").LoadAreaData[3].Text, "Backfill of gravel, wet, 2");
    // Area 1 is flagged "2": not used, so the vertex lines written for it become area 2's vertex.
    const ProjectData flag2 = load("flag_2_reads_vertex_lines_as_following_values.klv");
    EXPECT_TRUE(!flag2.AreaUsed[1] && flag2.VertexX[1][1] == 0 && flag2.VertexX[1][2] == 1 && flag2.VertexY[1][2] == 2);
    bool endedEarly = true;
    const ProjectData noVertices = load("used_area_with_no_vertices.klv", &endedEarly);
    EXPECT_TRUE(noVertices.AreaUsed[5] && noVertices.VertexCount[5] == 0 && !endedEarly);
    // The file stops after area 2's alpha: numbers read as 0, texts as empty, and the reader says so.
    const ProjectData early = load("file_ending_early.klv", &endedEarly);
    EXPECT_TRUE(endedEarly && early.AreaLength == 40 && (early.LoadAreaData[20] == LoadAreaData{0, 0, 0, ""}));
    EXPECT_EQ(early.LoadAreaData[1], (LoadAreaData{25, 45, 12, "first"}));
    EXPECT_EQ(early.LoadAreaData[2], (LoadAreaData{0, 180, 0, ""}));
    EXPECT_TRUE(early.AreaUsed[1] && early.VertexCount[1] == 3 && early.VertexX[3][1] == 0);
}

TEST(ProjectFileReader, RefusesImpossibleCountsAndLengthsAndMalformedNumbers)
{
    // 257 would wrap to 1 in eight bits; 43 is beyond the storage of an area. A base joint's tag
    // follows an empty project on line 123.
    const std::string joint = fixture("empty_project.klv") + "BASE JOINT\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {fixture("vertex_count_43.klv"), "load area  2 has 43 vertices, possible are 0 to 42"},
        {fixture("vertex_count_257.klv"), "load area  2 has 257 vertices, possible are 0 to 42"},
        {"T\r\n25\r\n0\r\n-1\r\n", "load area  1 has -1 vertices, possible are 0 to 42"},
        {fixture("area_length_0.klv"), "area length 0 m, possible are 1 to 10000 m"},
        {fixture("area_length_20000.klv"), "area length 20000 m, possible are 1 to 10000 m"},
        {"Only a title\r\n", "area length 0 m, possible are 1 to 10000 m"},  // a missing length reads as 0
        {joint + "1\r\n2\r\n3\r\n4\r\n", "the base joint ends early, it needs x1, y1, x2, y2 and mu"},
        {joint + "1\r\n2\r\n1.000000000000001\r\n2\r\n0.5\r\n", "the base joint starts and ends in the same point"},
        {joint + "1\r\n2\r\n3\r\n4\r\n0\r\n", "the base joint's friction coefficient is not greater than 0"},
        {joint + "1\r\n2\r\n3\r\n4\r\n-0.5\r\n", "the base joint's friction coefficient is not greater than 0"},
    };
    for (const auto& [bytes, refused] : cases)
        EXPECT_THAT([&] { ReadProjectFile(bytes, emptyProject()); },
                    ::testing::ThrowsMessage<InvalidProjectFile>("Invalid project file: " + refused));
    EXPECT_NO_THROW(ReadProjectFile("T\r\n1\r\n", emptyProject()));
    EXPECT_NO_THROW(ReadProjectFile("T\r\n10000\r\n", emptyProject()));
    const std::pair<std::string, std::string> malformed[] = {
        {fixture("malformed_number.klv"), "56: \"3O\""},
        {joint + "1\r\n2\r\n3\r\n4x\r\n0.5\r\n", "127: \"4x\""},
        {joint + "1\r\n2\r\n3\r\n1e999\r\n0.5\r\n", "127: \"1e999\""},
    };
    for (const auto& [bytes, refused] : malformed)
        EXPECT_THAT([&] { ReadProjectFile(bytes, emptyProject()); },
                    ::testing::ThrowsMessage<InvalidNumericInput>("Invalid numeric input in line " + refused));
}

TEST(ConfigurationFile, TheFolderAndEightColoursAsSignedIntegersBothWays)
{
    const std::string text =
        "C:\\Projects\\Walls with blanks\r\n-2147483643\r\n12632256\r\n8421504\r\n0\r\n12124345\r\n"
        "8421376\r\n128\r\n10485760\r\n";
    const Configuration config = ParseConfiguration(text);
    EXPECT_EQ(config.InitialDir, "C:\\Projects\\Walls with blanks");
    EXPECT_EQ(config.Colors, DefaultColors());
    EXPECT_EQ(FormatConfiguration(config.InitialDir + "\nsecond line", config.Colors), text);
    // Missing values at the end are empty and black.
    const Configuration onlyFolder = ParseConfiguration("/home/engineer\r\n");
    EXPECT_EQ(onlyFolder.InitialDir, "/home/engineer");
    EXPECT_EQ(onlyFolder.Colors, ColorTable{});
    EXPECT_EQ(ParseConfiguration("").InitialDir, "");
    EXPECT_THROW(ParseConfiguration("dir\r\n-2147483643\r\nlight grey\r\n"), InvalidNumericInput);
    EXPECT_THROW(ParseConfiguration("dir\r\n4294967295\r\n"), InvalidNumericInput);  // beyond 32-bit signed
}

TEST(ProjectReset, EmptiesTheProjectSetsFiveCentimetreRoundingAndKeepsTheRest)
{
    ProjectData data;
    data.AreaLength = 70;
    data.ColorSettings[kBackground] = 0x00123456;
    data.InitialDir = "/home/engineer/walls";
    data.Title = "Retaining wall";
    data.AreaUsed[20] = true;
    data.VertexCount[20] = 41;
    data.VertexX[41][3] = 12.5;
    data.VertexY[42][20] = 7;
    data.LoadAreaData[20] = {18, 270, 6, "Soil"};
    data.CursorX = data.CursorY = 1.25;
    data.CurrentArea = 3;
    data.Idle = false;
    data.Computed = data.PolygonStarted = true;
    data.InputMode = 6;
    data.ValidationMessage = " Resultant is outside the desktop !";
    data.ResultCount = 1;
    data.ResultantForce = 56.57;
    ProjectReset(data);
    ProjectData fresh;
    fresh.AreaLength = 70;
    fresh.UnshiftedCentroidX.fill(3.0);
    EXPECT_TRUE(SameProjectContent(data, fresh) && data.UnshiftedCentroidX == fresh.UnshiftedCentroidX);
    EXPECT_EQ(std::tuple(data.CursorX, data.CursorY, data.CurrentArea, data.Idle, data.Computed, data.Rounding),
              std::tuple(0.0, 0.0, 1, true, false, 1));
    // Kept: the settings, the input state, the message and the last results.
    EXPECT_EQ(
        std::tuple(data.ColorSettings[kBackground], data.InitialDir, data.InputMode, data.PolygonStarted,
                   data.ValidationMessage, data.ResultCount, data.ResultantForce),
        std::tuple(0x00123456u, "/home/engineer/walls", 6, true, " Resultant is outside the desktop !", 1, 56.57));
}

TEST(Tables, CountedStringsAreCutOnEveryAssignmentAndIndicesRunFromOne)
{
    ProjectData data;
    data.Title = std::string(45, 'T');
    data.LoadAreaData[1].Text = "Thirty characters of soil text";
    EXPECT_EQ(std::pair(data.Title.size(), std::string(data.LoadAreaData[1].Text)),
              std::pair(40ul, std::string("Thirty characters of soil ")));
    EXPECT_NO_THROW(data.VertexX[42][20] = 1);  // the last vertex of the last area exists
    EXPECT_THROW(data.VertexX[43][1], std::out_of_range);
    EXPECT_THROW(data.VertexX[1][21], std::out_of_range);
    EXPECT_THROW(data.AreaUsed[0], std::out_of_range);
}

// The limit is the largest size read; a file whose size the system does not know in advance
// (/proc) is read in steps and stopped one byte past the limit.
TEST(TextFiles, ReadUpToTheLimitAndWrittenThroughALink)
{
    testing::WorkingFolder folder(testing::WorkingFolder::Config::None);
    folder.write(QStringLiteral("ten"), "0123456789");
    const QString ten = folder.file(QStringLiteral("ten"));
    EXPECT_EQ(ReadBoundedFile(ten, 10).bytes, "0123456789");
    EXPECT_EQ(ReadBoundedFile(ten, 9).failure, ReadFailure::TooLarge);
    const QString proc = QStringLiteral("/proc/self/status");
    EXPECT_EQ(ReadBoundedFile(proc, 10).failure, ReadFailure::TooLarge);
    EXPECT_TRUE(ReadBoundedFile(proc, 1 << 20).bytes.value_or("").starts_with("Name:"));
    EXPECT_EQ(ReadBoundedFile(folder.path(), 1 << 20).failure, ReadFailure::NotRegularFile);
    EXPECT_EQ(ReadBoundedFile(folder.file(QStringLiteral("none")), 1).failure, ReadFailure::NotOpened);
    EXPECT_EQ(FileInFolder("/a", "b") + FileInFolder("/a/", "b") + FileInFolder("", "b"), "/a/b/a/bb");
    // Written through a link, the linked file gets the bytes and keeps its mode; the link stays a link.
    ASSERT_EQ(::chmod(FileNameBytes(ten).c_str(), 0640), 0);
    const QString link = folder.file(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(ten, link));
    EXPECT_EQ(WriteWholeFile(FileNameBytes(link), "new"), WriteResult::Written);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBoundedFile(ten, 10).bytes, "new");
    struct stat status {};
    EXPECT_TRUE(::stat(FileNameBytes(ten).c_str(), &status) == 0 && (status.st_mode & 07777) == 0640);
}

}  // namespace
}  // namespace kalven
