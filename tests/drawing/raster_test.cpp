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
using testing::RecordingCanvas;
using testing::RecordingPanels;

constexpr int W = 601;
constexpr int H = 425;

struct Raster {
    RecordingCanvas canvas;
    RecordingPanels panels;
    ProjectData data;

    explicit Raster(int length, int w = W, int h = H)
    {
        data.AreaLength = length;
        DrawRaster(canvas, data, w, h, panels);
    }

    // Columns of the full-height lines, or rows of the full-width ones, drawn in this colour and
    // style, in drawing order.
    std::vector<int> at(bool columns, ColorValue color, PenStyle style) const
    {
        std::vector<int> out;
        for (const CanvasCall& c : canvas.lines()) {
            const bool full = columns ? c.x1 == c.x2 && c.y1 == 2 && c.y2 == H - 2 : c.y1 == c.y2 && c.x1 == 2 && c.x2 == W - 2;
            if (full && c.state.penColor == color && c.state.penStyle == style)
                out.push_back(columns ? c.x1 : c.y1);
        }
        return out;
    }
    std::vector<int> columns(ColorValue color, PenStyle style = PenStyle::Solid) const { return at(true, color, style); }
    std::vector<int> rows(ColorValue color, PenStyle style = PenStyle::Solid) const { return at(false, color, style); }
    std::vector<std::tuple<std::string, int, int>> labels() const
    {
        std::vector<std::tuple<std::string, int, int>> out;
        for (const CanvasCall& c : canvas.texts())
            out.emplace_back(c.text, c.x1, c.y1);
        return out;
    }
    ColorValue light() const { return data.ColorSettings[kRasterLight]; }
    ColorValue dark() const { return data.ColorSettings[kRasterDark]; }
};

using Labels = std::vector<std::tuple<std::string, int, int>>;

TEST(Raster, FiveMetresOnTheDesignImage)
{
    const Raster r(5);
    EXPECT_EQ(r.columns(r.light()), (std::vector<int>{120, 240, 361, 481, 601}));
    EXPECT_EQ(r.columns(r.light(), PenStyle::Dotted), (std::vector<int>{60, 180, 300, 421, 541, 661}));
    EXPECT_EQ(r.rows(r.light()), (std::vector<int>{304, 184, 63, -57}));
    EXPECT_EQ(r.rows(r.light(), PenStyle::Dotted), (std::vector<int>{364, 244, 123, 3}));
    // The one 5 m line and its label lie just past the right edge.
    EXPECT_EQ(r.columns(r.dark()), (std::vector<int>{601}));
    EXPECT_EQ(r.labels(), (Labels{{" 5", 605, 409}}));
    EXPECT_EQ(r.columns(kRed), (std::vector<int>{600}));
}

TEST(Raster, TwentyFiveMetresFillFrameLabelsAndState)
{
    const Raster r(25);
    const auto& calls = r.canvas.calls();
    ASSERT_GE(calls.size(), 2u);
    const ColorValue bg = r.data.ColorSettings[kBackground];
    // The fill in the background colour, then the frame in the universal line colour.
    for (int k : {0, 1}) {
        EXPECT_EQ(calls[k].kind, CanvasCall::Kind::Rectangle);
        EXPECT_EQ(std::tie(calls[k].x1, calls[k].y1, calls[k].x2, calls[k].y2), std::make_tuple(k, k, W - k, H - k));
        EXPECT_EQ(calls[k].state.penColor, k == 0 ? bg : r.data.ColorSettings[kUniversalLine]);
        EXPECT_EQ(calls[k].state.brushColor, bg);
    }

    EXPECT_EQ(r.columns(r.light()).size(), 25u);
    const std::vector<int> metreRows = r.rows(r.light());
    ASSERT_EQ(metreRows.size(), 18u);
    EXPECT_EQ(metreRows.back(), -9);  // the 18th lies above the top
    EXPECT_EQ(r.columns(r.dark()), (std::vector<int>{120, 240, 361, 481, 601}));
    EXPECT_EQ(r.labels(), (Labels{{" 5", 124, 409},
                                  {"10", 244, 409},
                                  {"15", 365, 409},
                                  {"20", 485, 409},
                                  {"25", 605, 409},
                                  {" 5", 5, 306},
                                  {"10", 5, 186},
                                  {"15", 5, 65}}));
    for (const CanvasCall& t : r.canvas.texts()) {
        EXPECT_EQ(t.state.brushStyle, BrushStyle::Solid);
        EXPECT_EQ(t.state.brushColor, bg);
        EXPECT_EQ(t.state.fontColor, r.data.ColorSettings[kUniversalLine]);
    }
    EXPECT_EQ(r.columns(kRed), (std::vector<int>{600}));
    EXPECT_EQ(r.panels.texts[2], "  Length =  25 m");

    const auto& end = r.canvas.state();
    EXPECT_EQ(end.penWidth, 1);
    EXPECT_EQ(end.penMode, PenMode::Copy);
    EXPECT_EQ(end.penStyle, PenStyle::Solid);
    EXPECT_EQ(end.penColor, r.data.ColorSettings[kUniversalLine]);
    EXPECT_EQ(end.fontColor, r.data.ColorSettings[kUniversalLine]);
}

TEST(Raster, WhichLinesExistByLength)
{
    // The marker is the rounded scale times L: for 70 m it stands at 9 * 70, off the image.
    EXPECT_EQ(Raster(70).columns(kRed), (std::vector<int>{630}));

    const Raster hundred(100);
    EXPECT_EQ(hundred.columns(hundred.light()).size(), 100u);
    EXPECT_TRUE(hundred.columns(hundred.light(), PenStyle::Dotted).empty());
    EXPECT_TRUE(hundred.rows(hundred.light(), PenStyle::Dotted).empty());
    EXPECT_EQ(hundred.columns(hundred.dark()).size(), 20u);

    const Raster wide(200);
    std::set<ColorValue> colors;
    for (const CanvasCall& c : wide.canvas.lines()) {
        colors.insert(c.state.penColor);
        EXPECT_EQ(c.state.penStyle, PenStyle::Solid);
    }
    EXPECT_EQ(colors, (std::set<ColorValue>{wide.light(), kRed}));
    EXPECT_EQ(wide.columns(wide.light()).size(), 40u);  // 5 m lines only
    const Labels labels = wide.labels();
    ASSERT_EQ(labels.size(), 8u + 5u);
    EXPECT_EQ(labels[0], std::make_tuple(std::string("25"), 79, 409));
    EXPECT_EQ(labels[7], std::make_tuple(std::string("200"), 605, 409));
    EXPECT_EQ(labels[8], std::make_tuple(std::string("25"), 5, 351));

    EXPECT_EQ(Raster(1200).panels.texts[2], "  Length = 1200 m");
}

TEST(Raster, LengthsFromAFileNeverStallOrFail)
{
    // A project file may bring any length; each redraw stays within the pixels of the image.
    for (const int length : {INT_MAX, 1000000, 0, -5, INT_MIN})
        EXPECT_LT(Raster(length).canvas.calls().size(), 4u * (W + H)) << length;
    // Below a pixel per 5 m every column carries a line, each drawn once.
    const Raster dense(1000000);
    EXPECT_EQ(dense.columns(dense.light()).size(), static_cast<std::size_t>(W + 1));
    EXPECT_EQ(dense.labels().front(), std::make_tuple(std::string("825"), 4, 409));  // the last label at column 0
}

}  // namespace
}  // namespace kalven
