#include "zeb_record.h"

#include "field_scanner.h"

namespace kav {
namespace {

// Tags by kind, 0 to 21.
constexpr std::array<std::string_view, 22> kTags = {
    "$A", "$B",    "$C",    "$D",       "$E",      "$F",          "$G", "$H",     "$I",           "$J", "$JQ",
    "$T", "$COMP", "$FREQ", "$TRANREL", "$RESULT", "$SCHEMEINFO", "$S", "$POINT", "$POINTSCHEME", "$Q", "$SPONSORMAKE"};
constexpr std::size_t kLongestTag = 12;

} // namespace

std::uint8_t Recognise(std::string_view line)
{
    std::string_view field;
    NextField(line, field);
    if (field.empty() || field.size() > kLongestTag)
        return kKindUnknown;
    char upper[kLongestTag];
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        upper[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    const std::string_view tag(upper, field.size());
    for (std::size_t kind = 0; kind < kTags.size(); ++kind) {
        if (kTags[kind] == tag)
            return static_cast<std::uint8_t>(kind);
    }
    return kKindUnknown;
}

TZebRecord::TZebRecord()
    : m_instances{&m_a,          &m_b, &m_c,     &m_d,           &m_e,    &m_f,           &m_g,       &m_h,
                  &m_i,          &m_j, &m_jq,    &m_t,           &m_comp, &m_freq,        &m_tranRel, &m_result,
                  &m_schemeInfo, &m_s, &m_point, &m_pointScheme, &m_q,    &m_sponsorMake, &m_rawLine}
{
    ResetSeparators();
    SetOutputSeparator(',');
}

void TZebRecord::Take(std::string_view line)
{
    m_line.assign(line);
    m_kind = Recognise(m_line);
    m_success = m_kind < kKindUnknown && m_instances[m_kind]->Parse(m_line);
}

TARec TZebRecord::GetRecordA()
{
    return Reparse(m_a);
}
TBRec TZebRecord::GetRecordB()
{
    return Reparse(m_b);
}
TCRec TZebRecord::GetRecordC()
{
    return Reparse(m_c);
}
TERec TZebRecord::GetRecordE()
{
    return Reparse(m_e);
}
TFRec TZebRecord::GetRecordF()
{
    return Reparse(m_f);
}
TGRec TZebRecord::GetRecordG()
{
    return Reparse(m_g);
}
THRec TZebRecord::GetRecordH()
{
    return Reparse(m_h);
}
TIRec TZebRecord::GetRecordI()
{
    return Reparse(m_i);
}
TJRec TZebRecord::GetRecordJ()
{
    return Reparse(m_j);
}
TJQRec TZebRecord::GetRecordJQ()
{
    return Reparse(m_jq);
}
TCompRec TZebRecord::GetRecordComp()
{
    return Reparse(m_comp);
}
TQRec TZebRecord::GetRecordQ()
{
    return Reparse(m_q);
}
TSponsorMakeRec TZebRecord::GetRecordSponsorMake()
{
    return Reparse(m_sponsorMake);
}

} // namespace kav
