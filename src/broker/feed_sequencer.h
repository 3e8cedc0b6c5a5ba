#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace kav {

// A publisher's number on a message: its instance (new each time the publisher starts) and the number
// of the last feed line the message carries or covers, written "instance:number".
struct FeedSequence {
    QByteArray instance;
    std::uint64_t number = 0;

    static std::optional<FeedSequence> parse(const QByteArray& text);
    QByteArray text() const;
};

// Decides, for a subscriber, which feed lines and state bursts to process so that each line counts
// once and in order: a line already seen (sent again after an outage) is skipped; a line after a gap
// is taken and the next burst that covers the gap is taken too; a burst is taken when it is news (the
// first, one from a new publisher, or one ahead of every line seen). Messages without a number pass.
class FeedSequencer {
public:
    bool acceptLine(const QByteArray& sequence);
    bool acceptBurst(const QByteArray& sequence, bool retained);

    std::uint64_t duplicates() const { return m_duplicates; }
    std::uint64_t gaps() const { return m_gaps; }
    // The lines skipped over by the gaps.
    std::uint64_t linesMissed() const { return m_linesMissed; }
    // A gap was seen and no burst has mended it yet.
    bool awaitingBurst() const { return m_awaitingBurst; }

private:
    bool follow(const FeedSequence& sequence);

    QByteArray m_instance;
    std::optional<std::uint64_t> m_last;
    bool m_awaitingBurst = false;
    std::uint64_t m_duplicates = 0;
    std::uint64_t m_gaps = 0;
    std::uint64_t m_linesMissed = 0;
};

} // namespace kav
