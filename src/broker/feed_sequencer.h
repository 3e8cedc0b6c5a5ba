#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace kav {

// A publisher's number on a message: its session (new each time the publisher starts) and the number
// of the last feed line the message carries or covers, written "session:number".
struct FeedSequence {
    QByteArray instance;
    std::uint64_t number = 0;

    static std::optional<FeedSequence> parse(const QByteArray& text);
    QByteArray text() const;
};

// Puts a subscriber's feed lines and state bursts in order, as market-data feeds do with snapshots:
// lines are processed in sequence, each once (one sent again after an outage is skipped). After a gap,
// or on joining without a burst, the lines that follow are held back until a burst covers the gap; then
// the burst is processed and the held lines after it. A burst that covers nothing new is skipped. A
// new session starts everything afresh. Better than a burst are the lines themselves, from the
// publisher's history chunks: a display that joined late starts from the session's first line, and a
// gap is filled with the lines missed, so that it ends up exactly where a display that saw everything
// is; a burst is taken only when the history does not reach.
class FeedSequencer {
public:
    static constexpr std::size_t kMaxHeld = 20000;                  // lines held while waiting for a burst
    static constexpr qsizetype kMaxHistoryBytes = 64 * 1024 * 1024; // history lines kept ahead of use

    explicit FeedSequencer(std::size_t maxHeld = kMaxHeld) : m_maxHeld(maxHeld) {}

    // What to process now, in order: the line, or nothing while a gap is open.
    QList<QByteArray> takeLine(const FeedSequence& sequence, const QByteArray& line);
    // What to process now: the burst and the held lines after it, or nothing when it is of no use.
    QList<QByteArray> takeBurst(const FeedSequence& sequence, const QByteArray& burst);
    // What to process now from a history chunk whose first line is numbered first.number: the lines
    // it fills in, and the held lines they join up with. False when the chunk cannot be kept.
    bool takeHistory(const FeedSequence& first, const std::vector<QByteArray>& lines, QList<QByteArray>& out);

    std::uint64_t duplicates() const { return m_duplicates; }
    std::uint64_t gaps() const { return m_gaps; }
    // The lines never processed because a burst took their place: skipped over by a gap, dropped from
    // the held ones, or covered by a burst ahead of every line seen.
    std::uint64_t linesMissed() const { return m_linesMissed; }
    // Whether lines of this session were processed already.
    bool following(const QByteArray& instance) const { return instance == m_instance && m_last.has_value(); }
    // A gap, or the join, waits for a burst.
    bool awaitingBurst() const { return !m_last || !m_held.empty(); }

private:
    void follow(const QByteArray& instance);
    void hold(std::uint64_t number, const QByteArray& line);
    void release(QList<QByteArray>& out);
    bool historyReaches() const;
    std::uint64_t firstMissing() const { return m_last ? *m_last + 1 : 1; }

    std::size_t m_maxHeld;
    QByteArray m_instance;
    std::optional<std::uint64_t> m_last; // the last line processed or covered by a burst
    std::map<std::uint64_t, QByteArray> m_held;
    std::map<std::uint64_t, QByteArray> m_history; // lines of history chunks not yet needed
    qsizetype m_historyBytes = 0;
    std::uint64_t m_historyEnd = 0; // the last line number any history chunk held
    std::uint64_t m_duplicates = 0;
    std::uint64_t m_gaps = 0;
    std::uint64_t m_linesMissed = 0;
};

} // namespace kav
