#include "laps_csv.h"

#include <QSaveFile>

#include "dump_writer.h"
#include "feed_text.h"
#include "feed_time.h"

namespace kav {

namespace {

// A lap of an hour or more (a race stopped under red) keeps its hour, written as the totals are.
QString lapTimeText(TimeValue time)
{
    if (time == kEmptyLapTime)
        return QStringLiteral("-----");
    return QString::fromLatin1(time >= kTicksPerHour ? formatTime(1, 1, time) : formatTime(7, 3, time));
}

QStringList entryFields(const std::string& regNo, const LapEntry& entry)
{
    return {feedText(regNo),
            QString::number(entry.lap),
            lapTimeText(entry.lapTime),
            QString::fromLatin1(formatTime(1, 1, entry.totalTime)),
            entry.position == 0 ? QString() : QString::number(entry.position),
            QString::fromLatin1(flagWord(entry.flag))};
}

} // namespace

QByteArray lapsCsv(const LapHistory& history)
{
    QByteArray content = csvLine({QStringLiteral("car"), QStringLiteral("lap"), QStringLiteral("lap_time"),
                                  QStringLiteral("total_time"), QStringLiteral("position"), QStringLiteral("flag")});
    for (int car = 0; car < history.carCount(); ++car) {
        for (const LapEntry& entry : history.car(car).laps)
            content += csvLine(entryFields(history.car(car).regNo, entry));
    }
    return content;
}

bool writeLapsCsv(const LapHistory& history, const QString& file, QString& error)
{
    const QByteArray content = lapsCsv(history);
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit())
        return true;
    error = QStringLiteral("cannot write ") + file + QStringLiteral(": ") + out.errorString();
    return false;
}

} // namespace kav
