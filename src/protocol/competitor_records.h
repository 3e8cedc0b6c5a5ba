#pragma once

#include <cstdint>
#include <string>

#include "record_of.h"

namespace kav {

// $A: a competitor.
struct CompetitorRecord {
    std::string RegNo;  // Text 8, the competitor's key in every list
    std::string Number; // Text 8
    std::uint8_t ClassNo = 0;
    std::uint16_t Word3 = 0;
    std::string FirstName;   // Text 15
    std::string LastName;    // Text 20
    std::string Nationality; // Text 3
    bool operator==(const CompetitorRecord&) const = default;
};

// $COMP: a competitor with all fields; also the competitor list's data.
struct FullCompetitorRecord {
    std::string RegNo;  // Text 8
    std::string Number; // Text 8
    std::uint8_t ClassNo = 0;
    std::string FirstName;   // Text 15
    std::string LastName;    // Text 20
    std::string Nationality; // Text 3
    std::string AddData;     // Text 20
    bool operator==(const FullCompetitorRecord&) const = default;
};

// $B: the run.
struct RunRecord {
    std::uint16_t Word1 = 0;
    std::string Description; // Text 40
    bool operator==(const RunRecord&) const = default;
};

// $C: a class description.
struct ClassRecord {
    std::uint8_t ClassNo = 0;
    std::string Description; // Text 40
    bool operator==(const ClassRecord&) const = default;
};

// $E: a named setting of the track; both texts unbounded.
struct TrackSettingRecord {
    std::string Name;
    std::string Value;
    bool operator==(const TrackSettingRecord&) const = default;
};

// $SPONSORMAKE: a competitor's sponsor and make.
struct SponsorMakeRecord {
    std::string RegNo;   // Text 8
    std::string Sponsor; // Text 30
    std::string Make;    // Text 4
    bool operator==(const SponsorMakeRecord&) const = default;
};

class RecordA final : public RecordOf<CompetitorRecord> {
public:
    static constexpr std::string_view kTag = "$A";
    static constexpr int kRequired = 7;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordComp final : public RecordOf<FullCompetitorRecord> {
public:
    static constexpr std::string_view kTag = "$COMP";
    static constexpr int kRequired = 7;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordB final : public RecordOf<RunRecord> {
public:
    static constexpr std::string_view kTag = "$B";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordC final : public RecordOf<ClassRecord> {
public:
    static constexpr std::string_view kTag = "$C";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordE final : public RecordOf<TrackSettingRecord> {
public:
    static constexpr std::string_view kTag = "$E";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordSponsorMake final : public RecordOf<SponsorMakeRecord> {
public:
    static constexpr std::string_view kTag = "$SPONSORMAKE";
    static constexpr int kRequired = 3;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

} // namespace kav
