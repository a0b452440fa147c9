#pragma once
// kalven1.cfg (and the colour file mirt1.cfg): the initial folder of the file dialogs on line 1,
// then the eight colours as signed decimal integers, one a line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/project_data.h"

namespace kalven {

inline constexpr const char* kConfigFileName = "kalven1.cfg";
inline constexpr const char* kColorFileName = "mirt1.cfg";

inline constexpr const char* kMsgNoInitialFile = "Non initial file  -kalven1.cfg-  !!!";
inline constexpr const char* kMsgInitialFileError = "Error in initial file !!!";
inline constexpr const char* kMsgFileOutputError = "File output error !!!";
inline constexpr const char* kMsgFileInputError = "File input error !!!";

// A folder line and eight numbers; a longer file is refused at start-up as unreadable.
inline constexpr std::size_t kConfigFileLimit = std::size_t{64} << 10;

struct Configuration {
    std::string InitialDir;
    ColorTable Colors;
};

// Missing values at the end of the file read as empty and 0; an unreadable value throws
// InvalidNumericInput.
Configuration ParseConfiguration(std::string_view bytes);
// The folder as the file can hold it: one line, so whatever follows a line break (pasted along
// with the folder) is dropped. A second line would be read as a colour and stop the next start.
std::string FolderLine(std::string_view folder);
// The folder goes in as FolderLine(initialDir).
std::string FormatConfiguration(const std::string& initialDir, const ColorTable& colors);

}  // namespace kalven
