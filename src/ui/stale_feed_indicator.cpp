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

StaleFeedIndicator::StaleFeedIndicator(const RunInfo& info, QWidget* parent) : QLabel(parent), m_info(info)
{
    setAlignment(Qt::AlignCenter);
    QFont bold = font();
    bold.setBold(true);
    setFixedSize(QFontMetrics(bold).horizontalAdvance(silenceText(std::chrono::hours(99))) + 2 * kPadding, kHeight);
    hide();
    connect(&info, &RunInfo::silenceChanged, this, &StaleFeedIndicator::refresh);
    refresh();
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

void StaleFeedIndicator::refresh()
{
    const std::chrono::seconds now = m_info.silence();
    const Level level = RunInfo::stalenessFor(now);
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
