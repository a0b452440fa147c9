// Osnova on a recording canvas: which lines and labels exist for a given length, and where.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "drawing/fixed_colors.h"
#include "drawing/raster.h"
#include "support/recording_panels.h"
#include "support/recording_canvas.h"

namespace kalven {
namespace {

using testing::CanvasCall;
using Ints = std::vector<int>;
using Labels = std::vector<std::tuple<std::string, int, int>>;
constexpr int W = 601;
constexpr int H = 425;

struct Raster {
    testing::RecordingCanvas canvas;
    testing::RecordingPanels panels;
    ProjectData data;
    ColorValue light = data.ColorSettings[kRasterLight], dark = data.ColorSettings[kRasterDark];

    explicit Raster(int length)
    {
        data.AreaLength = length;
        DrawRaster(canvas, data, W, H, panels);
    }
    // Columns of the full-height lines, or rows of the full-width ones, drawn in this colour and
    // style, in drawing order.
    Ints at(bool columns, ColorValue color, PenStyle style = PenStyle::Solid) const
    {
        Ints out;
        for (const CanvasCall& c : canvas.lines()) {
            const bool full =
                columns ? c.x1 == c.x2 && c.y1 == 2 && c.y2 == H - 2 : c.y1 == c.y2 && c.x1 == 2 && c.x2 == W - 2;
            if (full && c.state.penColor == color && c.state.penStyle == style)
                out.push_back(static_cast<int>(columns ? c.x1 : c.y1));
        }
        return out;
    }
    Labels labels() const
    {
        Labels out;
        for (const CanvasCall& c : canvas.texts())
            out.emplace_back(c.text, c.x1, c.y1);
        return out;
    }
};

TEST(Raster, FiveMetresOnTheDesignImage)
{
    const Raster r(5);
    EXPECT_EQ(r.at(true, r.light), (Ints{120, 240, 361, 481, 601}));
    EXPECT_EQ(r.at(true, r.light, PenStyle::Dotted), (Ints{60, 180, 300, 421, 541, 661}));
    EXPECT_EQ(r.at(false, r.light), (Ints{304, 184, 63, -57}));
    EXPECT_EQ(r.at(false, r.light, PenStyle::Dotted), (Ints{364, 244, 123, 3}));
    // The one 5 m line and its label lie just past the right edge.
    EXPECT_EQ(std::pair(r.at(true, r.dark), r.labels()), std::pair(Ints{601}, Labels{{" 5", 605, 409}}));
}

TEST(Raster, TwentyFiveMetresFillFrameLabelsAndState)
{
    const Raster r(25);
    const auto& calls = r.canvas.calls();
    ASSERT_GE(calls.size(), 2u);
    const ColorValue bg = r.data.ColorSettings[kBackground], line = r.data.ColorSettings[kUniversalLine];
    // The fill in the background colour, then the frame in the universal line colour.
    for (int k : {0, 1})
        EXPECT_EQ(std::tuple(calls[k].kind, calls[k].x1, calls[k].y1, calls[k].x2, calls[k].y2, calls[k].state.penColor,
                             calls[k].state.brushColor),
                  std::tuple(CanvasCall::Kind::Rectangle, k, k, W - k, H - k, k == 0 ? bg : line, bg));
    EXPECT_EQ(r.at(true, r.light).size(), 25u);
    EXPECT_EQ(r.at(false, r.light).size(), 18u);
    EXPECT_EQ(r.at(false, r.light).back(), -9);  // the 18th lies above the top
    EXPECT_EQ(r.at(true, r.dark), (Ints{120, 240, 361, 481, 601}));
    EXPECT_EQ(r.labels(), (Labels{{" 5", 124, 409},
                                  {"10", 244, 409},
                                  {"15", 365, 409},
                                  {"20", 485, 409},
                                  {"25", 605, 409},
                                  {" 5", 5, 306},
                                  {"10", 5, 186},
                                  {"15", 5, 65}}));
    for (const CanvasCall& t : r.canvas.texts())
        EXPECT_EQ(std::tuple(t.state.brushStyle, t.state.brushColor, t.state.fontColor),
                  std::tuple(BrushStyle::Solid, bg, line));
    const auto& end = r.canvas.state();
    EXPECT_EQ(std::tuple(end.penWidth, end.penMode, end.penStyle, end.penColor, end.fontColor, r.panels.texts[2]),
              std::tuple(1, PenMode::Copy, PenStyle::Solid, line, line, "  Length =  25 m"));
}

TEST(Raster, WhichLinesExistByLength)
{
    // The marker is the rounded scale times L: for 70 m it stands at 9 * 70, off the image.
    for (const auto& [length, marker] : {std::pair{5, 600}, {25, 600}, {70, 630}})
        EXPECT_EQ(Raster(length).at(true, kRed), Ints{marker}) << length;
    const Raster hundred(100);
    EXPECT_EQ(hundred.at(true, hundred.light).size(), 100u);
    EXPECT_TRUE(hundred.at(true, hundred.light, PenStyle::Dotted).empty());
    EXPECT_TRUE(hundred.at(false, hundred.light, PenStyle::Dotted).empty());
    EXPECT_EQ(hundred.at(true, hundred.dark).size(), 20u);

    const Raster wide(200);
    std::set<std::pair<ColorValue, PenStyle>> pens;
    for (const CanvasCall& c : wide.canvas.lines())
        pens.emplace(c.state.penColor, c.state.penStyle);
    EXPECT_EQ(pens,
              (std::set<std::pair<ColorValue, PenStyle>>{{wide.light, PenStyle::Solid}, {kRed, PenStyle::Solid}}));
    EXPECT_EQ(wide.at(true, wide.light).size(), 40u);  // 5 m lines only
    const Labels labels = wide.labels();
    ASSERT_EQ(labels.size(), 8u + 5u);
    EXPECT_EQ((Labels{labels[0], labels[7], labels[8]}), (Labels{{"25", 79, 409}, {"200", 605, 409}, {"25", 5, 351}}));
    EXPECT_EQ(Raster(1200).panels.texts[2], "  Length = 1200 m");
}

TEST(Raster, LengthsFromAFileNeverStallOrFail)
{
    // A project file may bring any length; each redraw stays within the pixels of the image.
    for (const int length : {INT_MAX, 1000000, 0, -5, INT_MIN})
        EXPECT_LT(Raster(length).canvas.calls().size(), 4u * (W + H)) << length;
    // Below a pixel per 5 m every column carries a line, each drawn once.
    const Raster dense(1000000);
    EXPECT_EQ(dense.at(true, dense.light).size(), static_cast<std::size_t>(W + 1));
    EXPECT_EQ(dense.labels().front(), std::make_tuple(std::string("825"), 4, 409));  // the last label at column 0
}

}  // namespace
}  // namespace kalven
