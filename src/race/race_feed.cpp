#include "race_feed.h"

#include "feed_text.h"

namespace kav {

RaceFeed::RaceFeed(Device& device, ProgramSettings& settings, const ClockSource& clock)
    : Info(clock), Models(State.RowCount), Content(State, Models, settings.value(), Followed),
      Records(State, Content, settings, Info, clock), ChartSource(State, settings.value(), Followed)
{
    // The road of every line, received or replayed: device framing, then record processing.
    QObject::connect(&device, &Device::lineReceived, &Records, &RecordProcessor::takeLine);
    QObject::connect(&device, &Device::linesEnd, &Records, &RecordProcessor::linesEnd);
    QObject::connect(&device, &Device::lineDropped, &Records, &RecordProcessor::countBadLine);
    // The far end starts its lines again (a broker's publisher that sought in its replay).
    QObject::connect(&device, &Device::streamRestarted, &Records, [this] {
        restart();
        announceAll();
    });
    QObject::connect(&Records, &RecordProcessor::lapHistoryChanged, &ChartSource, &RaceSource::changed);
    // Rows of drivers followed take the follow colours, and lose them, at once.
    QObject::connect(&Followed, &FollowList::changed, &Records, [this] { Content.refillAll(); });
    // So do all rows when a setting they show changes, and the panel when the track does.
    QObject::connect(&settings, &ProgramSettings::changed, &Records, [this] { Content.refillAll(); });
    QObject::connect(&settings, &ProgramSettings::trackChanged, &Records, [this, &settings] {
        Info.setTrack(settings->TrackLength, settings->TrackName);
        Info.setValue(RunInfo::kRun, feedText(State.RunName));
    });
}

void RaceFeed::restart()
{
    State.restart();
    Content.restart();
    Info.restart();
    Records.restart();
}

void RaceFeed::announceAll()
{
    Info.announceAll();
    Records.announceAll();
}

} // namespace kav
