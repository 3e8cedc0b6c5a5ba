#include "dump_writer.h"

#include <QDir>
#include <QLabel>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <utility>

#include "f_results.h"
#include "feed_text.h"
#include "gen_info_panel.h"
#include "laps_csv.h"
#include "race_state.h"
#include "status_lamp.h"
#include "status_pictures.h"
#include "zeb_grid.h"

namespace kav {
namespace {

// The flag lamp's colours as the flag control paints them.
constexpr TColorValue kRedLamp = 0x0000FF;
constexpr TColorValue kYellowLamp = 0x00FFFF;
constexpr TColorValue kGreenLamp = 0x00FF00;

constexpr std::array<std::pair<std::uint8_t, const char*>, 7> kPictureRoles = {{
    {kWhiteFlag, "white flag"},
    {kGreyFlag, "grey flag"},
    {kBlackFlag, "black flag"},
    {kChequeredFlag, "chequered flag"},
    {kGreenBall, "green ball"},
    {kRedCross, "red cross"},
    {kGreenArrow, "green arrow"},
}};

bool WriteWhole(const QString& file, const QByteArray& content, QString& error)
{
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit())
        return true;
    error = QStringLiteral("cannot write ") + file + QStringLiteral(": ") + out.errorString();
    return false;
}

QString PictureText(const TPicture* picture, const TStatusPictures& pictures)
{
    const QString name = PictureName(picture, pictures);
    return u'[' + (name.isEmpty() ? QStringLiteral("picture") : name) + u']';
}

QString CellText(const TZebGrid& grid, int col, int row, const TStatusPictures& pictures)
{
    const TPicture* picture = grid.GetGraphic(col, row);
    return picture ? PictureText(picture, pictures) : grid.GetCell(col, row);
}

// A one-line value: a run name cannot break the key=value lines.
QString OneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace

QString PictureName(const TPicture* picture, const TStatusPictures& pictures)
{
    for (const auto& [code, role] : kPictureRoles) {
        if (picture && picture == pictures.ForCode(code))
            return QString::fromLatin1(role);
    }
    return {};
}

QString LampWord(TColorValue color)
{
    switch (color) {
    case kRedLamp: return QStringLiteral("red");
    case kYellowLamp: return QStringLiteral("yellow");
    case kGreenLamp: return QStringLiteral("green");
    default: return QStringLiteral("0x%1").arg(static_cast<quint32>(color), 6, 16, QLatin1Char('0'));
    }
}

QString FlagWord(std::uint8_t flag)
{
    switch (flag) {
    case kFlagRed: return QStringLiteral("red");
    case kFlagYellow: return QStringLiteral("yellow");
    case kFlagGreen: return QStringLiteral("green");
    default: return QString::number(flag);
    }
}

// Shown once the panel is on screen: the panel itself may never have been shown (a replay without
// windows on screen), so only the hidden flags from the widget up to the panel count.
QString ShownFlag(const QWidget& widget, const TGenInfoPanel& panel)
{
    return !panel.isHidden() && widget.isVisibleTo(&panel) ? QStringLiteral("1") : QStringLiteral("0");
}

QString CsvField(const QString& text)
{
    static const QString kSpecial = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return kSpecial.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray CsvLine(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted.append(CsvField(field));
    return quoted.join(u',').toUtf8() + "\r\n";
}

bool WriteResultWindowCsv(const TFResults& window, const TStatusPictures& pictures, const QString& file, QString& error)
{
    const TZebGrid& grid = window.Grid();
    QByteArray content;
    for (int row = 0; row < grid.RowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.ColCount(); ++col)
            cells.append(CellText(grid, col, row, pictures));
        content += CsvLine(cells);
    }
    return WriteWhole(file, content, error);
}

bool WriteGenInfoCsv(const TGenInfoPanel& panel, const QString& file, QString& error)
{
    QByteArray content = CsvLine({QStringLiteral("caption"), QStringLiteral("value"), QStringLiteral("shown")});
    for (int item = TGenInfoPanel::kLapsToGo; item <= TGenInfoPanel::kRun; ++item) {
        content +=
            CsvLine({panel.Caption(item)->text(), panel.Value(item)->text(), ShownFlag(*panel.Caption(item), panel)});
    }
    content +=
        CsvLine({QStringLiteral("Flag"), LampWord(panel.FlagLamp().Color()), ShownFlag(panel.FlagLamp(), panel)});
    return WriteWhole(file, content, error);
}

bool WriteStateTxt(const TRaceState& state, const QString& file, QString& error)
{
    QString text;
    text += QStringLiteral("errors=") + QString::number(state.ErrorCount) + u'\n';
    text += QStringLiteral("flag=") + FlagWord(state.FlagState) + u'\n';
    text += QStringLiteral("race_finished=") + (state.RaceFinished ? u'1' : u'0') + u'\n';
    text += QStringLiteral("row_count=") + QString::number(state.RowCount) + u'\n';
    text += QStringLiteral("run=") + OneLine(FeedText(state.RunName)) + u'\n';
    return WriteWhole(file, text.toUtf8(), error);
}

bool WriteDump(const QString& dir, const std::vector<TFResults*>& windows, const TStatusPictures& pictures,
               const TGenInfoPanel& panel, const TRaceState& state, QString& error)
{
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("cannot create the folder ") + dir;
        return false;
    }
    const QDir folder(dir);
    QStringList failures;
    QString failure;
    for (const TFResults* window : windows) {
        if (!window)
            continue;
        const QString name = QStringLiteral("ResultWin%1.csv").arg(window->Record().Number);
        if (!WriteResultWindowCsv(*window, pictures, folder.filePath(name), failure))
            failures.append(failure);
    }
    if (!WriteGenInfoCsv(panel, folder.filePath(QStringLiteral("geninfo.csv")), failure))
        failures.append(failure);
    if (!WriteStateTxt(state, folder.filePath(QStringLiteral("state.txt")), failure))
        failures.append(failure);
    if (!writeLapsCsv(state.lapHistory(), folder.filePath(QStringLiteral("laps.csv")), failure))
        failures.append(failure);
    error = failures.join(QStringLiteral("; "));
    return failures.isEmpty();
}

} // namespace kav
