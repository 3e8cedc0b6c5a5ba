#include "stop_signals.h"

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kav {
namespace {

int gWakeFds[2] = {-1, -1}; // written by the handler, read by the event loop
constexpr int kStopSignals[] = {SIGTERM, SIGINT};

void setHandler(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gWakeFds) != 0)
        return;
    m_notifier = new QSocketNotifier(gWakeFds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::receive);
    for (const int signal : kStopSignals)
        setHandler(signal, &StopSignals::handle);
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    for (const int signal : kStopSignals)
        setHandler(signal, SIG_DFL);
    delete m_notifier;
    ::close(gWakeFds[0]);
    ::close(gWakeFds[1]);
    gWakeFds[0] = gWakeFds[1] = -1;
}

void StopSignals::handle(int)
{
    const int savedErrno = errno; // the interrupted code may be about to read it
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(gWakeFds[0], &byte, 1);
    errno = savedErrno;
}

void StopSignals::receive()
{
    char bytes[16];
    while (::read(gWakeFds[1], bytes, sizeof bytes) > 0) {
    }
    emit stop();
}

} // namespace kav
