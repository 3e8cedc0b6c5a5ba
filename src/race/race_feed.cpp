#include "race_feed.h"

namespace kav {

RaceFeed::RaceFeed(Device& device, MainSettings& settings, const ClockSource& clock)
    : Info(clock), Models(State.RowCount), Content(State, Models, settings, Followed),
      Records(State, Content, settings, Info, clock), ChartSource(State, settings, Followed)
{
    // The road of every line, received or replayed: device framing, then record processing.
    QObject::connect(&device, &Device::lineReceived, &Records, &RecordProcessor::receiveString);
    QObject::connect(&device, &Device::lineDropped, &Records, &RecordProcessor::countBadLine);
    QObject::connect(&Records, &RecordProcessor::lapHistoryChanged, &ChartSource, &RaceSource::changed);
    // Rows of drivers followed take the follow colours, and lose them, at once.
    QObject::connect(&Followed, &FollowList::changed, &Records, [this] { Content.refillAll(); });
}

} // namespace kav
