#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "field_scanner.h"
#include "status_words.h"
#include "text_helpers.h"
#include "zeb_time.h"

namespace kav {

// Base of every record class: writes its fields as a protocol line. Lines are read by parseRecord.
class TRecordGeneric {
public:
    TRecordGeneric() = default;
    TRecordGeneric(const TRecordGeneric&) = default;
    TRecordGeneric& operator=(const TRecordGeneric&) = default;
    virtual ~TRecordGeneric() = default;

    // Tag and fields through the field writers, no line end.
    virtual std::string ToLine() const = 0;
};

// Stores one field text into a record field by the field's type.
class TFieldStore {
public:
    explicit TFieldStore(bool utf8) : m_utf8(utf8) {}

    void Text(std::string& target, std::string_view field, std::size_t capacity) const
    {
        target.assign(CutText(field, capacity, m_utf8));
    }
    // A single-character field; an empty field keeps what the target held.
    void Character(std::string& target, std::string_view field) const
    {
        if (!field.empty())
            Text(target, field, 1);
    }
    static void Byte(std::uint8_t& target, std::string_view field)
    {
        target = static_cast<std::uint8_t>(ConvertInteger(field));
    }
    static void Word(std::uint16_t& target, std::string_view field)
    {
        target = static_cast<std::uint16_t>(ConvertInteger(field));
    }
    static void Long(std::int32_t& target, std::string_view field) { target = ConvertInteger(field); }
    static void Time(TimeValue& target, std::string_view field)
    {
        TZebTime reader;
        reader.SetText(field);
        target = reader.GetValue();
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
    const TFieldStore fieldStore(utf8);
    std::string_view field;
    int number = 0;
    while (!fields.empty()) {
        NextField(fields, field, separators);
        store(++number, field, fieldStore);
    }
    return number >= required;
}

} // namespace kav
