#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>

#include "state_document.h"

namespace kav {

class ResultsSource;

// The program's one state document and the pace it is published at. Every reader of the state (the
// web view's pages, the broker's retained state) takes it from here and keeps its own place in the
// sequence of updates; nothing is built while nobody reads. Changes are published at most once per
// interval: the first after a quiet spell at once, later ones at the next interval.
class StateFeed : public QObject {
    Q_OBJECT
public:
    explicit StateFeed(ResultsSource& source, std::chrono::milliseconds interval = std::chrono::milliseconds(100),
                       QObject* parent = nullptr);

    StateDocument& document() { return m_document; }
    const PublishedState& published() const { return m_document.published(); }
    // The whole state as last published.
    QByteArray snapshot() { return m_document.snapshot(); }
    // A reader comes or goes; while one is there, changes are published.
    void hold();
    void release();
    int readers() const { return m_readers; }
    // Publishes what is pending now, for a reader that must be up to date (the broker's last word).
    void publishNow();

signals:
    // After each publish that changed something: the update for live clients.
    void updated(const QByteArray& update);

private:
    void schedule();
    void push();
    void publish();

    StateDocument m_document;
    std::chrono::milliseconds m_interval;
    int m_readers = 0;
    QTimer m_pushTimer;
    QElapsedTimer m_sinceLastPush;
    bool m_publishQueued = false; // a push waits for its turn of the event loop
};

} // namespace kav
