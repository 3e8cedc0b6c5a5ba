#include "status_words.h"

#include <array>

namespace kav {
namespace {

constexpr std::array<std::string_view, 6> kCompetitorWords = {"Finish", "DNF", "Green", "DNS", "WarmUp", "None"};
constexpr std::array<std::string_view, 3> kPassingWords = {"None", "Normal", "OnTrack"};
constexpr std::array<std::string_view, 5> kQualifyWords = {"Normal", "Locked", "StandOn", "Tie", "OnTrack"};

template <typename Enum, std::size_t N>
Enum fromWord(const std::array<std::string_view, N>& words, std::string_view word, Enum fallback)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == word)
            return static_cast<Enum>(i);
    }
    return fallback;
}

template <typename Enum, std::size_t N>
std::string_view toWord(const std::array<std::string_view, N>& words, Enum value, Enum fallback)
{
    const auto index = static_cast<std::size_t>(value);
    return index < N ? words[index] : words[static_cast<std::size_t>(fallback)];
}

} // namespace

CompetitorStatus competitorStatusFromText(std::string_view word)
{
    return fromWord(kCompetitorWords, word, CompetitorStatus::None);
}

std::string_view competitorStatusToText(CompetitorStatus value)
{
    return toWord(kCompetitorWords, value, CompetitorStatus::None);
}

PassingState passingStateFromText(std::string_view word)
{
    return fromWord(kPassingWords, word, PassingState::None);
}

std::string_view passingStateToText(PassingState value)
{
    return toWord(kPassingWords, value, PassingState::None);
}

QualifyStatus qualifyStatusFromText(std::string_view word)
{
    return fromWord(kQualifyWords, word, QualifyStatus::Normal);
}

std::string_view qualifyStatusToText(QualifyStatus value)
{
    return toWord(kQualifyWords, value, QualifyStatus::Normal);
}

} // namespace kav
