#include "feed_text.h"

#include "text_helpers.h"

#include <array>

namespace kav {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F; unassigned bytes keep their Latin-1 value.
constexpr std::array<char16_t, 32> kCp1252High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

QString fromCp1252(std::string_view text)
{
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return result;
}

} // namespace

QString feedText(std::string_view text)
{
    const auto size = static_cast<qsizetype>(text.size());
    if (isAscii(text))
        return QString::fromLatin1(text.data(), size);
    if (isValidUtf8(text))
        return QString::fromUtf8(text.data(), size);
    return fromCp1252(text);
}

std::string storedText(const QString& shown, const std::string& original)
{
    return shown == feedText(original) ? original : shown.toStdString();
}

} // namespace kav
