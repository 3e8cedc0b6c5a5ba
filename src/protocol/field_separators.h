#pragma once

#include <array>
#include <string_view>

namespace kav {

// The characters that end an unquoted field. A value, not a global: whoever scans with other
// separators passes them along.
class FieldSeparators {
public:
    constexpr explicit FieldSeparators(std::string_view characters)
    {
        for (char c : characters)
            m_isSeparator[static_cast<unsigned char>(c)] = true;
    }

    constexpr bool contains(char c) const { return m_isSeparator[static_cast<unsigned char>(c)]; }

private:
    // A lookup table rather than a search: the scanner asks for every character of every field.
    std::array<bool, 256> m_isSeparator{};
};

// The feed's separators: ';', TAB, ',', CR, NUL and LF.
inline constexpr FieldSeparators kFeedSeparators{std::string_view(";\t,\r\0\n", 6)};

} // namespace kav
