#include "line_framer.h"

#include <utility>

namespace kav {

QList<QByteArray> LineFramer::append(QByteArrayView chunk)
{
    QList<QByteArray> lines;
    qsizetype pos = skipRestOfDroppedLine(chunk);
    if (pos < 0)
        return lines;
    for (qsizetype lf = chunk.indexOf(kTerminator, pos); lf >= 0; lf = chunk.indexOf(kTerminator, pos)) {
        takeLine(chunk.sliced(pos, lf + 1 - pos), lines);
        pos = lf + 1;
    }
    keep(chunk.sliced(pos));
    return lines;
}

int LineFramer::takeDrops()
{
    return std::exchange(m_drops, 0);
}

// Where framing starts in the chunk: after the LF that ends a dropped line, or -1 when the whole
// chunk still belongs to it.
qsizetype LineFramer::skipRestOfDroppedLine(QByteArrayView chunk)
{
    if (!m_skipping)
        return 0;
    const qsizetype lf = chunk.indexOf(kTerminator);
    if (lf < 0)
        return -1;
    m_skipping = false;
    return lf + 1;
}

void LineFramer::takeLine(QByteArrayView part, QList<QByteArray>& lines)
{
    if (m_pending.size() + part.size() - 1 > kMaxLine) {
        m_pending.clear();
        ++m_drops;
        return;
    }
    if (m_pending.isEmpty()) {
        lines.append(part.toByteArray());
        return;
    }
    m_pending.append(part);
    lines.append(std::exchange(m_pending, QByteArray()));
}

void LineFramer::keep(QByteArrayView rest)
{
    if (m_pending.size() + rest.size() > kMaxLine) {
        drop();
        return;
    }
    m_pending.append(rest);
}

void LineFramer::drop()
{
    m_pending.clear();
    m_skipping = true;
    ++m_drops;
}

} // namespace kav
