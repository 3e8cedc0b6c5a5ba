#include "stop_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace kav {

namespace {

// Written by the handler, read on the event loop; one pair serves the whole program.
std::array<int, 2> g_signalSockets{-1, -1};

constexpr std::array<int, 3> kStopSignals{SIGTERM, SIGINT, SIGHUP};

extern "C" void writeSignalNumber(int number)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
    errno = savedErrno;
}

QString signalName(int number)
{
    switch (number) {
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGHUP: return QStringLiteral("SIGHUP");
    default: return QStringLiteral("signal %1").arg(number);
    }
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    for (int number : kStopSignals)
        std::signal(number, SIG_DFL);
}

bool StopSignals::install(QString& error)
{
    if (g_signalSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets.data()) != 0) {
        error = QStringLiteral("cannot watch for stop signals: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_notifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kStopSignals) {
        if (::sigaction(number, &action, nullptr) != 0) {
            error = QStringLiteral("cannot handle %1: %2")
                        .arg(signalName(number), QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    return true;
}

void StopSignals::readSignal()
{
    unsigned char byte = 0;
    if (::read(g_signalSockets[1], &byte, 1) == 1)
        emit stopRequested(signalName(byte));
}

} // namespace kav
