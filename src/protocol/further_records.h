#pragma once

#include <cstdint>
#include <string>

#include "record_of.h"

namespace kav {

// Records the program recognises and parses but does not use; fields are named by position and type.

struct TDRec {
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
    bool operator==(const TDRec&) const = default;
};

struct TTRec {
    std::uint16_t Word1 = 0;
    std::uint8_t Letter2 = 0; // "N" 0, "R" 1, "L" 2, "C" 3
    std::uint8_t Byte3 = 0;
    std::string Text4; // Text 80
    bool operator==(const TTRec&) const = default;
};

struct TFreqRec {
    std::string Text1; // Text 8
    std::uint8_t Byte2 = 1;
    std::string Text3; // Text 7
    std::string Text4; // Text 7
    std::string Text5; // Text 7
    std::string Text6; // Text 7
    bool operator==(const TFreqRec&) const = default;
};

struct TTranRelRec {
    std::string Text1; // Text 8
    std::uint16_t Word2 = 0;
    bool operator==(const TTranRelRec&) const = default;
};

struct TResultRec {
    std::string Text1; // Text 8
    std::int32_t Long2 = 0;
    TimeValue Time3 = 0;
    std::string Char4 = "0";
    std::int32_t Long5 = 0;
    TimeValue Time6 = 0;
    std::int32_t Long7 = 0;
    TimeValue Time8 = 0;
    bool operator==(const TResultRec&) const = default;
};

struct TSchemeInfoRec {
    std::uint16_t Word1 = 0;
    std::string Text2; // Text 20
    std::int32_t Long3 = 0;
    std::int32_t Long4 = 0;
    std::uint8_t Byte5 = 0;
    std::uint8_t Byte6 = 0;
    bool operator==(const TSchemeInfoRec&) const = default;
};

struct TSRec {
    std::uint16_t Word1 = 0;
    std::string Text2; // Text 40
    bool operator==(const TSRec&) const = default;
};

struct TPointsSchemeRec {
    std::int32_t Long1 = 0;
    bool operator==(const TPointsSchemeRec&) const = default;
};

struct TPntsRec {
    std::string Text1; // Text 8
    std::uint16_t Word2 = 0;
    std::int32_t Long3 = 0;
    std::uint8_t Byte4 = 0;
    bool operator==(const TPntsRec&) const = default;
};

class TRecordD final : public TRecordOf<TDRec> {
public:
    static constexpr std::string_view kTag = "$D";
    static constexpr int kRequired = 10;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordT final : public TRecordOf<TTRec> {
public:
    static constexpr std::string_view kTag = "$T";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordFreq final : public TRecordOf<TFreqRec> {
public:
    static constexpr std::string_view kTag = "$FREQ";
    static constexpr int kRequired = 6;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordTranRel final : public TRecordOf<TTranRelRec> {
public:
    static constexpr std::string_view kTag = "$TRANREL";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordResult final : public TRecordOf<TResultRec> {
public:
    static constexpr std::string_view kTag = "$RESULT";
    static constexpr int kRequired = 8;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordSchemeInfo final : public TRecordOf<TSchemeInfoRec> {
public:
    static constexpr std::string_view kTag = "$SCHEMEINFO";
    static constexpr int kRequired = 6;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordS final : public TRecordOf<TSRec> {
public:
    static constexpr std::string_view kTag = "$S";
    static constexpr int kRequired = 2;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordPointsScheme final : public TRecordOf<TPointsSchemeRec> {
public:
    static constexpr std::string_view kTag = "$POINTSCHEME";
    static constexpr int kRequired = 1;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

class TRecordPnts final : public TRecordOf<TPntsRec> {
public:
    static constexpr std::string_view kTag = "$POINT";
    static constexpr int kRequired = 4;
    // Stores data field `number` (from 1) of a line in its place.
    static void storeField(Data& data, int number, std::string_view field, const TFieldStore& store);
    std::string ToLine() const override;
};

} // namespace kav
