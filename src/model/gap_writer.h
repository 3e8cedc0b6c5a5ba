#pragma once

#include <cstdint>
#include <string>

#include "zeb_time.h"

namespace kav {

// What a gap text is made from. An entry remembers the source of its text, so a gap whose source
// did not change needs no new text.
struct TGapSource {
    enum class Kind : std::uint8_t { None, Blank, NoTime, LapCount, Time };
    Kind kind = Kind::None;
    std::int64_t value = 0;
    bool operator==(const TGapSource&) const = default;

    static TGapSource Blank() { return {Kind::Blank, 0}; }
    static TGapSource NoTime() { return {Kind::NoTime, 0}; }
    static TGapSource LapCount(std::int32_t laps) { return {Kind::LapCount, laps}; }
    // Differences are taken in 64 bits so that no pair of time values can overflow.
    static TGapSource Time(std::int64_t difference) { return {Kind::Time, difference}; }
};

// Writes the gap column of a standings list: time differences as mm:ss.fff with leading zeros blanked.
class TGapWriter {
public:
    TGapWriter();

    // Gives gap the text of source; true when the text changed. held is the source gap was made
    // from (None when unknown) and becomes source.
    bool Write(std::string& gap, TGapSource& held, const TGapSource& source)
    {
        return held == source ? false : Rewrite(gap, held, source);
    }

    // The same for one list entry, whose Changed flag takes the answer.
    template <typename Slot>
    void WriteEntry(Slot& slot, const TGapSource& source)
    {
        auto& data = slot.MutableData();
        data.Changed = Write(data.Gap, slot.DerivedState(), source);
    }

private:
    bool Rewrite(std::string& gap, TGapSource& held, const TGapSource& source);
    std::string TextOf(const TGapSource& source);

    TZebTime m_time;
};

} // namespace kav
