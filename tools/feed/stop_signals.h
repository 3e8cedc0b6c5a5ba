#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace kav {

// Turns SIGTERM and SIGINT into a Qt signal, so the tool can close its clients and end normally. The
// handler only writes a byte to a socket pair, the one thing that is safe inside a signal handler.
// One instance at a time; the default handling comes back when it is destroyed.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // False when the socket pair could not be made; the signals then keep their default effect.
    bool installed() const { return m_notifier != nullptr; }

signals:
    void stop();

private:
    static void handle(int signal);
    void receive();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kav
