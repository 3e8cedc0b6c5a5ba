#include "state_json.h"

#include <QBrush>
#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>

#include <QAbstractItemModel>

#include <algorithm>

#include "result_roles.h"

namespace kav {
namespace {

QString colorText(const QVariant& value)
{
    QColor color;
    if (value.metaType().id() == QMetaType::QBrush)
        color = value.value<QBrush>().color();
    else if (value.canConvert<QColor>())
        color = value.value<QColor>();
    return color.isValid() ? color.name() : QString();
}

QString alignmentText(const QVariant& value)
{
    const auto alignment = static_cast<Qt::Alignment>(value.toInt());
    if (alignment & Qt::AlignRight)
        return QStringLiteral("right");
    if (alignment & Qt::AlignHCenter)
        return QStringLiteral("center");
    return QStringLiteral("left");
}

bool needsEscape(char c)
{
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
}

QJsonObject windowObject(const ResultWindowSettings& rec)
{
    QJsonArray columns;
    QJsonArray widths;
    for (std::size_t place = 0; place < kColumnSlots && rec.ColRel[place] < kColumnIds; ++place) {
        columns.append(rec.ColRel[place]);
        widths.append(rec.ColWidth[rec.ColRel[place]]);
    }
    const QJsonObject font{{"family", QString::fromStdString(rec.Font.Name)},
                           {"size", rec.Font.Size},
                           {"bold", rec.Font.Style.Bold},
                           {"italic", rec.Font.Style.Italic}};
    QJsonObject window{{"number", rec.Number}, {"kind", rec.Layout}, {"columns", columns},
                       {"widths", widths},     {"font", font},       {"grid", rec.Grid}};
    if (!rec.ClassFilter.empty())
        window.insert("class", QString::fromStdString(rec.ClassFilter));
    return window;
}

} // namespace

ResultRow readRow(const QAbstractItemModel& model, int row)
{
    ResultRow result;
    const int columns = std::min(model.columnCount(), kResultColumns);
    result.cells.reserve(kResultColumns);
    for (int column = 0; column < columns; ++column)
        result.cells.append(model.index(row, column).data(Qt::DisplayRole).toString());
    while (result.cells.size() < kResultColumns)
        result.cells.append(QString());
    result.marker = model.index(row, kResultMarkerColumn).data(kMarkerNameRole).toString();
    const QModelIndex first = model.index(row, 0);
    result.color = colorText(first.data(Qt::ForegroundRole));
    result.background = colorText(first.data(Qt::BackgroundRole));
    return result;
}

QStringList readAlignment(const QAbstractItemModel* model)
{
    QStringList align;
    for (int column = 0; column < kResultColumns; ++column) {
        const bool known = model && model->rowCount() > 0 && column < model->columnCount();
        align.append(known ? alignmentText(model->index(0, column).data(Qt::TextAlignmentRole))
                           : QStringLiteral("left"));
    }
    return align;
}

void appendString(QByteArray& out, const QString& text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const QByteArray utf8 = text.toUtf8();
    out += '"';
    if (std::none_of(utf8.begin(), utf8.end(), needsEscape)) {
        out += utf8;
    } else {
        for (const char c : utf8) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (needsEscape(c)) {
                out += "\\u00";
                out += kHex[(c >> 4) & 0xf];
                out += kHex[c & 0xf];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendStrings(QByteArray& out, const QStringList& texts)
{
    out += '[';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ',';
        appendString(out, texts[i]);
    }
    out += ']';
}

void appendKey(QByteArray& out, QByteArrayView key)
{
    if (!out.isEmpty())
        out += ',';
    out += '"';
    out += key;
    out += "\":";
}

QByteArray rowText(const ResultRow& row)
{
    QByteArray out;
    out.reserve(384);
    out += "{\"cells\":";
    appendStrings(out, row.cells);
    out += ",\"marker\":";
    appendString(out, row.marker);
    out += ",\"color\":";
    appendString(out, row.color);
    out += ",\"background\":";
    appendString(out, row.background);
    out += '}';
    return out;
}

QByteArray membersText(const QJsonObject& object)
{
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

QJsonObject runObject(const WebRunState& run)
{
    return {{"name", run.name},         {"flag", run.flag},         {"finished", run.finished},
            {"lapsToGo", run.lapsToGo}, {"raceTime", run.raceTime}, {"errors", run.errors},
            {"lines", run.lines},       {"feedLost", run.feedLost}, {"sinceLastLine", run.sinceLastLine},
            {"stale", run.stale}};
}

QJsonArray infoArray(const QList<WebInfoItem>& items)
{
    QJsonArray array;
    for (const WebInfoItem& item : items)
        array.append(
            QJsonObject{{"item", item.item}, {"caption", item.caption}, {"value", item.value}, {"shown", item.shown}});
    return array;
}

QJsonArray followedArray(const QList<WebFollowedDriver>& drivers)
{
    QJsonArray array;
    for (const WebFollowedDriver& driver : drivers)
        array.append(QJsonObject{{"regNo", driver.regNo}, {"car", driver.car}});
    return array;
}

QJsonArray classesArray(const QList<WebClass>& classes)
{
    QJsonArray array;
    for (const WebClass& entry : classes)
        array.append(QJsonObject{{"number", entry.number}, {"name", entry.name}});
    return array;
}

QJsonArray eventsArray(const QList<WebEvent>& events)
{
    QJsonArray array;
    for (const WebEvent& event : events) {
        array.append(QJsonObject{{"seq", event.seq},
                                 {"raceTime", event.raceTime},
                                 {"kind", event.kind},
                                 {"car", event.car},
                                 {"class", event.carClass},
                                 {"text", event.text}});
    }
    return array;
}

QJsonObject colorsObject(const WebColors& colors)
{
    return {{"text", colors.text},
            {"background", colors.background},
            {"headerText", colors.headerText},
            {"headerBackground", colors.headerBackground},
            {"followText", colors.followText},
            {"followBackground", colors.followBackground},
            {"panelCaption", colors.panelCaption},
            {"panelValue", colors.panelValue},
            {"panelBackground", colors.panelBackground},
            {"alternateBackground", colors.alternateBackground}};
}

QJsonArray windowsArray(const QList<ResultWindowSettings>& windows)
{
    QJsonArray array;
    for (const ResultWindowSettings& rec : windows)
        array.append(windowObject(rec));
    return array;
}

} // namespace kav
