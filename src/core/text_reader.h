#pragma once
// Reads the line-based text files of KALVEN (project and configuration files): one value a line,
// numbers in any plain notation, the rest of each value's line skipped.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalven {

// A number that cannot be read: malformed, beyond its type's range, or not finite.
class InvalidNumericInput : public std::runtime_error {
public:
    InvalidNumericInput() : std::runtime_error("Invalid numeric input") {}
    explicit InvalidNumericInput(const std::string& what) : std::runtime_error(what) {}
};

class TextReader {
public:
    explicit TextReader(std::string_view bytes) : bytes_(bytes) {}

    // The text from the current position to the end of its line; empty at the end of the file.
    std::string readLine();
    // Skips blanks, tabs and line breaks, takes the number up to the next blank or control
    // character, then skips the rest of that line. At the end of the file the number is 0.
    // A malformed number throws InvalidNumericInput naming its line and the text read there.
    std::int32_t readInt32();
    double readReal();

    bool atEnd() const { return pos_ >= bytes_.size(); }
    // True once a value was asked for after the last line: the file ended early.
    bool ranOut() const { return ranOut_; }

private:
    std::string_view nextToken();  // empty at the end of the file
    void skipRestOfLine();
    [[noreturn]] void refuse(std::string_view token) const;

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ranOut_ = false;
};

// Parses one whole token as a decimal integer or a real; throws InvalidNumericInput.
std::int32_t ParseInt32(std::string_view token);
double ParseReal(std::string_view token);

}  // namespace kalven
