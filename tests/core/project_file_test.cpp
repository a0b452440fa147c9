#include <gtest/gtest.h>

#include <QFile>
#include <clocale>
#include <cmath>
#include <random>
#include <string>

#include "core/project_file.h"
#include "core/text_format.h"
#include "core/text_reader.h"

namespace kalven {
namespace {

std::string fixture(const char* name)
{
    QFile file(QStringLiteral(KALVEN_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << name;
        return {};
    }
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
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

std::size_t lineCount(const std::string& text)
{
    std::size_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++n;
    return n;
}

// Text keeps working under a comma-decimal locale, where the C library would write "12,5".
class CommaLocale {
public:
    CommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) { active_ = std::setlocale(LC_ALL, "de_DE.UTF-8"); }
    ~CommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
    bool active_ = false;
};

TEST(ProjectFileWriter, EmptyProjectIsTheFixtureByteForByte)
{
    const std::string written = FormatProjectFile(emptyProject());
    EXPECT_EQ(lineCount(written), 122u);
    EXPECT_EQ(written, fixture("empty_project.klv"));
}

TEST(ProjectFileWriter, WritesVerticesOfUsedAreasOnlyAndKeepsEveryTextOnItsLine)
{
    ProjectData data = emptyProject();
    data.AreaLength = 70;
    data.Title = "Wall\r\nsplit";
    data.AreaUsed[2] = true;
    data.VertexCount[2] = 2;
    data.VertexX[1][2] = 12.5;
    data.VertexY[1][2] = -0.05;
    data.VertexX[2][2] = 0;
    data.VertexY[2][2] = 180;
    data.VertexCount[4] = 3;  // counted but not used: no vertex lines
    data.VertexX[1][4] = 9;
    data.AreaUsed[6] = true;  // used without vertices: no vertex lines
    data.LoadAreaData[20].Multiplier = -2147483647 - 1;
    data.LoadAreaData[20].Text = "a\nb";

    const std::string written = FormatProjectFile(data);
    ASSERT_EQ(lineCount(written), 122u + 4u);
    EXPECT_TRUE(written.starts_with("Wall  split\r\n70\r\n"));
    EXPECT_NE(written.find("\r\n1\r\n2\r\n0\r\n0\r\n0\r\n3\r\n0\r\n0\r\n1\r\n0\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\n-2147483648\r\n 0.00000000000000E+0000\r\na b\r\n"), std::string::npos);
    const std::string vertexBlock = " 1.25000000000000E+0001\r\n-5.00000000000000E-0002\r\n"
                                    " 0.00000000000000E+0000\r\n 1.80000000000000E+0002\r\n";
    EXPECT_EQ(written.substr(written.size() - vertexBlock.size()), vertexBlock);
}

std::string randomText(std::mt19937& random, std::size_t maxLength)
{
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0x20, 0x7E + 96);  // printable ASCII and 0xA0..0xFF
    std::string text(length(random), ' ');
    for (char& c : text) {
        const int b = byte(random);
        c = static_cast<char>(b <= 0x7E ? b : b - 0x7F + 0xA0);
    }
    return text;
}

double randomReal(std::mt19937& random)
{
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-300, 300);
    switch (kind(random)) {
    case 0:
        return 0.0;
    case 1:
        return std::round(mantissa(random) * 1000) / 100;  // picked to the centimetre
    case 2:
        return mantissa(random) * 1000;
    default:
        return mantissa(random) * std::pow(10.0, exponent(random));
    }
}

// Rounded to 15 significant digits: the same written form, and no further off than the rounding.
bool same15Digits(double read, double written)
{
    return Real23(read) == Real23(written) && std::fabs(read - written) <= std::fabs(written) * 5.1e-15;
}

TEST(ProjectFileRoundTrip, RandomProjectsComeBackTo15SignificantDigits)
{
    CommaLocale comma;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::int32_t> length(kMinFileAreaLength, kMaxFileAreaLength);
    std::uniform_int_distribution<std::int32_t> multiplier(std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max());
    std::uniform_int_distribution<int> count(0, kVertexCapacity);
    std::bernoulli_distribution used(0.6);
    for (int project = 0; project < 100; ++project) {
        ProjectData saved = emptyProject();
        saved.Title = randomText(random, 40);
        saved.AreaLength = length(random);
        for (int a = 1; a <= kAreaCount; ++a) {
            saved.AreaUsed[a] = used(random);
            saved.VertexCount[a] = static_cast<std::uint8_t>(count(random));
            for (int v = 1; saved.AreaUsed[a] && v <= saved.VertexCount[a]; ++v) {
                saved.VertexX[v][a] = randomReal(random);
                saved.VertexY[v][a] = randomReal(random);
            }
            saved.LoadAreaData[a] = {multiplier(random), randomReal(random), randomReal(random),
                                     AreaText(randomText(random, 26))};
        }
        const ProjectData read = ReadProjectFile(FormatProjectFile(saved), emptyProject());

        const std::string tag = "project " + std::to_string(project);
        EXPECT_EQ(read.Title, saved.Title) << tag;
        EXPECT_EQ(read.AreaLength, saved.AreaLength) << tag;
        EXPECT_EQ(read.AreaUsed, saved.AreaUsed) << tag;
        EXPECT_EQ(read.VertexCount, saved.VertexCount) << tag;
        for (int a = 1; a <= kAreaCount; ++a) {
            EXPECT_EQ(read.LoadAreaData[a].Multiplier, saved.LoadAreaData[a].Multiplier) << tag;
            EXPECT_EQ(read.LoadAreaData[a].Text, saved.LoadAreaData[a].Text) << tag;
            EXPECT_TRUE(same15Digits(read.LoadAreaData[a].Alpha, saved.LoadAreaData[a].Alpha)) << tag;
            EXPECT_TRUE(same15Digits(read.LoadAreaData[a].ShiftX, saved.LoadAreaData[a].ShiftX)) << tag;
            for (int v = 1; v <= kVertexCapacity; ++v) {
                EXPECT_TRUE(same15Digits(read.VertexX[v][a], saved.VertexX[v][a])) << tag << " vertex " << v;
                EXPECT_TRUE(same15Digits(read.VertexY[v][a], saved.VertexY[v][a])) << tag << " vertex " << v;
            }
        }
    }
}

TEST(ProjectFileReader, StartsFromTheResetOfTheCurrentProject)
{
    ProjectData current = emptyProject();
    current.Rounding = 0;
    current.Computed = true;
    current.Title = "Old";
    current.AreaUsed[9] = true;
    current.VertexCount[9] = 5;
    current.VertexX[3][9] = 4;
    current.ColorSettings[kRasterDark] = 0x00123456;
    current.InitialDir = "/srv/walls";
    current.ResultantForce = 123.5;
    const ProjectData before = current;

    const ProjectData read = ReadProjectFile(fixture("empty_project.klv"), current);
    EXPECT_TRUE(SameProjectContent(read, emptyProject()));
    EXPECT_EQ(read.Rounding, 1);
    EXPECT_FALSE(read.Computed);
    EXPECT_EQ(read.ColorSettings[kRasterDark], 0x00123456u);
    EXPECT_EQ(read.InitialDir, "/srv/walls");
    EXPECT_EQ(read.ResultantForce, 123.5);
    EXPECT_TRUE(SameProjectContent(current, before));
    EXPECT_TRUE(current.Computed);
}

TEST(ProjectFileReader, ReadsOtherNotationsTabsAndBareLineFeeds)
{
    CommaLocale comma;
    const ProjectData read = load("other_notations.klv");
    EXPECT_EQ(read.Title, "  Wall in other notations");
    EXPECT_EQ(read.AreaLength, 7);  // not a length the length dialog offers, loaded as it stands
    EXPECT_TRUE(read.AreaUsed[3]);
    EXPECT_EQ(read.VertexCount[3], 4);
    const LoadAreaData& third = read.LoadAreaData[3];
    EXPECT_EQ(third.Alpha, 12.5);
    EXPECT_EQ(third.Multiplier, -3);
    EXPECT_EQ(third.ShiftX, 12.5);
    EXPECT_EQ(third.Text, "  two leading blanks");
    const LoadAreaData& fourth = read.LoadAreaData[4];
    EXPECT_EQ(fourth.Alpha, -0.05);
    EXPECT_EQ(fourth.Multiplier, 7);
    EXPECT_EQ(fourth.ShiftX, 0.5);
    EXPECT_EQ(fourth.Text, "");
    EXPECT_EQ(read.LoadAreaData[20], LoadAreaData{});
    const double x[] = {1.5, -3, 4.25, 1.5};
    const double y[] = {2, 0.01, 12.5, 2};
    for (int v = 1; v <= 4; ++v) {
        EXPECT_EQ(read.VertexX[v][3], x[v - 1]) << v;
        EXPECT_EQ(read.VertexY[v][3], y[v - 1]) << v;
    }
}

TEST(ProjectFileReader, CutsLongTitlesAndTextsAndTakesUsedFromTheFlagOne)
{
    EXPECT_EQ(load("title_of_50_characters.klv").Title, "Retaining wall, section A-A, slope 30\xB0, ");
    EXPECT_EQ(load("area_text_of_30_characters.klv").LoadAreaData[3].Text, "Backfill of gravel, wet, 2");

    // Area 1 is flagged "2": not used, so its vertex lines are read as area 2's vertex.
    const ProjectData flag2 = load("flag_2_reads_vertex_lines_as_following_values.klv");
    EXPECT_FALSE(flag2.AreaUsed[1]);
    EXPECT_EQ(flag2.VertexCount[1], 2);
    EXPECT_EQ(flag2.VertexX[1][1], 0);
    EXPECT_TRUE(flag2.AreaUsed[2]);
    EXPECT_EQ(flag2.VertexX[1][2], 1);
    EXPECT_EQ(flag2.VertexY[1][2], 2);

    const ProjectData noVertices = load("used_area_with_no_vertices.klv");
    EXPECT_TRUE(noVertices.AreaUsed[5]);
    EXPECT_EQ(noVertices.VertexCount[5], 0);
    EXPECT_EQ(noVertices.LoadAreaData[5], LoadAreaData{});
}

TEST(ProjectFileReader, FileEndingEarlyReadsZerosAndEmptyTexts)
{
    const ProjectData read = load("file_ending_early.klv");
    EXPECT_EQ(read.Title, "Early end");
    EXPECT_EQ(read.AreaLength, 40);
    EXPECT_TRUE(read.AreaUsed[1]);
    EXPECT_EQ(read.VertexCount[1], 3);
    EXPECT_EQ(read.LoadAreaData[1].Alpha, 45);
    EXPECT_EQ(read.LoadAreaData[1].Multiplier, 25);
    EXPECT_EQ(read.LoadAreaData[1].ShiftX, 12);
    EXPECT_EQ(read.LoadAreaData[1].Text, "first");
    EXPECT_EQ(read.LoadAreaData[2].Alpha, 180);  // the last value in the file
    EXPECT_EQ(read.LoadAreaData[2].Multiplier, 0);
    EXPECT_EQ(read.LoadAreaData[2].Text, "");
    for (int a = 3; a <= kAreaCount; ++a) {
        EXPECT_EQ(read.LoadAreaData[a].Alpha, 0) << a;
        EXPECT_EQ(read.LoadAreaData[a].Multiplier, 0) << a;
        EXPECT_EQ(read.LoadAreaData[a].ShiftX, 0) << a;
        EXPECT_EQ(read.LoadAreaData[a].Text, "") << a;
    }
    for (int v = 1; v <= 3; ++v)
        EXPECT_EQ(read.VertexX[v][1], 0);
}

TEST(ProjectFileReader, RefusesImpossibleCountsAndLengthsAndMalformedNumbers)
{
    const auto refusal = [](const char* name) -> std::string {
        try {
            load(name);
        } catch (const InvalidProjectFile& error) {
            return error.what();
        }
        return "accepted";
    };
    // 257 would wrap to 1 in eight bits; 43 exceeds the storage of an area.
    EXPECT_EQ(refusal("vertex_count_43.klv"), "Invalid project file: load area  2 has 43 vertices, possible are 0 to 42");
    EXPECT_EQ(refusal("vertex_count_257.klv"),
              "Invalid project file: load area  2 has 257 vertices, possible are 0 to 42");
    EXPECT_EQ(refusal("area_length_0.klv"), "Invalid project file: area length 0 m, possible are 1 to 10000 m");
    EXPECT_EQ(refusal("area_length_20000.klv"),
              "Invalid project file: area length 20000 m, possible are 1 to 10000 m");
    EXPECT_THROW(ReadProjectFile("Title\r\n25\r\n0\r\n-1\r\n", emptyProject()), InvalidProjectFile);
    EXPECT_THROW(ReadProjectFile("Only a title\r\n", emptyProject()), InvalidProjectFile);  // length 0
    EXPECT_EQ(ReadProjectFile("T\r\n1\r\n", emptyProject()).AreaLength, 1);
    EXPECT_EQ(ReadProjectFile("T\r\n10000\r\n", emptyProject()).AreaLength, 10000);
    EXPECT_THROW(load("malformed_number.klv"), InvalidNumericInput);
}

}  // namespace
}  // namespace kalven
