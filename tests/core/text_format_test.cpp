#include <gtest/gtest.h>

#include "core/text_format.h"
#include "core/text_reader.h"
#include "support/comma_locale.h"

namespace kalven {
namespace {

TEST(Round, HalvesGoToTheEvenNeighbourAndSaturate)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(-1.5), -2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.4999999), 2);
    EXPECT_EQ(Round(82.5), 82);
    EXPECT_EQ(Round(3054.55), 3055);
    // Saturating, never undefined.
    EXPECT_EQ(Round(1e300), 2147483647);
    EXPECT_EQ(Round(-1e300), -2147483647 - 1);
    EXPECT_EQ(Round(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(2.9), 2);
    EXPECT_EQ(Trunc(1e20), 2147483647);
}

TEST(Formats, IntegersAreRightAlignedAndNeverCut)
{
    EXPECT_EQ(I(5, 2), " 5");
    EXPECT_EQ(I(25, 3), " 25");
    EXPECT_EQ(I(125, 2), "125");
    EXPECT_EQ(I(1200, 3), "1200");
    EXPECT_EQ(I(-3, 2), "-3");
    EXPECT_EQ(I(-2147483643, 0), "-2147483643");
}

TEST(Formats, FixedPointRoundsTheExactValueHalvesToEven)
{
    EXPECT_EQ(F(180, 3, 1), "180.0");
    EXPECT_EQ(F(0, 2, 2), "0.00");
    EXPECT_EQ(F(5, 2, 1), "5.0");
    EXPECT_EQ(F(56.5685424949, 8, 2), "   56.57");
    EXPECT_EQ(F(0.125, 8, 2), "    0.12");   // exactly half: to even
    EXPECT_EQ(F(0.375, 8, 2), "    0.38");   // exactly half: to even
    EXPECT_EQ(F(2.675, 8, 2), "    2.67");   // 2.67499999... in binary
    EXPECT_EQ(D(12345.678), "12345.68");
    EXPECT_EQ(D(123456.789), "123456.79");  // longer than the field: not cut
    EXPECT_EQ(D(-3), "   -3.00");
    // Negative zero and tiny negatives print without sign.
    EXPECT_EQ(D(-0.0), "    0.00");
    EXPECT_EQ(D(-0.004), "    0.00");
    EXPECT_EQ(D(-0.005), "   -0.01");  // -0.005000000000000000104: just past the half
    EXPECT_EQ(D(-0.006), "   -0.01");
}

TEST(Formats, Real23HasSignDigitPointFourteenDigitsAndFourExponentDigits)
{
    EXPECT_EQ(Real23(180), " 1.80000000000000E+0002");
    EXPECT_EQ(Real23(0), " 0.00000000000000E+0000");
    EXPECT_EQ(Real23(-0.0), " 0.00000000000000E+0000");
    EXPECT_EQ(Real23(12.5), " 1.25000000000000E+0001");
    EXPECT_EQ(Real23(-0.05), "-5.00000000000000E-0002");
    EXPECT_EQ(Real23(1e-300), " 1.00000000000000E-0300");
    EXPECT_EQ(Real23(0.1), " 1.00000000000000E-0001");
    EXPECT_EQ(Real23(2.0 / 3.0), " 6.66666666666667E-0001");
    EXPECT_EQ(Real23(1.7976931348623157e308), " 1.79769313486232E+0308");
    EXPECT_EQ(Real23(-123456789.123456789), "-1.23456789123457E+0008");
    for (double v : {180.0, 0.0, -0.05, 1e-300, 2.0 / 3.0, 99999.999999999})
        EXPECT_EQ(Real23(v).size(), 23u);
    EXPECT_THROW(Real23(std::numeric_limits<double>::infinity()), std::invalid_argument);
}

TEST(Reader, NumbersInEveryPlainNotation)
{
    TextReader reader("12.5\r\n1.25E+1\r\n-3\r\n\t  7  trailing words\r\n+4\n.5\n5.\n1e-400\n");
    EXPECT_EQ(reader.readReal(), 12.5);
    EXPECT_EQ(reader.readReal(), 12.5);
    EXPECT_EQ(reader.readReal(), -3.0);
    EXPECT_EQ(reader.readInt32(), 7);
    EXPECT_EQ(reader.readInt32(), 4);
    EXPECT_EQ(reader.readReal(), 0.5);
    EXPECT_EQ(reader.readReal(), 5.0);
    EXPECT_EQ(reader.readReal(), 0.0);  // below the smallest double: zero, not an error
}

TEST(Reader, LinesBlanksAndMissingValuesAtTheEnd)
{
    // Blank lines before a number are skipped, the rest of its line after it; texts keep their
    // blanks; a line ends at CR LF, LF or CR; past the end numbers are 0 and texts empty.
    TextReader reader("\r\n\r\n  42 rest\r\n  Title with blanks  \r\nsecond\nthird\rfourth");
    EXPECT_EQ(reader.readInt32(), 42);
    for (const char* line : {"  Title with blanks  ", "second", "third", "fourth"})
        EXPECT_EQ(reader.readLine(), line);
    EXPECT_TRUE(reader.atEnd() && !reader.ranOut());
    EXPECT_EQ(reader.readInt32(), 0);
    EXPECT_TRUE(reader.ranOut());
    EXPECT_EQ(reader.readReal(), 0.0);
    EXPECT_EQ(reader.readLine(), "");
    TextReader blanks("   \r\n\t\r\n");
    EXPECT_EQ(blanks.readReal(), 0.0);
    EXPECT_TRUE(blanks.ranOut());
}

TEST(Reader, MalformedOutOfRangeAndNonFiniteNumbersAreRefused)
{
    for (const char* bad : {"12,5", "abc", "1.2.3", "--3", "+-3", "1e999", "-1e999", "nan", "inf", "Infinity",
                            "0x1F", "1e", "-", ".", "e5", "12.5kN"}) {
        TextReader reader(bad);
        EXPECT_THROW(reader.readReal(), InvalidNumericInput) << bad;
    }
    for (const char* bad : {"2147483648", "-2147483649", "1.5", "1e3", "12a", "99999999999999999999"}) {
        TextReader reader(bad);
        EXPECT_THROW(reader.readInt32(), InvalidNumericInput) << bad;
    }
    TextReader limits("2147483647\r\n-2147483648\r\n");
    EXPECT_EQ(limits.readInt32(), 2147483647);
    EXPECT_EQ(limits.readInt32(), -2147483647 - 1);
    EXPECT_STREQ(InvalidNumericInput().what(), "Invalid numeric input");
}

// The message names the line as the reader counts lines, and the text read there.
TEST(Reader, AMalformedNumberIsReportedWithItsLineAndText)
{
    const auto refusal = [](const std::string& bytes) {
        TextReader reader(bytes);
        try {
            while (!reader.atEnd())
                reader.readReal();
        } catch (const InvalidNumericInput& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal("1\r\n2\n3\r4\n\r\n\n  12,5 kN\r\n"), "Invalid numeric input in line 7: \"12,5\"");
    EXPECT_EQ(refusal("1 rest\n\r2\r\n" + std::string(50, 'x')),
              "Invalid numeric input in line 4: \"" + std::string(40, 'x') + "...\"");
}

// Under a comma-decimal locale the C library would write and expect "12,5"; the formats must not.
TEST(Formats, IndependentOfACommaDecimalLocale)
{
    const testing::CommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    EXPECT_EQ(F(12.5, 0, 1), "12.5");
    EXPECT_EQ(Real23(12.5), " 1.25000000000000E+0001");
    TextReader reader("12.5\r\n1e999\r\n");
    EXPECT_EQ(reader.readReal(), 12.5);
    EXPECT_THROW(reader.readReal(), InvalidNumericInput);
    EXPECT_EQ(ParseReal("1e-400"), 0.0);
}

}  // namespace
}  // namespace kalven
