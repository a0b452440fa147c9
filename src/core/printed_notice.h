#pragma once
// The texts that sign every printed page: the text report's header line and the graphic page.

namespace kalven {

// Exactly 12 characters: it closes the report's 72-character header line, which puts the
// title on the report's seventh line at character 164.
inline constexpr const char* kPrintedOwnerNotice = "KALVEN devs ";
inline constexpr const char* kPrintedProgramName = " KALVEN  V 1.0";

}  // namespace kalven
