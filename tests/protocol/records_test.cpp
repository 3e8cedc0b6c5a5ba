#include <gtest/gtest.h>

#include "case_table.h"
#include "parsed_record.h"

namespace kav {
namespace {

// The data of a line parsed as the record type it is expected to be.
template <typename Rec>
Rec parse(std::string_view line)
{
    const ParsedRecord record = parseRecord(line);
    EXPECT_TRUE(std::holds_alternative<Rec>(record.data)) << line;
    return std::holds_alternative<Rec>(record.data) ? std::get<Rec>(record.data) : Rec{};
}

TEST(Recognition, TagsKindsAndRequiredFieldCounts)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/protocol/record_kinds.txt")) {
        const ParsedRecord r = parseRecord(row.at(0));
        EXPECT_EQ(r.kind(), std::stoi(row.at(1))) << row[0];
        if (row.size() < 3)
            continue;
        EXPECT_EQ(r.valid, row[2] == "1") << row[0];
        EXPECT_EQ(std::holds_alternative<std::monostate>(r.data), r.kind() == kKindUnknown) << row[0];
    }
}

// A $L of the line-crossing layout is a crossing, read and written back; the other layouts under the
// same tag (record_kinds.txt) are other packages' records, unknown rather than errors.
TEST(RecordParse, LineCrossings)
{
    const std::pair<const char*, LineCrossingRecord> cases[] = {
        {R"($L,"21","P3","PIP","01/27/2009","08:01:12.556")",
         LineCrossingRecord{"21", "P3", "PIP", "01/27/2009", 288725560}},
        {R"($l,"1234BE","T1","SFT","12/31/2026","23:59:59.9999")",
         LineCrossingRecord{"1234BE", "T1", "SFT", "12/31/2026", 863999999}},
        {R"($L,"7","","POP","06/01/2026","14:00:00")", LineCrossingRecord{"7", "", "POP", "06/01/2026", 504000000}},
    };
    for (const auto& [line, crossing] : cases) {
        const ParsedRecord record = parseRecord(line);
        ASSERT_EQ(record.kind(), kKindCrossing) << line;
        EXPECT_TRUE(record.valid) << line;
        EXPECT_EQ(std::get<LineCrossingRecord>(record.data), crossing) << line;
        // Written back and read again, the same crossing.
        EXPECT_EQ(parseRecord(writeRecord(record.data)), record) << line;
    }
    EXPECT_EQ(writeRecord(RecordData{LineCrossingRecord{"21", "P3", "PIP", "01/27/2009", 288725560}}),
              R"($L,"21","P3","PIP","01/27/2009","08:01:12.556")");
}

TEST(RecordParse, CompetitorRecords)
{
    EXPECT_EQ(parse<CompetitorRecord>(R"($A,"12","7",1234,"Abc","Defg","NED",2)"),
              (CompetitorRecord{"12", "7", 2, 1234, "Abc", "Defg", "NED"}));

    const ParsedRecord cut = parseRecord(R"($A,"12","7",1234,"Abcdefghijklmnopqrst","D","NED")");
    EXPECT_FALSE(cut.valid);
    EXPECT_EQ(std::get<CompetitorRecord>(cut.data).FirstName, "Abcdefghijklmno");
    EXPECT_EQ(std::get<CompetitorRecord>(cut.data).ClassNo, 0);

    EXPECT_EQ(parse<ClassRecord>(R"($C,300,"Juniors")"), (ClassRecord{44, "Juniors"}));
    EXPECT_EQ(parse<TrackSettingRecord>(R"($E,"TRACKNAME","North loop")"),
              (TrackSettingRecord{"TRACKNAME", "North loop"}));
    EXPECT_EQ(parse<SponsorMakeRecord>(R"($SPONSORMAKE,"12","  Team  ","ABCDE")"),
              (SponsorMakeRecord{"12", "  Team  ", "ABCD"}));
    EXPECT_EQ(parseRecord(R"($COMP,"-??-","NE4",3,"John","Peruto, Esq.","GBR","Make")"),
              (ParsedRecord{FullCompetitorRecord{"-?\?-", "NE4", 3, "John", "Peruto, Esq.", "GBR", "Make"}, true}));
    // An unquoted, non-numeric transponder field is text like any other.
    EXPECT_EQ(parse<CompetitorRecord>(R"($A,"12",NE4,0,"A","B","C",1)").Number, "NE4");
}

TEST(RecordParse, TextsCountCharactersOfUtf8AndBytesOtherwise)
{
    // "Jürgen-Maximilian" in UTF-8: 17 characters, 18 bytes; cut to 15 characters (16 bytes).
    EXPECT_EQ(
        parse<FullCompetitorRecord>("$COMP,\"1\",\"1\",1,\"J\xC3\xBCrgen-Maximilian\",\"B\",\"C\",\"\"").FirstName,
        "J\xC3\xBCrgen-Maximili");
    // The same in Windows-1252: one byte a character.
    EXPECT_EQ(parse<FullCompetitorRecord>("$COMP,\"1\",\"1\",1,\"J\xFCrgen-Maximilian\",\"B\",\"C\",\"\"").FirstName,
              "J\xFCrgen-Maximili");
    // A cut never splits a sequence: three-letter nationality of two-byte letters.
    EXPECT_EQ(parse<FullCompetitorRecord>("$COMP,\"1\",\"1\",1,\"A\",\"B\",\"\xC3\x85\xC3\x85\xC3\x85\xC3\x85\",\"\"")
                  .Nationality,
              "\xC3\x85\xC3\x85\xC3\x85");
}

TEST(RecordParse, TimingRecords)
{
    const HeartbeatRecord f = parse<HeartbeatRecord>(R"($F,5,"00:10:00","12:00:00","00:05:00")");
    EXPECT_EQ(f.LapsToGo, 5);
    EXPECT_EQ(f.RaceTime, 5 * kTicksPerMinute);
    EXPECT_EQ(f.Flag, "");
    EXPECT_EQ(parse<HeartbeatRecord>(R"($F,9999,"00:00:00","08:15:00","01:02:03","Yellow")").Flag, "Yellow");
    EXPECT_EQ(parse<HeartbeatRecord>(R"($F,9999,"00:00:00","08:15:00","01:02:03","Purple123")").Flag, "Purple12");

    EXPECT_EQ(parse<RacePositionRecord>(R"($G,1,"12",3)"), (RacePositionRecord{1, "12", 3, 0}));
    EXPECT_EQ(parse<RacePositionRecord>(R"($G,70000,"12",3,"1:00.000")"), (RacePositionRecord{4464, "12", 3, 600000}));
    EXPECT_EQ(parseRecord(R"($G,3,"1234BE",,"00:00:00.000")"),
              (ParsedRecord{RacePositionRecord{3, "1234BE", 0, 0}, true}));

    for (const char* time : {"1:23.456", "83.456", "00:01:23.456"})
        EXPECT_EQ(parse<PassingRecord>(std::string(R"($J,"12",")") + time + R"(","0")").LapTime, 834560) << time;
    EXPECT_EQ(parse<PassingRecord>(R"($J,"12","1:23.456")").Time3, 0);

    EXPECT_EQ(parse<PracticePositionRecord>(R"($H,2,"7",0,"00:59:59.999")"),
              (PracticePositionRecord{2, "7", 0, kEmptyLapTime}));

    EXPECT_EQ(parse<ExtendedPassingRecord>(R"($JQ,"12","1:23.4",5,"2:00","Normal","Finish")"),
              (ExtendedPassingRecord{"12", 834000, 5, 1200000, PassingState::Normal, CompetitorStatus::Finish}));
    const ExtendedPassingRecord jq = parse<ExtendedPassingRecord>(R"($JQ,"12","1:23.4",5,"2:00","onTrack","finish")");
    EXPECT_EQ(jq.State, PassingState::None);
    EXPECT_EQ(jq.Status, CompetitorStatus::None);

    EXPECT_EQ(parse<QualifyingRecord>(R"($Q,1,"12",3,4,"1:00","Tie","DNF")"),
              (QualifyingRecord{1, "12", 3, 4, 600000, QualifyStatus::Tie, CompetitorStatus::DNF}));
    EXPECT_EQ(parse<RunStartRecord>(R"($I,"12:00:00","26 Nov 26")"), (RunStartRecord{12 * kTicksPerHour, "26 Nov 26"}));
}

// The line a writer of type Rec makes of the data.
template <typename Rec>
std::string lineOf(const typename Rec::Data& data)
{
    Rec rec;
    rec.setData(data);
    return rec.toLine();
}

TEST(RecordWriters, ExactLineShapes)
{
    EXPECT_EQ(lineOf<RecordC>({3, "Juniors"}), R"($C,3,"Juniors")");
    EXPECT_EQ(lineOf<RecordB>({7, "  Heat 1 "}), R"($B, 7,"Heat 1")");
    EXPECT_EQ(lineOf<RecordG>({3, "12", 10, 834560}), R"($G, 3,"12",   10,"00:01:23.4560")");
    EXPECT_EQ(lineOf<RecordF>({-5, -15000, 0, 0, " Red  "}),
              R"($F,   -5,"00-00-01.5000","00:00:00.0000","00:00:00.0000"," Red  ")");
    EXPECT_EQ(RecordJQ().toLine(), R"($JQ,"","00:59:59.9990",0,"00:00:00.0000","OnTrack","None")");
    EXPECT_EQ(lineOf<RecordSponsorMake>({" 12 ", "  Team  ", "Mk "}), R"($SPONSORMAKE,"12","  Team  ","Mk ")");
}

} // namespace
} // namespace kav
