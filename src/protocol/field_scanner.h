#pragma once

#include <string_view>

#include "field_separators.h"

namespace kav {

// Takes the next field off the front of a protocol line: `line` is replaced by what follows the field
// and its one separator, `field` receives the field text without quotes. Never fails; the views point
// into the caller's buffer.
void nextField(std::string_view& line, std::string_view& field, const FieldSeparators& separators = kFeedSeparators);

} // namespace kav
