#include "further_records.h"

#include <array>

#include "field_writers.h"

namespace kav {

void RecordD::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.Text1, f, 8); break;
    case 2: s.textValue(d.Text2, f, 8); break;
    case 3: s.byte(d.Byte3, f); break;
    case 4: s.longInteger(d.Long4, f); break;
    case 5: s.time(d.Time5, f); break;
    case 6: s.character(d.Char6, f); break;
    case 7: s.longInteger(d.Long7, f); break;
    case 8: s.time(d.Time8, f); break;
    case 9: s.longInteger(d.Long9, f); break;
    case 10: s.time(d.Time10, f); break;
    default: break;
    }
}

std::string RecordD::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeQuotedText(d.Text1) + writeQuotedText(d.Text2) + writeNumber(d.Byte3) +
           writeNumberWidth5(d.Long4) + writeQuotedTime(d.Time5) + writeQuotedChar(d.Char6) +
           writeNumberWidth5(d.Long7) + writeQuotedTime(d.Time8) + writeNumberWidth5(d.Long9) +
           writeQuotedTime(d.Time10);
}

namespace {

constexpr std::array<char, 4> kTrackLetters = {'N', 'R', 'L', 'C'};

} // namespace

void RecordT::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.word(d.Word1, f); break;
    case 2:
        // Any text but one of the four letters (in either case) leaves the default.
        for (std::size_t i = 0; f.size() == 1 && i < kTrackLetters.size(); ++i) {
            if (f[0] == kTrackLetters[i] || f[0] == kTrackLetters[i] - 'A' + 'a')
                d.Letter2 = static_cast<std::uint8_t>(i);
        }
        break;
    case 3: s.byte(d.Byte3, f); break;
    case 4: s.textValue(d.Text4, f, 80); break;
    default: break;
    }
}

std::string RecordT::toLine() const
{
    const auto& d = m_data;
    const std::string letter =
        d.Letter2 < kTrackLetters.size() ? std::string(1, kTrackLetters[d.Letter2]) : std::string();
    return std::string(kTag) + writeNumber(d.Word1) + writeQuotedChar(letter) + writeNumber(d.Byte3) +
           writeQuotedTextTrailingTrimmed(d.Text4);
}

void RecordFreq::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.Text1, f, 8); break;
    case 2: s.byte(d.Byte2, f); break;
    case 3: s.textValue(d.Text3, f, 7); break;
    case 4: s.textValue(d.Text4, f, 7); break;
    case 5: s.textValue(d.Text5, f, 7); break;
    case 6: s.textValue(d.Text6, f, 7); break;
    default: break;
    }
}

std::string RecordFreq::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeQuotedText(d.Text1) + writeNumber(d.Byte2) + writeQuotedText(d.Text3) +
           writeQuotedText(d.Text4) + writeQuotedText(d.Text5) + writeQuotedText(d.Text6);
}

void RecordTranRel::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.Text1, f, 8); break;
    case 2: s.word(d.Word2, f); break;
    default: break;
    }
}

std::string RecordTranRel::toLine() const
{
    return std::string(kTag) + writeQuotedText(m_data.Text1) + writeNumber(m_data.Word2);
}

void RecordResult::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.Text1, f, 8); break;
    case 2: s.longInteger(d.Long2, f); break;
    case 3: s.time(d.Time3, f); break;
    case 4: s.character(d.Char4, f); break;
    case 5: s.longInteger(d.Long5, f); break;
    case 6: s.time(d.Time6, f); break;
    case 7: s.longInteger(d.Long7, f); break;
    case 8: s.time(d.Time8, f); break;
    default: break;
    }
}

std::string RecordResult::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeQuotedText(d.Text1) + writeNumberWidth5(d.Long2) + writeQuotedTime(d.Time3) +
           writeQuotedChar(d.Char4) + writeNumberWidth5(d.Long5) + writeQuotedTime(d.Time6) +
           writeNumberWidth5(d.Long7) + writeQuotedTime(d.Time8);
}

void RecordSchemeInfo::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.word(d.Word1, f); break;
    case 2: s.textValue(d.Text2, f, 20); break;
    case 3: s.longInteger(d.Long3, f); break;
    case 4: s.longInteger(d.Long4, f); break;
    case 5: s.byte(d.Byte5, f); break;
    case 6: s.byte(d.Byte6, f); break;
    default: break;
    }
}

std::string RecordSchemeInfo::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeNumber(d.Word1) + writeQuotedText(d.Text2) + writeNumber(d.Long3) +
           writeNumber(d.Long4) + writeNumber(d.Byte5) + writeNumber(d.Byte6);
}

void RecordS::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.word(d.Word1, f); break;
    case 2: s.textValue(d.Text2, f, 40); break;
    default: break;
    }
}

std::string RecordS::toLine() const
{
    return std::string(kTag) + writeNumber(m_data.Word1) + writeQuotedText(m_data.Text2);
}

void RecordPointsScheme::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    if (n == 1)
        s.longInteger(d.Long1, f);
}

std::string RecordPointsScheme::toLine() const
{
    return std::string(kTag) + writeNumber(m_data.Long1);
}

void RecordPoints::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.Text1, f, 8); break;
    case 2: s.word(d.Word2, f); break;
    case 3: s.longInteger(d.Long3, f); break;
    case 4: s.byte(d.Byte4, f); break;
    default: break;
    }
}

std::string RecordPoints::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeQuotedText(d.Text1) + writeNumberWidth2(d.Word2) + writeNumber(d.Long3) +
           writeQuotedNumber(d.Byte4);
}

} // namespace kav
