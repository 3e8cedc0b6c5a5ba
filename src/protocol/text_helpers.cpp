#include "text_helpers.h"

#include <cstring>

namespace kav {

std::string_view trimLeadingSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view trimTrailingSpaces(std::string_view text)
{
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::string_view trimSpaces(std::string_view text)
{
    return trimLeadingSpaces(trimTrailingSpaces(text));
}

std::string fixLength(std::string_view text, std::size_t n)
{
    std::string result(text.substr(0, n));
    result.resize(n, ' ');
    return result;
}

namespace {

// Characters are code points in valid UTF-8 and bytes otherwise, as for record texts.
std::size_t characterCount(std::string_view text, bool utf8)
{
    if (!utf8)
        return text.size();
    std::size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
    return count;
}

} // namespace

std::string composeName(std::string_view firstName, std::string_view lastName, std::size_t maxLength)
{
    const std::string_view first = trimSpaces(firstName);
    const std::string_view last = trimSpaces(lastName);
    std::string full;
    full.reserve(first.size() + 1 + last.size());
    full.append(first).append(" ").append(last);
    const bool utf8 = isValidUtf8(full);
    if (maxLength == 0 || maxLength >= characterCount(full, utf8))
        return full;

    std::string shortName(cutText(first, 1, utf8));
    if (shortName.size() == 1 && shortName[0] >= 'a' && shortName[0] <= 'z')
        shortName[0] = static_cast<char>(shortName[0] - 'a' + 'A');
    shortName.append(". ").append(last);
    if (characterCount(shortName, utf8) > maxLength)
        return std::string(last);
    return shortName;
}

namespace {

int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::int32_t convertInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }

    // Decimal values must fit a signed 32-bit number; hexadecimal ones may use all 32 bits.
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t value = 0;
    const std::size_t firstDigit = i;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i], hex);
        if (digit < 0)
            break;
        const std::uint64_t next = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (next > limit)
            break;
        value = next;
    }
    const auto bits = static_cast<std::uint32_t>(value);
    const bool clean = i == text.size() && i > firstDigit;
    if (clean && negative)
        return static_cast<std::int32_t>(0u - bits);
    return static_cast<std::int32_t>(bits);
}

namespace {

// Where the first byte at or after `from` with its top bit set lies; eight bytes a step, since nearly
// every line of a feed is plain ASCII.
std::size_t skipAscii(std::string_view text, std::size_t from)
{
    constexpr std::uint64_t kTopBits = 0x8080808080808080ull;
    std::size_t i = from;
    for (std::uint64_t word = 0; i + sizeof word <= text.size(); i += sizeof word) {
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & kTopBits)
            break;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80)
        ++i;
    return i;
}

} // namespace

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while ((i = skipAscii(text, i)) < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07u;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0u) != 0x80u)
                return false;
            cp = (cp << 6) | (cc & 0x3Fu);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string_view cutText(std::string_view text, std::size_t n, bool utf8)
{
    if (text.size() <= n)
        return text;
    if (!utf8)
        return text.substr(0, n);
    std::size_t pos = 0;
    for (std::size_t chars = 0; chars < n && pos < text.size(); ++chars) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0u) == 0x80u)
            ++pos;
    }
    return text.substr(0, pos);
}

std::int32_t digitsValue(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return -1;
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace kav
