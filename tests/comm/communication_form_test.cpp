#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>

#include "communication_form.h"
#include "feed_server.h"
#include "kavendor_comm.h"
#include "scripted_prompts.h"

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
    TScriptedPrompts prompts;
    TKavendorComm device;
    TCommunicationForm form;
};

TEST_F(CommunicationForm, ShowingPutsTheDeviceSettingsIntoTheControls)
{
    TCommSettings settings = TcpTo(4000);
    settings.S_Port = 3;
    settings.S_Baudrate = 38400;
    ShowWith(settings);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Communication Settings"));
    EXPECT_TRUE(TCPIPRadio().isChecked());
    EXPECT_FALSE(RS232Radio().isChecked());
    EXPECT_EQ(PortList().count(), 8);
    EXPECT_EQ(PortList().itemText(7), QStringLiteral("COM 8"));
    EXPECT_EQ(PortList().currentIndex(), 2);
    EXPECT_EQ(Baudrates().currentText(), QStringLiteral("38400"));
    EXPECT_EQ(DeviceEdit().text(), settings.S_Device);
    EXPECT_EQ(AddressEdit().text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(PortEdit().text(), QStringLiteral("4000"));
    EXPECT_EQ(AddressEdit().maxLength(), 40);
    EXPECT_EQ(PortEdit().maxLength(), 6);
}

TEST_F(CommunicationForm, TheChosenKindEnablesItsOwnControls)
{
    TCommSettings settings = TcpTo(4000);
    ShowWith(settings);
    EXPECT_TRUE(AddressEdit().isEnabled());
    EXPECT_FALSE(PortList().isEnabled());
    RS232Radio().click();
    EXPECT_FALSE(TCPIPRadio().isChecked());
    EXPECT_TRUE(PortList().isEnabled());
    EXPECT_TRUE(Baudrates().isEnabled());
    EXPECT_TRUE(DeviceEdit().isEnabled());
    EXPECT_FALSE(AddressEdit().isEnabled());
    EXPECT_FALSE(PortEdit().isEnabled());
    TCPIPRadio().click();
    EXPECT_FALSE(Baudrates().isEnabled());
    EXPECT_TRUE(PortEdit().isEnabled());
}

TEST_F(CommunicationForm, StoredValuesOutsideTheListsSelectNothingNew)
{
    TCommSettings settings = device.Settings;
    settings.CommType = TCommType::RS232;
    settings.S_Port = 9;
    settings.S_Baudrate = 4800;
    ShowWith(settings);
    EXPECT_EQ(PortList().currentIndex(), -1);
    EXPECT_EQ(Baudrates().currentIndex(), -1); // first showing: nothing chosen yet

    settings.S_Baudrate = 57600;
    ShowWith(settings);
    settings.S_Baudrate = 4800;
    ShowWith(settings);
    EXPECT_EQ(Baudrates().currentText(), QStringLiteral("57600")); // kept from the last showing
}

TEST_F(CommunicationForm, OKWithoutAPortOrRateStoresPortZeroAndKeepsTheRate)
{
    TCommSettings settings = device.Settings;
    settings.CommType = TCommType::RS232;
    settings.S_Port = 0;
    settings.S_Baudrate = 4800;
    settings.S_Device.clear();
    ShowWith(settings);
    ClickOK();
    EXPECT_EQ(device.Settings.S_Port, 0);
    EXPECT_EQ(device.Settings.S_Baudrate, 4800);
    ASSERT_NE(device.Communication(), nullptr);
    EXPECT_FALSE(device.Communication()->IsOpen()); // port 0 names no device: a silent failure
    QTest::qWait(200);
    EXPECT_TRUE(prompts.Warnings.isEmpty());
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

TEST_F(CommunicationForm, APortOutsideItsRangeIsNamedWithTheRangeAndNothingIsApplied)
{
    const TCommSettings before = TcpTo(1);
    for (const char* port : {"70000", "0", "-80"}) {
        ShowWith(before);
        prompts.Errors.clear();
        PortEdit().setText(QString::fromLatin1(port));
        ClickOK();
        EXPECT_EQ(prompts.Errors, QList<QString>{QStringLiteral("The port number %1 is out of range: it must be from "
                                                                "1 to 65535.")
                                                     .arg(QLatin1String(port))});
        EXPECT_EQ(device.Settings, before);
        EXPECT_TRUE(form.isVisible());
    }
}

TEST_F(CommunicationForm, LeftoverTextInTheDisabledPortFieldDoesNotBlockASerialChoice)
{
    ShowWith(TcpTo(4000));
    RS232Radio().click();
    PortEdit().setText(QStringLiteral("70 00"));
    ClickOK();
    EXPECT_TRUE(prompts.Errors.isEmpty());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(device.Settings.CommType, TCommType::RS232);
    EXPECT_EQ(device.Settings.TCPIP_Port, 4000);
}

TEST_F(CommunicationForm, APortThatIsNoNumberChangesNothingAndKeepsTheDialogOpen)
{
    const TCommSettings before = TcpTo(server.Port());
    ShowWith(before);
    device.Open();
    const TCommunication* channel = device.Communication();
    AddressEdit().setText(QStringLiteral("10.9.9.9"));
    PortEdit().setText(QStringLiteral("50 000"));
    ClickOK();
    EXPECT_EQ(prompts.Errors, QList<QString>{QStringLiteral("'50 000' is not a valid integer value")});
    EXPECT_EQ(device.Settings, before);
    EXPECT_EQ(device.Communication(), channel);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(CommunicationForm, CancelChangesNothing)
{
    const TCommSettings before = TcpTo(server.Port());
    ShowWith(before);
    RS232Radio().click();
    PortEdit().setText(QStringLiteral("1"));
    Control<QPushButton>("CancelButton").click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(device.Settings, before);
    EXPECT_EQ(device.Communication(), nullptr);
}

} // namespace
} // namespace kav
