#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "field_scanner.h"
#include "status_words.h"
#include "text_helpers.h"
#include "zeb_time.h"

namespace kav {

// Base of every record class: reads its fields from a protocol line and writes them back.
class TRecordGeneric {
public:
    TRecordGeneric() = default;
    TRecordGeneric(const TRecordGeneric&) = default;
    TRecordGeneric& operator=(const TRecordGeneric&) = default;
    virtual ~TRecordGeneric() = default;

    // True when the line is a complete record of this type.
    virtual bool Parse(std::string_view line) = 0;
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

// The parse procedure shared by all record classes: checks the tag, hands each data field with its
// number (from 1) to store(number, field, fieldStore), and succeeds once field `required` is stored.
// A time conversion error ends the parse unsuccessfully, keeping the fields stored before it.
template <typename StoreFn>
bool ParseFields(std::string_view line, std::string_view tag, int required, StoreFn&& store)
{
    std::string_view rest = line;
    std::string_view field;
    NextField(rest, field);
    if (field.size() != tag.size())
        return false;
    for (std::size_t i = 0; i < tag.size(); ++i) {
        char c = field[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != tag[i])
            return false;
    }
    const TFieldStore fieldStore(IsValidUtf8(line));
    bool complete = false;
    try {
        for (int number = 1; !rest.empty(); ++number) {
            NextField(rest, field);
            store(number, field, fieldStore);
            if (number == required)
                complete = true;
        }
    } catch (const ETimeConversionError&) {
        return false;
    }
    return complete;
}

} // namespace kav
