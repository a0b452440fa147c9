#pragma once
// The project file (.klv): the title, the area length, the flag and vertex count of every load
// area, the data row of every load area, then the vertices of the used areas; one value a line.
// A project with a base joint adds the tag line "BASE JOINT" and its x1, y1, x2, y2 and mu.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/project_data.h"

namespace kalven {

// Lengths the drawing can live with: 0 would divide by zero and a huge one would never finish
// the raster. Inside these bounds a file's length loads as it stands.
inline constexpr std::int32_t kMinFileAreaLength = 1;
inline constexpr std::int32_t kMaxFileAreaLength = 10000;

// A project with every area full holds about 45 KB; anything beyond 1 MiB is not a project.
inline constexpr std::size_t kProjectFileLimit = std::size_t{1} << 20;

inline constexpr const char* kMsgFileWriteFailed =
    "File output error !!! The file could not be written completely; an earlier file of that name is unchanged.";

// Shown after a load that ran out of lines: a cut-off file otherwise looks like a good one.
inline constexpr const char* kMsgFileEndsEarly =
    "The file ends early: the missing numbers were read as 0 and the missing texts as empty.";

// A file that reads as numbers but holds a value no project can have (a vertex count beyond the
// storage of an area, an impossible area length). Its text says which value and where.
class InvalidProjectFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file: CR LF line ends, Windows-1252 bytes. Throws std::invalid_argument for a
// number that is not finite.
std::string FormatProjectFile(const ProjectData& data);

// The project held in `bytes`: `current` after ProjectReset, with the file's content in it.
// `current` itself is never touched, so the caller takes the result only when all of it was
// read. Missing values at the end of the file read as 0 and empty texts; `endedEarly`, when
// given, tells whether any were missing. Throws InvalidNumericInput for a malformed number (its
// text names the line) and InvalidProjectFile for an impossible value, a base joint among them
// (cut off, A and B one point, mu not above 0).
ProjectData ReadProjectFile(std::string_view bytes, const ProjectData& current, bool* endedEarly = nullptr);

}  // namespace kalven
