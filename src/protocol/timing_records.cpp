#include "timing_records.h"

#include "field_writers.h"

namespace kav {

void RecordF::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.longInteger(d.LapsToGo, f); break;
    case 2: s.time(d.Time2, f); break;
    case 3: s.time(d.Time3, f); break;
    case 4: s.time(d.RaceTime, f); break;
    case 5: s.textValue(d.Flag, f, 8); break;
    default: break;
    }
}

std::string RecordF::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeNumberWidth5(d.LapsToGo) + writeQuotedTime(d.Time2) + writeQuotedTime(d.Time3) +
           writeQuotedTime(d.RaceTime) + writeQuotedTextUntrimmed(d.Flag);
}

void RecordI::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.time(d.Time1, f); break;
    case 2: s.textValue(d.Text2, f, 9); break;
    default: break;
    }
}

std::string RecordI::toLine() const
{
    return std::string(kTag) + writeQuotedTime(m_data.Time1) + writeQuotedText(m_data.Text2);
}

namespace {

// $G and $H share their layout: position, RegNo, a lap count and a time.
template <typename Rec, typename LapsMember, typename TimeMember>
void storePositionField(Rec& d, int n, std::string_view f, const FieldStore& s, LapsMember laps, TimeMember time)
{
    switch (n) {
    case 1: s.word(d.Position, f); break;
    case 2: s.textValue(d.RegNo, f, 8); break;
    case 3: s.longInteger(d.*laps, f); break;
    case 4: s.time(d.*time, f); break;
    default: break;
    }
}

template <typename Rec>
std::string writePositionRecord(std::string_view tag, const Rec& d, std::int32_t laps, TimeValue time)
{
    return std::string(tag) + writeNumberWidth2(d.Position) + writeQuotedText(d.RegNo) + writeNumberWidth5(laps) +
           writeQuotedTime(time);
}

} // namespace

void RecordG::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    storePositionField(d, n, f, s, &RacePositionRecord::Laps, &RacePositionRecord::TotalTime);
}

std::string RecordG::toLine() const
{
    return writePositionRecord(kTag, m_data, m_data.Laps, m_data.TotalTime);
}

void RecordH::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    storePositionField(d, n, f, s, &PracticePositionRecord::BestLap, &PracticePositionRecord::BestLapTime);
}

std::string RecordH::toLine() const
{
    return writePositionRecord(kTag, m_data, m_data.BestLap, m_data.BestLapTime);
}

void RecordJ::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.RegNo, f, 8); break;
    case 2: s.time(d.LapTime, f); break;
    case 3: s.time(d.Time3, f); break;
    default: break;
    }
}

std::string RecordJ::toLine() const
{
    return std::string(kTag) + writeQuotedText(m_data.RegNo) + writeQuotedTime(m_data.LapTime) +
           writeQuotedTime(m_data.Time3);
}

void RecordJQ::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.RegNo, f, 8); break;
    case 2: s.time(d.LapTime, f); break;
    case 3: s.longInteger(d.Long3, f); break;
    case 4: s.time(d.Time4, f); break;
    case 5: d.State = passingStateFromText(f); break;
    case 6: d.Status = competitorStatusFromText(f); break;
    default: break;
    }
}

std::string RecordJQ::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeQuotedText(d.RegNo) + writeQuotedTime(d.LapTime) + writeNumber(d.Long3) +
           writeQuotedTime(d.Time4) + writeQuotedWord(passingStateToText(d.State)) +
           writeQuotedWord(competitorStatusToText(d.Status));
}

void RecordQ::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.word(d.Position, f); break;
    case 2: s.textValue(d.RegNo, f, 8); break;
    case 3: s.longInteger(d.Long3, f); break;
    case 4: s.longInteger(d.Long4, f); break;
    case 5: s.time(d.Time5, f); break;
    case 6: d.Qualify = qualifyStatusFromText(f); break;
    case 7: d.Status = competitorStatusFromText(f); break;
    default: break;
    }
}

std::string RecordQ::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeNumberWidth2(d.Position) + writeQuotedText(d.RegNo) + writeNumber(d.Long3) +
           writeNumber(d.Long4) + writeQuotedTime(d.Time5) + writeQuotedWord(qualifyStatusToText(d.Qualify)) +
           writeQuotedWord(competitorStatusToText(d.Status));
}

} // namespace kav
