#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include "line_cutter.h"

namespace kav {

// Cuts received bytes into lines by the feed's one rule (LineCutter): at each LF, the LF kept, a CR
// before it part of the line, a line longer than kMaxLine without its LF dropped.
class LineFramer {
public:
    static constexpr char kTerminator = LineCutter::kTerminator;
    static constexpr qsizetype kMaxLine = LineCutter::kMaxLine;

    // Appends a chunk and returns the lines it completed, in order.
    QList<QByteArray> append(QByteArrayView chunk);

    // The number of lines dropped since the last call.
    int takeDrops();

    // The bytes after the last LF, waiting for the rest of their line.
    QByteArray pending() const;

private:
    LineCutter m_cutter;
    int m_drops = 0;
};

} // namespace kav
