#include "tx_queue.h"

namespace kav {

void TTxQueue::Append(const QByteArray& text)
{
    const std::lock_guard guard(m_lock);
    m_buffer.append(text);
}

QByteArray TTxQueue::TakeChunk()
{
    const std::lock_guard guard(m_lock);
    QByteArray chunk = m_buffer.left(kChunk);
    m_buffer.remove(0, chunk.size());
    return chunk;
}

} // namespace kav
