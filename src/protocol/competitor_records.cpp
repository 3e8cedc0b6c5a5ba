#include "competitor_records.h"

#include "field_writers.h"

namespace kav {

void RecordA::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.RegNo, f, 8); break;
    case 2: s.textValue(d.Number, f, 8); break;
    case 3: s.word(d.Word3, f); break;
    case 4: s.textValue(d.FirstName, f, 15); break;
    case 5: s.textValue(d.LastName, f, 20); break;
    case 6: s.textValue(d.Nationality, f, 3); break;
    case 7: s.byte(d.ClassNo, f); break;
    default: break;
    }
}

std::string RecordA::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeQuotedText(d.RegNo) + writeQuotedText(d.Number) + writeNumber(d.Word3) +
           writeQuotedText(d.FirstName) + writeQuotedText(d.LastName) + writeQuotedText(d.Nationality) +
           writeNumber(d.ClassNo);
}

void RecordComp::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.RegNo, f, 8); break;
    case 2: s.textValue(d.Number, f, 8); break;
    case 3: s.byte(d.ClassNo, f); break;
    case 4: s.textValue(d.FirstName, f, 15); break;
    case 5: s.textValue(d.LastName, f, 20); break;
    case 6: s.textValue(d.Nationality, f, 3); break;
    case 7: s.textValue(d.AddData, f, 20); break;
    default: break;
    }
}

std::string RecordComp::toLine() const
{
    const auto& d = m_data;
    return std::string(kTag) + writeQuotedText(d.RegNo) + writeQuotedText(d.Number) + writeNumber(d.ClassNo) +
           writeQuotedText(d.FirstName) + writeQuotedText(d.LastName) + writeQuotedText(d.Nationality) +
           writeQuotedText(d.AddData);
}

void RecordB::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.word(d.Word1, f); break;
    case 2: s.textValue(d.Description, f, 40); break;
    default: break;
    }
}

std::string RecordB::toLine() const
{
    return std::string(kTag) + writeNumberWidth2(m_data.Word1) + writeQuotedText(m_data.Description);
}

void RecordC::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.byte(d.ClassNo, f); break;
    case 2: s.textValue(d.Description, f, 40); break;
    default: break;
    }
}

std::string RecordC::toLine() const
{
    return std::string(kTag) + writeNumber(m_data.ClassNo) + writeQuotedText(m_data.Description);
}

void RecordE::storeField(Data& d, int n, std::string_view f, const FieldStore&)
{
    switch (n) {
    case 1: d.Name.assign(f); break;
    case 2: d.Value.assign(f); break;
    default: break;
    }
}

std::string RecordE::toLine() const
{
    return std::string(kTag) + writeQuotedText(m_data.Name) + writeQuotedText(m_data.Value);
}

void RecordSponsorMake::storeField(Data& d, int n, std::string_view f, const FieldStore& s)
{
    switch (n) {
    case 1: s.textValue(d.RegNo, f, 8); break;
    case 2: s.textValue(d.Sponsor, f, 30); break;
    case 3: s.textValue(d.Make, f, 4); break;
    default: break;
    }
}

std::string RecordSponsorMake::toLine() const
{
    return std::string(kTag) + writeQuotedText(m_data.RegNo) + writeQuotedTextUntrimmed(m_data.Sponsor) +
           writeQuotedTextUntrimmed(m_data.Make);
}

} // namespace kav
