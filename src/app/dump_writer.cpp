#include "dump_writer.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <utility>

#include "events_csv.h"
#include "feed_text.h"
#include "laps_csv.h"
#include "pits_csv.h"
#include "race_state.h"
#include "result_columns.h"
#include "result_roles.h"
#include "result_window.h"
#include "results_models.h"
#include "run_info.h"

namespace kav {
namespace {

bool writeWhole(const QString& file, const QByteArray& content, QString& error)
{
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit())
        return true;
    error = QStringLiteral("cannot write ") + file + QStringLiteral(": ") + out.errorString();
    return false;
}

const QString kBlank = QStringLiteral(" ");

// A marker as its name in brackets, e.g. "[green ball]"; else the text.
QString cellText(const QAbstractItemModel& model, int row, int column)
{
    const QModelIndex index = model.index(row, column);
    if (!index.isValid())
        return kBlank;
    const QString marker = index.data(kMarkerNameRole).toString();
    return marker.isEmpty() ? index.data(Qt::DisplayRole).toString() : u'[' + marker + u']';
}

// A one-line value: a run name cannot break the key=value lines.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace

QString csvField(const QString& text)
{
    static const QString kSpecial = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return kSpecial.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray csvLine(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted.append(csvField(field));
    return quoted.join(u',').toUtf8() + "\r\n";
}

bool writeResultWindowCsv(const ResultWindowSettings& window, const QAbstractItemModel& model,
                          const HeaderTexts& headers, const QString& file, QString& error)
{
    // The window's columns as it shows them; none shows one empty column.
    QList<int> columns;
    for (std::size_t p = 0; p < kColumnSlots && window.ColRel[p] != kNoCode; ++p)
        columns.append(window.ColRel[p]);
    QStringList header;
    for (int column : columns) {
        const QString text = feedText(headers[kColumnCatalogue[std::size_t(column)].HeaderIndex]);
        header.append(text.isEmpty() ? kBlank : text);
    }
    QByteArray content = csvLine(columns.isEmpty() ? QStringList{kBlank} : header);
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column : columns)
            cells.append(cellText(model, row, column));
        content += csvLine(columns.isEmpty() ? QStringList{kBlank} : cells);
    }
    return writeWhole(file, content, error);
}

bool writeGeneralInfoCsv(const RunInfo& info, const QString& file, QString& error)
{
    QByteArray content = csvLine({QStringLiteral("caption"), QStringLiteral("value"), QStringLiteral("shown")});
    for (int item = RunInfo::kLapsToGo; item <= RunInfo::kFlagLamp; ++item) {
        const QString value = item == RunInfo::kFlagLamp ? flagWord(info.flag()) : info.value(item);
        content +=
            csvLine({RunInfo::caption(item), value, info.shown(item) ? QStringLiteral("1") : QStringLiteral("0")});
    }
    return writeWhole(file, content, error);
}

bool writeStateText(const RaceState& state, const QString& file, QString& error)
{
    QString text;
    text += QStringLiteral("errors=") + QString::number(state.ErrorCount) + u'\n';
    text += QStringLiteral("flag=") + flagWord(state.FlagState) + u'\n';
    text += QStringLiteral("race_finished=") + (state.RaceFinished ? u'1' : u'0') + u'\n';
    text += QStringLiteral("row_count=") + QString::number(state.RowCount) + u'\n';
    text += QStringLiteral("run=") + oneLine(feedText(state.RunName)) + u'\n';
    return writeWhole(file, text.toUtf8(), error);
}

bool writeDump(const QString& dir, const DumpSource& source, QString& error)
{
    const RunInfo& info = source.info;
    const RaceState& state = source.state;
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create the folder ") + dir;
        return false;
    }
    const QDir folder(dir);
    QStringList failures;
    QString failure;
    for (const ResultWindow* window : source.windows) {
        if (!window)
            continue;
        const ResultWindowSettings shown = window->settings();
        const QString name = QStringLiteral("ResultWin%1.csv").arg(shown.Number);
        if (!writeResultWindowCsv(shown, window->shownResults(), source.headers, folder.filePath(name), failure))
            failures.append(failure);
    }
    if (!writeGeneralInfoCsv(info, folder.filePath(QStringLiteral("geninfo.csv")), failure))
        failures.append(failure);
    if (!writeStateText(state, folder.filePath(QStringLiteral("state.txt")), failure))
        failures.append(failure);
    if (!writeLapsCsv(state.lapHistory(), folder.filePath(QStringLiteral("laps.csv")), failure))
        failures.append(failure);
    if (!writeWhole(folder.filePath(QStringLiteral("events.csv")), eventsCsv(state.events()), failure))
        failures.append(failure);
    const QString pits = folder.filePath(QStringLiteral("pits.csv"));
    if (!state.pits().anyCrossing())
        QFile::remove(pits);
    else if (!writeWhole(pits, pitsCsv(state.pits()), failure))
        failures.append(failure);
    error = failures.join(QStringLiteral("; "));
    return failures.isEmpty();
}

} // namespace kav
