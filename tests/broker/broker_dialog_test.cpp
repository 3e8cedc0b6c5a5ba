// The settings dialogs of the broker: what cannot be used is named, and nothing of it is taken.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "broker_settings_dialog.h"
#include "communication_form.h"
#include "kavendor_comm.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

template <typename Widget>
Widget& control(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
}

TEST(BrokerDialog, OkWithSettingsThatCannotBeUsedSaysWhyAndTakesNothing)
{
    const struct {
        const char *host, *port, *caFile, *topic; // TLS on with a CA file, a fixed prefix with a topic
        const char* message;
    } cases[] = {{"", "1883", "", "", "No broker host is set."},
                 {"broker.local", "70000", "", "", "from 1 to 65535"},
                 {"broker.local", "mqtt", "", "", "from 1 to 65535"},
                 {"broker.local", "8883", "/nonexistent/ca.crt", "", "\"/nonexistent/ca.crt\" cannot be read"},
                 {"broker.local", "1883", "", "kavendor/+", "must not hold '+'"},
                 {"broker.local", "1883", "", " ", "No topic prefix is set."}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.message);
        ScriptedPrompter prompter;
        BrokerSettingsDialog dialog;
        dialog.show();
        control<QCheckBox>(dialog, "PublishCheck").setChecked(true);
        control<QLineEdit>(dialog, "BrokerHostEdit").setText(QString::fromUtf8(row.host));
        control<QLineEdit>(dialog, "BrokerPortEdit").setText(QString::fromUtf8(row.port));
        control<QCheckBox>(dialog, "BrokerTlsCheck").setChecked(*row.caFile != 0);
        control<QLineEdit>(dialog, "BrokerCaFileEdit").setText(QString::fromUtf8(row.caFile));
        control<QRadioButton>(dialog, "FixedTopicRadio").setChecked(*row.topic != 0);
        control<QLineEdit>(dialog, "TopicPrefixEdit").setText(QString::fromUtf8(row.topic));
        dialog.accept();
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_TRUE(prompter.messages[0].contains(QString::fromUtf8(row.message)))
            << prompter.messages[0].toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
}

TEST(BrokerDialog, UsableSettingsAreTakenAsTyped)
{
    ScriptedPrompter prompter;
    BrokerSettingsDialog dialog;
    dialog.show();
    control<QCheckBox>(dialog, "PublishCheck").setChecked(true);
    control<QLineEdit>(dialog, "BrokerHostEdit").setText(QStringLiteral(" broker.local "));
    control<QLineEdit>(dialog, "BrokerPortEdit").setText(QStringLiteral("1884"));
    dialog.accept();
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().connection.host, QStringLiteral("broker.local"));
    EXPECT_EQ(dialog.settings().connection.port, 1884);
    EXPECT_TRUE(dialog.settings().topicPrefix.isEmpty());
}

TEST(CommunicationFormMqtt, ChoosingTheBrokerChecksItsSettingsBeforeTakingAny)
{
    ScriptedPrompter prompts;
    TKavendorComm device;
    device.SetPrompts(&prompts);
    device.Settings.CommType = TCommType::TCPIP;
    TCommunicationForm form;
    form.SetDevice(&device);
    form.show();
    control<QRadioButton>(form, "MQTTRadio").click();
    EXPECT_FALSE(control<QLineEdit>(form, "IPAddressEdit").isEnabled());
    control<QLineEdit>(form, "BrokerHostEdit").setText(QString());
    control<QPushButton>(form, "OKButton").click();
    EXPECT_EQ(prompts.messages, QStringList({QStringLiteral("No broker host is set.")}));
    EXPECT_EQ(device.Settings.CommType, TCommType::TCPIP);

    control<QLineEdit>(form, "BrokerHostEdit").setText(QStringLiteral("broker.local"));
    control<QLineEdit>(form, "MqttTopicEdit").setText(QStringLiteral("brenmoor/+"));
    control<QPushButton>(form, "OKButton").click();
    EXPECT_EQ(device.Settings.CommType, TCommType::MQTT);
    EXPECT_EQ(device.Settings.mqtt.connection.host, QStringLiteral("broker.local"));
    EXPECT_EQ(device.Settings.mqtt.topic, QStringLiteral("brenmoor/+"));
    device.Close();
}

} // namespace
} // namespace kav
