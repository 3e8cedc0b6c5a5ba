#include "further_records.h"

#include <array>

#include "field_writers.h"

namespace kav {

void TRecordD::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.Text1, f, 8); break;
    case 2: s.Text(d.Text2, f, 8); break;
    case 3: s.Byte(d.Byte3, f); break;
    case 4: s.Long(d.Long4, f); break;
    case 5: s.Time(d.Time5, f); break;
    case 6: s.Character(d.Char6, f); break;
    case 7: s.Long(d.Long7, f); break;
    case 8: s.Time(d.Time8, f); break;
    case 9: s.Long(d.Long9, f); break;
    case 10: s.Time(d.Time10, f); break;
    default: break;
    }
}

std::string TRecordD::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteQuotedText(d.Text1) + WriteQuotedText(d.Text2) + WriteNumber(d.Byte3) +
           WriteNumberWidth5(d.Long4) + WriteQuotedTime(d.Time5) + WriteQuotedChar(d.Char6) +
           WriteNumberWidth5(d.Long7) + WriteQuotedTime(d.Time8) + WriteNumberWidth5(d.Long9) +
           WriteQuotedTime(d.Time10);
}

namespace {

constexpr std::array<char, 4> kTrackLetters = {'N', 'R', 'L', 'C'};

} // namespace

void TRecordT::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Word(d.Word1, f); break;
    case 2:
        // Any text but one of the four letters (in either case) leaves the default.
        for (std::size_t i = 0; f.size() == 1 && i < kTrackLetters.size(); ++i) {
            if (f[0] == kTrackLetters[i] || f[0] == kTrackLetters[i] - 'A' + 'a')
                d.Letter2 = static_cast<std::uint8_t>(i);
        }
        break;
    case 3: s.Byte(d.Byte3, f); break;
    case 4: s.Text(d.Text4, f, 80); break;
    default: break;
    }
}

std::string TRecordT::ToLine() const
{
    const auto& d = m_data;
    const std::string letter =
        d.Letter2 < kTrackLetters.size() ? std::string(1, kTrackLetters[d.Letter2]) : std::string();
    return std::string(kTag) + WriteNumber(d.Word1) + WriteQuotedChar(letter) + WriteNumber(d.Byte3) +
           WriteQuotedTextTrailingTrimmed(d.Text4);
}

void TRecordFreq::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.Text1, f, 8); break;
    case 2: s.Byte(d.Byte2, f); break;
    case 3: s.Text(d.Text3, f, 7); break;
    case 4: s.Text(d.Text4, f, 7); break;
    case 5: s.Text(d.Text5, f, 7); break;
    case 6: s.Text(d.Text6, f, 7); break;
    default: break;
    }
}

std::string TRecordFreq::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteQuotedText(d.Text1) + WriteNumber(d.Byte2) + WriteQuotedText(d.Text3) +
           WriteQuotedText(d.Text4) + WriteQuotedText(d.Text5) + WriteQuotedText(d.Text6);
}

void TRecordTranRel::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.Text1, f, 8); break;
    case 2: s.Word(d.Word2, f); break;
    default: break;
    }
}

std::string TRecordTranRel::ToLine() const
{
    return std::string(kTag) + WriteQuotedText(m_data.Text1) + WriteNumber(m_data.Word2);
}

void TRecordResult::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.Text1, f, 8); break;
    case 2: s.Long(d.Long2, f); break;
    case 3: s.Time(d.Time3, f); break;
    case 4: s.Character(d.Char4, f); break;
    case 5: s.Long(d.Long5, f); break;
    case 6: s.Time(d.Time6, f); break;
    case 7: s.Long(d.Long7, f); break;
    case 8: s.Time(d.Time8, f); break;
    default: break;
    }
}

std::string TRecordResult::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteQuotedText(d.Text1) + WriteNumberWidth5(d.Long2) + WriteQuotedTime(d.Time3) +
           WriteQuotedChar(d.Char4) + WriteNumberWidth5(d.Long5) + WriteQuotedTime(d.Time6) +
           WriteNumberWidth5(d.Long7) + WriteQuotedTime(d.Time8);
}

void TRecordSchemeInfo::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Word(d.Word1, f); break;
    case 2: s.Text(d.Text2, f, 20); break;
    case 3: s.Long(d.Long3, f); break;
    case 4: s.Long(d.Long4, f); break;
    case 5: s.Byte(d.Byte5, f); break;
    case 6: s.Byte(d.Byte6, f); break;
    default: break;
    }
}

std::string TRecordSchemeInfo::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteNumber(d.Word1) + WriteQuotedText(d.Text2) + WriteNumber(d.Long3) +
           WriteNumber(d.Long4) + WriteNumber(d.Byte5) + WriteNumber(d.Byte6);
}

void TRecordS::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Word(d.Word1, f); break;
    case 2: s.Text(d.Text2, f, 40); break;
    default: break;
    }
}

std::string TRecordS::ToLine() const
{
    return std::string(kTag) + WriteNumber(m_data.Word1) + WriteQuotedText(m_data.Text2);
}

void TRecordPointsScheme::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    if (n == 1)
        s.Long(d.Long1, f);
}

std::string TRecordPointsScheme::ToLine() const
{
    return std::string(kTag) + WriteNumber(m_data.Long1);
}

void TRecordPnts::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.Text1, f, 8); break;
    case 2: s.Word(d.Word2, f); break;
    case 3: s.Long(d.Long3, f); break;
    case 4: s.Byte(d.Byte4, f); break;
    default: break;
    }
}

std::string TRecordPnts::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteQuotedText(d.Text1) + WriteNumberWidth2(d.Word2) + WriteNumber(d.Long3) +
           WriteQuotedNumber(d.Byte4);
}

} // namespace kav
