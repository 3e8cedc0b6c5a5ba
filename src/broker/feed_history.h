#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace kav {

// Every feed line a publisher sent in its session, kept in numbered chunks that go to the broker as
// retained messages ("history/<chunk>"), so that a display that joined late or lost lines can process
// exactly the lines it missed and show what a display that saw everything shows. A chunk is full at
// kChunkLines lines or kChunkBytes bytes and never changes after; only the last one grows. Past
// kMaxBytes the history stops growing: displays then mend their gaps from the state burst.
class FeedHistory {
public:
    static constexpr int kChunkLines = 500;
    static constexpr qsizetype kChunkBytes = 128 * 1024;
    static constexpr qsizetype kMaxBytes = 64 * 1024 * 1024;

    struct Chunk {
        std::uint64_t firstSequence = 0;
        int lines = 0;
        QByteArray text;    // the lines, each ended by LF
        bool dirty = false; // not yet on the broker as it stands
    };

    // The line numbered sequence (1 for the session's first), with or without its LF; a line that does not follow the
    // last is ignored, as is everything once the history is full.
    void append(std::uint64_t sequence, const QByteArray& line);
    // Starts a new session's history.
    void clear();
    bool full() const { return m_full; }

    // The last chunk goes to the broker again with the next state burst; full chunks go at once.
    void markTailDirty();
    // Every chunk goes again: a new prefix, or a broker that may have lost its retained values.
    void markAllDirty();
    bool anyDirty() const;

    std::vector<Chunk>& chunks() { return m_chunks; }
    const std::vector<Chunk>& chunks() const { return m_chunks; }

private:
    std::vector<Chunk> m_chunks;
    std::uint64_t m_last = 0;
    qsizetype m_bytes = 0;
    bool m_full = false;
    bool m_tailChanged = false;
};

// Splits a history chunk's text into its lines (without their LF).
std::vector<QByteArray> historyLines(const QByteArray& text);

} // namespace kav
