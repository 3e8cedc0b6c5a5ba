#pragma once

#include <QString>

#include <cstdint>

#include "colour_value.h"

namespace kav {

// The track's flag as the heartbeat record gives it.
enum FlagCode : std::uint8_t { kFlagRed = 1, kFlagYellow = 2, kFlagGreen = 3 };

// The flag as the files, the pages and the broker name it: "red", "yellow" or "green" (another code
// as its number).
QString flagWord(std::uint8_t flag);
// The broker's flag topic: the flag's word, or "finish" once the race is finished.
QString flagOrFinishWord(std::uint8_t flag, bool finished);
// The colour of the panel's flag lamp for the flag.
ColorValue lampColour(std::uint8_t flag);

} // namespace kav
