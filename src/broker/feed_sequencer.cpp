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

// True when the message comes from a publisher other than the one followed so far.
bool FeedSequencer::follow(const FeedSequence& sequence)
{
    if (sequence.instance == m_instance)
        return false;
    m_instance = sequence.instance;
    m_last.reset();
    m_awaitingBurst = false;
    return true;
}

bool FeedSequencer::acceptLine(const QByteArray& text)
{
    const auto sequence = FeedSequence::parse(text);
    if (!sequence)
        return true;
    follow(*sequence);
    if (!m_last) {
        // Joined after the first line without a burst: what came before is missing.
        m_awaitingBurst = sequence->number > 1;
    } else if (sequence->number <= *m_last) {
        ++m_duplicates;
        return false;
    } else if (sequence->number > *m_last + 1) {
        ++m_gaps;
        m_linesMissed += sequence->number - *m_last - 1;
        m_awaitingBurst = true;
    }
    m_last = sequence->number;
    return true;
}

// A live burst follows the lines it covers, so while a gap is open the next one holds exactly the
// state after the last line taken.
bool FeedSequencer::acceptBurst(const QByteArray& text, bool retained)
{
    const auto sequence = FeedSequence::parse(text);
    if (!sequence)
        return retained;
    const bool news =
        follow(*sequence) || !m_last || sequence->number > *m_last || (m_awaitingBurst && sequence->number == *m_last);
    if (!news)
        return false;
    m_last = sequence->number;
    m_awaitingBurst = false;
    return true;
}

} // namespace kav
