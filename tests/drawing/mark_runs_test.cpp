#include <gtest/gtest.h>

#include <vector>

#include "core/text_format.h"
#include "drawing/mark_runs.h"

namespace kalven {
namespace {

TEST(MarkRuns, EachRunOnOnePixelIsDrawnOnceByItsFirstOrItsLastMark)
{
    // Pixels per mark; 1023 marks end within a run, at 0 within one that doubling steps reach the end of.
    for (const double pitch : {3.2, 0.5, 0.3, 0.013, 0.0}) {
        const auto position = [&](std::int64_t i) { return Round(static_cast<double>(i) * pitch); };
        for (const MarkOfRun which : {MarkOfRun::First, MarkOfRun::Last}) {
            std::vector<std::pair<std::int64_t, int>> expected, drawn;
            for (std::int64_t i = 1; i <= 1023; ++i) {
                if (expected.empty() || expected.back().second != position(i))
                    expected.emplace_back(i, position(i));
                else if (which == MarkOfRun::Last)
                    expected.back().first = i;
            }
            ForEachMarkPixel(1023, which, position, [&](std::int64_t i, int p) { drawn.emplace_back(i, p); });
            EXPECT_EQ(drawn, expected) << pitch;
        }
    }
    // A trillion marks on 601 pixels: each run costs a few dozen looks.
    long long looks = 0, runs = 0;
    ForEachMarkPixel(
        1000000000000, MarkOfRun::Last, [&](std::int64_t i) { return ++looks, Round(static_cast<double>(i) * 6e-10); },
        [&](std::int64_t, int) { ++runs; });
    EXPECT_EQ(runs, 601);
    EXPECT_LT(looks, 601 * 100);
}

}  // namespace
}  // namespace kalven
