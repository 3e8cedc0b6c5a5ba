#include "line_outbox.h"

#include <algorithm>

namespace kav {

std::uint64_t LineOutbox::push(QByteArray topic, QByteArray line, std::optional<std::uint64_t> given)
{
    const std::uint64_t sequence = given ? *given : m_nextSequence++;
    m_waiting.push_back({sequence, std::move(topic), std::move(line)});
    while (m_sent.size() + m_waiting.size() > m_capacity) {
        if (!m_sent.empty())
            m_sent.pop_front();
        else
            m_waiting.pop_front();
        ++m_dropped;
    }
    return sequence;
}

void LineOutbox::markSent(int messageId)
{
    if (m_waiting.empty())
        return;
    m_sent.push_back({messageId, std::move(m_waiting.front())});
    m_waiting.pop_front();
}

// Acknowledgements come in order, so the search ends at the front almost always.
bool LineOutbox::acknowledge(int messageId)
{
    const auto found = std::find_if(m_sent.begin(), m_sent.end(),
                                    [messageId](const Sent& sent) { return sent.messageId == messageId; });
    if (found == m_sent.end())
        return false;
    m_sent.erase(found);
    return true;
}

void LineOutbox::requeue()
{
    while (!m_sent.empty()) {
        m_waiting.push_front(std::move(m_sent.back().entry));
        m_sent.pop_back();
    }
}

} // namespace kav
