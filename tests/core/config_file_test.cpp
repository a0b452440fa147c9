#include <gtest/gtest.h>

#include "core/config_file.h"
#include "core/text_reader.h"

namespace kalven {
namespace {

TEST(ConfigurationFile, ReadsFolderAndEightColoursAsSignedIntegers)
{
    const Configuration config = ParseConfiguration(
        "C:\\Projects\\Walls with blanks\r\n-2147483643\r\n12632256\r\n8421504\r\n0\r\n12124345\r\n8421376\r\n128\r\n"
        "10485760\r\n");
    EXPECT_EQ(config.InitialDir, "C:\\Projects\\Walls with blanks");
    EXPECT_EQ(config.Colors, DefaultColors());
}

TEST(ConfigurationFile, MissingValuesAtTheEndAreEmptyAndBlack)
{
    const Configuration onlyFolder = ParseConfiguration("/home/engineer\r\n");
    EXPECT_EQ(onlyFolder.InitialDir, "/home/engineer");
    for (int slot = 1; slot <= kColorCount; ++slot)
        EXPECT_EQ(onlyFolder.Colors[slot], 0u);
    const Configuration empty = ParseConfiguration("");
    EXPECT_EQ(empty.InitialDir, "");
}

TEST(ConfigurationFile, AnUnreadableColourIsAnError)
{
    EXPECT_THROW(ParseConfiguration("dir\r\n-2147483643\r\nlight grey\r\n"), InvalidNumericInput);
    EXPECT_THROW(ParseConfiguration("dir\r\n4294967295\r\n"), InvalidNumericInput);  // beyond 32-bit signed
}

TEST(ConfigurationFile, WritesWhatItReads)
{
    ColorTable colors = DefaultColors();
    colors[kBackground] = 0x00808080;
    const std::string text = FormatConfiguration("examples", colors);
    EXPECT_EQ(text,
              "examples\r\n8421504\r\n12632256\r\n8421504\r\n0\r\n12124345\r\n8421376\r\n128\r\n10485760\r\n");
    EXPECT_EQ(FormatConfiguration("", DefaultColors()).substr(0, 15), "\r\n-2147483643\r\n");
    const Configuration back = ParseConfiguration(text);
    EXPECT_EQ(back.Colors, colors);
}

}  // namespace
}  // namespace kalven
