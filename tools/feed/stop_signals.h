#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace kav {

// Turns SIGTERM and SIGINT into a Qt signal, so the tool can close its clients and end normally. The
// handler only writes a byte to a socket pair, the one thing that is safe inside a signal handler.
// One instance at a time; the default handling comes back when it is destroyed.
class TStopSignals : public QObject {
    Q_OBJECT
public:
    explicit TStopSignals(QObject* parent = nullptr);
    ~TStopSignals() override;
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;

    // False when the socket pair could not be made; the signals then keep their default effect.
    bool Installed() const { return m_notifier != nullptr; }

signals:
    void Stop();

private:
    static void Handle(int signal);
    void Receive();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kav
