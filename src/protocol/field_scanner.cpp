#include "field_scanner.h"

#include <array>

namespace kav {
namespace {

// A lookup table rather than six searches: the scanner runs for every field of every line.
struct SeparatorTable {
    std::array<bool, 256> isSeparator{};
    char output = ',';

    SeparatorTable() { set(';', '\t', ',', '\r', '\0', '\n'); }

    void set(char c1, char c2, char c3, char c4, char c5, char c6)
    {
        isSeparator.fill(false);
        for (char c : {c1, c2, c3, c4, c5, c6})
            isSeparator[static_cast<unsigned char>(c)] = true;
    }
};

SeparatorTable& table()
{
    static SeparatorTable instance;
    return instance;
}

} // namespace

bool IsSeparator(char c)
{
    return table().isSeparator[static_cast<unsigned char>(c)];
}

void SetSeparators(char c1, char c2, char c3, char c4, char c5, char c6)
{
    table().set(c1, c2, c3, c4, c5, c6);
}

void ResetSeparators()
{
    table().set(';', '\t', ',', '\r', '\0', '\n');
}

char OutputSeparator()
{
    return table().output;
}

void SetOutputSeparator(char c)
{
    table().output = c;
}

void NextField(std::string_view& line, std::string_view& field)
{
    std::string_view rest = line;
    if (rest.empty()) {
        field = {};
        return;
    }
    if (rest.front() == '"') {
        rest.remove_prefix(1);
        const auto close = rest.find('"');
        if (close != std::string_view::npos) {
            field = rest.substr(0, close);
            rest.remove_prefix(close + 1);
        } else {
            // No closing quote: the last character of the line stays behind as the next field.
            field = rest.substr(0, rest.empty() ? 0 : rest.size() - 1);
            rest.remove_prefix(field.size());
        }
    } else {
        std::size_t end = 0;
        while (end < rest.size() && !IsSeparator(rest[end]))
            ++end;
        field = rest.substr(0, end);
        rest.remove_prefix(end);
    }
    if (!rest.empty() && IsSeparator(rest.front()))
        rest.remove_prefix(1);
    line = rest;
}

} // namespace kav
