#include "gap_writer.h"

#include <algorithm>
#include <limits>

namespace kav {
namespace {

constexpr int kGapCutMode = 7;   // mm:ss.fff
constexpr int kGapBlankMode = 3; // full text form, hours and leading minute zeros blanked

TimeValue Saturated(std::int64_t value)
{
    return static_cast<TimeValue>(
        std::clamp<std::int64_t>(value, std::numeric_limits<TimeValue>::min(), std::numeric_limits<TimeValue>::max()));
}

// Built in steps: GCC 12 at -O3 reports a false -Wrestrict on the chained form.
std::string LapCountText(std::int64_t laps)
{
    std::string text = ">> ";
    text += std::to_string(laps);
    text += " <<";
    return text;
}

} // namespace

TGapWriter::TGapWriter()
{
    m_time.SetCutMode(kGapCutMode);
    m_time.SetBlankMode(kGapBlankMode);
}

bool TGapWriter::Rewrite(std::string& gap, TGapSource& held, const TGapSource& source)
{
    held = source;
    std::string text = TextOf(source);
    if (text == gap)
        return false;
    gap = std::move(text);
    return true;
}

std::string TGapWriter::TextOf(const TGapSource& source)
{
    switch (source.kind) {
    case TGapSource::Kind::NoTime: return "-----";
    case TGapSource::Kind::LapCount: return LapCountText(source.value);
    case TGapSource::Kind::Time: m_time.SetValue(Saturated(source.value)); return m_time.GetText();
    case TGapSource::Kind::Blank:
    case TGapSource::Kind::None: break;
    }
    return {};
}

} // namespace kav
