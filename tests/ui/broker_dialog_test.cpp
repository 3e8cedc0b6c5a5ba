// The settings dialogs of the broker: what cannot be used is named, and nothing of it is taken.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "broker_settings_dialog.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

// Settings that cannot be used are named and nothing of them is taken; usable ones are taken as typed.
TEST(BrokerDialog, OkTakesUsableSettingsAndSaysWhyOthersCannotBeUsed)
{
    const struct {
        const char *host, *port, *caFile, *topic; // TLS on with a CA file, a fixed prefix with a topic
        const char* message;                      // empty: taken
    } cases[] = {{"", "1883", "", "", "No broker host is set."},
                 {"broker.local", "70000", "", "", "from 1 to 65535"},
                 {"broker.local", "mqtt", "", "", "from 1 to 65535"},
                 {"broker.local", "8883", "/nonexistent/ca.crt", "", "\"/nonexistent/ca.crt\" cannot be read"},
                 {"broker.local", "1883", "", "kavendor/+", "must not hold '+'"},
                 {"broker.local", "1883", "", " ", "No topic prefix is set."},
                 {" broker.local ", "1884", "", "", ""}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.message);
        ScriptedPrompter prompter;
        BrokerSettingsDialog dialog;
        dialog.show();
        dialog.findChild<QCheckBox*>("PublishCheck")->setChecked(true);
        dialog.findChild<QLineEdit*>("BrokerHostEdit")->setText(QString::fromUtf8(row.host));
        dialog.findChild<QLineEdit*>("BrokerPortEdit")->setText(QString::fromUtf8(row.port));
        dialog.findChild<QCheckBox*>("BrokerTlsCheck")->setChecked(*row.caFile != 0);
        dialog.findChild<QLineEdit*>("BrokerCaFileEdit")->setText(QString::fromUtf8(row.caFile));
        dialog.findChild<QRadioButton*>("FixedTopicRadio")->setChecked(*row.topic != 0);
        dialog.findChild<QLineEdit*>("TopicPrefixEdit")->setText(QString::fromUtf8(row.topic));
        dialog.accept();
        if (*row.message == 0) {
            EXPECT_EQ(prompter.messages, QStringList());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.settings().connection.host, QStringLiteral("broker.local"));
            EXPECT_EQ(dialog.settings().connection.port, 1884);
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_TRUE(prompter.messages[0].contains(QString::fromUtf8(row.message)))
            << prompter.messages[0].toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
}

} // namespace
} // namespace kav
