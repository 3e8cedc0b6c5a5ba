#pragma once

#include <QByteArray>

#include <cstdint>
#include <deque>
#include <optional>

namespace kav {

// The feed lines (or other messages of one kind) a publisher still owes the broker, in order: those
// waiting to be handed to the connection and those handed over but not yet acknowledged. It holds at
// most kCapacity lines; a new line beyond that drops the oldest, which is counted. When a connection
// breaks, the lines it did not acknowledge go back in front of the waiting ones, so they are sent again
// in their order.
class LineOutbox {
public:
    static constexpr std::size_t kCapacity = 10000;

    struct Entry {
        std::uint64_t sequence = 0; // 1 for the first line of this publisher
        QByteArray topic;
        QByteArray line;
    };

    explicit LineOutbox(std::size_t capacity = kCapacity) : m_capacity(capacity) {}

    // Queues a line; its sequence number: the one given, else the next of the outbox's own.
    std::uint64_t push(QByteArray topic, QByteArray line, std::optional<std::uint64_t> sequence = {});
    // A number for a line that goes to the broker another way (a publisher's history only).
    std::uint64_t skipSequence() { return m_nextSequence++; }
    // The oldest waiting line, if any.
    const Entry* nextWaiting() const { return m_waiting.empty() ? nullptr : &m_waiting.front(); }
    // The oldest waiting line went out as the message messageId.
    void markSent(int messageId);
    // The broker acknowledged a message; false when it was not one of these lines.
    bool acknowledge(int messageId);
    // The connection broke: what it did not acknowledge waits again, ahead of the rest.
    void requeue();

    std::size_t waiting() const { return m_waiting.size(); }
    std::size_t unacknowledged() const { return m_sent.size(); }
    bool empty() const { return m_waiting.empty() && m_sent.empty(); }
    std::uint64_t dropped() const { return m_dropped; }
    std::uint64_t lastSequence() const { return m_nextSequence - 1; }

private:
    struct Sent {
        int messageId;
        Entry entry;
    };

    std::size_t m_capacity;
    std::deque<Sent> m_sent;
    std::deque<Entry> m_waiting;
    std::uint64_t m_nextSequence = 1;
    std::uint64_t m_dropped = 0;
};

} // namespace kav
