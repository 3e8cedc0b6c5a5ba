#include "line_crossing.h"

#include <array>
#include <cstdio>

#include "field_writers.h"
#include "record_generic.h"

namespace kav {
namespace {

constexpr std::size_t kTextLength = 8;

bool isDate(std::string_view text)
{
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return false;
    const std::int32_t month = digitsValue(text.substr(0, 2)), day = digitsValue(text.substr(3, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && digitsValue(text.substr(6)) >= 0;
}

} // namespace

std::string RecordL::toLine() const
{
    const DecodedTime time = decodeTime(m_data.TimeOfDay);
    // Milliseconds as the timing systems send them; a fourth digit only when there is one.
    const bool fine = time.tenThousandths % 10 != 0;
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), fine ? "%02d:%02d:%02d.%04d" : "%02d:%02d:%02d.%03d", time.hours,
                  time.minutes, time.seconds, fine ? time.tenThousandths : time.tenThousandths / 10);
    return std::string(kTag) + writeQuotedText(m_data.RegNo) + writeQuotedText(m_data.LineId) +
           writeQuotedText(m_data.Line) + writeQuotedText(m_data.Date) + writeQuotedText(text.data());
}

std::optional<LineCrossingRecord> readLineCrossing(std::string_view fields, bool utf8,
                                                   const FieldSeparators& separators)
{
    std::array<std::string_view, RecordL::kFields> parts;
    std::size_t count = 0;
    for (std::string_view field; !fields.empty(); ++count) {
        nextField(fields, field, separators);
        if (count < parts.size())
            parts[count] = field;
    }
    if (count != parts.size() || parts[0].empty() || parts[2].empty() || !isDate(parts[3]))
        return std::nullopt;
    const std::optional<TimeValue> time = readTimeOfDay(parts[4]);
    if (!time)
        return std::nullopt;
    const FieldStore store(utf8);
    LineCrossingRecord record;
    store.textValue(record.RegNo, parts[0], kTextLength);
    store.textValue(record.LineId, parts[1], kTextLength);
    store.textValue(record.Line, parts[2], kTextLength);
    record.Date = std::string(parts[3]);
    record.TimeOfDay = *time;
    return record;
}

} // namespace kav
