#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "communication_form.h"
#include "feed_server.h"
#include "kavendor_comm.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

class CommunicationForm : public ::testing::Test {
protected:
    CommunicationForm()
    {
        device.SetPrompts(&prompts);
        // Serial choices point at a device that does not exist, so that no test touches a real port.
        device.Settings.S_Device = m_folder.filePath(QStringLiteral("no-such-tty"));
        form.SetDevice(&device);
    }

    ~CommunicationForm() override { device.Close(); }

    template <typename Widget>
    Widget& Control(const char* name)
    {
        auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }

    QRadioButton& RS232Radio() { return Control<QRadioButton>("RS232Radio"); }
    QRadioButton& TCPIPRadio() { return Control<QRadioButton>("TCPIPRadio"); }
    QComboBox& PortList() { return Control<QComboBox>("RS232ComboBox"); }
    QComboBox& Baudrates() { return Control<QComboBox>("BaudrateComboBox"); }
    QLineEdit& DeviceEdit() { return Control<QLineEdit>("DeviceEdit"); }
    QLineEdit& AddressEdit() { return Control<QLineEdit>("IPAddressEdit"); }
    QLineEdit& PortEdit() { return Control<QLineEdit>("PortEdit"); }
    void ClickOK() { Control<QPushButton>("OKButton").click(); }

    void ShowWith(const TCommSettings& settings)
    {
        form.hide();
        device.Settings = settings;
        form.show();
    }

    TCommSettings TcpTo(quint16 port) const
    {
        TCommSettings settings = device.Settings;
        settings.CommType = TCommType::TCPIP;
        settings.TCPIP_Addr = QStringLiteral("127.0.0.1");
        settings.TCPIP_Port = port;
        return settings;
    }

    QTemporaryDir m_folder;
    TFeedServer server;
    ScriptedPrompter prompts;
    TKavendorComm device;
    TCommunicationForm form;
};

// The device's settings in the controls; the chosen kind enables its own controls.
TEST_F(CommunicationForm, ShowingPutsTheDeviceSettingsIntoTheControls)
{
    TCommSettings settings = TcpTo(4000);
    settings.S_Port = 3;
    settings.S_Baudrate = 38400;
    ShowWith(settings);
    EXPECT_TRUE(TCPIPRadio().isChecked());
    EXPECT_FALSE(RS232Radio().isChecked());
    EXPECT_EQ(PortList().currentIndex(), 2);
    EXPECT_EQ(Baudrates().currentText(), QStringLiteral("38400"));
    EXPECT_EQ(DeviceEdit().text(), settings.S_Device);
    EXPECT_EQ(AddressEdit().text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(PortEdit().text(), QStringLiteral("4000"));
    EXPECT_TRUE(AddressEdit().isEnabled());
    EXPECT_FALSE(PortList().isEnabled());
    RS232Radio().click();
    EXPECT_FALSE(TCPIPRadio().isChecked());
    EXPECT_TRUE(PortList().isEnabled() && Baudrates().isEnabled() && DeviceEdit().isEnabled());
    EXPECT_FALSE(AddressEdit().isEnabled() || PortEdit().isEnabled());
}

TEST_F(CommunicationForm, OKAppliesTheChoiceAndReopensEvenWhenNothingChanged)
{
    ShowWith(device.Settings);
    TCPIPRadio().click();
    AddressEdit().setText(QStringLiteral("127.0.0.1"));
    PortEdit().setText(QString::number(server.Port()));
    ClickOK();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(device.Settings, TcpTo(server.Port()));
    ASSERT_TRUE(server.WaitForConnections(1));

    form.show();
    ClickOK();
    ASSERT_TRUE(server.WaitForConnections(2));
}

// A port outside its range or no number is named, nothing is applied, the channel stays and the
// dialog stays open.
TEST_F(CommunicationForm, AWrongPortIsNamedAndNothingIsApplied)
{
    const TCommSettings before = TcpTo(server.Port());
    const std::pair<const char*, QString> cases[] = {
        {"70000", "The port number 70000 is out of range: it must be from 1 to 65535."},
        {"0", "The port number 0 is out of range: it must be from 1 to 65535."},
        {"-80", "The port number -80 is out of range: it must be from 1 to 65535."},
        {"50 000", "'50 000' is not a valid integer value"},
    };
    for (const auto& [port, error] : cases) {
        ShowWith(before);
        device.Open();
        const TCommunication* channel = device.Communication();
        prompts.messages.clear();
        AddressEdit().setText(QStringLiteral("10.9.9.9"));
        PortEdit().setText(QString::fromLatin1(port));
        ClickOK();
        EXPECT_EQ(prompts.messages, QStringList{error});
        EXPECT_EQ(device.Settings, before);
        EXPECT_EQ(device.Communication(), channel);
        EXPECT_TRUE(form.isVisible());
    }
}

} // namespace
} // namespace kav
