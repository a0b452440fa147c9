#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "core/project_file.h"
#include "drawing/load_area_example.h"
#include "support/recording_canvas.h"

namespace kalven {
namespace {

using testing::RecordingCanvas;

std::string ShippedExample()
{
    QFile file(QStringLiteral(KALVEN_SHARE_DIR "/examples/retaining_wall.klv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool HasTextStartingWith(const RecordingCanvas& canvas, const std::string& start)
{
    const auto texts = canvas.texts();
    return std::any_of(texts.begin(), texts.end(), [&](const auto& call) { return call.text.rfind(start, 0) == 0; });
}

TEST(LoadAreaExample, TheShippedRetainingWallIsAProjectFileOfTheProgramsOwnForm)
{
    const std::string bytes = ShippedExample();
    const ProjectData example = ReadProjectFile(bytes, ProjectData{});
    EXPECT_EQ(FormatProjectFile(example), bytes);
    EXPECT_EQ(example.AreaLength, 12);
    EXPECT_EQ(example.LoadAreaData[1].Multiplier, 23);
    EXPECT_EQ(example.LoadAreaData[2].Multiplier, 18);
    EXPECT_EQ(example.LoadAreaData[3].Alpha, 200);
    EXPECT_EQ(example.LoadAreaData[3].ShiftX, 6);
    EXPECT_EQ(example.LoadAreaData[4].Alpha, 0);
    EXPECT_EQ(example.LoadAreaData[5].ShiftX, 6);
}

TEST(LoadAreaExample, IsComputedByTheProgramAndLabelledWithItsData)
{
    RecordingCanvas canvas;
    const ProjectData example = DrawLoadAreaExample(canvas, ShippedExample(), "retaining_wall.klv", 600, 401);
    // The figures the theory help quotes.
    EXPECT_EQ(example.ResultCount, 5);
    EXPECT_NEAR(example.AreaResult[1].Force, 80.5, 1e-9);
    EXPECT_NEAR(example.AreaResult[2].Force, 151.2, 1e-9);
    EXPECT_NEAR(example.AreaResult[3].Force, 88.2, 1e-9);
    EXPECT_NEAR(example.AreaResult[4].Force, 30.0, 1e-9);
    EXPECT_NEAR(example.AreaResult[5].Force, 39.6, 1e-9);
    EXPECT_NEAR(example.UnshiftedCentroidX[3], 6.82, 1e-9);
    EXPECT_NEAR(example.ResultantForce, 289.7714, 1e-4);
    EXPECT_NEAR(example.ResultantAngle, 251.8859, 1e-4);
    EXPECT_NEAR(example.ResultantXc, 4.6982, 1e-4);
    EXPECT_NEAR(example.ResultantYc, 2.9417, 1e-4);
    EXPECT_TRUE(example.ValidationMessage.empty());

    EXPECT_NE(canvas.findText("Resultant force  289.77 kN"), nullptr);
    EXPECT_NE(canvas.findText(" 1  concrete 23 kN/m3:  23,  270\xB0"), nullptr);
    EXPECT_NE(canvas.findText(" 3  active 4x22x0.5/30=1.47:  30,  200\xB0,  X = 6.00"), nullptr);
    EXPECT_NE(canvas.findText(" 4  passive 1x20x3/30=2:  30,  0\xB0"), nullptr);
    // The arc of the first inclined load, marked with its angle.
    EXPECT_NE(canvas.findText("200\xB0"), nullptr);
    const auto lines = canvas.lines();
    const auto red = std::count_if(lines.begin(), lines.end(),
                                   [](const auto& line) { return line.state.penColor == 0x0000FF; });
    EXPECT_GT(red, 0);
}

TEST(LoadAreaExample, AFileThatIsMissingUnreadableOrInvalidIsNamedInThePicture)
{
    {
        RecordingCanvas canvas;
        DrawLoadAreaExample(canvas, std::nullopt, "/x/retaining_wall.klv", 600, 401);
        EXPECT_NE(canvas.findText("the file /x/retaining_wall.klv is missing."), nullptr);
        EXPECT_FALSE(HasTextStartingWith(canvas, "Resultant"));
    }
    {
        RecordingCanvas canvas;
        DrawLoadAreaExample(canvas, std::string("title\r\n12\r\n1\r\nnine\r\n"), "bad.klv", 600, 401);
        EXPECT_NE(canvas.findText("the file bad.klv: Invalid numeric input"), nullptr);
    }
    {
        // Area 1 is not closed: the check's own message stands in the picture.
        ProjectData open;
        open.AreaUsed[1] = true;
        open.VertexCount[1] = 4;
        const double xs[] = {1, 3, 3, 1};
        const double ys[] = {1, 1, 3, 3};
        for (int v = 1; v <= 4; ++v) {
            open.VertexX[v][1] = xs[v - 1];
            open.VertexY[v][1] = ys[v - 1];
        }
        RecordingCanvas canvas;
        DrawLoadAreaExample(canvas, FormatProjectFile(open), "open.klv", 600, 401);
        EXPECT_NE(canvas.findText(" Non closed loading area No  1 !"), nullptr);
        EXPECT_FALSE(HasTextStartingWith(canvas, "Resultant"));
    }
}

}  // namespace
}  // namespace kalven
