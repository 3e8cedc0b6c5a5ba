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

QJsonObject rowObject(const ResultRow& row)
{
    return {{"cells", QJsonArray::fromStringList(row.cells)},
            {"marker", row.marker},
            {"color", row.color},
            {"background", row.background}};
}

QJsonObject runObject(const WebRunState& run)
{
    return {{"name", run.name},         {"flag", run.flag},     {"finished", run.finished}, {"lapsToGo", run.lapsToGo},
            {"raceTime", run.raceTime}, {"errors", run.errors}, {"lines", run.lines}};
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
    QJsonObject update = publishMeta();
    QJsonObject kinds;
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
        const QJsonObject changes = publishKind(kind);
        if (!changes.isEmpty())
            kinds.insert(QString::number(kind), changes);
    }
    if (!kinds.isEmpty())
        update.insert("kinds", kinds);
    if (update.isEmpty())
        return {};
    m_snapshot.clear();
    m_time = time;
    update.insert("type", "delta");
    update.insert("seq", ++m_sequence);
    update.insert("time", m_time);
    return QJsonDocument(update).toJson(QJsonDocument::Compact);
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

QJsonObject StateDocument::publishKind(int kind)
{
    Kind& entry = kindAt(kind);
    QJsonObject changes;
    const QStringList& titles = m_source.state().kindTitles;
    const QString title = titles.value(kind - kFirstKind);
    if (title != entry.title) {
        entry.title = title;
        changes.insert("title", title);
    }
    if (!entry.allDirty && entry.dirtyRows.isEmpty())
        return changes;
    const QAbstractItemModel* model = entry.model;
    const int rowCount = model ? model->rowCount() : 0;
    if (rowCount != entry.rows.size()) {
        entry.rows.resize(rowCount);
        changes.insert("rowCount", rowCount);
    }
    QJsonObject rows;
    const auto publishRow = [&](int row) {
        ResultRow current = readRow(*model, row);
        if (current == entry.rows[row])
            return;
        rows.insert(QString::number(row), rowObject(current));
        entry.rows[row] = std::move(current);
    };
    if (entry.allDirty) {
        for (int row = 0; row < rowCount; ++row)
            publishRow(row);
        const QStringList align = readAlignment(model);
        if (align != entry.align) {
            entry.align = align;
            changes.insert("align", QJsonArray::fromStringList(align));
        }
    } else {
        for (int row : std::as_const(entry.dirtyRows)) {
            if (row < rowCount)
                publishRow(row);
        }
    }
    entry.allDirty = false;
    entry.dirtyRows.clear();
    if (!rows.isEmpty())
        changes.insert("rows", rows);
    return changes;
}

QByteArray StateDocument::snapshot()
{
    if (!m_snapshot.isEmpty())
        return m_snapshot;
    QJsonObject document = m_meta;
    QJsonObject kinds;
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
        const Kind& entry = kindAt(kind);
        QJsonArray rows;
        for (const ResultRow& row : entry.rows)
            rows.append(rowObject(row));
        kinds.insert(
            QString::number(kind),
            QJsonObject{{"title", entry.title}, {"align", QJsonArray::fromStringList(entry.align)}, {"rows", rows}});
    }
    document.insert("kinds", kinds);
    document.insert("type", "snapshot");
    document.insert("version", kVersion);
    document.insert("seq", m_sequence);
    document.insert("time", m_time);
    m_snapshot = QJsonDocument(document).toJson(QJsonDocument::Compact);
    return m_snapshot;
}

} // namespace kav
