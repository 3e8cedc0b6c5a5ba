#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zeb_time.h"

namespace kav {

// Each writer returns a comma followed by the field's text form; nothing is escaped.
std::string WriteQuotedText(std::string_view text); // spaces trimmed both sides
std::string WriteQuotedTextTrailingTrimmed(std::string_view text);
std::string WriteQuotedTextUntrimmed(std::string_view text);
std::string WriteQuotedChar(std::string_view character);
std::string WriteQuotedTime(TimeValue value);
std::string WriteQuotedWord(std::string_view word); // enumeration words
std::string WriteQuotedNumber(std::int64_t value);
std::string WriteNumber(std::int64_t value);
std::string WriteNumberWidth2(std::int64_t value);
std::string WriteNumberWidth5(std::int64_t value);

} // namespace kav
