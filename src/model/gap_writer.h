#pragma once

#include <cstdint>
#include <string>

#include "feed_time.h"

namespace kav {

// What a gap text is made from. An entry remembers the source of its text, so a gap whose source
// did not change needs no new text.
struct GapSource {
    enum class Kind : std::uint8_t { None, Blank, NoTime, LapCount, Time, LapsBehind };
    Kind kind = Kind::None;
    std::int64_t value = 0;
    bool operator==(const GapSource&) const = default;

    static GapSource blank() { return {Kind::Blank, 0}; }
    static GapSource noTime() { return {Kind::NoTime, 0}; }
    static GapSource lapCount(std::int32_t laps) { return {Kind::LapCount, laps}; }
    static GapSource lapsBehind(std::int32_t laps) { return {Kind::LapsBehind, laps}; }
    // Differences are taken in 64 bits so that no pair of time values can overflow.
    static GapSource time(std::int64_t difference) { return {Kind::Time, difference}; }
};

// Writes the gap column of a standings list: time differences as mm:ss.fff with leading zeros blanked.
class GapWriter {
public:
    GapWriter();

    // Gives gap the text of source; true when the text changed. held is the source gap was made
    // from (None when unknown) and becomes source.
    bool write(std::string& gap, GapSource& held, const GapSource& source)
    {
        return held == source ? false : rewrite(gap, held, source);
    }

    // The same for one list entry, whose Changed flag takes the answer.
    template <typename Slot>
    void writeEntry(Slot& slot, const GapSource& source)
    {
        auto& data = slot.mutableData();
        data.Changed = write(data.Gap, slot.derivedState(), source);
    }

    // The text of source, for a cell that keeps no source of its own.
    std::string textOf(const GapSource& source);

private:
    bool rewrite(std::string& gap, GapSource& held, const GapSource& source);

    FeedTime m_time;
};

} // namespace kav
