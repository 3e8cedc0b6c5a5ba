#include "competitor_records.h"

#include "field_writers.h"

namespace kav {

void TRecordA::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.RegNo, f, 8); break;
    case 2: s.Text(d.Number, f, 8); break;
    case 3: s.Word(d.Word3, f); break;
    case 4: s.Text(d.FirstName, f, 15); break;
    case 5: s.Text(d.LastName, f, 20); break;
    case 6: s.Text(d.Nationality, f, 3); break;
    case 7: s.Byte(d.ClassNo, f); break;
    default: break;
    }
}

std::string TRecordA::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteQuotedText(d.RegNo) + WriteQuotedText(d.Number) + WriteNumber(d.Word3) +
           WriteQuotedText(d.FirstName) + WriteQuotedText(d.LastName) + WriteQuotedText(d.Nationality) +
           WriteNumber(d.ClassNo);
}

void TRecordComp::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.RegNo, f, 8); break;
    case 2: s.Text(d.Number, f, 8); break;
    case 3: s.Byte(d.ClassNo, f); break;
    case 4: s.Text(d.FirstName, f, 15); break;
    case 5: s.Text(d.LastName, f, 20); break;
    case 6: s.Text(d.Nationality, f, 3); break;
    case 7: s.Text(d.AddData, f, 20); break;
    default: break;
    }
}

std::string TRecordComp::ToLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + WriteQuotedText(d.RegNo) + WriteQuotedText(d.Number) + WriteNumber(d.ClassNo) +
           WriteQuotedText(d.FirstName) + WriteQuotedText(d.LastName) + WriteQuotedText(d.Nationality) +
           WriteQuotedText(d.AddData);
}

void TRecordB::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Word(d.Word1, f); break;
    case 2: s.Text(d.Description, f, 40); break;
    default: break;
    }
}

std::string TRecordB::ToLine() const
{
    return std::string(kTag) + WriteNumberWidth2(m_data.Word1) + WriteQuotedText(m_data.Description);
}

void TRecordC::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Byte(d.ClassNo, f); break;
    case 2: s.Text(d.Description, f, 40); break;
    default: break;
    }
}

std::string TRecordC::ToLine() const
{
    return std::string(kTag) + WriteNumber(m_data.ClassNo) + WriteQuotedText(m_data.Description);
}

void TRecordE::storeField(Data& d, int n, std::string_view f, const TFieldStore&)
{
    switch (n) {
    case 1: d.Name.assign(f); break;
    case 2: d.Value.assign(f); break;
    default: break;
    }
}

std::string TRecordE::ToLine() const
{
    return std::string(kTag) + WriteQuotedText(m_data.Name) + WriteQuotedText(m_data.Value);
}

void TRecordSponsorMake::storeField(Data& d, int n, std::string_view f, const TFieldStore& s)
{
    switch (n) {
    case 1: s.Text(d.RegNo, f, 8); break;
    case 2: s.Text(d.Sponsor, f, 30); break;
    case 3: s.Text(d.Make, f, 4); break;
    default: break;
    }
}

std::string TRecordSponsorMake::ToLine() const
{
    return std::string(kTag) + WriteQuotedText(m_data.RegNo) + WriteQuotedTextUntrimmed(m_data.Sponsor) +
           WriteQuotedTextUntrimmed(m_data.Make);
}

} // namespace kav
