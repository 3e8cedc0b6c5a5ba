#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "feed_time.h"

namespace kav {

// Each writer returns a comma followed by the field's text form; nothing is escaped.
std::string writeQuotedText(std::string_view text); // spaces trimmed both sides
std::string writeQuotedTextTrailingTrimmed(std::string_view text);
std::string writeQuotedTextUntrimmed(std::string_view text);
std::string writeQuotedChar(std::string_view character);
std::string writeQuotedTime(TimeValue value);
std::string writeQuotedWord(std::string_view word); // enumeration words
std::string writeQuotedNumber(std::int64_t value);
std::string writeNumber(std::int64_t value);
std::string writeNumberWidth2(std::int64_t value);
std::string writeNumberWidth5(std::int64_t value);

} // namespace kav
