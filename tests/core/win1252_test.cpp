// The Windows-1252 conversion between the project's bytes and Qt's strings.
#include <gtest/gtest.h>

#include "core/win1252.h"

namespace kalven {
namespace {

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
