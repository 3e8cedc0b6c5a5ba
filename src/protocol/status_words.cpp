#include "status_words.h"

#include <array>

namespace kav {
namespace {

constexpr std::array<std::string_view, 6> kCompetitorWords = {"Finish", "DNF", "Green", "DNS", "WarmUp", "None"};
constexpr std::array<std::string_view, 3> kPassingWords = {"None", "Normal", "OnTrack"};
constexpr std::array<std::string_view, 5> kQualifyWords = {"Normal", "Locked", "StandOn", "Tie", "OnTrack"};

template <typename Enum, std::size_t N>
Enum FromWord(const std::array<std::string_view, N>& words, std::string_view word, Enum fallback)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == word)
            return static_cast<Enum>(i);
    }
    return fallback;
}

template <typename Enum, std::size_t N>
std::string_view ToWord(const std::array<std::string_view, N>& words, Enum value, Enum fallback)
{
    const auto index = static_cast<std::size_t>(value);
    return index < N ? words[index] : words[static_cast<std::size_t>(fallback)];
}

} // namespace

CompetitorStatus CompetitorStatusFromText(std::string_view word)
{
    return FromWord(kCompetitorWords, word, CompetitorStatus::None);
}

std::string_view CompetitorStatusToText(CompetitorStatus value)
{
    return ToWord(kCompetitorWords, value, CompetitorStatus::None);
}

PassingState PassingStateFromText(std::string_view word)
{
    return FromWord(kPassingWords, word, PassingState::None);
}

std::string_view PassingStateToText(PassingState value)
{
    return ToWord(kPassingWords, value, PassingState::None);
}

QualifyStatus QualifyStatusFromText(std::string_view word)
{
    return FromWord(kQualifyWords, word, QualifyStatus::Normal);
}

std::string_view QualifyStatusToText(QualifyStatus value)
{
    return ToWord(kQualifyWords, value, QualifyStatus::Normal);
}

} // namespace kav
