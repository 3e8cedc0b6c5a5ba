#include "dump_writer.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <utility>

#include "feed_text.h"
#include "laps_csv.h"
#include "race_state.h"
#include "result_window.h"
#include "results_grid.h"
#include "run_info.h"
#include "status_pictures.h"

namespace kav {
namespace {

constexpr std::array<std::pair<std::uint8_t, const char*>, 7> kPictureRoles = {{
    {kWhiteFlag, "white flag"},
    {kGreyFlag, "grey flag"},
    {kBlackFlag, "black flag"},
    {kChequeredFlag, "chequered flag"},
    {kGreenBall, "green ball"},
    {kRedCross, "red cross"},
    {kGreenArrow, "green arrow"},
}};

bool writeWhole(const QString& file, const QByteArray& content, QString& error)
{
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit())
        return true;
    error = QStringLiteral("cannot write ") + file + QStringLiteral(": ") + out.errorString();
    return false;
}

QString pictureText(const Picture* picture, const StatusPictures& pictures)
{
    const QString name = pictureName(picture, pictures);
    return u'[' + (name.isEmpty() ? QStringLiteral("picture") : name) + u']';
}

QString cellText(const ResultsGrid& grid, int col, int row, const StatusPictures& pictures)
{
    const Picture* picture = grid.graphic(col, row);
    return picture ? pictureText(picture, pictures) : grid.cell(col, row);
}

// A one-line value: a run name cannot break the key=value lines.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace

QString pictureName(const Picture* picture, const StatusPictures& pictures)
{
    for (const auto& [code, role] : kPictureRoles) {
        if (picture && picture == pictures.forCode(code))
            return QString::fromLatin1(role);
    }
    return {};
}

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

bool writeResultWindowCsv(const ResultWindow& window, const StatusPictures& pictures, const QString& file,
                          QString& error)
{
    const ResultsGrid& grid = window.grid();
    QByteArray content;
    for (int row = 0; row < grid.gridRowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.gridColumnCount(); ++col)
            cells.append(cellText(grid, col, row, pictures));
        content += csvLine(cells);
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

bool writeDump(const QString& dir, const std::vector<ResultWindow*>& windows, const StatusPictures& pictures,
               const RunInfo& info, const RaceState& state, QString& error)
{
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create the folder ") + dir;
        return false;
    }
    const QDir folder(dir);
    QStringList failures;
    QString failure;
    for (const ResultWindow* window : windows) {
        if (!window)
            continue;
        const QString name = QStringLiteral("ResultWin%1.csv").arg(window->settings().Number);
        if (!writeResultWindowCsv(*window, pictures, folder.filePath(name), failure))
            failures.append(failure);
    }
    if (!writeGeneralInfoCsv(info, folder.filePath(QStringLiteral("geninfo.csv")), failure))
        failures.append(failure);
    if (!writeStateText(state, folder.filePath(QStringLiteral("state.txt")), failure))
        failures.append(failure);
    if (!writeLapsCsv(state.lapHistory(), folder.filePath(QStringLiteral("laps.csv")), failure))
        failures.append(failure);
    error = failures.join(QStringLiteral("; "));
    return failures.isEmpty();
}

} // namespace kav
