#include "feed_sequencer.h"

#include <algorithm>
#include <iterator>

namespace kav {

std::optional<FeedSequence> FeedSequence::parse(const QByteArray& text)
{
    const qsizetype colon = text.lastIndexOf(':');
    if (colon <= 0)
        return std::nullopt;
    bool ok = false;
    const std::uint64_t number = text.mid(colon + 1).toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    return FeedSequence{text.left(colon), number};
}

QByteArray FeedSequence::text() const
{
    return instance + ':' + QByteArray::number(static_cast<qulonglong>(number));
}

void FeedSequencer::follow(const QByteArray& instance)
{
    if (instance == m_instance)
        return;
    m_instance = instance;
    m_last.reset();
    m_held.clear();
    m_history.clear();
    m_historyBytes = 0;
    m_historyEnd = 0;
}

QList<QByteArray> FeedSequencer::takeLine(const FeedSequence& sequence, const QByteArray& line)
{
    follow(sequence.instance);
    if (!m_last && sequence.number == 1)
        m_last = 0; // joined before the first line: nothing is missing
    if (m_last && sequence.number <= *m_last) {
        ++m_duplicates;
        return {};
    }
    if (m_last && m_held.empty() && sequence.number == *m_last + 1) {
        m_last = sequence.number;
        return {line};
    }
    hold(sequence.number, line);
    QList<QByteArray> out;
    release(out);
    return out;
}

// A full store of held lines gives up its oldest; whether a line was missed for good is counted only
// when a burst takes its place, as the history may still bring it.
void FeedSequencer::hold(std::uint64_t number, const QByteArray& line)
{
    if (m_held.contains(number)) {
        ++m_duplicates;
        return;
    }
    const std::uint64_t expected = m_held.empty() ? (m_last ? *m_last + 1 : number) : m_held.rbegin()->first + 1;
    if (number > expected)
        ++m_gaps;
    m_held.emplace(number, line);
    if (m_held.size() > m_maxHeld)
        m_held.erase(m_held.begin());
}

// The burst must reach the first held line, so that the held lines continue it without a gap.
QList<QByteArray> FeedSequencer::takeBurst(const FeedSequence& sequence, const QByteArray& burst)
{
    follow(sequence.instance);
    const bool covers =
        m_held.empty() ? !m_last || sequence.number > *m_last : sequence.number + 1 >= m_held.begin()->first;
    if (!covers)
        return {};
    if (historyReaches())
        return {}; // the next chunk fills the gap with the lines themselves
    if (m_last) {
        const auto heldCovered = std::distance(m_held.begin(), m_held.upper_bound(sequence.number));
        m_linesMissed += sequence.number - *m_last - static_cast<std::uint64_t>(heldCovered);
    }
    m_last = sequence.number;
    QList<QByteArray> out{burst};
    release(out);
    return out;
}

bool FeedSequencer::takeHistory(const FeedSequence& first, const std::vector<QByteArray>& lines, QList<QByteArray>& out)
{
    follow(first.instance);
    if (first.number == 0)
        return false;
    qsizetype bytes = 0;
    for (const QByteArray& line : lines)
        bytes += line.size();
    if (m_historyBytes + bytes > kMaxHistoryBytes)
        return false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::uint64_t number = first.number + i;
        if (number >= firstMissing() && m_history.try_emplace(number, lines[i]).second)
            m_historyBytes += lines[i].size();
    }
    m_historyEnd = std::max(m_historyEnd, first.number + lines.size() - 1);
    release(out);
    return true;
}

// The lines go out in order from the held ones and the history, whichever has the next; a display that
// joined late starts from the session's first line when the history has it.
void FeedSequencer::release(QList<QByteArray>& out)
{
    if (!m_last && m_history.contains(1))
        m_last = 0;
    if (!m_last)
        return;
    for (;;) {
        while (!m_held.empty() && m_held.begin()->first <= *m_last)
            m_held.erase(m_held.begin());
        while (!m_history.empty() && m_history.begin()->first <= *m_last) {
            m_historyBytes -= m_history.begin()->second.size();
            m_history.erase(m_history.begin());
        }
        const std::uint64_t next = *m_last + 1;
        if (!m_held.empty() && m_held.begin()->first == next) {
            out.append(std::move(m_held.begin()->second));
        } else if (!m_history.empty() && m_history.begin()->first == next) {
            out.append(m_history.begin()->second);
        } else {
            return;
        }
        m_last = next;
    }
}

// Whether the history already holds the lines up to the gap: then its next chunk, which the publisher
// sends ahead of every burst, will hold the rest.
bool FeedSequencer::historyReaches() const
{
    return m_historyEnd > 0 && m_historyEnd + 1 >= firstMissing();
}

} // namespace kav
