#include "pits_csv.h"

#include "dump_writer.h"
#include "feed_text.h"
#include "feed_time.h"

namespace kav {

QByteArray pitsCsv(const PitStops& pits)
{
    QByteArray content = csvLine({QStringLiteral("car"), QStringLiteral("in_pit"), QStringLiteral("stops"),
                                  QStringLiteral("last_stop"), QStringLiteral("laps_in_stint")});
    for (const auto& [regNo, state] : pits.states()) {
        content += csvLine({feedText(regNo), state.inPitLane ? QStringLiteral("yes") : QStringLiteral("no"),
                            QString::number(state.stops),
                            state.lastStop < 0 ? QString() : QString::fromLatin1(formatTime(7, 3, state.lastStop)),
                            QString::number(state.lapsInStint())});
    }
    return content;
}

} // namespace kav
