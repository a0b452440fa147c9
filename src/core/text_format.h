#pragma once
// The number formats and conversions shared by every screen text, report line and file line.
// All of them are independent of the user's locale.

#include <cstdint>
#include <string>

namespace kalven {

// Nearest integer, exact halves to the even neighbour. NaN gives 0 and values beyond the
// 32-bit range are held at its ends, so no conversion is ever undefined.
std::int32_t Round(double v);
// Toward zero, with the same guards as Round.
std::int32_t Trunc(double v);

// I(v, w): the integer right-aligned in w characters; a longer number is not cut.
std::string I(long long v, int w);
// F(v, w, d): fixed-point with d decimals (halves to even on the exact binary value),
// right-aligned in w characters; a longer number is not cut. A value that rounds to zero
// carries no minus sign.
std::string F(double v, int w, int d);
// D(v) = F(v, 8, 2), the form of every result figure.
std::string D(double v);

// The 23-character real of the project file: sign or blank, one digit, a point, 14 digits,
// "E", the exponent's sign and four digits; 15 significant digits. Throws std::invalid_argument
// for a value that is not finite.
std::string Real23(double v);

// The degree sign in the Windows-1252 texts of the logic.
inline constexpr const char* kDegreeSign = "\xB0";

}  // namespace kalven
