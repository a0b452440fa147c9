#include <gtest/gtest.h>

#include "core/cell_number.h"

namespace kalven {
namespace {

TEST(CellNumbers, EveryTextReadsAsItsLongestLeadingNumberWithoutAnError)
{
    // text, integer, real; no integer when it needs more than 32 bits
    const struct {
        const char* text;
        std::optional<std::int32_t> integer;
        double real;
    } cases[] = {
        {"", 0, 0},
        {"30", 30, 30},
        {" -7 ", -7, -7},
        {"+3", 3, 3},
        {"12.5", 12, 12.5},
        {".", 0, 0},
        {"..", 0, 0},
        {"-", 0, 0},
        {"1.2.3", 1, 1.2},
        {"5.", 5, 5},
        {".5", 0, .5},
        {"-.5", 0, -.5},
        {"2e3", 2, 2000},
        {"2E-1x", 2, .2},
        {"2e", 2, 2},
        {"2e+", 2, 2},
        {"1e999", 1, 0},
        {"x1", 0, 0},
        {"2147483647", 2147483647, 2147483647},
        {"-2147483648", -2147483647 - 1, -2147483648.0},
        {"2147483648", std::nullopt, 2147483648.0},
        {"99999999999.5", std::nullopt, 99999999999.5},
    };
    for (const auto& c : cases) {
        const QString text = QLatin1String(c.text);
        EXPECT_EQ(CellInt32(text), c.integer) << c.text;
        EXPECT_EQ(CellInteger(text), c.integer.value_or(0)) << c.text;
        EXPECT_EQ(CellReal(text), c.real) << c.text;
    }
}

}  // namespace
}  // namespace kalven
