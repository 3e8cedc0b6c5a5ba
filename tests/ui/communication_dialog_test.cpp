#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "case_table.h"
#include "communication_dialog.h"
#include "feed_server.h"
#include "kavendor_device.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

class CommunicationDialogTest : public ::testing::Test {
protected:
    CommunicationDialogTest()
    {
        device.setPrompts(&prompts);
        // Serial choices point at a device that does not exist, so that no test touches a real port.
        device.Settings.S_Device = m_folder.filePath(QStringLiteral("no-such-tty"));
        form.setDevice(&device);
    }

    ~CommunicationDialogTest() override { device.close(); }

    template <typename Widget>
    Widget& control(const char* name)
    {
        auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }

    QRadioButton& rs232Radio() { return control<QRadioButton>("RS232Radio"); }
    QRadioButton& tcpipRadio() { return control<QRadioButton>("TCPIPRadio"); }
    QComboBox& portList() { return control<QComboBox>("RS232ComboBox"); }
    QComboBox& baudrates() { return control<QComboBox>("BaudrateComboBox"); }
    QLineEdit& deviceEdit() { return control<QLineEdit>("DeviceEdit"); }
    QLineEdit& addressEdit() { return control<QLineEdit>("IPAddressEdit"); }
    QLineEdit& portEdit() { return control<QLineEdit>("PortEdit"); }
    void clickOK() { control<QPushButton>("OKButton").click(); }

    void showWith(const CommunicationSettings& settings)
    {
        form.hide();
        device.Settings = settings;
        form.show();
    }

    CommunicationSettings tcpTo(quint16 port) const
    {
        CommunicationSettings settings = device.Settings;
        settings.CommType = CommunicationType::TCPIP;
        settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
        settings.TCPIP_Port = port;
        return settings;
    }

    QTemporaryDir m_folder;
    FeedServer server;
    ScriptedPrompter prompts;
    KavendorDevice device;
    CommunicationDialog form;
};

// The device's settings in the controls; the chosen kind enables its own controls.
TEST_F(CommunicationDialogTest, ShowingPutsTheDeviceSettingsIntoTheControls)
{
    CommunicationSettings settings = tcpTo(4000);
    settings.S_Port = 3;
    settings.S_Baudrate = 38400;
    showWith(settings);
    for (const QLineEdit* field : form.findChildren<QLineEdit*>()) // example texts show whole
        EXPECT_GE(field->width(), field->fontMetrics().horizontalAdvance(field->placeholderText()))
            << field->objectName().toStdString();
    EXPECT_TRUE(tcpipRadio().isChecked());
    EXPECT_FALSE(rs232Radio().isChecked());
    EXPECT_EQ(portList().currentIndex(), 2);
    EXPECT_EQ(baudrates().currentText(), QStringLiteral("38400"));
    EXPECT_EQ(deviceEdit().text(), settings.S_Device);
    EXPECT_EQ(addressEdit().text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(portEdit().text(), QStringLiteral("4000"));
    EXPECT_TRUE(addressEdit().isEnabled());
    EXPECT_FALSE(portList().isEnabled());
    rs232Radio().click();
    EXPECT_FALSE(tcpipRadio().isChecked());
    EXPECT_TRUE(portList().isEnabled() && baudrates().isEnabled() && deviceEdit().isEnabled());
    EXPECT_FALSE(addressEdit().isEnabled() || portEdit().isEnabled());
}

TEST_F(CommunicationDialogTest, OKAppliesTheChoiceAndReopensEvenWhenNothingChanged)
{
    showWith(device.Settings);
    tcpipRadio().click();
    addressEdit().setText(QStringLiteral("127.0.0.1"));
    portEdit().setText(QString::number(server.port()));
    clickOK();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(device.Settings, tcpTo(server.port()));
    ASSERT_TRUE(server.waitForConnections(1));

    form.show();
    clickOK();
    ASSERT_TRUE(server.waitForConnections(2));
}

// A port outside its range or no number is named, nothing is applied, the channel stays and the
// dialog stays open; the edges of the range are ports like any other.
TEST_F(CommunicationDialogTest, AWrongPortIsNamedAndNothingIsAppliedAndTheEdgesAreTaken)
{
    const CommunicationSettings before = tcpTo(server.port());
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/ui/typed_ports.txt")) {
        const int port = std::stoi(row.at(1));
        showWith(before);
        if (port == 0)
            device.open();
        const Communication* channel = device.communication();
        prompts.messages.clear();
        addressEdit().setText(port == 0 ? QStringLiteral("10.9.9.9") : before.TCPIP_Addr);
        portEdit().setText(QString::fromStdString(row[0]));
        clickOK();
        EXPECT_EQ(prompts.messages, port ? QStringList() : QStringList{QString::fromStdString(row.at(2))}) << row[0];
        EXPECT_EQ(device.Settings.TCPIP_Port, port ? port : before.TCPIP_Port) << row[0];
        EXPECT_EQ(form.isVisible(), port == 0) << row[0];
        if (port == 0) {
            EXPECT_EQ(device.Settings, before) << row[0];
            EXPECT_EQ(device.communication(), channel) << row[0];
        }
    }
}

// Leftover text in the disabled TCP port field never blocks another kind's OK.
TEST_F(CommunicationDialogTest, LeftoverPortTextDoesNotBlockAnotherKind)
{
    for (const auto& [radio, kind] :
         {std::pair{"RS232Radio", CommunicationType::RS232}, std::pair{"MQTTRadio", CommunicationType::MQTT}}) {
        showWith(tcpTo(server.port()));
        portEdit().setText(QStringLiteral("50k"));
        control<QRadioButton>(radio).click();
        control<QLineEdit>("BrokerHostEdit").setText(QStringLiteral("127.0.0.1"));
        prompts.messages.clear();
        clickOK();
        EXPECT_EQ(prompts.messages, QStringList{}) << radio;
        EXPECT_EQ(form.result(), QDialog::Accepted) << radio;
        EXPECT_EQ(device.Settings.CommType, kind) << radio;
        EXPECT_EQ(device.Settings.TCPIP_Port, server.port()) << radio;
        device.close();
    }
}

} // namespace
} // namespace kav
