#include "stale_feed_indicator.h"

#include <QFontMetrics>

namespace kav {
namespace {

constexpr int kHeight = 24;
constexpr int kPadding = 8;

QString styleOf(StaleFeedIndicator::Level level)
{
    return level == StaleFeedIndicator::Level::Red
               ? QStringLiteral("QLabel { background: #d00000; color: white; font-weight: bold; }")
               : QStringLiteral("QLabel { background: #ffbf00; color: black; font-weight: bold; }");
}

} // namespace

StaleFeedIndicator::StaleFeedIndicator(const ClockSource& clock, QWidget* parent)
    : QLabel(parent), m_clock(clock), m_lastLine(clock.steady())
{
    setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    setFixedSize(QFontMetrics(bold).horizontalAdvance(silenceText(std::chrono::hours(99))) + 2 * kPadding, kHeight);
    hide();
    m_refreshTimer.setInterval(kRefreshInterval);
    connect(&m_refreshTimer, &QTimer::timeout, this, &StaleFeedIndicator::refresh);
    m_refreshTimer.start();
}

QString StaleFeedIndicator::silenceText(std::chrono::seconds silence)
{
    const qint64 total = silence.count();
    const qint64 hours = total / 3600, minutes = total / 60 % 60, seconds = total % 60;
    if (hours == 0)
        return QStringLiteral("No data for %1:%2").arg(minutes).arg(seconds, 2, 10, QLatin1Char('0'));
    return QStringLiteral("No data for %1:%2:%3")
        .arg(hours)
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

void StaleFeedIndicator::lineReceived()
{
    m_lastLine = m_clock.steady();
    showLevel(Level::Fresh);
}

std::chrono::seconds StaleFeedIndicator::silence() const
{
    return std::chrono::duration_cast<std::chrono::seconds>(m_clock.steady() - m_lastLine);
}

StaleFeedIndicator::Level StaleFeedIndicator::levelFor(std::chrono::seconds silence)
{
    if (silence <= kAmberAfter)
        return Level::Fresh;
    return silence > kRedAfter ? Level::Red : Level::Amber;
}

void StaleFeedIndicator::refresh()
{
    const std::chrono::seconds now = silence();
    const Level level = levelFor(now);
    if (level != Level::Fresh)
        setText(silenceText(now));
    showLevel(level);
}

void StaleFeedIndicator::showLevel(Level level)
{
    if (level != m_level && level != Level::Fresh)
        setStyleSheet(styleOf(level));
    m_level = level;
    setVisible(level != Level::Fresh);
}

} // namespace kav
