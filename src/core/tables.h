#pragma once
// Fixed-size tables indexed from 1, and texts that keep at most N characters.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalven {

// A table indexed 1..N. An index outside the table throws instead of touching memory,
// so a fault in the logic reaches the error report rather than corrupting the project.
template <typename T, int N> class Table1 {
public:
    static constexpr int size() { return N; }

    T& operator[](int i) { return items_[check(i)]; }
    const T& operator[](int i) const { return items_[check(i)]; }

    void fill(const T& value) { items_.fill(value); }

    bool operator==(const Table1&) const = default;

private:
    static std::size_t check(int i)
    {
        if (i < 1 || i > N)
            throw std::out_of_range("table index " + std::to_string(i) + " outside 1.." + std::to_string(N));
        return static_cast<std::size_t>(i - 1);
    }

    std::array<T, N> items_{};
};

// A text of at most N characters (Windows-1252 bytes). Every assignment cuts to N,
// so no caller can store a longer title or area text.
template <std::size_t N> class CountedString {
public:
    static constexpr std::size_t capacity = N;

    CountedString() = default;
    CountedString(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose
    CountedString(const char* text) { assign(text); }       // NOLINT: implicit on purpose

    CountedString& operator=(std::string_view text)
    {
        assign(text);
        return *this;
    }
    CountedString& operator=(const char* text)
    {
        assign(text);
        return *this;
    }

    const std::string& str() const { return text_; }
    operator const std::string&() const { return text_; }  // NOLINT: implicit on purpose
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }

    bool operator==(const CountedString&) const = default;
    bool operator==(std::string_view other) const { return text_ == other; }
    bool operator==(const char* other) const { return text_ == other; }

private:
    // Built as a new string: GCC 12 at -O3 warns falsely (-Wrestrict) on assign from a view.
    void assign(std::string_view text) { text_ = std::string(text.substr(0, N)); }

    std::string text_;
};

}  // namespace kalven
