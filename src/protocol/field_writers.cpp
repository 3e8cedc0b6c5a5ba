#include "field_writers.h"

#include "text_helpers.h"

namespace kav {
namespace {

// What every writer puts in front of its field.
constexpr char kOutputSeparator = ',';

std::string Quoted(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 3);
    out += kOutputSeparator;
    out += '"';
    out.append(text);
    out += '"';
    return out;
}

std::string Padded(std::int64_t value, std::size_t width)
{
    std::string digits = std::to_string(value);
    std::string out(1, kOutputSeparator);
    if (digits.size() < width)
        out.append(width - digits.size(), ' ');
    return out + digits;
}

} // namespace

std::string WriteQuotedText(std::string_view text)
{
    return Quoted(TrimSpaces(text));
}

std::string WriteQuotedTextTrailingTrimmed(std::string_view text)
{
    return Quoted(TrimTrailingSpaces(text));
}

std::string WriteQuotedTextUntrimmed(std::string_view text)
{
    return Quoted(text);
}

std::string WriteQuotedChar(std::string_view character)
{
    return Quoted(character);
}

std::string WriteQuotedTime(TimeValue value)
{
    return Quoted(TimeToText(value));
}

std::string WriteQuotedWord(std::string_view word)
{
    return Quoted(word);
}

std::string WriteQuotedNumber(std::int64_t value)
{
    return Quoted(std::to_string(value));
}

std::string WriteNumber(std::int64_t value)
{
    return Padded(value, 0);
}

std::string WriteNumberWidth2(std::int64_t value)
{
    return Padded(value, 2);
}

std::string WriteNumberWidth5(std::int64_t value)
{
    return Padded(value, 5);
}

} // namespace kav
