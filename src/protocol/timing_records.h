#pragma once

#include <cstdint>
#include <string>

#include "record_of.h"

namespace kav {

// $F: heartbeat with laps to go, race time and the optional flag text.
struct HeartbeatRecord {
    std::int32_t LapsToGo = 0;
    TimeValue Time2 = 0;
    TimeValue Time3 = 0;
    TimeValue RaceTime = 0;
    std::string Flag; // Text 8, optional
    bool operator==(const HeartbeatRecord&) const = default;
};

// $I: a new run starts.
struct RunStartRecord {
    TimeValue Time1 = 0;
    std::string Text2; // Text 9
    bool operator==(const RunStartRecord&) const = default;
};

// $G: a race position; the element data of the race and track lists.
struct RacePositionRecord {
    std::uint16_t Position = 0;
    std::string RegNo; // Text 8
    std::int32_t Laps = 0;
    TimeValue TotalTime = 0;
    bool operator==(const RacePositionRecord&) const = default;
};

// $H: a practice position; the element data of the practice list.
struct PracticePositionRecord {
    std::uint16_t Position = 0;
    std::string RegNo; // Text 8
    std::int32_t BestLap = 0;
    TimeValue BestLapTime = 0;
    bool operator==(const PracticePositionRecord&) const = default;
};

// $J: a passing; the element data of the passing list.
struct PassingRecord {
    std::string RegNo; // Text 8
    TimeValue LapTime = kEmptyLapTime;
    TimeValue Time3 = 0;
    bool operator==(const PassingRecord&) const = default;
};

// $JQ: an extended passing.
struct ExtendedPassingRecord {
    std::string RegNo; // Text 8
    TimeValue LapTime = kEmptyLapTime;
    std::int32_t Long3 = 0;
    TimeValue Time4 = 0;
    PassingState State = PassingState::OnTrack;
    CompetitorStatus Status = CompetitorStatus::None;
    bool operator==(const ExtendedPassingRecord&) const = default;
};

// $Q: a qualifying result.
struct QualifyingRecord {
    std::uint16_t Position = 0;
    std::string RegNo; // Text 8
    std::int32_t Long3 = 0;
    std::int32_t Long4 = 0;
    TimeValue Time5 = 0;
    QualifyStatus Qualify = QualifyStatus::Normal;
    CompetitorStatus Status = CompetitorStatus::None;
    bool operator==(const QualifyingRecord&) const = default;
};

class RecordF final : public RecordOf<HeartbeatRecord> {
public:
    static constexpr std::string_view kTag = "$F";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordI final : public RecordOf<RunStartRecord> {
public:
    static constexpr std::string_view kTag = "$I";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordG final : public RecordOf<RacePositionRecord> {
public:
    static constexpr std::string_view kTag = "$G";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordH final : public RecordOf<PracticePositionRecord> {
public:
    static constexpr std::string_view kTag = "$H";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordJ final : public RecordOf<PassingRecord> {
public:
    static constexpr std::string_view kTag = "$J";
    static constexpr int kRequired = 3;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordJQ final : public RecordOf<ExtendedPassingRecord> {
public:
    static constexpr std::string_view kTag = "$JQ";
    static constexpr int kRequired = 6;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordQ final : public RecordOf<QualifyingRecord> {
public:
    static constexpr std::string_view kTag = "$Q";
    static constexpr int kRequired = 7;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

} // namespace kav
