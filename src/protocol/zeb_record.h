#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "competitor_records.h"
#include "further_records.h"
#include "timing_records.h"

namespace kav {

// Record kinds as Recognise and TZebRecord::Kind report them.
enum RecordKind : std::uint8_t {
    kKindA = 0,
    kKindB = 1,
    kKindC = 2,
    kKindD = 3,
    kKindE = 4,
    kKindF = 5,
    kKindG = 6,
    kKindH = 7,
    kKindI = 8,
    kKindJ = 9,
    kKindJQ = 10,
    kKindT = 11,
    kKindComp = 12,
    kKindFreq = 13,
    kKindTranRel = 14,
    kKindResult = 15,
    kKindSchemeInfo = 16,
    kKindS = 17,
    kKindPoint = 18,
    kKindPointScheme = 19,
    kKindQ = 20,
    kKindSponsorMake = 21,
    kKindLine = 22,    // never produced by recognition
    kKindUnknown = 23, // any other first field, an empty line included
};

// The kind of a line from its first field, compared without regard to letter case.
std::uint8_t Recognise(std::string_view line);

// Recognises each line, lets the matching record class parse it, and hands out copies of the data.
class TZebRecord {
public:
    TZebRecord();
    TZebRecord(const TZebRecord&) = delete;
    TZebRecord& operator=(const TZebRecord&) = delete;

    // Stores and parses the line; an unknown tag leaves Success false.
    void Take(std::string_view line);
    bool Success() const { return m_success; }
    std::uint8_t Kind() const { return m_kind; }
    const std::string& Line() const { return m_line; }

    // Each getter parses the stored line again and returns a copy of the record's data.
    TARec GetRecordA();
    TBRec GetRecordB();
    TCRec GetRecordC();
    TERec GetRecordE();
    TFRec GetRecordF();
    TGRec GetRecordG();
    THRec GetRecordH();
    TIRec GetRecordI();
    TJRec GetRecordJ();
    TJQRec GetRecordJQ();
    TCompRec GetRecordComp();
    TQRec GetRecordQ();
    TSponsorMakeRec GetRecordSponsorMake();

    // The record instance of a kind (0 to 22), holding the data of its last parse.
    TRecordGeneric& Instance(std::uint8_t kind) { return *m_instances.at(kind); }

private:
    template <typename Record>
    typename Record::Data Reparse(Record& record)
    {
        record.Parse(m_line);
        return record.GetData();
    }

    std::string m_line;
    bool m_success = false;
    std::uint8_t m_kind = kKindUnknown;

    TRecordA m_a;
    TRecordB m_b;
    TRecordC m_c;
    TRecordD m_d;
    TRecordE m_e;
    TRecordF m_f;
    TRecordG m_g;
    TRecordH m_h;
    TRecordI m_i;
    TRecordJ m_j;
    TRecordJQ m_jq;
    TRecordT m_t;
    TRecordComp m_comp;
    TRecordFreq m_freq;
    TRecordTranRel m_tranRel;
    TRecordResult m_result;
    TRecordSchemeInfo m_schemeInfo;
    TRecordS m_s;
    TRecordPnts m_point;
    TRecordPointsScheme m_pointScheme;
    TRecordQ m_q;
    TRecordSponsorMake m_sponsorMake;
    TRecordLine m_rawLine;
    std::array<TRecordGeneric*, 23> m_instances;
};

} // namespace kav
