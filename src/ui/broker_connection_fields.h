#pragma once

#include <QWidget>

#include "broker_connection_settings.h"

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace kav {

// The fields of a broker connection in a settings dialog: host, port, client id, keep-alive, login and
// TLS with its CA file. The port is typed, so that a wrong one can be reported rather than hidden.
class BrokerConnectionFields : public QWidget {
    Q_OBJECT
public:
    explicit BrokerConnectionFields(QWidget* parent = nullptr);

    void setSettings(const BrokerConnectionSettings& settings);
    // The settings as typed; a port that is not a whole number reads as 0, which the check reports.
    BrokerConnectionSettings settings() const;

private:
    void updateEnabling();

    QLineEdit* m_host = nullptr;
    QLineEdit* m_port = nullptr;
    QLineEdit* m_clientId = nullptr;
    QSpinBox* m_keepAlive = nullptr;
    QLineEdit* m_userName = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_useTls = nullptr;
    QLineEdit* m_caFile = nullptr;
};

} // namespace kav
