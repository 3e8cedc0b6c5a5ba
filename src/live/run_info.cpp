#include "run_info.h"

#include <algorithm>
#include <cstdlib>

#include "feed_text.h"

namespace kav {
namespace {

constexpr std::array<const char*, RunInfo::kTextItems> kCaptions = {
    "Laps to Go:", "Racetime:",     "Best lap:",   "Best laptime:", "Best speed:",
    "Name:",       "Length track:", "Name Track:", "Run:",
};

bool isTextItem(int item)
{
    return item >= RunInfo::kLapsToGo && item <= RunInfo::kRun;
}

} // namespace

RunInfo::RunInfo(const ClockSource& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_lastLine(clock.steady())
{
    m_layout.fill(kNoCode); // the panel is hidden until a layout places its items
    m_silenceTimer.setInterval(kSilenceTick);
    connect(&m_silenceTimer, &QTimer::timeout, this, &RunInfo::refreshSilence);
    m_silenceTimer.start();
}

QString RunInfo::caption(int item)
{
    if (item == kFlagLamp)
        return QStringLiteral("Flag");
    return isTextItem(item) ? QString::fromLatin1(kCaptions[static_cast<std::size_t>(item - 1)]) : QString();
}

QString RunInfo::value(int item) const
{
    return isTextItem(item) ? m_values[static_cast<std::size_t>(item - 1)] : QString();
}

void RunInfo::setValue(int item, const QString& text)
{
    if (!isTextItem(item))
        return;
    QString& value = m_values[static_cast<std::size_t>(item - 1)];
    if (value == text)
        return;
    value = text;
    emit valueChanged(item);
    emit changed();
}

void RunInfo::setTrack(std::int32_t metres, std::string_view name)
{
    const long long whole = std::llabs(static_cast<long long>(metres));
    setValue(kTrackLength, QStringLiteral("%1%2.%3")
                               .arg(metres < 0 ? QStringLiteral("-") : QString())
                               .arg(whole / 1000)
                               .arg(whole % 1000, 3, 10, QLatin1Char('0')));
    setValue(kTrackName, feedText(name));
}

// Said even when unchanged: the panel places its items anew, as after loading a layout.
void RunInfo::setPanelLayout(const GeneralInfoItems& layout)
{
    m_layout = layout;
    emit panelLayoutChanged();
    emit changed();
}

bool RunInfo::shown(int item) const
{
    return panelShown() && std::find(m_layout.begin(), m_layout.end(), item) != m_layout.end();
}

void RunInfo::setFlag(std::uint8_t flag)
{
    if (flag == m_flag)
        return;
    m_flag = flag;
    emit flagChanged();
    emit changed();
}

void RunInfo::setFinished(bool finished)
{
    if (finished == m_finished)
        return;
    m_finished = finished;
    emit flagChanged();
    emit changed();
}

void RunInfo::setErrors(int errors)
{
    m_errors = errors;
    emit errorsChanged();
    emit changed();
}

QString RunInfo::errorHint() const
{
    return m_errors == 0 ? QStringLiteral("No Errors") : QString::number(m_errors);
}

void RunInfo::setBusy(bool lit)
{
    if (lit == m_busy)
        return;
    m_busy = lit;
    emit busyChanged(lit);
    emit changed();
}

void RunInfo::restart()
{
    const QString length = m_values[kTrackLength - 1];
    const QString name = m_values[kTrackName - 1];
    m_values.fill(QString());
    m_values[kTrackLength - 1] = length;
    m_values[kTrackName - 1] = name;
    m_flag = kFlagGreen;
    m_finished = false;
    m_errors = 0;
    m_busy = false;
    m_lines = 0;
}

void RunInfo::announceAll()
{
    for (int item = kLapsToGo; item <= kTextItems; ++item)
        emit valueChanged(item);
    emit flagChanged();
    emit errorsChanged();
    emit busyChanged(m_busy);
    emit silenceChanged();
    emit changed();
    emit lineCounted();
}

void RunInfo::lineReceived()
{
    ++m_lines;
    m_lastLine = m_clock.steady();
    if (m_shownSilence.count() != 0) {
        m_shownSilence = std::chrono::seconds(0);
        emit silenceChanged();
        emit changed();
    }
    emit lineCounted();
}

std::chrono::seconds RunInfo::silence() const
{
    return std::chrono::duration_cast<std::chrono::seconds>(m_clock.steady() - m_lastLine);
}

RunInfo::Staleness RunInfo::stalenessFor(std::chrono::seconds silence)
{
    if (silence <= kAmberAfter)
        return Staleness::Fresh;
    return silence > kRedAfter ? Staleness::Red : Staleness::Amber;
}

QString RunInfo::stalenessWord(Staleness staleness)
{
    switch (staleness) {
    case Staleness::Amber: return QStringLiteral("amber");
    case Staleness::Red: return QStringLiteral("red");
    case Staleness::Fresh: break;
    }
    return QStringLiteral("fresh");
}

void RunInfo::refreshSilence()
{
    const std::chrono::seconds now = silence();
    if (now == m_shownSilence)
        return;
    m_shownSilence = now;
    emit silenceChanged();
    emit changed();
}

} // namespace kav
