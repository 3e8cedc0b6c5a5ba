#pragma once

#include <QString>

namespace kav {

// Where a broker connection stands, for the status area: off, trying, up, or waiting to try again
// after a problem.
struct BrokerStatus {
    enum class State { Off, Connecting, Connected, Retrying };

    State state = State::Off;
    QString address; // host:port
    QString problem; // why the last try failed or the connection ended; empty when none
    int retrySeconds = 0;

    // One line such as "connected to 10.0.0.5:1883" or "10.0.0.5:1883: Connection refused; retrying in 4 s".
    QString text() const;
    bool operator==(const BrokerStatus&) const = default;
};

} // namespace kav
