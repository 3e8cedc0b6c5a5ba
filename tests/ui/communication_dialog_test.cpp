#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

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
// dialog stays open.
TEST_F(CommunicationDialogTest, AWrongPortIsNamedAndNothingIsApplied)
{
    const CommunicationSettings before = tcpTo(server.port());
    const std::pair<const char*, QString> cases[] = {
        {"70000", "The port number 70000 is out of range: it must be from 1 to 65535."},
        {"0", "The port number 0 is out of range: it must be from 1 to 65535."},
        {"115608", "The port number 115608 is out of range: it must be from 1 to 65535."},
        {"-80", "'-80' is not a valid integer value"},
        {"+80", "'+80' is not a valid integer value"},
        {"$50", "'$50' is not a valid integer value"},
        {"50 000", "'50 000' is not a valid integer value"},
    };
    for (const auto& [port, error] : cases) {
        showWith(before);
        device.open();
        const Communication* channel = device.communication();
        prompts.messages.clear();
        addressEdit().setText(QStringLiteral("10.9.9.9"));
        portEdit().setText(QString::fromLatin1(port));
        clickOK();
        EXPECT_EQ(prompts.messages, QStringList{error});
        EXPECT_EQ(device.Settings, before);
        EXPECT_EQ(device.communication(), channel);
        EXPECT_TRUE(form.isVisible());
    }
}

// The edges of the range are ports like any other.
TEST_F(CommunicationDialogTest, TheFirstAndLastPortAreTaken)
{
    for (const auto& [typed, port] : {std::pair{"1", 1}, {"65535", 65535}, {" 8080 ", 8080}}) {
        showWith(tcpTo(server.port()));
        prompts.messages.clear();
        portEdit().setText(QString::fromLatin1(typed));
        clickOK();
        EXPECT_EQ(prompts.messages, QStringList()) << typed;
        EXPECT_EQ(device.Settings.TCPIP_Port, port);
        EXPECT_FALSE(form.isVisible());
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
