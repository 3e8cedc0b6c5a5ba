#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kav {

// A whole number as stored in settings files: optional leading blanks and sign, then decimal digits,
// or hexadecimal digits after "$", "x" or "0x". Empty when the text does not convert as a whole or the
// value does not fit 32 bits (hexadecimal may use all 32 bits, so "$FFFFFFFF" is -1).
std::optional<std::int32_t> parseWholeNumber(std::string_view text);

// A number as an operator types a port: decimal digits only, blanks around them allowed, no sign and
// no hexadecimal. Empty when the text is anything else or has more than 18 digits.
std::optional<std::int64_t> parseTypedNumber(std::string_view text);

} // namespace kav
