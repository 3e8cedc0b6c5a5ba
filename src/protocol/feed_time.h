#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
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

// Raised by textToTime when the text is not of the form hh:mm:ss.ffff.
class TimeConversionError : public std::runtime_error {
public:
    TimeConversionError() : std::runtime_error("Time conversion error") {}
};

struct DecodedTime {
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
    std::int32_t tenThousandths = 0;
    bool operator==(const DecodedTime&) const = default;
};

TimeValue encodeTime(std::int32_t hours, std::int32_t minutes, std::int32_t seconds, std::int32_t tenThousandths);
DecodedTime decodeTime(TimeValue value);

// Full text form hh:mm:ss.ffff; negative values use "-" between the parts.
std::string timeToText(TimeValue value);
// As timeToText, but negative values read "xx:xx:xx.xxxx".
std::string timeToTextNonNegative(TimeValue value);

// Reads any text as hours, minutes, seconds and fraction digits; the result is always dd:dd:dd.dddd.
std::string normaliseTimeText(std::string_view text);
// Strict reader of hh:mm:ss.ffff; throws TimeConversionError.
TimeValue textToTime(std::string_view text);
// A time of day as timing systems write it: HH:MM:SS, with a fraction of one to four digits or none,
// within the day; nothing for any other text.
std::optional<TimeValue> readTimeOfDay(std::string_view text);

// Blanks the leading zeros of a full text form: level 1 the hours' first digit, 2 the hours,
// 3 the hours and the minutes' zeros.
std::string blankLeadingZeros(std::string text, int level);

// The on-screen form: blankMode picks the text and blanking, cutMode the part shown.
std::string formatTime(int cutMode, int blankMode, TimeValue value);

// The time of day of a calendar date-time, as a time value.
TimeValue dateTimeToTime(const std::tm& dateTime, int milliseconds);
TimeValue dateTimeToTime(std::chrono::system_clock::time_point when);

// A time value with the way it is shown.
class FeedTime {
public:
    TimeValue value() const { return m_value; }
    // Values at or above 2124000000 are kept at the largest one shown.
    void setValue(TimeValue value);
    std::string text() const;
    // Accepts any text (see normaliseTimeText); no upper limit is applied.
    void setText(std::string_view text);
    int cutMode() const { return m_cutMode; }
    int blankMode() const { return m_blankMode; }
    void setCutMode(int mode) { m_cutMode = static_cast<std::uint8_t>(mode); }
    void setBlankMode(int mode) { m_blankMode = static_cast<std::uint8_t>(mode); }

private:
    TimeValue m_value = 0;
    std::uint8_t m_cutMode = 0;
    std::uint8_t m_blankMode = 3;
};

} // namespace kav
