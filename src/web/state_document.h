#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <array>

#include "result_roles.h"
#include "state_json.h"

class QAbstractItemModel;

namespace kav {

class ResultsSource;

// The JSON document of the web view, kept as it was last published. Changes of the results models
// and of the description are only noted when they happen; publish() reads what changed, keeps it and
// returns the live update that carries exactly the rows and parts that differ. Every client thus
// sees the same sequence of updates, and a client that joins gets the last published state. Each row
// is written as JSON once when it changes; updates and the snapshot are put together from those texts.
class StateDocument : public QObject {
    Q_OBJECT
public:
    static constexpr int kVersion = 1;

    explicit StateDocument(ResultsSource& source, QObject* parent = nullptr);

    // Takes in what changed since the last call; the update for live clients, empty when nothing did.
    QByteArray publish();
    // The whole state as last published: the body of /api/state and a live client's first message.
    QByteArray snapshot();
    bool pending() const { return m_pending; }

signals:
    // The first change after a publish.
    void changed();

private:
    struct Kind {
        QPointer<QAbstractItemModel> model;
        QList<ResultRow> rows;
        QList<QByteArray> rowTexts; // each row as JSON, written once when it changes
        QStringList align;
        QString title;
        QSet<int> dirtyRows;
        bool allDirty = true;
    };

    void watchModel(int kind);
    void markRows(int kind, int first, int last);
    void markAll(int kind);
    void markPending();
    QJsonObject publishMeta();
    // The changed members of the kind's part of an update, as JSON text; empty when nothing changed.
    QByteArray publishKind(int kind);
    void publishRows(Kind& entry, QByteArray& changes);
    QJsonObject metaFromSource() const;
    Kind& kindAt(int kind) { return m_kinds[static_cast<std::size_t>(kind - kFirstKind)]; }

    ResultsSource& m_source;
    std::array<Kind, kLastKind> m_kinds;
    QJsonObject m_meta;
    bool m_metaDirty = true;
    bool m_pending = true;
    qint64 m_sequence = 0;
    qint64 m_time = 0;
    QByteArray m_snapshot;
};

} // namespace kav
