#include "feed_time.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "text_helpers.h"

namespace kav {
namespace {

constexpr std::int64_t kUnshowableFrom = 2124000000;
constexpr std::size_t kDigitCount = 10;
constexpr std::size_t kFractionDigits = 4;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The ten digits hhmmssffff of a normalised time text as one number: the digits of the integer part,
// then the first four of the fraction padded with zeros; the first ten of those count. One pass and
// no buffer, since every time field of every line comes through here.
std::uint64_t normalisedNumber(std::string_view text)
{
    std::uint64_t number = 0;
    std::size_t count = 0;
    std::size_t i = 0;
    const std::size_t size = text.size();
    for (; i < size && text[i] != '.'; ++i) {
        if (isDigit(text[i]) && count < kDigitCount) {
            number = number * 10 + static_cast<std::uint64_t>(text[i] - '0');
            ++count;
        }
    }
    std::size_t fraction = 0;
    for (++i; i < size && fraction < kFractionDigits; ++i) {
        if (!isDigit(text[i]))
            continue;
        if (count < kDigitCount) {
            number = number * 10 + static_cast<std::uint64_t>(text[i] - '0');
            ++count;
        }
        ++fraction;
    }
    for (; fraction < kFractionDigits && count < kDigitCount; ++fraction, ++count)
        number *= 10;
    return number;
}

// The full text form hh:mm:ss.ffff in a fixed buffer, so the shown forms need one string only.
using TimeText = std::array<char, 13>;

void putNumber(char* at, std::int32_t value, int width)
{
    for (int k = width; k-- > 0;) {
        at[k] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

TimeText unshowableText()
{
    TimeText text;
    std::copy(kUnshowableTime.begin(), kUnshowableTime.end(), text.begin());
    return text;
}

TimeText fullText(TimeValue value)
{
    const std::int64_t magnitude = std::llabs(std::int64_t{value});
    if (magnitude >= kUnshowableFrom)
        return unshowableText();
    const char separator = value < 0 ? '-' : ':';
    const DecodedTime t = decodeTime(static_cast<TimeValue>(magnitude));
    TimeText text;
    // Hours stay below 59 here, so two digits always suffice.
    putNumber(&text[0], t.hours, 2);
    text[2] = separator;
    putNumber(&text[3], t.minutes, 2);
    text[5] = separator;
    putNumber(&text[6], t.seconds, 2);
    text[8] = '.';
    putNumber(&text[9], t.tenThousandths, 4);
    return text;
}

void blankInPlace(char* text, std::size_t size, int level)
{
    if (size < 7 || level < 1 || text[0] != '0')
        return;
    text[0] = ' ';
    if (level < 2 || text[1] != '0')
        return;
    text[1] = text[2] = ' ';
    if (text[3] != '0')
        return;
    text[3] = ' ';
    if (level < 3 || text[4] != '0')
        return;
    text[4] = text[5] = ' ';
    if (text[6] == '0')
        text[6] = ' ';
}

} // namespace

TimeValue encodeTime(std::int32_t hours, std::int32_t minutes, std::int32_t seconds, std::int32_t tenThousandths)
{
    if (hours > 50)
        hours = 50;
    const std::int64_t value = std::int64_t{hours} * kTicksPerHour + std::int64_t{minutes} * kTicksPerMinute +
                               std::int64_t{seconds} * kTicksPerSecond + tenThousandths;
    return static_cast<TimeValue>(static_cast<std::uint32_t>(value));
}

DecodedTime decodeTime(TimeValue value)
{
    DecodedTime t;
    t.hours = value / kTicksPerHour;
    TimeValue rest = value % kTicksPerHour;
    t.minutes = rest / kTicksPerMinute;
    rest %= kTicksPerMinute;
    t.seconds = rest / kTicksPerSecond;
    t.tenThousandths = rest % kTicksPerSecond;
    return t;
}

std::string timeToText(TimeValue value)
{
    const TimeText text = fullText(value);
    return std::string(text.data(), text.size());
}

std::string timeToTextNonNegative(TimeValue value)
{
    return value < 0 ? std::string(kUnshowableTime) : timeToText(value);
}

std::string normaliseTimeText(std::string_view text)
{
    std::uint64_t number = normalisedNumber(text);
    std::string result = "00:00:00.0000";
    const std::size_t at[kDigitCount] = {0, 1, 3, 4, 6, 7, 9, 10, 11, 12};
    for (std::size_t k = kDigitCount; k-- > 0; number /= 10)
        result[at[k]] = static_cast<char>('0' + number % 10);
    return result;
}

TimeValue textToTime(std::string_view text)
{
    bool failed = false;
    auto part = [&](std::size_t from, std::size_t count) {
        if (from + count > text.size()) {
            failed = true;
            return 0;
        }
        std::int32_t value = 0;
        for (char c : text.substr(from, count)) {
            if (!isDigit(c)) {
                failed = true;
                return 0;
            }
            value = value * 10 + (c - '0');
        }
        return value;
    };
    const TimeValue value = encodeTime(part(0, 2), part(3, 2), part(6, 2), part(9, 4));
    if (failed)
        throw TimeConversionError();
    return value;
}

std::string blankLeadingZeros(std::string text, int level)
{
    blankInPlace(text.data(), text.size(), level);
    return text;
}

std::string formatTime(int cutMode, int blankMode, TimeValue value)
{
    const bool nonNegative = blankMode >= 4 && blankMode <= 7;
    TimeText text = nonNegative && value < 0 ? unshowableText() : fullText(value);
    if (blankMode >= 0 && blankMode <= 7 && blankMode % 4 != 0)
        blankInPlace(text.data(), text.size(), blankMode % 4);

    struct Cut {
        std::size_t start;
        std::size_t length;
    };
    static constexpr Cut cuts[] = {{0, 13}, {0, 12}, {0, 11}, {0, 10}, {0, 8}, {0, 5}, {3, 10}, {3, 9},
                                   {3, 8},  {3, 7},  {3, 5},  {6, 7},  {6, 6}, {6, 5}, {6, 4}};
    const Cut cut = cutMode >= 0 && cutMode < static_cast<int>(std::size(cuts)) ? cuts[cutMode] : cuts[0];
    return std::string(text.data() + cut.start, cut.length);
}

TimeValue dateTimeToTime(const std::tm& dateTime, int milliseconds)
{
    return encodeTime(dateTime.tm_hour, dateTime.tm_min, dateTime.tm_sec, milliseconds * 10);
}

TimeValue dateTimeToTime(std::chrono::system_clock::time_point when)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = when.time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch) -
                    std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
    return dateTimeToTime(local, static_cast<int>(ms.count()));
}

void FeedTime::setValue(TimeValue value)
{
    m_value = value >= kUnshowableFrom ? kMaxShownTime : value;
}

std::string FeedTime::text() const
{
    return formatTime(m_cutMode, m_blankMode, m_value);
}

void FeedTime::setText(std::string_view text)
{
    // Equivalent to textToTime(normaliseTimeText(text)), whose digits always convert cleanly.
    const std::uint64_t number = normalisedNumber(text);
    m_value =
        encodeTime(static_cast<std::int32_t>(number / 100000000), static_cast<std::int32_t>(number / 1000000 % 100),
                   static_cast<std::int32_t>(number / 10000 % 100), static_cast<std::int32_t>(number % 10000));
}

std::optional<TimeValue> readTimeOfDay(std::string_view text)
{
    std::string_view fraction;
    if (const std::size_t dot = text.find('.'); dot != std::string_view::npos) {
        fraction = text.substr(dot + 1);
        text = text.substr(0, dot);
        if (digitsValue(fraction) < 0 || fraction.size() > 4)
            return std::nullopt;
    }
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const std::int32_t hours = digitsValue(text.substr(0, 2)), minutes = digitsValue(text.substr(3, 2)),
                       seconds = digitsValue(text.substr(6, 2));
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    std::string padded(fraction);
    padded.resize(4, '0');
    return encodeTime(hours, minutes, seconds, digitsValue(padded));
}

} // namespace kav
