#pragma once

#include <cstdint>
#include <string>

#include "record_of.h"

namespace kav {

// $A: a competitor.
struct TARec {
    std::string RegNo;  // Text 8, the competitor's key in every list
    std::string Number; // Text 8
    std::uint8_t ClassNo = 0;
    std::uint16_t Word3 = 0;
    std::string FirstName;   // Text 15
    std::string LastName;    // Text 20
    std::string Nationality; // Text 3
    bool operator==(const TARec&) const = default;
};

// $COMP: a competitor with all fields; also the competitor list's data.
struct TCompRec {
    std::string RegNo;  // Text 8
    std::string Number; // Text 8
    std::uint8_t ClassNo = 0;
    std::string FirstName;   // Text 15
    std::string LastName;    // Text 20
    std::string Nationality; // Text 3
    std::string AddData;     // Text 20
    bool operator==(const TCompRec&) const = default;
};

// $B: the run.
struct TBRec {
    std::uint16_t Word1 = 0;
    std::string Description; // Text 40
    bool operator==(const TBRec&) const = default;
};

// $C: a class description.
struct TCRec {
    std::uint8_t ClassNo = 0;
    std::string Description; // Text 40
    bool operator==(const TCRec&) const = default;
};

// $E: a named setting of the track; both texts unbounded.
struct TERec {
    std::string Name;
    std::string Value;
    bool operator==(const TERec&) const = default;
};

// $SPONSORMAKE: a competitor's sponsor and make.
struct TSponsorMakeRec {
    std::string RegNo;   // Text 8
    std::string Sponsor; // Text 30
    std::string Make;    // Text 4
    bool operator==(const TSponsorMakeRec&) const = default;
};

class TRecordA final : public TRecordOf<TARec> {
public:
    static constexpr std::string_view kTag = "$A";
    static constexpr int kRequired = 7;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordComp final : public TRecordOf<TCompRec> {
public:
    static constexpr std::string_view kTag = "$COMP";
    static constexpr int kRequired = 7;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordB final : public TRecordOf<TBRec> {
public:
    static constexpr std::string_view kTag = "$B";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordC final : public TRecordOf<TCRec> {
public:
    static constexpr std::string_view kTag = "$C";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordE final : public TRecordOf<TERec> {
public:
    static constexpr std::string_view kTag = "$E";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordSponsorMake final : public TRecordOf<TSponsorMakeRec> {
public:
    static constexpr std::string_view kTag = "$SPONSORMAKE";
    static constexpr int kRequired = 3;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

} // namespace kav
