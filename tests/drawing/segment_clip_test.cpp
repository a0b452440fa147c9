#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drawing/segment_clip.h"

namespace kalven {
namespace {

constexpr int W = 601;
constexpr int H = 425;
constexpr int M = kClipMargin;

TEST(ClipSegment, KeepsWhatFitsAndCutsTheRestOnItsLine)
{
    // Ends within the grown image stay exactly where they are, zero-length lines included.
    EXPECT_EQ(ClipSegment(24, 401, 205, 413, W, H), (PixelSegment{{24, 401}, {205, 413}}));
    EXPECT_EQ(ClipSegment(-M, -M, W + M, H + M, W, H), (PixelSegment{{-M, -M}, {W + M, H + M}}));
    EXPECT_EQ(ClipSegment(70, 70, 70, 70, W, H), (PixelSegment{{70, 70}, {70, 70}}));

    // Lines beside the image, a point beyond it and numbers that are no numbers draw nothing.
    EXPECT_FALSE(ClipSegment(-100, 10, -17, 400, W, H));
    EXPECT_FALSE(ClipSegment(700, 700, 700, 700, W, H));
    EXPECT_FALSE(ClipSegment(-1e6, 500, 1e6, 460, W, H));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ClipSegment(nan, 0, 10, 10, W, H));
    EXPECT_FALSE(ClipSegment(0, 0, inf, 10, W, H));

    // A corner-to-corner diagonal cut on both ends, both cut points on the grown border.
    EXPECT_EQ(ClipSegment(-1000, -1000, 2000, 2000, W, H), (PixelSegment{{-M, -M}, {H + M, H + M}}));
}

TEST(ClipSegment, FarEndsCostNoPrecision)
{
    // From (100, 200) to a point 1e15 pixels away on a line of slope 1/4: at the right margin
    // the line stands at 200 + (617 - 100) / 4 = 329.25.
    const double far = 1e15;
    const auto cut = ClipSegment(100, 200, 100 + far, 200 + far / 4, W, H);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->from, (PixelPoint{100, 200}));
    EXPECT_EQ(cut->to, (PixelPoint{W + M, 329}));

    // Both ends far away on either side: a line rising 1 pixel per 10 million, crossing x = 0 at y = 300.
    const auto across = ClipSegment(-5e12, 300 + 5e5, 5e12, 300 - 5e5, W, H);
    ASSERT_TRUE(across);
    EXPECT_EQ(across->from, (PixelPoint{-M, 300}));
    EXPECT_EQ(across->to, (PixelPoint{W + M, 300}));

    EXPECT_TRUE(WithinClipArea(W + M, -M, W, H));
    EXPECT_FALSE(WithinClipArea(W + M + 0.5, 0, W, H));
    EXPECT_FALSE(WithinClipArea(std::nan(""), 0, W, H));
}

}  // namespace
}  // namespace kalven
