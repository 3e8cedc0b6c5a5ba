#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kav {

// Time values count ten-thousandths of a second in a signed 32-bit number.
using TimeValue = std::int32_t;

inline constexpr TimeValue kTicksPerSecond = 10000;
inline constexpr TimeValue kTicksPerMinute = 600000;
inline constexpr TimeValue kTicksPerHour = 36000000;
// Stands for "no lap time" in passings and best laps ("00:59:59.9990").
inline constexpr TimeValue kEmptyLapTime = 35999990;
// Largest value that can be shown; anything at or beyond 2124000000 in size reads "xx:xx:xx.xxxx".
inline constexpr TimeValue kMaxShownTime = 2123999999;
inline constexpr std::string_view kUnshowableTime = "xx:xx:xx.xxxx";

// Raised by TextToTime when the text is not of the form hh:mm:ss.ffff.
class ETimeConversionError : public std::runtime_error {
public:
    ETimeConversionError() : std::runtime_error("Time conversion error") {}
};

struct TDecodedTime {
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    std::int32_t tenThousandths = 0;
    bool operator==(const TDecodedTime&) const = default;
};

TimeValue EncodeTime(std::int32_t hours, std::int32_t minutes, std::int32_t seconds, std::int32_t tenThousandths);
TDecodedTime DecodeTime(TimeValue value);

// Full text form hh:mm:ss.ffff; negative values use "-" between the parts.
std::string TimeToText(TimeValue value);
// As TimeToText, but negative values read "xx:xx:xx.xxxx".
std::string TimeToTextNonNegative(TimeValue value);

// Reads any text as hours, minutes, seconds and fraction digits; the result is always dd:dd:dd.dddd.
std::string NormaliseTimeText(std::string_view text);
// Strict reader of hh:mm:ss.ffff; throws ETimeConversionError.
TimeValue TextToTime(std::string_view text);

// Blanks the leading zeros of a full text form: level 1 the hours' first digit, 2 the hours,
// 3 the hours and the minutes' zeros.
std::string BlankLeadingZeros(std::string text, int level);

// The on-screen form: blankMode picks the text and blanking, cutMode the part shown.
std::string FormatTime(int cutMode, int blankMode, TimeValue value);

// The time of day of a calendar date-time, as a time value.
TimeValue DateTimeToTime(const std::tm& dateTime, int milliseconds);
TimeValue DateTimeToTime(std::chrono::system_clock::time_point when);

// A time value with the way it is shown.
class TZebTime {
public:
    TimeValue GetValue() const { return m_value; }
    // Values at or above 2124000000 are kept at the largest one shown.
    void SetValue(TimeValue value);
    std::string GetText() const;
    // Accepts any text (see NormaliseTimeText); no upper limit is applied.
    void SetText(std::string_view text);
    int CutMode() const { return m_cutMode; }
    int BlankMode() const { return m_blankMode; }
    void SetCutMode(int mode) { m_cutMode = static_cast<std::uint8_t>(mode); }
    void SetBlankMode(int mode) { m_blankMode = static_cast<std::uint8_t>(mode); }

private:
    TimeValue m_value = 0;
    std::uint8_t m_cutMode = 0;
    std::uint8_t m_blankMode = 3;
};

} // namespace kav
