#pragma once
// The text report: input data of every load area in use and, once a resultant has been
// computed, every force and the resultant. Lines are Windows-1252 and keep their trailing blanks.

#include <string>
#include <vector>

#include "core/project_data.h"

namespace kalven {

// The report's lines, in order; the project title is line kReportTitleLine.
std::vector<std::string> BuildTextReport(const ProjectData& data);

inline constexpr int kReportTitleLine = 7;

// Where a line starts when the report is one text with two characters (CR LF) per line break.
// The title line starts at 164.
int ReportLineStart(const std::vector<std::string>& lines, int line);

// The same lines with `margin` blanks in front of every one, blank lines included.
std::vector<std::string> WithLeftMargin(const std::vector<std::string>& lines, int margin);

}  // namespace kalven
