#include "core/text_reader.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace kalven {

namespace {

bool isSpaceOrControl(unsigned char c)
{
    return c <= ' ' || c == 0x7F;
}

std::string_view withoutPlus(std::string_view token)
{
    if (token.size() > 1 && token.front() == '+' && token[1] != '-' && token[1] != '+')
        token.remove_prefix(1);
    return token;
}

// strtod in the C locale, whatever locale the program runs under.
double strtodC(const std::string& text, char** end)
{
    static locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return strtod_l(text.c_str(), end, c_locale);
}

}  // namespace

std::int32_t ParseInt32(std::string_view token)
{
    token = withoutPlus(token);
    std::int32_t value = 0;
    const auto* first = token.data();
    const auto* last = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(first, last, value, 10);
    if (token.empty() || ec != std::errc() || ptr != last)
        throw InvalidNumericInput();
    return value;
}

double ParseReal(std::string_view token)
{
    token = withoutPlus(token);
    if (token.empty())
        throw InvalidNumericInput();
    // Only digits, one sign, a point and an exponent belong to a real: no "inf", "nan" or hex.
    for (unsigned char c : token) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            throw InvalidNumericInput();
    }
    double value = 0;
    const auto* first = token.data();
    const auto* last = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ptr != last || (ec != std::errc() && ec != std::errc::result_out_of_range))
        throw InvalidNumericInput();
    if (ec == std::errc::result_out_of_range) {
        // Overflow is refused; a value too small for a double reads as 0 or its nearest denormal.
        const std::string text(token);
        char* end = nullptr;
        value = strtodC(text, &end);
        if (!std::isfinite(value))
            throw InvalidNumericInput();
    }
    if (!std::isfinite(value))
        throw InvalidNumericInput();
    return value;
}

std::string TextReader::readLine()
{
    if (atEnd())
        ranOut_ = true;
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != '\n' && bytes_[pos_] != '\r')
        ++pos_;
    std::string line(bytes_.substr(start, pos_ - start));
    skipRestOfLine();
    return line;
}

void TextReader::skipRestOfLine()
{
    while (pos_ < bytes_.size() && bytes_[pos_] != '\n' && bytes_[pos_] != '\r')
        ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r')
        ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
        ++pos_;
}

std::string_view TextReader::nextToken()
{
    while (pos_ < bytes_.size() && isSpaceOrControl(static_cast<unsigned char>(bytes_[pos_])))
        ++pos_;
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && !isSpaceOrControl(static_cast<unsigned char>(bytes_[pos_])))
        ++pos_;
    return bytes_.substr(start, pos_ - start);
}

std::int32_t TextReader::readInt32()
{
    const std::string_view token = nextToken();
    if (token.empty()) {
        ranOut_ = true;
        return 0;
    }
    std::int32_t value = 0;
    try {
        value = ParseInt32(token);
    } catch (const InvalidNumericInput&) {
        refuse(token);
    }
    skipRestOfLine();
    return value;
}

double TextReader::readReal()
{
    const std::string_view token = nextToken();
    if (token.empty()) {
        ranOut_ = true;
        return 0;
    }
    double value = 0;
    try {
        value = ParseReal(token);
    } catch (const InvalidNumericInput&) {
        refuse(token);
    }
    skipRestOfLine();
    return value;
}

void TextReader::refuse(std::string_view token) const
{
    // Line breaks as readLine sees them: CR LF, a lone LF or a lone CR each end one line.
    const std::size_t start = static_cast<std::size_t>(token.data() - bytes_.data());
    std::size_t line = 1;
    for (std::size_t i = 0; i < start; ++i) {
        if (bytes_[i] == '\n' || (bytes_[i] == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n')))
            ++line;
    }
    // A whole line of rubbish would not fit a message box.
    constexpr std::size_t kShown = 40;
    std::string shown(token.substr(0, kShown));
    if (token.size() > kShown)
        shown += "...";
    throw InvalidNumericInput("Invalid numeric input in line " + std::to_string(line) + ": \"" + shown + "\"");
}

}  // namespace kalven
