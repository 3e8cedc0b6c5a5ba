#include "feed_history.h"

#include <algorithm>

namespace kav {

void FeedHistory::append(std::uint64_t sequence, const QByteArray& line)
{
    if (m_full || sequence != m_last + 1)
        return;
    const bool ended = line.endsWith('\n');
    const qsizetype size = line.size() + (ended ? 0 : 1);
    if (m_bytes + size > kMaxBytes) {
        m_full = true;
        return;
    }
    const bool newChunk =
        m_chunks.empty() || m_chunks.back().lines >= kChunkLines || m_chunks.back().text.size() + size > kChunkBytes;
    if (newChunk) {
        if (!m_chunks.empty() && m_tailChanged)
            m_chunks.back().dirty = true; // it is full now and goes out as it is
        m_chunks.push_back(Chunk{sequence, 0, {}, false});
    }
    Chunk& tail = m_chunks.back();
    tail.text += line;
    if (!ended)
        tail.text += '\n';
    ++tail.lines;
    m_bytes += size;
    m_last = sequence;
    m_tailChanged = true;
}

void FeedHistory::clear()
{
    *this = FeedHistory();
}

void FeedHistory::markTailDirty()
{
    if (m_chunks.empty() || !m_tailChanged)
        return;
    m_chunks.back().dirty = true;
    m_tailChanged = false;
}

void FeedHistory::markAllDirty()
{
    for (Chunk& chunk : m_chunks)
        chunk.dirty = true;
    m_tailChanged = false;
}

bool FeedHistory::anyDirty() const
{
    return std::ranges::any_of(m_chunks, [](const Chunk& chunk) { return chunk.dirty; });
}

std::vector<QByteArray> historyLines(const QByteArray& text)
{
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        lines.push_back(text.mid(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace kav
