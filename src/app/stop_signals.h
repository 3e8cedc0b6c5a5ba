#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace kav {

// Turns SIGTERM, SIGINT and SIGHUP (a service stopped, Ctrl+C, the session ended) into the signal
// stopRequested on the event loop, where the program can close as it does on Exit. The handler itself
// only writes the signal's number to a socket pair, the one thing safe to do there.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    // False (with the reason) when the socket pair or a handler could not be set up.
    bool install(QString& error);

signals:
    void stopRequested(const QString& signalName);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kav
