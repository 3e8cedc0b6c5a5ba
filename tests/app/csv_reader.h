#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kav::test {

// Reads CSV the way RFC 4180 describes it, independently of the writer: records end in CRLF, a quoted
// field may hold commas, CR, LF and doubled quotes. nullopt for anything else (a bare LF as record end,
// a quote inside an unquoted field, a missing CRLF at the end).
inline std::optional<QList<QStringList>> ReadCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'"' && field.isEmpty()) {
            for (++i;; ++i) {
                if (i >= text.size())
                    return std::nullopt;
                if (text[i] == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                    field += text[++i];
                else if (text[i] == u'"')
                    break;
                else
                    field += text[i];
            }
            ++i;
            if (i < text.size() && text[i] != u',' && text[i] != u'\r')
                return std::nullopt;
            continue;
        }
        if (text[i] == u',') {
            record.append(field);
            field.clear();
            ++i;
        } else if (text[i] == u'\r') {
            if (i + 1 >= text.size() || text[i + 1] != u'\n')
                return std::nullopt;
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            i += 2;
        } else if (text[i] == u'\n' || text[i] == u'"') {
            return std::nullopt;
        } else {
            field += text[i++];
        }
    }
    if (!record.isEmpty() || !field.isEmpty())
        return std::nullopt;
    return records;
}

} // namespace kav::test
