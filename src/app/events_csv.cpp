#include "events_csv.h"

#include "dump_writer.h"
#include "feed_text.h"

namespace kav {

QByteArray eventsCsv(const RaceEvents& events)
{
    QByteArray content = csvLine({QStringLiteral("Seq"), QStringLiteral("Race time"), QStringLiteral("Kind"),
                                  QStringLiteral("Car"), QStringLiteral("Class"), QStringLiteral("Text")});
    for (const RaceEvent& event : events.events()) {
        content += csvLine({QString::number(event.seq), QString::fromLatin1(event.raceTimeText()),
                            QString::fromLatin1(eventTag(event.kind)), feedText(event.car), feedText(event.carClass),
                            feedText(event.text)});
    }
    return content;
}

} // namespace kav
