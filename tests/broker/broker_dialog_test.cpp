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
#include "scripted_prompts.h"

namespace kav {
namespace {

// Records the messages the dialogs show instead of showing them.
class RecordingPrompter : public TScriptedPrompter {
public:
    void Tell(TBoxKind, const QString& text, QWidget*) override { told << text; }
    QStringList told;
};

template <typename Widget>
Widget& control(QWidget& parent, const char* name)
{
    auto* widget = parent.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
}

struct Typing {
    const char* name;
    const char* host;
    const char* port;
    const char* caFile; // with TLS on when set
    const char* topic;  // a fixed prefix when set
    const char* message;
};

class BrokerDialog : public ::testing::TestWithParam<Typing> {};

TEST_P(BrokerDialog, OkWithSettingsThatCannotBeUsedSaysWhyAndTakesNothing)
{
    RecordingPrompter prompter;
    BrokerSettingsDialog dialog;
    PublisherSettings before;
    before.connection.host = QStringLiteral("kept.local");
    dialog.setSettings(before);
    dialog.show();
    control<QCheckBox>(dialog, "PublishCheck").setChecked(true);
    control<QLineEdit>(dialog, "BrokerHostEdit").setText(QString::fromUtf8(GetParam().host));
    control<QLineEdit>(dialog, "BrokerPortEdit").setText(QString::fromUtf8(GetParam().port));
    control<QCheckBox>(dialog, "BrokerTlsCheck").setChecked(*GetParam().caFile != 0);
    control<QLineEdit>(dialog, "BrokerCaFileEdit").setText(QString::fromUtf8(GetParam().caFile));
    if (*GetParam().topic != 0) {
        control<QRadioButton>(dialog, "FixedTopicRadio").setChecked(true);
        control<QLineEdit>(dialog, "TopicPrefixEdit").setText(QString::fromUtf8(GetParam().topic));
    }
    dialog.accept();
    ASSERT_EQ(prompter.told.size(), 1);
    EXPECT_TRUE(prompter.told[0].contains(QString::fromUtf8(GetParam().message))) << prompter.told[0].toStdString();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokerDialog,
    ::testing::Values(Typing{"NoHost", "", "1883", "", "", "No broker host is set."},
                      Typing{"PortOutOfRange", "broker.local", "70000", "", "", "from 1 to 65535"},
                      Typing{"PortNotANumber", "broker.local", "mqtt", "", "", "from 1 to 65535"},
                      Typing{"UnreadableCaFile", "broker.local", "8883", "/nonexistent/ca.crt", "", "cannot be read"},
                      Typing{"WildcardInTheFixedPrefix", "broker.local", "1883", "", "kavendor/+", "'+'"},
                      Typing{"EmptyFixedPrefix", "broker.local", "1883", "", " ", "No topic prefix"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BrokerDialog, UsableSettingsAreTakenAsTyped)
{
    RecordingPrompter prompter;
    BrokerSettingsDialog dialog;
    dialog.show();
    control<QCheckBox>(dialog, "PublishCheck").setChecked(true);
    control<QLineEdit>(dialog, "BrokerHostEdit").setText(QStringLiteral(" broker.local "));
    control<QLineEdit>(dialog, "BrokerPortEdit").setText(QStringLiteral("1884"));
    dialog.accept();
    EXPECT_TRUE(prompter.told.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().connection.host, QStringLiteral("broker.local"));
    EXPECT_EQ(dialog.settings().connection.port, 1884);
    EXPECT_TRUE(dialog.settings().topicPrefix.isEmpty());
}

TEST(CommunicationFormMqtt, ChoosingTheBrokerChecksItsSettingsBeforeTakingAny)
{
    TScriptedPrompts prompts;
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
    EXPECT_EQ(prompts.Errors, QList<QString>({QStringLiteral("No broker host is set.")}));
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
