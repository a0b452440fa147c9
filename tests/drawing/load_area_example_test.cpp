#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/validation.h"
#include "core/project_file.h"
#include "analysis/load_area_example.h"
#include "support/file_bytes.h"
#include "support/recording_canvas.h"

namespace kalven {
namespace {

using testing::RecordingCanvas;

TEST(LoadAreaExample, TheShippedWallIsComputedByTheProgramAndLabelledWithItsData)
{
    // The program holds the shipped example, in its own form: it saves back byte for byte.
    const std::string bytes(LoadAreaExampleFile());
    EXPECT_EQ(bytes, testing::FileBytes(QStringLiteral(KALVEN_SHARE_DIR "/examples/retaining_wall.klv")));
    EXPECT_EQ(FormatProjectFile(ReadProjectFile(bytes, ProjectData{})), bytes);
    RecordingCanvas canvas;
    ProjectData example = DrawLoadAreaExample(canvas, 600, 401);
    // The figures the theory help quotes.
    EXPECT_EQ(example.ResultCount, 5);
    const double forces[] = {80.5, 151.2, 88.2, 30.0, 39.6};
    for (int a = 1; a <= 5; ++a)
        EXPECT_NEAR(example.AreaResult[a].Force, forces[a - 1], 1e-9) << a;
    EXPECT_NEAR(example.UnshiftedCentroidX[3], 6.82, 1e-9);
    for (auto [got, expected] : {std::pair{example.ResultantForce, 289.7714},
                                 {example.ResultantAngle, 251.8859},
                                 {example.ResultantXc, 4.6982},
                                 {example.ResultantYc, 2.9417}})
        EXPECT_NEAR(got, expected, 1e-4);
    EXPECT_EQ(ValidateLoadAreas(example), "");
    // The last: the arc of the first inclined load, marked with its angle.
    for (const char* text :
         {"Resultant force  289.77 kN", " 1  concrete 23 kN/m3:  23,  270\xB0",
          " 3  active 4x22x0.5/30=1.47:  30,  200\xB0,  X = 6.00", " 4  passive 1x20x3/30=2:  30,  0\xB0", "200\xB0"})
        EXPECT_NE(canvas.findText(text), nullptr) << text;
    const auto lines = canvas.lines();
    const auto red =
        std::count_if(lines.begin(), lines.end(), [](const auto& line) { return line.state.penColor == 0x0000FF; });
    EXPECT_GT(red, 0);
}

}  // namespace
}  // namespace kalven
