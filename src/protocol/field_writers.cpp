#include "field_writers.h"

#include "text_helpers.h"

namespace kav {
namespace {

// What every writer puts in front of its field.
constexpr char kOutputSeparator = ',';

std::string quoted(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 3);
    out += kOutputSeparator;
    out += '"';
    out.append(text);
    out += '"';
    return out;
}

std::string padded(std::int64_t value, std::size_t width)
{
    std::string digits = std::to_string(value);
    std::string out(1, kOutputSeparator);
    if (digits.size() < width)
        out.append(width - digits.size(), ' ');
    return out + digits;
}

} // namespace

std::string writeQuotedText(std::string_view text)
{
    return quoted(trimSpaces(text));
}

std::string writeQuotedTextTrailingTrimmed(std::string_view text)
{
    return quoted(trimTrailingSpaces(text));
}

std::string writeQuotedTextUntrimmed(std::string_view text)
{
    return quoted(text);
}

std::string writeQuotedChar(std::string_view character)
{
    return quoted(character);
}

std::string writeQuotedTime(TimeValue value)
{
    return quoted(timeToText(value));
}

std::string writeQuotedWord(std::string_view word)
{
    return quoted(word);
}

std::string writeQuotedNumber(std::int64_t value)
{
    return quoted(std::to_string(value));
}

std::string writeNumber(std::int64_t value)
{
    return padded(value, 0);
}

std::string writeNumberWidth2(std::int64_t value)
{
    return padded(value, 2);
}

std::string writeNumberWidth5(std::int64_t value)
{
    return padded(value, 5);
}

} // namespace kav
