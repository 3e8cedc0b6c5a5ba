#include "replay_bar_link.h"

#include <QSlider>
#include <QTime>

#include "replay_bar.h"
#include "replay_control.h"

namespace kav {

namespace {

constexpr std::int64_t kDay = 24 * std::int64_t{kTicksPerHour};

void showControl(ReplayBar& bar, const ReplayControl& control)
{
    ReplayBar::Shown shown;
    shown.playing = control.playing();
    shown.liveOffered = control.growing();
    shown.live = control.live();
    const std::int64_t start = control.sessionStart();
    if (start < 0) {
        shown.time = QStringLiteral("--:--:--");
    } else {
        const std::int64_t at = control.position();
        shown.lengthSeconds = static_cast<int>((control.sessionEnd() - start) / kTicksPerSecond);
        shown.positionSeconds = static_cast<int>((at - start) / kTicksPerSecond);
        shown.time = QTime::fromMSecsSinceStartOfDay(static_cast<int>(at % kDay / (kTicksPerSecond / 1000)))
                         .toString(QStringLiteral("HH:mm:ss"));
    }
    bar.showState(shown);
}

} // namespace

void linkReplayBar(ReplayBar& bar, ReplayControl& control)
{
    QObject::connect(&control, &ReplayControl::changed, &bar, [&bar, &control] { showControl(bar, control); });
    QObject::connect(&bar, &ReplayBar::playChosen, &control, [&control](bool play) {
        if (play)
            control.play();
        else
            control.pause();
    });
    QObject::connect(&bar, &ReplayBar::speedChosen, &control, &ReplayControl::setSpeed);
    // The slider counts whole seconds: its end is the session's end, not the second before.
    QObject::connect(&bar, &ReplayBar::seekChosen, &control, [&bar, &control](int seconds) {
        const std::int64_t start = control.sessionStart();
        if (start >= 0)
            control.seek(seconds >= bar.slider().maximum() ? control.sessionEnd()
                                                           : start + std::int64_t{seconds} * kTicksPerSecond);
    });
    QObject::connect(&bar, &ReplayBar::liveChosen, &control, &ReplayControl::goLive);
    showControl(bar, control);
}

} // namespace kav
