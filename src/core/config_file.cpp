#include "core/config_file.h"

#include "core/text_format.h"
#include "core/text_reader.h"

namespace kalven {

Configuration ParseConfiguration(std::string_view bytes)
{
    TextReader reader(bytes);
    Configuration config;
    config.InitialDir = reader.readLine();
    for (int slot = 1; slot <= kColorCount; ++slot)
        config.Colors[slot] = static_cast<ColorValue>(reader.readInt32());
    return config;
}

std::string FolderLine(std::string_view folder)
{
    return std::string(folder.substr(0, folder.find_first_of("\r\n")));
}

std::string FormatConfiguration(const std::string& initialDir, const ColorTable& colors)
{
    std::string text = FolderLine(initialDir) + "\r\n";
    for (int slot = 1; slot <= kColorCount; ++slot)
        text += I(static_cast<std::int32_t>(colors[slot]), 0) + "\r\n";
    return text;
}

}  // namespace kalven
