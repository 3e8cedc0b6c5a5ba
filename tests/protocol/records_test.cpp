#include <gtest/gtest.h>

#include "zeb_record.h"

namespace kav {
namespace {

TEST(Recognition, TagsAndKinds)
{
    EXPECT_EQ(Recognise(R"($A,"1")"), kKindA);
    EXPECT_EQ(Recognise("$g,1"), kKindG);
    EXPECT_EQ(Recognise("$Comp"), kKindComp);
    EXPECT_EQ(Recognise("$POINT,1"), kKindPoint);
    EXPECT_EQ(Recognise("$POINTSCHEME,1"), kKindPointScheme);
    EXPECT_EQ(Recognise("$J,1"), kKindJ);
    EXPECT_EQ(Recognise("$JQ,1"), kKindJQ);
    EXPECT_EQ(Recognise("$S,1"), kKindS);
    EXPECT_EQ(Recognise("$SCHEMEINFO,1"), kKindSchemeInfo);
    EXPECT_EQ(Recognise("$SPONSORMAKE"), kKindSponsorMake);
    EXPECT_EQ(Recognise("$X,1,2"), kKindUnknown);
    EXPECT_EQ(Recognise(""), kKindUnknown);
    EXPECT_EQ(Recognise("$SP,1"), kKindUnknown);
    EXPECT_EQ(Recognise(" $A,1"), kKindUnknown);
    EXPECT_EQ(Recognise("\"$F\",1"), kKindF);
    EXPECT_EQ(Recognise("$POINTSCHEMEX,1"), kKindUnknown);
}

TEST(ZebRecord, RequiredFieldCounts)
{
    TZebRecord r;
    struct Case {
        const char* line;
        std::uint8_t kind;
        bool success;
    };
    const Case cases[] = {
        {R"($A,"12","7",1234,"Abc","Defg","NED",2)", kKindA, true},
        {R"($A,"12","7",1234,"Abc","Defg","NED")", kKindA, false},
        {R"($A,"12","7",1234,"Abc","Defg","NED",2,"extra")", kKindA, true},
        {R"($COMP,"12","7",2,"Abc","Defg","NED")", kKindComp, false},
        {"$B,5,", kKindB, false},
        {R"($B,5,"")", kKindB, true},
        {R"($F,5,"00:10:00","12:00:00","00:05:00")", kKindF, true},
        {R"($F,5,"00:10:00","12:00:00")", kKindF, false},
        {R"($G,1,"12",3)", kKindG, false},
        {R"($J,"12","1:23.456")", kKindJ, false},
        {R"($D,"a","b",1,2,"1:00","X",3,"1:00",4)", kKindD, false},
        {"$POINTSCHEME,17", kKindPointScheme, true},
        {"$POINTSCHEME", kKindPointScheme, false},
        {"$X,1,2", kKindUnknown, false},
        {"", kKindUnknown, false},
    };
    for (const auto& c : cases) {
        r.Take(c.line);
        EXPECT_EQ(r.Kind(), c.kind) << c.line;
        EXPECT_EQ(r.Success(), c.success) << c.line;
    }
}

TEST(ZebRecord, UnknownTagLeavesNothingOfThePreviousLine)
{
    TZebRecord r;
    r.Take(R"($B,5,"Race")");
    ASSERT_TRUE(r.Success());
    r.Take("$TRAIN,1");
    EXPECT_EQ(r.Kind(), kKindUnknown);
    EXPECT_FALSE(r.Success());
    EXPECT_EQ(r.Line(), "$TRAIN,1");
}

TEST(ZebRecord, CompetitorRecords)
{
    TZebRecord r;
    r.Take(R"($A,"12","7",1234,"Abc","Defg","NED",2)");
    EXPECT_EQ(r.GetRecordA(), (TARec{"12", "7", 2, 1234, "Abc", "Defg", "NED"}));

    r.Take(R"($A,"12","7",1234,"Abcdefghijklmnopqrst","D","NED")");
    EXPECT_FALSE(r.Success());
    const TARec cut = r.GetRecordA();
    EXPECT_EQ(cut.FirstName, "Abcdefghijklmno");
    EXPECT_EQ(cut.ClassNo, 0);

    r.Take(R"($C,300,"Juniors")");
    EXPECT_EQ(r.GetRecordC(), (TCRec{44, "Juniors"}));

    r.Take(R"($E,"TRACKNAME","North loop")");
    EXPECT_EQ(r.GetRecordE(), (TERec{"TRACKNAME", "North loop"}));

    r.Take(R"($SPONSORMAKE,"12","  Team  ","ABCDE")");
    EXPECT_EQ(r.GetRecordSponsorMake(), (TSponsorMakeRec{"12", "  Team  ", "ABCD"}));

    r.Take(R"($COMP,"-??-","NE4",3,"John","Peruto, Esq.","GBR","Make")");
    EXPECT_TRUE(r.Success());
    EXPECT_EQ(r.GetRecordComp(), (TCompRec{"-?\?-", "NE4", 3, "John", "Peruto, Esq.", "GBR", "Make"}));

    // An unquoted, non-numeric transponder field is text like any other.
    r.Take(R"($A,"12",NE4,0,"A","B","C",1)");
    EXPECT_EQ(r.GetRecordA().Number, "NE4");
}

TEST(ZebRecord, TextsCountCharactersOfUtf8AndBytesOtherwise)
{
    TZebRecord r;
    // "Jürgen-Maximilian" in UTF-8: 17 characters, 18 bytes; cut to 15 characters (16 bytes).
    r.Take("$COMP,\"1\",\"1\",1,\"J\xC3\xBCrgen-Maximilian\",\"B\",\"C\",\"\"");
    EXPECT_EQ(r.GetRecordComp().FirstName, "J\xC3\xBCrgen-Maximili");
    // The same in Windows-1252: one byte a character.
    r.Take("$COMP,\"1\",\"1\",1,\"J\xFCrgen-Maximilian\",\"B\",\"C\",\"\"");
    EXPECT_EQ(r.GetRecordComp().FirstName, "J\xFCrgen-Maximili");
    // A cut never splits a sequence: three-letter nationality of two-byte letters.
    r.Take("$COMP,\"1\",\"1\",1,\"A\",\"B\",\"\xC3\x85\xC3\x85\xC3\x85\xC3\x85\",\"\"");
    EXPECT_EQ(r.GetRecordComp().Nationality, "\xC3\x85\xC3\x85\xC3\x85");
}

TEST(ZebRecord, TimingRecords)
{
    TZebRecord r;
    r.Take(R"($F,5,"00:10:00","12:00:00","00:05:00")");
    const TFRec f = r.GetRecordF();
    EXPECT_EQ(f.LapsToGo, 5);
    EXPECT_EQ(f.RaceTime, 5 * kTicksPerMinute);
    EXPECT_EQ(f.Flag, "");
    r.Take(R"($F,9999,"00:00:00","08:15:00","01:02:03","Yellow")");
    EXPECT_EQ(r.GetRecordF().Flag, "Yellow");

    r.Take(R"($G,1,"12",3)");
    EXPECT_EQ(r.GetRecordG(), (TGRec{1, "12", 3, 0}));
    r.Take(R"($G,70000,"12",3,"1:00.000")");
    EXPECT_EQ(r.GetRecordG(), (TGRec{4464, "12", 3, 600000}));
    r.Take(R"($G,3,"1234BE",,"00:00:00.000")");
    EXPECT_TRUE(r.Success());
    EXPECT_EQ(r.GetRecordG(), (TGRec{3, "1234BE", 0, 0}));

    for (const char* time : {"1:23.456", "83.456", "00:01:23.456"}) {
        r.Take(std::string(R"($J,"12",")") + time + R"(","0")");
        EXPECT_EQ(r.GetRecordJ().LapTime, 834560) << time;
    }
    r.Take(R"($J,"12","1:23.456")");
    EXPECT_EQ(r.GetRecordJ().Time3, 0);

    r.Take(R"($H,2,"7",0,"00:59:59.999")");
    EXPECT_EQ(r.GetRecordH(), (THRec{2, "7", 0, kEmptyLapTime}));

    r.Take(R"($JQ,"12","1:23.4",5,"2:00","Normal","Finish")");
    EXPECT_EQ(r.GetRecordJQ(), (TJQRec{"12", 834000, 5, 1200000, PassingState::Normal, CompetitorStatus::Finish}));
    r.Take(R"($JQ,"12","1:23.4",5,"2:00","onTrack","finish")");
    const TJQRec jq = r.GetRecordJQ();
    EXPECT_EQ(jq.State, PassingState::None);
    EXPECT_EQ(jq.Status, CompetitorStatus::None);

    r.Take(R"($Q,1,"12",3,4,"1:00","Tie","DNF")");
    EXPECT_EQ(r.GetRecordQ(), (TQRec{1, "12", 3, 4, 600000, QualifyStatus::Tie, CompetitorStatus::DNF}));

    r.Take(R"($I,"12:00:00","26 Nov 26")");
    EXPECT_EQ(r.GetRecordI(), (TIRec{12 * kTicksPerHour, "26 Nov 26"}));
}

TEST(ZebRecord, GetterReparsesTheStoredLine)
{
    TZebRecord r;
    r.Take(R"($G,2,"8",5,"3:00.0")");
    const TGRec first = r.GetRecordG();
    r.Instance(kKindG).Parse(R"($G,9,"x",1,"0")");
    EXPECT_EQ(r.GetRecordG(), first);
    // Getters of another kind parse the stored line with their own class and find it is not theirs.
    EXPECT_EQ(r.GetRecordH(), THRec{});
}

TEST(FurtherRecords, CharactersLettersAndEmptyFields)
{
    TZebRecord r;
    r.Take(R"($D,"a","b",1,2,"1:00",,3,"1:00",4,"1:00")");
    EXPECT_TRUE(r.Success());
    auto& d = static_cast<TRecordD&>(r.Instance(kKindD));
    EXPECT_EQ(d.GetData().Char6, "0");
    r.Take(R"($D,"a","b",1,2,"1:00","AB",3,"1:00",4,"1:00")");
    EXPECT_EQ(d.GetData().Char6, "A");
    EXPECT_EQ(d.GetData().Time10, 600000);
    r.Take(R"($D,"a","b",1,2,"1:00","AB",3,"1:00",4)");
    EXPECT_EQ(d.GetData().Time10, 3599999);

    r.Take(R"($T,1,"r",2,"Hello  ")");
    auto& t = static_cast<TRecordT&>(r.Instance(kKindT));
    EXPECT_EQ(t.GetData(), (TTRec{1, 1, 2, "Hello  "}));
    EXPECT_EQ(t.ToLine(), R"($T,1,"R",2,"Hello")");
    r.Take(R"($T,1,"Q",2,"x")");
    EXPECT_EQ(t.GetData().Letter2, 0);
    EXPECT_EQ(t.ToLine(), R"($T,1,"N",2,"x")");
    TTRec odd = t.GetData();
    odd.Letter2 = 7;
    t.SetData(odd);
    EXPECT_EQ(t.ToLine(), R"($T,1,"",2,"x")");

    r.Take(R"($POINT,"12",3,250,4)");
    EXPECT_EQ(r.Instance(kKindPoint).ToLine(), R"($POINT,"12", 3,250,"4")");

    r.Take(R"($FREQ,"a",,"b","c","d","e")");
    EXPECT_EQ(static_cast<TRecordFreq&>(r.Instance(kKindFreq)).GetData().Byte2, 0);
    EXPECT_EQ(TFreqRec{}.Byte2, 1);

    TRecordLine raw;
    EXPECT_FALSE(raw.Parse("$ANY,thing\r"));
    EXPECT_EQ(raw.ToLine(), "$ANY,thing\r");
}

TEST(RecordWriters, ExactLineShapes)
{
    TRecordC c;
    c.SetData({3, "Juniors"});
    EXPECT_EQ(c.ToLine(), R"($C,3,"Juniors")");

    TRecordB b;
    b.SetData({7, "  Heat 1 "});
    EXPECT_EQ(b.ToLine(), R"($B, 7,"Heat 1")");

    TRecordG g;
    g.SetData({3, "12", 10, 834560});
    EXPECT_EQ(g.ToLine(), R"($G, 3,"12",   10,"00:01:23.4560")");

    TRecordF f;
    f.SetData({-5, -15000, 0, 0, " Red  "});
    EXPECT_EQ(f.ToLine(), R"($F,   -5,"00-00-01.5000","00:00:00.0000","00:00:00.0000"," Red  ")");

    TRecordJQ jq;
    EXPECT_EQ(jq.ToLine(), R"($JQ,"","00:59:59.9990",0,"00:00:00.0000","OnTrack","None")");

    TRecordSponsorMake sm;
    sm.SetData({" 12 ", "  Team  ", "Mk "});
    EXPECT_EQ(sm.ToLine(), R"($SPONSORMAKE,"12","  Team  ","Mk ")");
}

TEST(StatusWords, CaseSensitiveWithFallbacks)
{
    EXPECT_EQ(CompetitorStatusFromText("Finish"), CompetitorStatus::Finish);
    EXPECT_EQ(CompetitorStatusFromText("finish"), CompetitorStatus::None);
    EXPECT_EQ(CompetitorStatusFromText("WarmUp"), CompetitorStatus::WarmUp);
    EXPECT_EQ(CompetitorStatusToText(static_cast<CompetitorStatus>(77)), "None");
    EXPECT_EQ(PassingStateFromText("OnTrack"), PassingState::OnTrack);
    EXPECT_EQ(PassingStateFromText(""), PassingState::None);
    EXPECT_EQ(PassingStateToText(static_cast<PassingState>(3)), "None");
    EXPECT_EQ(QualifyStatusFromText("StandOn"), QualifyStatus::StandOn);
    EXPECT_EQ(QualifyStatusFromText("x"), QualifyStatus::Normal);
    EXPECT_EQ(QualifyStatusToText(static_cast<QualifyStatus>(5)), "Normal");
    EXPECT_EQ(QualifyStatusToText(QualifyStatus::Tie), "Tie");
}

} // namespace
} // namespace kav
