#include "timing_records.h"

#include "field_writers.h"

namespace kav {

void TRecordF::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Long(d.LapsToGo, f); break;
    case 2: s.Time(d.Time2, f); break;
    case 3: s.Time(d.Time3, f); break;
    case 4: s.Time(d.RaceTime, f); break;
    case 5: s.Text(d.Flag, f, 8); break;
    default: break;
    }
}

std::string TRecordF::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteNumberWidth5(d.LapsToGo) + WriteQuotedTime(d.Time2) + WriteQuotedTime(d.Time3) +
           WriteQuotedTime(d.RaceTime) + WriteQuotedTextUntrimmed(d.Flag);
}

void TRecordI::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Time(d.Time1, f); break;
    case 2: s.Text(d.Text2, f, 9); break;
    default: break;
    }
}

std::string TRecordI::ToLine() const
{
    return std::string(kTag) + WriteQuotedTime(m_data.Time1) + WriteQuotedText(m_data.Text2);
}

namespace {

// $G and $H share their layout: position, RegNo, a lap count and a time.
template <typename Rec, typename LapsMember, typename TimeMember>
void storePositionField(Rec& d, int n, std::string_view f, const TFieldStore& s, LapsMember laps, TimeMember time)
{
    switch (n) {
    case 1: s.Word(d.Position, f); break;
    case 2: s.Text(d.RegNo, f, 8); break;
    case 3: s.Long(d.*laps, f); break;
    case 4: s.Time(d.*time, f); break;
    default: break;
    }
}

template <typename Rec>
std::string WritePositionRecord(std::string_view tag, const Rec& d, std::int32_t laps, TimeValue time)
{
    return std::string(tag) + WriteNumberWidth2(d.Position) + WriteQuotedText(d.RegNo) + WriteNumberWidth5(laps) +
           WriteQuotedTime(time);
}

} // namespace

void TRecordG::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    storePositionField(d, n, f, s, &TGRec::Laps, &TGRec::TotalTime);
}

std::string TRecordG::ToLine() const
{
    return WritePositionRecord(kTag, m_data, m_data.Laps, m_data.TotalTime);
}

void TRecordH::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    storePositionField(d, n, f, s, &THRec::BestLap, &THRec::BestLapTime);
}

std::string TRecordH::ToLine() const
{
    return WritePositionRecord(kTag, m_data, m_data.BestLap, m_data.BestLapTime);
}

void TRecordJ::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.RegNo, f, 8); break;
    case 2: s.Time(d.LapTime, f); break;
    case 3: s.Time(d.Time3, f); break;
    default: break;
    }
}

std::string TRecordJ::ToLine() const
{
    return std::string(kTag) + WriteQuotedText(m_data.RegNo) + WriteQuotedTime(m_data.LapTime) +
           WriteQuotedTime(m_data.Time3);
}

void TRecordJQ::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.RegNo, f, 8); break;
    case 2: s.Time(d.LapTime, f); break;
    case 3: s.Long(d.Long3, f); break;
    case 4: s.Time(d.Time4, f); break;
    case 5: d.State = PassingStateFromText(f); break;
    case 6: d.Status = CompetitorStatusFromText(f); break;
    default: break;
    }
}

std::string TRecordJQ::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteQuotedText(d.RegNo) + WriteQuotedTime(d.LapTime) + WriteNumber(d.Long3) +
           WriteQuotedTime(d.Time4) + WriteQuotedWord(PassingStateToText(d.State)) +
           WriteQuotedWord(CompetitorStatusToText(d.Status));
}

void TRecordQ::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Word(d.Position, f); break;
    case 2: s.Text(d.RegNo, f, 8); break;
    case 3: s.Long(d.Long3, f); break;
    case 4: s.Long(d.Long4, f); break;
    case 5: s.Time(d.Time5, f); break;
    case 6: d.Qualify = QualifyStatusFromText(f); break;
    case 7: d.Status = CompetitorStatusFromText(f); break;
    default: break;
    }
}

std::string TRecordQ::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteNumberWidth2(d.Position) + WriteQuotedText(d.RegNo) + WriteNumber(d.Long3) +
           WriteNumber(d.Long4) + WriteQuotedTime(d.Time5) + WriteQuotedWord(QualifyStatusToText(d.Qualify)) +
           WriteQuotedWord(CompetitorStatusToText(d.Status));
}

} // namespace kav
