#pragma once

#include <cstdint>
#include <string>

#include "record_of.h"

namespace kav {

// $F: heartbeat with laps to go, race time and the optional flag text.
struct TFRec {
    std::int32_t LapsToGo = 0;
    TimeValue Time2 = 0;
    TimeValue Time3 = 0;
    TimeValue RaceTime = 0;
    std::string Flag; // Text 8, optional
    bool operator==(const TFRec&) const = default;
};

// $I: a new run starts.
struct TIRec {
    TimeValue Time1 = 0;
    std::string Text2; // Text 9
    bool operator==(const TIRec&) const = default;
};

// $G: a race position; the element data of the race and track lists.
struct TGRec {
    std::uint16_t Position = 0;
    std::string RegNo; // Text 8
    std::int32_t Laps = 0;
    TimeValue TotalTime = 0;
    bool operator==(const TGRec&) const = default;
};

// $H: a practice position; the element data of the practice list.
struct THRec {
    std::uint16_t Position = 0;
    std::string RegNo; // Text 8
    std::int32_t BestLap = 0;
    TimeValue BestLapTime = 0;
    bool operator==(const THRec&) const = default;
};

// $J: a passing; the element data of the passing list.
struct TJRec {
    std::string RegNo; // Text 8
    TimeValue LapTime = kEmptyLapTime;
    TimeValue Time3 = 0;
    bool operator==(const TJRec&) const = default;
};

// $JQ: an extended passing.
struct TJQRec {
    std::string RegNo; // Text 8
    TimeValue LapTime = kEmptyLapTime;
    std::int32_t Long3 = 0;
    TimeValue Time4 = 0;
    PassingState State = PassingState::OnTrack;
    CompetitorStatus Status = CompetitorStatus::None;
    bool operator==(const TJQRec&) const = default;
};

// $Q: a qualifying result.
struct TQRec {
    std::uint16_t Position = 0;
    std::string RegNo; // Text 8
    std::int32_t Long3 = 0;
    std::int32_t Long4 = 0;
    TimeValue Time5 = 0;
    QualifyStatus Qualify = QualifyStatus::Normal;
    CompetitorStatus Status = CompetitorStatus::None;
    bool operator==(const TQRec&) const = default;
};

class TRecordF final : public TRecordOf<TFRec> {
public:
    static constexpr std::string_view kTag = "$F";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordI final : public TRecordOf<TIRec> {
public:
    static constexpr std::string_view kTag = "$I";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordG final : public TRecordOf<TGRec> {
public:
    static constexpr std::string_view kTag = "$G";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordH final : public TRecordOf<THRec> {
public:
    static constexpr std::string_view kTag = "$H";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordJ final : public TRecordOf<TJRec> {
public:
    static constexpr std::string_view kTag = "$J";
    static constexpr int kRequired = 3;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordJQ final : public TRecordOf<TJQRec> {
public:
    static constexpr std::string_view kTag = "$JQ";
    static constexpr int kRequired = 6;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordQ final : public TRecordOf<TQRec> {
public:
    static constexpr std::string_view kTag = "$Q";
    static constexpr int kRequired = 7;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

} // namespace kav
