#include <gtest/gtest.h>

#include <random>
#include <string>

#include "parsed_record.h"

namespace kav {
namespace {

// Random field values within the ranges the record fields hold, texts written back unchanged.
class Values {
public:
    explicit Values(unsigned seed) : m_rng(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Int(0, 255)); }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Int(0, 65535)); }
    std::int32_t Long() { return std::uniform_int_distribution<std::int32_t>(INT32_MIN, INT32_MAX)(m_rng); }
    // Hours above 50 read back as 50, so times stay below 51 hours.
    TimeValue Time() { return std::uniform_int_distribution<TimeValue>(0, 51 * kTicksPerHour - 1)(m_rng); }

    // Up to `capacity` characters, some of them two-byte UTF-8 letters; no quote, and spaces inside only
    // unless `edgeSpaces` allows them at the ends too.
    std::string Text(int capacity, bool edgeSpaces = false)
    {
        static const char* const kLetters[] = {"a", "Z", "0", ",", ";", " ", "-", "\xC3\xA9", "\xC3\x9F", "\t", "'"};
        const int length = Int(0, capacity);
        std::string text;
        for (int i = 0; i < length; ++i) {
            const char* letter = kLetters[Int(0, std::size(kLetters) - 1)];
            const bool atEdge = i == 0 || i == length - 1;
            if (!edgeSpaces && atEdge && letter[0] == ' ')
                letter = "x";
            text += letter;
        }
        return text;
    }
    std::string Character() { return std::string(1, static_cast<char>(Int('A', 'Z'))); }

private:
    std::mt19937 m_rng;
};

template <typename Record, typename Generate>
void ExpectRoundTrip(std::uint8_t kind, Generate generate)
{
    Values v(20261206 + kind);
    for (int i = 0; i < 300; ++i) {
        Record written;
        written.SetData(generate(v));
        const std::string line = written.ToLine();
        const ParsedRecord read = parseRecord(line);
        ASSERT_EQ(read.kind(), kind) << line;
        ASSERT_TRUE(read.valid) << line;
        ASSERT_EQ(std::get<typename Record::Data>(read.data), written.GetData()) << line;
        ASSERT_EQ(writeRecord(read.data), line);
    }
}

TEST(RoundTrip, CompetitorClassAndRunRecords)
{
    ExpectRoundTrip<TRecordA>(kKindA, [](Values& v) {
        return TARec{v.Text(8), v.Text(8), v.Byte(), v.Word(), v.Text(15), v.Text(20), v.Text(3)};
    });
    ExpectRoundTrip<TRecordComp>(kKindComp, [](Values& v) {
        return TCompRec{v.Text(8), v.Text(8), v.Byte(), v.Text(15), v.Text(20), v.Text(3), v.Text(20)};
    });
    ExpectRoundTrip<TRecordB>(kKindB, [](Values& v) { return TBRec{v.Word(), v.Text(40)}; });
    ExpectRoundTrip<TRecordC>(kKindC, [](Values& v) { return TCRec{v.Byte(), v.Text(40)}; });
    ExpectRoundTrip<TRecordE>(kKindE, [](Values& v) { return TERec{v.Text(300), v.Text(300)}; });
    ExpectRoundTrip<TRecordSponsorMake>(kKindSponsorMake, [](Values& v) {
        return TSponsorMakeRec{v.Text(8), v.Text(30, true), v.Text(4, true)};
    });
}

TEST(RoundTrip, TimingRecords)
{
    ExpectRoundTrip<TRecordF>(kKindF, [](Values& v) {
        return TFRec{v.Long(), v.Time(), v.Time(), v.Time(), v.Text(8, true)};
    });
    ExpectRoundTrip<TRecordI>(kKindI, [](Values& v) { return TIRec{v.Time(), v.Text(9)}; });
    ExpectRoundTrip<TRecordG>(kKindG, [](Values& v) { return TGRec{v.Word(), v.Text(8), v.Long(), v.Time()}; });
    ExpectRoundTrip<TRecordH>(kKindH, [](Values& v) { return THRec{v.Word(), v.Text(8), v.Long(), v.Time()}; });
    ExpectRoundTrip<TRecordJ>(kKindJ, [](Values& v) { return TJRec{v.Text(8), v.Time(), v.Time()}; });
    ExpectRoundTrip<TRecordJQ>(kKindJQ, [](Values& v) {
        return TJQRec{v.Text(8),
                      v.Time(),
                      v.Long(),
                      v.Time(),
                      static_cast<PassingState>(v.Int(0, 2)),
                      static_cast<CompetitorStatus>(v.Int(0, 5))};
    });
    ExpectRoundTrip<TRecordQ>(kKindQ, [](Values& v) {
        return TQRec{v.Word(),
                     v.Text(8),
                     v.Long(),
                     v.Long(),
                     v.Time(),
                     static_cast<QualifyStatus>(v.Int(0, 4)),
                     static_cast<CompetitorStatus>(v.Int(0, 5))};
    });
}

TEST(RoundTrip, FurtherRecords)
{
    ExpectRoundTrip<TRecordD>(kKindD, [](Values& v) {
        return TDRec{v.Text(8),     v.Text(8), v.Byte(), v.Long(), v.Time(),
                     v.Character(), v.Long(),  v.Time(), v.Long(), v.Time()};
    });
    ExpectRoundTrip<TRecordT>(kKindT, [](Values& v) {
        // Only trailing spaces are dropped when this text is written.
        std::string text = " ";
        text += v.Text(78);
        text += 'x';
        return TTRec{v.Word(), static_cast<std::uint8_t>(v.Int(0, 3)), v.Byte(), text};
    });
    ExpectRoundTrip<TRecordFreq>(
        kKindFreq, [](Values& v) { return TFreqRec{v.Text(8), v.Byte(), v.Text(7), v.Text(7), v.Text(7), v.Text(7)}; });
    ExpectRoundTrip<TRecordTranRel>(kKindTranRel, [](Values& v) { return TTranRelRec{v.Text(8), v.Word()}; });
    ExpectRoundTrip<TRecordResult>(kKindResult, [](Values& v) {
        return TResultRec{v.Text(8), v.Long(), v.Time(), v.Character(), v.Long(), v.Time(), v.Long(), v.Time()};
    });
    ExpectRoundTrip<TRecordSchemeInfo>(kKindSchemeInfo, [](Values& v) {
        return TSchemeInfoRec{v.Word(), v.Text(20), v.Long(), v.Long(), v.Byte(), v.Byte()};
    });
    ExpectRoundTrip<TRecordS>(kKindS, [](Values& v) { return TSRec{v.Word(), v.Text(40)}; });
    ExpectRoundTrip<TRecordPointsScheme>(kKindPointScheme, [](Values& v) { return TPointsSchemeRec{v.Long()}; });
    ExpectRoundTrip<TRecordPnts>(kKindPoint, [](Values& v) {
        return TPntsRec{v.Text(8), v.Word(), v.Long(), v.Byte()};
    });
}

} // namespace
} // namespace kav
