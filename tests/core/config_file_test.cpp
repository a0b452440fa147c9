#include <gtest/gtest.h>

#include "core/config_file.h"
#include "core/text_reader.h"

namespace kalven {
namespace {

TEST(ConfigurationFile, TheFolderAndEightColoursAsSignedIntegersBothWays)
{
    const std::string text =
        "C:\\Projects\\Walls with blanks\r\n-2147483643\r\n12632256\r\n8421504\r\n0\r\n12124345\r\n"
        "8421376\r\n128\r\n10485760\r\n";
    const Configuration config = ParseConfiguration(text);
    EXPECT_EQ(config.InitialDir, "C:\\Projects\\Walls with blanks");
    EXPECT_EQ(config.Colors, DefaultColors());
    EXPECT_EQ(FormatConfiguration(config.InitialDir + "\nsecond line", config.Colors), text);
    // Missing values at the end are empty and black.
    const Configuration onlyFolder = ParseConfiguration("/home/engineer\r\n");
    EXPECT_EQ(onlyFolder.InitialDir, "/home/engineer");
    EXPECT_EQ(onlyFolder.Colors, ColorTable{});
    EXPECT_EQ(ParseConfiguration("").InitialDir, "");
    EXPECT_THROW(ParseConfiguration("dir\r\n-2147483643\r\nlight grey\r\n"), InvalidNumericInput);
    EXPECT_THROW(ParseConfiguration("dir\r\n4294967295\r\n"), InvalidNumericInput);  // beyond 32-bit signed
}

}  // namespace
}  // namespace kalven
