#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace kav {

// Cuts received bytes into lines at each LF, the LF kept; a CR before it stays part of the line.
// A line longer than kMaxLine without its LF is dropped, since no feed line comes near it and an
// endless stream without LF must not exhaust memory; framing resumes after the next LF.
class LineFramer {
public:
    static constexpr char kTerminator = '\n';
    static constexpr qsizetype kMaxLine = 64 * 1024;

    // Appends a chunk and returns the lines it completed, in order.
    QList<QByteArray> append(QByteArrayView chunk);

    // The number of lines dropped since the last call.
    int takeDrops();

    // The bytes after the last LF, waiting for the rest of their line.
    const QByteArray& pending() const { return m_pending; }

private:
    qsizetype skipRestOfDroppedLine(QByteArrayView chunk);
    void takeLine(QByteArrayView part, QList<QByteArray>& lines);
    void keep(QByteArrayView rest);
    void drop();

    QByteArray m_pending;
    bool m_skipping = false;
    int m_drops = 0;
};

} // namespace kav
