#include "broker_status.h"

namespace kav {

QString BrokerStatus::text() const
{
    switch (state) {
    case State::Off: return QStringLiteral("off");
    case State::Connecting: return QStringLiteral("connecting to %1").arg(address);
    case State::Connected: return QStringLiteral("connected to %1").arg(address);
    case State::Retrying: break;
    }
    return QStringLiteral("%1: %2; retrying in %3 s").arg(address, problem).arg(retrySeconds);
}

} // namespace kav
