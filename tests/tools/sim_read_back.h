#pragma once

#include <cstdint>
#include <string>

#include "parsed_record.h"
#include "race_session.h"

namespace kav::sim_test {

inline TSimOptions Options(int cars, int laps, bool practice, std::uint64_t seed = 1)
{
    TSimOptions options;
    options.cars = cars;
    options.laps = laps;
    options.practice = practice;
    options.seed = seed;
    return options;
}

// One simulated line read back the way the program reads it; a record of another type reads as
// the default record.
template <typename Rec>
Rec Read(const std::string& text)
{
    const ParsedRecord record = parseRecord(text);
    return std::holds_alternative<Rec>(record.data) ? std::get<Rec>(record.data) : Rec{};
}

inline TBRec ReadB(const std::string& text)
{
    return Read<TBRec>(text);
}
inline TIRec ReadI(const std::string& text)
{
    return Read<TIRec>(text);
}
inline TFRec ReadF(const std::string& text)
{
    return Read<TFRec>(text);
}
inline TGRec ReadG(const std::string& text)
{
    return Read<TGRec>(text);
}
inline THRec ReadH(const std::string& text)
{
    return Read<THRec>(text);
}
inline TJRec ReadJ(const std::string& text)
{
    return Read<TJRec>(text);
}

} // namespace kav::sim_test
