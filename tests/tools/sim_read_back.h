#pragma once

#include <cstdint>
#include <string>

#include "race_session.h"
#include "zeb_record.h"

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

// One simulated line read back the way the program reads it.
template <typename Rec, typename Getter>
Rec Read(const std::string& text, Getter getter)
{
    TZebRecord recogniser;
    recogniser.Take(text);
    return (recogniser.*getter)();
}

inline TBRec ReadB(const std::string& text)
{
    return Read<TBRec>(text, &TZebRecord::GetRecordB);
}
inline TIRec ReadI(const std::string& text)
{
    return Read<TIRec>(text, &TZebRecord::GetRecordI);
}
inline TFRec ReadF(const std::string& text)
{
    return Read<TFRec>(text, &TZebRecord::GetRecordF);
}
inline TGRec ReadG(const std::string& text)
{
    return Read<TGRec>(text, &TZebRecord::GetRecordG);
}
inline THRec ReadH(const std::string& text)
{
    return Read<THRec>(text, &TZebRecord::GetRecordH);
}
inline TJRec ReadJ(const std::string& text)
{
    return Read<TJRec>(text, &TZebRecord::GetRecordJ);
}

} // namespace kav::sim_test
