#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>

#include "colour_settings_dialog.h"
#include "follow_dialog.h"
#include "general_info_dialog.h"
#include "logo_settings_dialog.h"
#include "main_parts.h"
#include "miscellaneous_settings_dialog.h"

using namespace kav;

namespace {

using MenuActionsTest = MainParts;

} // namespace

TEST_F(MenuActionsTest, TheColourDialogTakesThePairsBackInOrderAndColoursThePanel)
{
    start();
    settings.change([](MainSettings& s) {
        for (std::size_t slot = 0; slot < kColorCount; ++slot)
            s.Colors[slot] = static_cast<std::int32_t>(0x010101 * (slot + 1));
    });
    const ColorTable chosen = settings->Colors;
    prompter.onExec = [](QDialog&) { return int(QDialog::Accepted); };
    actions.editColours();
    EXPECT_EQ(settings->Colors, chosen);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0x04, 0x04, 0x04));
    EXPECT_EQ(panel->caption(RunInfo::kRaceTime)->palette().color(QPalette::WindowText), QColor(0x03, 3, 3));
    prompter.onExec = [](QDialog&) { return int(ColourSettingsDialog::kBigScreenAnswer); };
    actions.editColours();
    EXPECT_EQ(settings->Colors, BigScreenColors);
}

TEST_F(MenuActionsTest, FollowNeedsCompetitorsAndTheFeedAndMiscellaneousUpdateTheTrackLabels)
{
    start();
    device.receiveBytes("$E,\"TRACKNAME\",\"Kestrel Park\"\n$E,\"TRACKLENGTH\",\"2.710\"\n");
    EXPECT_EQ(panel->valueText(RunInfo::kTrackName), "Kestrel Park"); // at once, not after a restart
    EXPECT_EQ(panel->valueText(RunInfo::kTrackLength), "2.710");
    actions.editFollowList();
    EXPECT_EQ(prompter.messages, QStringList({"There are no drivers available"}));
    device.receiveBytes("$A,\"12\",\"12\",1234,\"Ann\",\"Berg\",\"SE\",1\n");
    QSignalSpy charts(&controller.ChartSource, &RaceSource::changed); // the charts mark the car followed
    prompter.onExec = acceptWith<FollowDialog>([](FollowDialog& follow) {
        follow.populate();
        follow.driversList()->item(0)->setSelected(true);
        follow.addSelected();
    });
    actions.editFollowList();
    prompter.onExec = acceptWith<MiscellaneousSettingsDialog>([](MiscellaneousSettingsDialog& misc) {
        misc.setTrack("Brenmoor", 3652);
        misc.setMarkerDelay(7);
    });
    actions.editMiscellaneous();
    EXPECT_EQ(controller.Followed.entries()[0], "12");
    EXPECT_EQ(charts.count(), 1);
    EXPECT_EQ(settings->MarkerDelay, 7);
    EXPECT_EQ(panel->valueText(RunInfo::kTrackLength), "3.652");
    EXPECT_EQ(panel->valueText(RunInfo::kTrackName), "Brenmoor");
}

TEST_F(MenuActionsTest, GeneralInfoAndLogoDialogsChangeTheLayout)
{
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(file("logo.png")));
    start();
    prompter.onExec = acceptWith<GeneralInfoDialog>(
        [](GeneralInfoDialog& items) { items.box(RunInfo::kRaceTime)->setChecked(true); });
    actions.editGeneralInfo();
    prompter.onExec = acceptWith<LogoSettingsDialog>([this](LogoSettingsDialog& logo) {
        logo.setLogoVisible(true);
        logo.setLogoFileName(file("logo.png"));
    });
    actions.editLogo();
    EXPECT_EQ(layouts.generalInfo()[0], RunInfo::kRaceTime);
    EXPECT_FALSE(panel->isHidden());
    ASSERT_NE(layouts.logoWindow(), nullptr);
    EXPECT_EQ(layouts.logo().FileName, file("logo.png").toStdString());
    prompter.onExec = acceptWith<LogoSettingsDialog>([](LogoSettingsDialog& logo) { logo.setLogoVisible(false); });
    actions.editLogo();
    EXPECT_EQ(layouts.logoWindow(), nullptr);
}

// The dialogs show the texts as they were read; the track name goes back unchanged.
TEST_F(MenuActionsTest, AWindows1252TrackNameShowsRightAndGoesBackByteForByte)
{
    start();
    const std::string track = "Z\xf6lder"; // as an older Kavendor.ini holds it
    settings.change([&](MainSettings& s) { s.TrackName = track; });
    QString shown;
    prompter.onExec = acceptWith<MiscellaneousSettingsDialog>(
        [&shown](MiscellaneousSettingsDialog& misc) { shown = misc.track().first; });
    actions.editMiscellaneous();
    EXPECT_EQ(shown, QStringLiteral("Z\u00f6lder"));
    EXPECT_EQ(settings->TrackName, track);
}

// Help > Contents: a missing manual, or no program for PDF files, is said with the manual's path.
TEST_F(MenuActionsTest, TheManualOpensOrTheOperatorIsToldWhereItIs)
{
    start();
    const QString manual = file("Kavendor User Manual.pdf");
    const std::tuple<const char*, bool, bool, QString> cases[] = {
        {"missing", false, true, "The user manual is missing:\n" + manual},
        {"no viewer", true, false, "No program to show PDF files was found. The user manual is at:\n" + manual},
        {"opened", true, true, ""},
    };
    for (const auto& [name, present, viewer, message] : cases) {
        if (present)
            QFile(manual).open(QIODevice::WriteOnly);
        prompter.messages.clear();
        prompter.documentOpens = viewer;
        actions.openManual(QFileInfo(manual).path());
        EXPECT_EQ(prompter.messages.join(""), message) << name;
    }
}
