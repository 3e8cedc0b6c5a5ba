#include "line_framer.h"

#include <utility>

namespace kav {

QList<QByteArray> TLineFramer::Append(QByteArrayView chunk)
{
    QList<QByteArray> lines;
    qsizetype pos = SkipRestOfDroppedLine(chunk);
    if (pos < 0)
        return lines;
    for (qsizetype lf = chunk.indexOf(kTerminator, pos); lf >= 0; lf = chunk.indexOf(kTerminator, pos)) {
        TakeLine(chunk.sliced(pos, lf + 1 - pos), lines);
        pos = lf + 1;
    }
    Keep(chunk.sliced(pos));
    return lines;
}

int TLineFramer::TakeDrops()
{
    return std::exchange(m_drops, 0);
}

// Where framing starts in the chunk: after the LF that ends a dropped line, or -1 when the whole
// chunk still belongs to it.
qsizetype TLineFramer::SkipRestOfDroppedLine(QByteArrayView chunk)
{
    if (!m_skipping)
        return 0;
    const qsizetype lf = chunk.indexOf(kTerminator);
    if (lf < 0)
        return -1;
    m_skipping = false;
    return lf + 1;
}

void TLineFramer::TakeLine(QByteArrayView part, QList<QByteArray>& lines)
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

void TLineFramer::Keep(QByteArrayView rest)
{
    if (m_pending.size() + rest.size() > kMaxLine) {
        Drop();
        return;
    }
    m_pending.append(rest);
}

void TLineFramer::Drop()
{
    m_pending.clear();
    m_skipping = true;
    ++m_drops;
}

} // namespace kav
