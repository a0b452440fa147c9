// The configuration file reader: any bytes either read or raise the numeric-input error,
// and whatever reads is written back and read again to the same configuration.
#include <string>

#include "core/config_file.h"
#include "core/text_reader.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kalven::Configuration config;
    try {
        config = kalven::ParseConfiguration(bytes);
    } catch (const kalven::InvalidNumericInput&) {
        return 0;
    }
    // Line 1 is a whole line: a folder text with a line break in it cannot exist.
    FUZZ_CHECK(config.InitialDir.find_first_of("\r\n") == std::string::npos);
    const kalven::Configuration again =
        kalven::ParseConfiguration(kalven::FormatConfiguration(config.InitialDir, config.Colors));
    FUZZ_CHECK(again.InitialDir == config.InitialDir);
    FUZZ_CHECK(again.Colors == config.Colors);
    return 0;
}
