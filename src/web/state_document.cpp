#include "state_document.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include "results_source.h"

namespace kav {
namespace {

constexpr std::array<const char*, 6> kMetaKeys = {"run", "info", "followed", "colors", "headers", "windows"};

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

bool needsEscape(char c)
{
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
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

// "key": in an object's members, after a comma when members came before.
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

// The members of an object as JSON text, without its braces.
QByteArray membersText(const QJsonObject& object)
{
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return text.mid(1, text.size() - 2);
}

QJsonObject runObject(const WebRunState& run)
{
    return {{"name", run.name},         {"flag", run.flag},
            {"finished", run.finished}, {"lapsToGo", run.lapsToGo},
            {"raceTime", run.raceTime}, {"errors", run.errors},
            {"lines", run.lines},       {"sinceLastLine", run.sinceLastLine},
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
            {"panelBackground", colors.panelBackground}};
}

QJsonObject windowObject(const TResultWinRec& rec)
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
    return {{"number", rec.Number}, {"kind", rec.Layout}, {"columns", columns},
            {"widths", widths},     {"font", font},       {"grid", rec.Grid}};
}

QJsonArray windowsArray(const QList<TResultWinRec>& windows)
{
    QJsonArray array;
    for (const TResultWinRec& rec : windows)
        array.append(windowObject(rec));
    return array;
}

qint64 wallClockMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

StateDocument::StateDocument(ResultsSource& source, QObject* parent) : QObject(parent), m_source(source)
{
    connect(&source, &ResultsSource::stateChanged, this, [this] {
        m_metaDirty = true;
        markPending();
    });
    connect(&source, &ResultsSource::modelReplaced, this, &StateDocument::watchModel);
    for (int kind = kFirstKind; kind <= kLastKind; ++kind)
        watchModel(kind);
    publish();
}

void StateDocument::watchModel(int kind)
{
    Kind& entry = kindAt(kind);
    if (entry.model)
        entry.model->disconnect(this);
    entry.model = m_source.model(kind);
    markAll(kind);
    QAbstractItemModel* model = entry.model;
    if (!model)
        return;
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this, kind](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                markRows(kind, topLeft.row(), bottomRight.row());
            });
    const auto all = [this, kind] { markAll(kind); };
    connect(model, &QAbstractItemModel::rowsInserted, this, all);
    connect(model, &QAbstractItemModel::rowsRemoved, this, all);
    connect(model, &QAbstractItemModel::rowsMoved, this, all);
    connect(model, &QAbstractItemModel::layoutChanged, this, all);
    connect(model, &QAbstractItemModel::modelReset, this, all);
}

void StateDocument::markRows(int kind, int first, int last)
{
    Kind& entry = kindAt(kind);
    if (!entry.allDirty) {
        // A change of most rows is read as a whole, without remembering each row.
        if (last - first > 64)
            entry.allDirty = true;
        else
            for (int row = std::max(first, 0); row <= last; ++row)
                entry.dirtyRows.insert(row);
    }
    markPending();
}

void StateDocument::markAll(int kind)
{
    kindAt(kind).allDirty = true;
    markPending();
}

void StateDocument::markPending()
{
    if (m_pending)
        return;
    m_pending = true;
    emit changed();
}

QByteArray StateDocument::publish()
{
    if (!m_pending)
        return {};
    m_pending = false;
    const qint64 time = wallClockMs();
    QByteArray update = membersText(publishMeta());
    QByteArray kinds;
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
        const QByteArray changes = publishKind(kind);
        if (!changes.isEmpty()) {
            appendKey(kinds, QByteArray::number(kind));
            kinds += '{' + changes + '}';
        }
    }
    if (!kinds.isEmpty()) {
        appendKey(update, "kinds");
        update += '{' + kinds + '}';
    }
    if (update.isEmpty())
        return {};
    m_snapshot.clear();
    m_time = time;
    appendKey(update, "type");
    update += "\"delta\"";
    appendKey(update, "seq");
    update += QByteArray::number(++m_sequence);
    appendKey(update, "time");
    update += QByteArray::number(m_time);
    return '{' + update + '}';
}

QJsonObject StateDocument::metaFromSource() const
{
    const WebState& state = m_source.state();
    return {{"run", runObject(state.run)},
            {"info", infoArray(state.info)},
            {"followed", followedArray(state.followed)},
            {"colors", colorsObject(state.colors)},
            {"headers", QJsonArray::fromStringList(state.headers)},
            {"windows", windowsArray(state.windows)}};
}

QJsonObject StateDocument::publishMeta()
{
    QJsonObject changes;
    if (!m_metaDirty)
        return changes;
    m_metaDirty = false;
    const QJsonObject current = metaFromSource();
    for (const char* key : kMetaKeys) {
        if (current.value(key) != m_meta.value(key)) {
            changes.insert(key, current.value(key));
            m_meta.insert(key, current.value(key));
        }
    }
    return changes;
}

QByteArray StateDocument::publishKind(int kind)
{
    Kind& entry = kindAt(kind);
    QByteArray changes;
    const QStringList& titles = m_source.state().kindTitles;
    const QString title = titles.value(kind - kFirstKind);
    if (title != entry.title) {
        entry.title = title;
        appendKey(changes, "title");
        appendString(changes, title);
    }
    if (!entry.allDirty && entry.dirtyRows.isEmpty())
        return changes;
    const QAbstractItemModel* model = entry.model;
    const int rowCount = model ? model->rowCount() : 0;
    if (rowCount != entry.rows.size()) {
        entry.rows.resize(rowCount);
        entry.rowTexts.resize(rowCount);
        appendKey(changes, "rowCount");
        changes += QByteArray::number(rowCount);
    }
    QByteArray rows;
    const auto publishRow = [&](int row) {
        ResultRow current = readRow(*model, row);
        if (current == entry.rows[row] && !entry.rowTexts[row].isEmpty())
            return;
        entry.rowTexts[row] = rowText(current);
        entry.rows[row] = std::move(current);
        appendKey(rows, QByteArray::number(row));
        rows += entry.rowTexts[row];
    };
    if (entry.allDirty) {
        for (int row = 0; row < rowCount; ++row)
            publishRow(row);
        const QStringList align = readAlignment(model);
        if (align != entry.align) {
            entry.align = align;
            appendKey(changes, "align");
            appendStrings(changes, align);
        }
    } else {
        for (int row : std::as_const(entry.dirtyRows)) {
            if (row < rowCount)
                publishRow(row);
        }
    }
    entry.allDirty = false;
    entry.dirtyRows.clear();
    if (!rows.isEmpty()) {
        appendKey(changes, "rows");
        changes += '{' + rows + '}';
    }
    return changes;
}

QByteArray StateDocument::snapshot()
{
    if (!m_snapshot.isEmpty())
        return m_snapshot;
    QByteArray kinds;
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
        const Kind& entry = kindAt(kind);
        QByteArray part;
        appendKey(part, "title");
        appendString(part, entry.title);
        appendKey(part, "align");
        appendStrings(part, entry.align);
        appendKey(part, "rows");
        part += '[' + entry.rowTexts.join(',') + ']';
        appendKey(kinds, QByteArray::number(kind));
        kinds += '{' + part + '}';
    }
    QByteArray document = membersText(m_meta);
    appendKey(document, "kinds");
    document += '{' + kinds + '}';
    appendKey(document, "type");
    document += "\"snapshot\"";
    appendKey(document, "version");
    document += QByteArray::number(kVersion);
    appendKey(document, "seq");
    document += QByteArray::number(m_sequence);
    appendKey(document, "time");
    document += QByteArray::number(m_time);
    m_snapshot = '{' + document + '}';
    return m_snapshot;
}

} // namespace kav
