#pragma once

#include <cstdint>
#include <string>

#include "record_of.h"

namespace kav {

// Records the program recognises and parses but does not use; fields are named by position and type.

struct DRecord {
    std::string Text1; // Text 8
    std::string Text2; // Text 8
    std::uint8_t Byte3 = 0;
    std::int32_t Long4 = 0;
    TimeValue Time5 = 0;
    std::string Char6 = "0";
    std::int32_t Long7 = 0;
    TimeValue Time8 = 3599999;
    std::int32_t Long9 = 0;
    TimeValue Time10 = 3599999;
    bool operator==(const DRecord&) const = default;
};

struct TRecord {
    std::uint16_t Word1 = 0;
    std::uint8_t Letter2 = 0; // "N" 0, "R" 1, "L" 2, "C" 3
    std::uint8_t Byte3 = 0;
    std::string Text4; // Text 80
    bool operator==(const TRecord&) const = default;
};

struct FreqRecord {
    std::string Text1; // Text 8
    std::uint8_t Byte2 = 1;
    std::string Text3; // Text 7
    std::string Text4; // Text 7
    std::string Text5; // Text 7
    std::string Text6; // Text 7
    bool operator==(const FreqRecord&) const = default;
};

struct TranRelRecord {
    std::string Text1; // Text 8
    std::uint16_t Word2 = 0;
    bool operator==(const TranRelRecord&) const = default;
};

struct ResultRecord {
    std::string Text1; // Text 8
    std::int32_t Long2 = 0;
    TimeValue Time3 = 0;
    std::string Char4 = "0";
    std::int32_t Long5 = 0;
    TimeValue Time6 = 0;
    std::int32_t Long7 = 0;
    TimeValue Time8 = 0;
    bool operator==(const ResultRecord&) const = default;
};

struct SchemeInfoRecord {
    std::uint16_t Word1 = 0;
    std::string Text2; // Text 20
    std::int32_t Long3 = 0;
    std::int32_t Long4 = 0;
    std::uint8_t Byte5 = 0;
    std::uint8_t Byte6 = 0;
    bool operator==(const SchemeInfoRecord&) const = default;
};

struct SRecord {
    std::uint16_t Word1 = 0;
    std::string Text2; // Text 40
    bool operator==(const SRecord&) const = default;
};

struct PointsSchemeRecord {
    std::int32_t Long1 = 0;
    bool operator==(const PointsSchemeRecord&) const = default;
};

struct PointsRecord {
    std::string Text1; // Text 8
    std::uint16_t Word2 = 0;
    std::int32_t Long3 = 0;
    std::uint8_t Byte4 = 0;
    bool operator==(const PointsRecord&) const = default;
};

class RecordD final : public RecordOf<DRecord> {
public:
    static constexpr std::string_view kTag = "$D";
    static constexpr int kRequired = 10;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordT final : public RecordOf<TRecord> {
public:
    static constexpr std::string_view kTag = "$T";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordFreq final : public RecordOf<FreqRecord> {
public:
    static constexpr std::string_view kTag = "$FREQ";
    static constexpr int kRequired = 6;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordTranRel final : public RecordOf<TranRelRecord> {
public:
    static constexpr std::string_view kTag = "$TRANREL";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordResult final : public RecordOf<ResultRecord> {
public:
    static constexpr std::string_view kTag = "$RESULT";
    static constexpr int kRequired = 8;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordSchemeInfo final : public RecordOf<SchemeInfoRecord> {
public:
    static constexpr std::string_view kTag = "$SCHEMEINFO";
    static constexpr int kRequired = 6;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordS final : public RecordOf<SRecord> {
public:
    static constexpr std::string_view kTag = "$S";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordPointsScheme final : public RecordOf<PointsSchemeRecord> {
public:
    static constexpr std::string_view kTag = "$POINTSCHEME";
    static constexpr int kRequired = 1;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

class RecordPoints final : public RecordOf<PointsRecord> {
public:
    static constexpr std::string_view kTag = "$POINT";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const FieldStore& store);
    std::string toLine() const override;
};

} // namespace kav
