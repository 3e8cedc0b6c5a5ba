// The settings dialogs of the broker: what cannot be used is named, and nothing of it is taken.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "broker_settings_dialog.h"
#include "case_table.h"
#include "scripted_prompter.h"

namespace kav {
namespace {

// Settings that cannot be used are named and nothing of them is taken; usable ones are taken as typed.
TEST(BrokerDialog, OkTakesUsableSettingsAndSaysWhyOthersCannotBeUsed)
{
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/ui/broker_settings.txt")) {
        const QString message = QString::fromStdString(row.at(0)), caFile = QString::fromStdString(row.at(2)),
                      topic = QString::fromStdString(row.at(3));
        SCOPED_TRACE(row[0]);
        ScriptedPrompter prompter;
        BrokerSettingsDialog dialog;
        dialog.show();
        dialog.findChild<QCheckBox*>("PublishCheck")->setChecked(true);
        dialog.findChild<QLineEdit*>("BrokerHostEdit")->setText(QString::fromStdString(row.at(1)));
        dialog.findChild<QLineEdit*>("BrokerPortEdit")->setText(QString::fromStdString(row.at(4)));
        dialog.findChild<QCheckBox*>("BrokerTlsCheck")->setChecked(!caFile.isEmpty());
        dialog.findChild<QLineEdit*>("BrokerCaFileEdit")->setText(caFile);
        dialog.findChild<QRadioButton*>("FixedTopicRadio")->setChecked(!topic.isEmpty());
        dialog.findChild<QLineEdit*>("TopicPrefixEdit")->setText(topic);
        dialog.accept();
        if (message.isEmpty()) {
            EXPECT_EQ(prompter.messages, QStringList());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(dialog.settings().connection.host, QStringLiteral("broker.local"));
            EXPECT_EQ(dialog.settings().connection.port, 1884);
            continue;
        }
        ASSERT_EQ(prompter.messages.size(), 1);
        EXPECT_TRUE(prompter.messages[0].contains(message)) << prompter.messages[0].toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
}

} // namespace
} // namespace kav
