#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "core/cell_number.h"
#include "core/text_format.h"
#include "core/text_reader.h"
#include "core/win1252.h"
#include "support/comma_locale.h"

namespace kalven {
namespace {

TEST(Round, HalvesGoToTheEvenNeighbourAndSaturate)
{
    const std::pair<double, int> cases[] = {{0.5, 0},        {1.5, 2},         {2.5, 2},          {-0.5, 0},
                                            {-1.5, -2},      {-2.5, -2},       {2.4999999, 2},    {82.5, 82},
                                            {3054.55, 3055}, {1e300, INT_MAX}, {-1e300, INT_MIN}, {NAN, 0}};
    for (const auto& [v, rounded] : cases)
        EXPECT_EQ(Round(v), rounded) << v;
    EXPECT_EQ(std::tuple(Trunc(-2.9), Trunc(2.9), Trunc(1e20)), std::tuple(-2, 2, INT_MAX));
}

// Under a comma-decimal locale the C library would write and expect "12,5"; the formats must not.
TEST(Formats, RightAlignedNeverCutHalvesToEvenAndTheFileReal)
{
    const testing::CommaLocale comma;
    const std::pair<std::string, const char*> cases[] = {
        {I(5, 2), " 5"},
        {I(25, 3), " 25"},
        {I(125, 2), "125"},
        {I(-2147483643, 0), "-2147483643"},
        {F(180, 3, 1), "180.0"},
        {F(12.5, 0, 1), "12.5"},
        {F(0, 2, 2), "0.00"},
        {F(56.5685424949, 8, 2), "   56.57"},
        {F(0.125, 8, 2), "    0.12"},  // exactly half: to even
        {F(0.375, 8, 2), "    0.38"},
        {F(2.675, 8, 2), "    2.67"},  // 2.67499999... in binary
        {D(123456.789), "123456.79"},
        {D(-3), "   -3.00"},
        // Negative zero and tiny negatives print without sign.
        {D(-0.0), "    0.00"},
        {D(-0.004), "    0.00"},
        {D(-0.005), "   -0.01"},  // -0.005000000000000000104: just past the half
        {Real23(180), " 1.80000000000000E+0002"},
        {Real23(-0.0), " 0.00000000000000E+0000"},
        {Real23(-0.05), "-5.00000000000000E-0002"},
        {Real23(1e-300), " 1.00000000000000E-0300"},
        {Real23(2.0 / 3.0), " 6.66666666666667E-0001"},
        {Real23(9.999999999999999), " 1.00000000000000E+0001"},  // the carry of the last digit
        {Real23(1.7976931348623157e308), " 1.79769313486232E+0308"},
        {Real23(-123456789.123456789), "-1.23456789123457E+0008"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(text, expected);
    EXPECT_THROW(Real23(INFINITY), std::invalid_argument);
}

TEST(Reader, NumbersInEveryPlainNotationLinesAndTheEnd)
{
    const testing::CommaLocale comma;
    TextReader reader("12.5\r\n1.25E+1\r\n-3\r\n\t  7  trailing words\r\n+4\n.5\n5.\n1e-400\n");
    // Braced lists call in order. Below the smallest double is zero, not an error.
    EXPECT_EQ((std::vector<double>{reader.readReal(), reader.readReal(), reader.readReal(), 1.0 * reader.readInt32(),
                                   1.0 * reader.readInt32(), reader.readReal(), reader.readReal(), reader.readReal()}),
              (std::vector<double>{12.5, 12.5, -3, 7, 4, 0.5, 5, 0}));
    // Blank lines before a number are skipped, the rest of its line after it; texts keep their
    // blanks; a line ends at CR LF, LF or CR; past the end numbers are 0 and texts empty.
    TextReader lines("\r\n\r\n  42 rest\r\n  Title with blanks  \r\nsecond\nthird\rfourth");
    EXPECT_EQ(lines.readInt32(), 42);
    for (const char* line : {"  Title with blanks  ", "second", "third", "fourth"})
        EXPECT_EQ(lines.readLine(), line);
    EXPECT_TRUE(lines.atEnd() && !lines.ranOut());
    EXPECT_EQ(lines.readLine(), "");
    EXPECT_TRUE(lines.ranOut());
    EXPECT_EQ((std::pair{lines.readReal(), lines.readInt32()}), std::pair(0.0, 0));
    TextReader blanks("   \r\n\t\r\n"), none("");
    EXPECT_TRUE(blanks.readReal() == 0.0 && blanks.ranOut() && none.readInt32() == 0 && none.ranOut());
}

TEST(Reader, MalformedOutOfRangeAndNonFiniteNumbersAreRefusedWithTheirLine)
{
    const testing::CommaLocale comma;  // "12,5" stays refused
    for (const char* bad : {"12,5", "abc", "1.2.3", "--3", "+-3", "1e999", "-1e999", "nan", "inf", "Infinity", "0x1F",
                            "1e", "-", ".", "e5", "12.5kN"})
        EXPECT_THROW(TextReader(bad).readReal(), InvalidNumericInput) << bad;
    for (const char* bad : {"2147483648", "-2147483649", "1.5", "1e3", "12a", "99999999999999999999"})
        EXPECT_THROW(TextReader(bad).readInt32(), InvalidNumericInput) << bad;
    TextReader limits("2147483647\r\n-2147483648\r\n");
    EXPECT_EQ((std::pair{limits.readInt32(), limits.readInt32()}), std::pair(INT_MAX, INT_MIN));
    // The line as the reader counts lines, and the text read there.
    const std::string long40 = "1 rest\n\r2\r\n" + std::string(50, 'x');
    TextReader lines("1\r\n2\n3\r4\n\r\n\n  12,5 kN\r\n"), cut(long40);
    for (int k = 0; k < 4; ++k)
        lines.readReal();
    EXPECT_THAT([&] { lines.readReal(); },
                ::testing::ThrowsMessage<InvalidNumericInput>("Invalid numeric input in line 7: \"12,5\""));
    EXPECT_EQ(cut.readReal() + cut.readReal(), 3);
    EXPECT_THAT([&] { cut.readReal(); }, ::testing::ThrowsMessage<InvalidNumericInput>(
                                             "Invalid numeric input in line 4: \"" + std::string(40, 'x') + "...\""));
}

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

// The Windows-1252 conversion between the project's bytes and Qt's strings.
TEST(Win1252, EveryByteComesBackUnchanged)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToWin1252(FromWin1252(all)), all);
    EXPECT_EQ(FromWin1252("\x80\x81\x9F"), QStringLiteral("\u20AC\u0081\u0178"));
    EXPECT_EQ(ToWin1252(QStringLiteral("\u0080\u0100\u03A9")), "???");  // no byte of their own
}

}  // namespace
}  // namespace kalven
