#include "gap_writer.h"

#include <algorithm>
#include <limits>

namespace kav {
namespace {

constexpr int kGapCutMode = 7;   // mm:ss.fff
constexpr int kGapBlankMode = 3; // full text form, hours and leading minute zeros blanked

TimeValue saturated(std::int64_t value)
{
    return static_cast<TimeValue>(
        std::clamp<std::int64_t>(value, std::numeric_limits<TimeValue>::min(), std::numeric_limits<TimeValue>::max()));
}

// Built in steps: GCC 12 at -O3 reports a false -Wrestrict on the chained form.
std::string lapCountText(std::int64_t laps)
{
    std::string text = ">> ";
    text += std::to_string(laps);
    text += " <<";
    return text;
}

// "+1 lap", "+3 laps".
std::string lapsBehindText(std::int64_t laps)
{
    std::string text = "+";
    text += std::to_string(laps);
    text += laps == 1 ? " lap" : " laps";
    return text;
}

} // namespace

GapWriter::GapWriter()
{
    m_time.setCutMode(kGapCutMode);
    m_time.setBlankMode(kGapBlankMode);
}

bool GapWriter::rewrite(std::string& gap, GapSource& held, const GapSource& source)
{
    held = source;
    std::string text = textOf(source);
    if (text == gap)
        return false;
    gap = std::move(text);
    return true;
}

std::string GapWriter::textOf(const GapSource& source)
{
    switch (source.kind) {
    case GapSource::Kind::NoTime: return "-----";
    case GapSource::Kind::LapCount: return lapCountText(source.value);
    case GapSource::Kind::LapsBehind: return lapsBehindText(source.value);
    case GapSource::Kind::Time: m_time.setValue(saturated(source.value)); return m_time.text();
    case GapSource::Kind::Blank:
    case GapSource::Kind::None: break;
    }
    return {};
}

} // namespace kav
