#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "about_box.h"
#include "logo_sett_dlg.h"
#include "main_parts.h"
#include "misc_sett_dlg.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"
#include "zeb_grid.h"

using namespace kav;

namespace {

using MenuActionsTest = MainParts;

} // namespace

TEST_F(MenuActionsTest, TheColourDialogTakesThePairsBackInOrderAndItsDefaultsAnswerResets)
{
    start();
    for (std::size_t slot = 0; slot < kColorCount; ++slot)
        settings.Colors[slot] = static_cast<std::int32_t>(0x010101 * (slot + 1));
    const TColors chosen = settings.Colors;
    QStringList labels;
    prompter.onExec = [&labels](QDialog& dialog) {
        auto& colours = static_cast<TSelColorDlg&>(dialog);
        for (int i = 0; i < colours.SlotCount(); ++i)
            labels << colours.Labels()->item(i)->text();
        return int(QDialog::Accepted);
    };
    actions.editColours();
    EXPECT_EQ(labels, QStringList({"Main window", "Results", "General info Comment", "General info text",
                                   "Follow marker", "Headers"}));
    EXPECT_EQ(settings.Colors, chosen);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0x04, 0x04, 0x04));
    EXPECT_EQ(panel->Caption(TGenInfoPanel::kRaceTime)->palette().color(QPalette::WindowText), QColor(0x03, 3, 3));

    prompter.onExec = [](QDialog&) { return TSelColorDlg::kDefaultsAnswer; };
    actions.editColours();
    EXPECT_EQ(settings.Colors, DefaultColors);
    settings.Colors[3] = 0x00FF00;
    prompter.onExec = [](QDialog&) { return int(QDialog::Rejected); };
    actions.editColours();
    EXPECT_EQ(settings.Colors[3], 0x00FF00);
}

TEST_F(MenuActionsTest, FollowNeedsCompetitorsAndMiscellaneousUpdatesTheTrackLabels)
{
    start();
    actions.editFollowList();
    EXPECT_EQ(prompter.messages, QStringList({"There are no drivers available"}));
    device.receiveBytes("$A,\"12\",\"12\",1234,\"Ann\",\"Berg\",\"SE\",1\n");
    prompter.onExec = acceptWith<TSelCompetitorDlg>([](TSelCompetitorDlg& follow) {
        follow.Populate();
        follow.DriversList()->item(0)->setSelected(true);
        follow.AddSelected();
    });
    actions.editFollowList();
    prompter.onExec = acceptWith<TMiscSettDlg>([](TMiscSettDlg& misc) {
        misc.SetTrack("Brenmoor", 3652);
        misc.SetMarkerDelay(7);
    });
    actions.editMiscellaneous();
    EXPECT_EQ(settings.FollowList[0], "12");
    EXPECT_EQ(settings.MarkerDelay, 7);
    EXPECT_EQ(panel->ValueText(TGenInfoPanel::kTrackLength), "3.652");
    EXPECT_EQ(panel->ValueText(TGenInfoPanel::kTrackName), "Brenmoor");
}

TEST_F(MenuActionsTest, GeneralInfoAndLogoDialogsChangeTheLayout)
{
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(file("logo.png")));
    start();
    prompter.onExec = acceptWith<TSelGenInfoDlg>(
        [](TSelGenInfoDlg& items) { items.Box(TGenInfoPanel::kRaceTime)->setChecked(true); });
    actions.editGeneralInfo();
    prompter.onExec = acceptWith<TLogoSettDlg>([this](TLogoSettDlg& logo) {
        logo.SetLogoVisible(true);
        logo.SetLogoFileName(file("logo.png"));
    });
    actions.editLogo();
    EXPECT_EQ(layouts.generalInfo()[0], TGenInfoPanel::kRaceTime);
    EXPECT_FALSE(panel->isHidden());
    ASSERT_NE(layouts.logoWindow(), nullptr);
    EXPECT_EQ(layouts.logo().FileName, file("logo.png").toStdString());
    prompter.onExec = acceptWith<TLogoSettDlg>([](TLogoSettDlg& logo) { logo.SetLogoVisible(false); });
    actions.editLogo();
    EXPECT_EQ(layouts.logoWindow(), nullptr);
}

TEST_F(MenuActionsTest, Windows1252TextsShowRightInTheDialogsAndGoBackByteForByte)
{
    start();
    const std::string track = "Z\xf6lder", header = "N\xe4me"; // as an older Kavendor.ini holds them
    settings.TrackName = track;
    settings.Headers[4] = header;
    device.receiveBytes("$A,\"7\",\"7\",1234,\"J\xfcrgen\",\"Berg\",\"GER\",1\n");
    QStringList shown;
    prompter.onExec = acceptWith<TMiscSettDlg>([&shown](TMiscSettDlg& misc) { shown << misc.GetTrack().first; });
    actions.editMiscellaneous();
    prompter.onExec = acceptWith<TColSettDlg>([&shown](TColSettDlg& columns) {
        shown << columns.HeaderField(4)->text();
        columns.ColumnBox(4)->setChecked(true);
    });
    TFResults* window = layouts.newResultWindow(kLayoutCurrentRace);
    prompter.onExec = acceptWith<TSelCompetitorDlg>([&shown](TSelCompetitorDlg& follow) {
        follow.Populate();
        shown << follow.DriversList()->item(0)->text();
    });
    actions.editFollowList();
    EXPECT_EQ(shown, QStringList({QStringLiteral("Z\u00f6lder"), QStringLiteral("N\u00e4me"),
                                  QStringLiteral("7  J\u00fcrgen Berg")}));
    EXPECT_EQ(window->Grid().GetCell(0, 0), QStringLiteral("N\u00e4me"));
    EXPECT_EQ(settings.TrackName, track);
    EXPECT_EQ(settings.Headers[4], header);
}

TEST_F(MenuActionsTest, HelpOpensTheManualBesideTheProgramAndTheAboutBoxTellsTheVersion)
{
    actions.openManual(options.ProgramDir);
    EXPECT_EQ(prompter.opened, QStringList({dir.path() + "/Kavendor User Manual.pdf"}));
    actions.showAbout();
    EXPECT_EQ(prompter.execCount, 1);
    EXPECT_EQ(actions.aboutBox().Version(), "3.2");
    actions.editCommunication(); // no device while a recorded feed is replayed
    EXPECT_EQ(prompter.messages, QStringList({"A recorded feed is being replayed; the connection is not used."}));
}
