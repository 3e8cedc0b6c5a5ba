#pragma once

#include <QByteArray>

#include <mutex>

namespace kav {

// Text waiting for the serial line: the main thread appends, the reader thread takes it in chunks.
class TransmitQueue {
public:
    static constexpr qsizetype kChunk = 1024;

    void append(const QByteArray& text);
    // Up to kChunk bytes off the front; empty when nothing waits.
    QByteArray takeChunk();

private:
    std::mutex m_lock;
    QByteArray m_buffer;
};

} // namespace kav
