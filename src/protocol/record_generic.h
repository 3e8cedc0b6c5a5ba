#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "feed_time.h"
#include "field_scanner.h"
#include "status_words.h"
#include "text_helpers.h"

namespace kav {

// Base of every record class: writes its fields as a protocol line. Lines are read by parseRecord.
class GenericRecord {
public:
    GenericRecord() = default;
    GenericRecord(const GenericRecord&) = default;
    GenericRecord& operator=(const GenericRecord&) = default;
    virtual ~GenericRecord() = default;

    // Tag and fields through the field writers, no line end.
    virtual std::string toLine() const = 0;
};

// Stores one field text into a record field by the field's type.
class FieldStore {
public:
    explicit FieldStore(bool utf8) : m_utf8(utf8) {}

    void textValue(std::string& target, std::string_view field, std::size_t capacity) const
    {
        target.assign(cutText(field, capacity, m_utf8));
    }
    // A single-character field; an empty field keeps what the target held.
    void character(std::string& target, std::string_view field) const
    {
        if (!field.empty())
            textValue(target, field, 1);
    }
    static void byte(std::uint8_t& target, std::string_view field)
    {
        target = static_cast<std::uint8_t>(convertInteger(field));
    }
    static void word(std::uint16_t& target, std::string_view field)
    {
        target = static_cast<std::uint16_t>(convertInteger(field));
    }
    static void longInteger(std::int32_t& target, std::string_view field) { target = convertInteger(field); }
    static void time(TimeValue& target, std::string_view field)
    {
        FeedTime reader;
        reader.setText(field);
        target = reader.value();
    }

private:
    bool m_utf8;
};

// Reads the data fields that follow a record's tag: hands each field with its number (from 1) to
// store(number, field, fieldStore) and reports whether field `required` was among them. Fields beyond
// the last one a record has are read and ignored.
template <typename StoreFn>
bool storeFields(std::string_view fields, bool utf8, int required, const FieldSeparators& separators, StoreFn&& store)
{
    const FieldStore fieldStore(utf8);
    std::string_view field;
    int number = 0;
    while (!fields.empty()) {
        nextField(fields, field, separators);
        store(++number, field, fieldStore);
    }
    return number >= required;
}

} // namespace kav
