#include "core/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace kalven {

namespace {

std::int32_t clampToInt32(double v)
{
    if (std::isnan(v))
        return 0;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (v <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (v >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

std::string padLeft(std::string text, int w)
{
    if (w > 0 && text.size() < static_cast<std::size_t>(w))
        text.insert(0, static_cast<std::size_t>(w) - text.size(), ' ');
    return text;
}

}  // namespace

std::int32_t Round(double v)
{
    // std::nearbyint follows the default rounding mode, which is to nearest, ties to even.
    return clampToInt32(std::nearbyint(v));
}

std::int32_t Trunc(double v)
{
    return clampToInt32(std::trunc(v));
}

std::string I(long long v, int w)
{
    return padLeft(std::to_string(v), w);
}

std::string F(double v, int w, int d)
{
    if (std::isnan(v))
        return padLeft("NAN", w);
    if (std::isinf(v))
        return padLeft(v > 0 ? "INF" : "-INF", w);
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, d);
    if (ec != std::errc())
        throw std::runtime_error("number too long to format");
    std::string text(buffer, end);
    if (!text.empty() && text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);  // -0.00 reads as 0.00
    return padLeft(std::move(text), w);
}

std::string D(double v)
{
    return F(v, 8, 2);
}

std::string Real23(double v)
{
    if (!std::isfinite(v))
        throw std::invalid_argument("a number that is not finite cannot be written");
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v), std::chars_format::scientific, 14);
    if (ec != std::errc())
        throw std::runtime_error("number too long to format");
    const std::string text(buffer, end);  // d.dddddddddddddde[+-]XX[X]
    const auto e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    const bool negative = std::signbit(v) && v != 0.0;
    std::string out;
    out.reserve(23);
    out += negative ? '-' : ' ';
    out.append(text, 0, e);
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const std::string digits = std::to_string(std::abs(exponent));
    out.append(4 - digits.size(), '0');
    out += digits;
    return out;
}

}  // namespace kalven
