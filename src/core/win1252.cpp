#include "core/win1252.h"

#include <array>

namespace kalven {

namespace {

// 0x80..0x9F; the other bytes are the same code points as Latin-1. The five bytes that
// Windows-1252 leaves unused stand for the control characters of the same number, so a text
// that holds them comes back from a dialog byte for byte.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString FromWin1252(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F) {
            text.append(QChar(kHigh[b - 0x80]));
        } else {
            text.append(QChar(b));
        }
    }
    return text;
}

std::string ToWin1252(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.push_back(static_cast<char>(u));
            continue;
        }
        char out = '?';
        for (std::size_t i = 0; i < kHigh.size(); ++i) {
            if (kHigh[i] == u) {
                out = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.push_back(out);
    }
    return bytes;
}

}  // namespace kalven
