#pragma once
// Switches the C library and the C++ global locale to German for the life of the object, so a
// test proves a format or reader does not write or expect "12,5".

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

namespace kalven::testing {

class CommaLocale {
public:
    CommaLocale()
    {
        try {
            previous_ = std::locale::global(std::locale("de_DE.UTF-8"));
            active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        } catch (const std::runtime_error&) {
        }
    }
    ~CommaLocale()
    {
        std::locale::global(previous_);
        std::setlocale(LC_ALL, saved_.c_str());
    }
    CommaLocale(const CommaLocale&) = delete;
    bool active() const { return active_; }

private:
    std::string saved_ = std::setlocale(LC_ALL, nullptr);
    std::locale previous_;
    bool active_ = false;
};

}  // namespace kalven::testing
