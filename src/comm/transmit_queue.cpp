#include "transmit_queue.h"

namespace kav {

void TransmitQueue::append(const QByteArray& text)
{
    const std::lock_guard guard(m_lock);
    m_buffer.append(text);
}

QByteArray TransmitQueue::takeChunk()
{
    const std::lock_guard guard(m_lock);
    QByteArray chunk = m_buffer.left(kChunk);
    m_buffer.remove(0, chunk.size());
    return chunk;
}

} // namespace kav
