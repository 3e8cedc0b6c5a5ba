#include "state_document.h"

#include <QAbstractItemModel>
#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include "results_source.h"
#include "state_json.h"

namespace kav {
namespace {

constexpr std::array<const char*, 8> kMetaKeys = {"run",    "info",   "followed", "classes",
                                                  "events", "colors", "headers",  "windows"};

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
    m_published.time = time;
    appendKey(update, "type");
    update += "\"delta\"";
    appendKey(update, "seq");
    update += QByteArray::number(++m_published.sequence);
    appendKey(update, "time");
    update += QByteArray::number(time);
    return '{' + update + '}';
}

QJsonObject StateDocument::metaFromSource() const
{
    const WebState& state = m_source.state();
    return {{"run", runObject(state.run)},
            {"info", infoArray(state.info)},
            {"followed", followedArray(state.followed)},
            {"classes", classesArray(state.classes)},
            {"events", eventsArray(state.events)},
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
    if (!changes.isEmpty())
        m_published.metaText = membersText(m_meta);
    return changes;
}

QByteArray StateDocument::publishKind(int kind)
{
    Kind& entry = kindAt(kind);
    PublishedState::Kind& published = m_published.kinds[static_cast<std::size_t>(kind - kFirstKind)];
    QByteArray changes;
    const QStringList& titles = m_source.state().kindTitles;
    const QString title = titles.value(kind - kFirstKind);
    if (title != published.title) {
        published.title = title;
        appendKey(changes, "title");
        appendString(changes, title);
    }
    if (entry.allDirty || !entry.dirtyRows.isEmpty())
        publishRows(kind, changes);
    return changes;
}

// The kind's row count, alignment and changed rows, appended to its changes.
void StateDocument::publishRows(int kind, QByteArray& changes)
{
    Kind& entry = kindAt(kind);
    PublishedState::Kind& published = m_published.kinds[static_cast<std::size_t>(kind - kFirstKind)];
    const QAbstractItemModel* model = entry.model;
    const int rowCount = model ? model->rowCount() : 0;
    if (rowCount != entry.rows.size()) {
        entry.rows.resize(rowCount);
        published.rowTexts.resize(rowCount);
        appendKey(changes, "rowCount");
        changes += QByteArray::number(rowCount);
    }
    QByteArray rows;
    const auto publishRow = [&](int row) {
        ResultRow current = readRow(*model, row);
        if (current == entry.rows[row] && !published.rowTexts[row].isEmpty())
            return;
        published.rowTexts[row] = rowText(current);
        entry.rows[row] = std::move(current);
        appendKey(rows, QByteArray::number(row));
        rows += published.rowTexts[row];
    };
    if (entry.allDirty) {
        for (int row = 0; row < rowCount; ++row)
            publishRow(row);
        const QStringList align = readAlignment(model);
        if (align != published.align) {
            published.align = align;
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
}

QByteArray StateDocument::snapshot()
{
    if (m_snapshot.isEmpty())
        m_snapshot = m_published.snapshotText();
    return m_snapshot;
}

QByteArray PublishedState::snapshotText() const
{
    QByteArray kindsText;
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
        const Kind& entry = kinds[static_cast<std::size_t>(kind - kFirstKind)];
        QByteArray part;
        appendKey(part, "title");
        appendString(part, entry.title);
        appendKey(part, "align");
        appendStrings(part, entry.align);
        appendKey(part, "rows");
        part += '[' + entry.rowTexts.join(',') + ']';
        appendKey(kindsText, QByteArray::number(kind));
        kindsText += '{' + part + '}';
    }
    QByteArray document = metaText;
    appendKey(document, "kinds");
    document += '{' + kindsText + '}';
    appendKey(document, "type");
    document += "\"snapshot\"";
    appendKey(document, "version");
    document += QByteArray::number(StateDocument::kVersion);
    appendKey(document, "seq");
    document += QByteArray::number(sequence);
    appendKey(document, "time");
    document += QByteArray::number(time);
    return '{' + document + '}';
}

} // namespace kav
