#include "field_scanner.h"

namespace kav {

void nextField(std::string_view& line, std::string_view& field, const FieldSeparators& separators)
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
        while (end < rest.size() && !separators.contains(rest[end]))
            ++end;
        field = rest.substr(0, end);
        rest.remove_prefix(end);
    }
    if (!rest.empty() && separators.contains(rest.front()))
        rest.remove_prefix(1);
    line = rest;
}

} // namespace kav
