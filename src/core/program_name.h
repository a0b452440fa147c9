#pragma once
// How the program names and signs itself: the main window's caption, the message boxes, the text
// report's header line and the graphic page.

namespace kalven {

inline constexpr const char* kProgramName = " KALVEN  V 1.0";
// The short name: the application's name and the caption of its plain messages and error reports.
inline constexpr const char* kProgramTitle = "KALVEN";
// Exactly 12 characters: it closes the report's 72-character header line, which puts the
// title on the report's seventh line at character 164.
inline constexpr const char* kPrintedOwnerNotice = "KALVEN devs ";

}  // namespace kalven
