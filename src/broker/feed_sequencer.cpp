#include "feed_sequencer.h"

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
    return {};
}

// A full store of held lines gives up its oldest: those lines are missed for good.
void FeedSequencer::hold(std::uint64_t number, const QByteArray& line)
{
    if (m_held.contains(number)) {
        ++m_duplicates;
        return;
    }
    const std::uint64_t expected = m_held.empty() ? (m_last ? *m_last + 1 : number) : m_held.rbegin()->first + 1;
    if (number > expected) {
        ++m_gaps;
        m_linesMissed += number - expected;
    }
    m_held.emplace(number, line);
    if (m_held.size() > kMaxHeld) {
        m_held.erase(m_held.begin());
        ++m_linesMissed;
    }
}

// The burst must reach the first held line, so that the held lines continue it without a gap.
QList<QByteArray> FeedSequencer::takeBurst(const FeedSequence& sequence, const QByteArray& burst)
{
    follow(sequence.instance);
    const bool covers =
        m_held.empty() ? !m_last || sequence.number > *m_last : sequence.number + 1 >= m_held.begin()->first;
    if (!covers)
        return {};
    if (m_last && m_held.empty())
        m_linesMissed += sequence.number - *m_last;
    m_last = sequence.number;
    QList<QByteArray> out{burst};
    release(out);
    return out;
}

void FeedSequencer::release(QList<QByteArray>& out)
{
    while (!m_held.empty() && m_held.begin()->first <= *m_last)
        m_held.erase(m_held.begin());
    while (!m_held.empty() && m_held.begin()->first == *m_last + 1) {
        out.append(std::move(m_held.begin()->second));
        m_last = m_held.begin()->first;
        m_held.erase(m_held.begin());
    }
}

} // namespace kav
