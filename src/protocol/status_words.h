#pragma once

#include <cstdint>
#include <string_view>

namespace kav {

// The feed's status words; each is one byte and may hold any value read from a record.
enum class CompetitorStatus : std::uint8_t { Finish = 0, DNF = 1, Green = 2, DNS = 3, WarmUp = 4, None = 5 };
enum class PassingState : std::uint8_t { None = 0, Normal = 1, OnTrack = 2 };
enum class QualifyStatus : std::uint8_t { Normal = 0, Locked = 1, StandOn = 2, Tie = 3, OnTrack = 4 };

// Words compare case-sensitively; an unknown word or value gives the fallback
// (None, None and Normal respectively).
CompetitorStatus competitorStatusFromText(std::string_view word);
std::string_view competitorStatusToText(CompetitorStatus value);
PassingState passingStateFromText(std::string_view word);
std::string_view passingStateToText(PassingState value);
QualifyStatus qualifyStatusFromText(std::string_view word);
std::string_view qualifyStatusToText(QualifyStatus value);

} // namespace kav
