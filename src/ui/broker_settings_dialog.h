#pragma once

#include <QDialog>

#include "publisher_settings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kav {

class BrokerConnectionFields;

// "Broker": whether and where the program publishes its feed and results, and under which topic
// prefix. OK with settings that cannot be used says why and keeps the dialog open; nothing is taken.
class BrokerSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit BrokerSettingsDialog(QWidget* parent = nullptr);

    void setSettings(const PublisherSettings& settings);
    PublisherSettings settings() const;

    void accept() override;

private:
    QString problem() const;
    void updateEnabling();

    QCheckBox* m_enabled = nullptr;
    BrokerConnectionFields* m_fields = nullptr;
    QRadioButton* m_automaticTopic = nullptr;
    QRadioButton* m_fixedTopic = nullptr;
    QLineEdit* m_topicPrefix = nullptr;
};

} // namespace kav
