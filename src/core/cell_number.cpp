#include "core/cell_number.h"

#include <string>
#include <string_view>

#include "core/text_reader.h"

namespace kalven {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// Length of the longest leading part of s that reads as a decimal integer; 0 when none does.
std::size_t leadingInteger(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t end = skipDigits(s, i);
    return end > i ? end : 0;
}

// Length of the longest leading part of s that reads as a real; 0 when none does.
std::size_t leadingReal(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    i = skipDigits(s, i);
    bool digits = i > intStart;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = i + 1;
        const std::size_t fracEnd = skipDigits(s, fracStart);
        if (digits || fracEnd > fracStart) {
            digits = true;
            i = fracEnd;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t expEnd = skipDigits(s, j);
        if (expEnd > j)
            i = expEnd;
    }
    return i;
}

std::string cellBytes(const QString& text)
{
    return text.trimmed().toLatin1().toStdString();
}

}  // namespace

std::optional<std::int32_t> CellInt32(const QString& text)
{
    const std::string bytes = cellBytes(text);
    const std::string_view lead(bytes.data(), leadingInteger(bytes));
    if (lead.empty())
        return 0;
    try {
        return ParseInt32(lead);
    } catch (const InvalidNumericInput&) {
        return std::nullopt;
    }
}

std::int32_t CellInteger(const QString& text)
{
    return CellInt32(text).value_or(0);
}

double CellReal(const QString& text)
{
    const std::string bytes = cellBytes(text);
    const std::string_view lead(bytes.data(), leadingReal(bytes));
    if (lead.empty())
        return 0;
    try {
        return ParseReal(lead);
    } catch (const InvalidNumericInput&) {
        return 0;  // beyond the range of a double
    }
}

}  // namespace kalven
