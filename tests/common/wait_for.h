#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace kav {

// Runs the event loop until the condition holds or the time is up; the condition's last value.
template <typename Condition>
bool waitFor(Condition&& condition, int milliseconds = 10000)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

} // namespace kav
