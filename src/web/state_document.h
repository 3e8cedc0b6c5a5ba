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

// The state as last published, as JSON texts that are shared, never copied, between its holders: the
// web view's thread keeps one to answer /api/state and new live clients while the program's thread
// goes on publishing.
struct PublishedState {
    struct Kind {
        QString title;
        QStringList align;
        QList<QByteArray> rowTexts; // each row as JSON, written once when it changes
    };
    QByteArray metaText; // the members of the run and its windows, without braces
    std::array<Kind, kLastKind> kinds;
    qint64 sequence = 0;
    qint64 time = 0;

    // The whole state: the body of /api/state and a live client's first message.
    QByteArray snapshotText() const;
};

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
    const PublishedState& published() const { return m_published; }
    bool pending() const { return m_pending; }

signals:
    // The first change after a publish.
    void changed();

private:
    struct Kind {
        QPointer<QAbstractItemModel> model;
        QList<ResultRow> rows;
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
    void publishRows(int kind, QByteArray& changes);
    QJsonObject metaFromSource() const;
    Kind& kindAt(int kind) { return m_kinds[static_cast<std::size_t>(kind - kFirstKind)]; }

    ResultsSource& m_source;
    std::array<Kind, kLastKind> m_kinds;
    QJsonObject m_meta;
    bool m_metaDirty = true;
    bool m_pending = true;
    PublishedState m_published;
    QByteArray m_snapshot;
};

} // namespace kav
