#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "about_box.h"
#include "col_sett_dlg.h"
#include "f_flag.h"
#include "f_logo.h"
#include "feed_lines.h"
#include "gen_info_panel.h"
#include "kavendor_comm.h"
#include "layout_store.h"
#include "logo_sett_dlg.h"
#include "main_prompter.h"
#include "main_window.h"
#include "message_box_prompts.h"
#include "misc_sett_dlg.h"
#include "picture_box.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"
#include "settings_store.h"
#include "ui_resources.h"
#include "zeb_grid.h"

using namespace kav;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<TFMain> Start(const QString& layout = QString())
    {
        TMainOptions options;
        options.ConfigDir = Dir.path() + QLatin1Char('/');
        options.ProgramDir = options.ConfigDir;
        options.UseChannel = false;
        options.Layout = layout;
        auto main = std::make_unique<TFMain>(options);
        main->show();
        return main;
    }

    QString File(const QString& name) const { return Dir.filePath(name); }

    // The column dialog answers OK with these columns, copying the active window's layout or not.
    void AcceptColumns(std::vector<std::uint8_t> ids, bool copy = false)
    {
        Prompter.OnExec = [ids, copy](QDialog& dialog) {
            auto* columns = qobject_cast<TColSettDlg*>(&dialog);
            if (!columns)
                return int(QDialog::Rejected);
            columns->CopyLayoutBox()->setChecked(copy);
            if (!copy) {
                for (std::uint8_t id = 0; id < kColumnIds; ++id)
                    columns->ColumnBox(id)->setChecked(false);
                for (std::uint8_t id : ids)
                    columns->ColumnBox(id)->setChecked(true);
            }
            return int(QDialog::Accepted);
        };
    }

    static TFResults* Window(TFMain& main, int number)
    {
        for (TFResults* window : main.Ctl().Windows.All()) {
            if (window->Record().Number == number)
                return window;
        }
        return nullptr;
    }

    static std::vector<int> Numbers(TFMain& main)
    {
        std::vector<int> numbers;
        for (TFResults* window : main.Ctl().Windows.All())
            numbers.push_back(window->Record().Number);
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    static TResultWinRec Stored(const QString& file, int number)
    {
        TResultWinRec rec;
        ReadResultWin(file.toStdString(), number, rec);
        return rec;
    }

    QTemporaryDir Dir;
    TMainPrompter Prompter;
};

QStringList MenuCaptions(TFMain& main)
{
    QStringList captions;
    for (QAction* action : main.menuBar()->actions())
        captions << action->text();
    return captions;
}

} // namespace

TEST_F(MainWindowTest, FirstStartWithoutSettingsIsMaximisedWithoutWindowsOrPanel)
{
    auto main = Start();
    EXPECT_EQ(main->windowTitle(), "Kavendor  v3.2");
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main->Ctl().Windows.Count(), 0);
    EXPECT_TRUE(main->Panel().isHidden());
    EXPECT_FALSE(main->ClearLayoutAction()->isEnabled());
    EXPECT_TRUE(main->NewWindowMenu()->isEnabled());
    EXPECT_EQ(MenuCaptions(*main), QStringList({"&File", "&Results", "&Settings", "&Help"}));
    EXPECT_EQ(main->Panel().ErrorHint(), "No Errors");
}

TEST_F(MainWindowTest, ActiveResultWindowShowsItsLayoutMenuBetweenSettingsAndHelp)
{
    auto main = Start();
    AcceptColumns({0, 2, 4});
    TFResults* window = main->NewResultWindow(kLayoutCurrentRace);
    ASSERT_NE(window, nullptr);
    main->Area().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->Frame()));
    EXPECT_EQ(MenuCaptions(*main), QStringList({"&File", "&Results", "&Settings", "&Layout", "&Help"}));
    window->Frame()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(MenuCaptions(*main), QStringList({"&File", "&Results", "&Settings", "&Help"}));
}

TEST_F(MainWindowTest, ClosingWithUnsavedWindowsAsksToSaveThem)
{
    auto main = Start();
    AcceptColumns({0, 2});
    main->NewResultWindow(kLayoutCurrentRace);
    main->NewResultWindow(kLayoutPractice);
    const QString question = "Current layout is not saved!\nDo you want to save it now?";

    Prompter.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(main->FormCloseQuery());
    EXPECT_EQ(Prompter.Asked, QStringList({question}));

    Prompter.Answers = {TAnswer::Yes}; // and then the save dialog is cancelled
    EXPECT_FALSE(main->FormCloseQuery());

    Prompter.Answers = {TAnswer::No};
    EXPECT_TRUE(main->FormCloseQuery());
    EXPECT_FALSE(QFile::exists(File("race.kvl")));

    Prompter.Answers = {TAnswer::Yes};
    Prompter.SaveAnswer = File("race.kvl");
    EXPECT_TRUE(main->FormCloseQuery());
    EXPECT_TRUE(Stored(File("race.kvl"), 1).WinExist);
    EXPECT_EQ(Stored(File("race.kvl"), 2).Layout, kLayoutPractice);
    EXPECT_EQ(main->Settings().LayoutFile, File("race.kvl").toStdString());
}

TEST_F(MainWindowTest, ClosingWithAHeldLayoutAsksToSaveItEvenWhenUnchanged)
{
    auto main = Start();
    AcceptColumns({0});
    main->NewResultWindow(kLayoutTrackPositions);
    Prompter.SaveAnswer = File("held.kvl");
    ASSERT_TRUE(main->SaveLayoutAs());
    QFile::remove(File("held.kvl"));

    Prompter.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(main->FormCloseQuery());
    EXPECT_EQ(Prompter.Asked.last(), "Save current layout?");
    EXPECT_FALSE(QFile::exists(File("held.kvl")));

    Prompter.Answers = {TAnswer::Yes};
    EXPECT_TRUE(main->FormCloseQuery());
    EXPECT_EQ(Stored(File("held.kvl"), 1).Layout, kLayoutTrackPositions);
}

TEST_F(MainWindowTest, ClosingWithNothingToSaveAsksWhetherToExit)
{
    auto main = Start();
    Prompter.Answers = {TAnswer::No};
    EXPECT_FALSE(main->close());
    EXPECT_EQ(Prompter.Asked, QStringList({"Exit Kavendor program?"}));
    EXPECT_TRUE(main->isVisible());
    Prompter.Answers = {TAnswer::Yes};
    EXPECT_TRUE(main->close());
    EXPECT_TRUE(QFile::exists(File("Kavendor.ini")));
}

TEST_F(MainWindowTest, ClosingKeepsTheNormalPlacementAndTheStateForTheNextStart)
{
    {
        auto main = Start();
        main->setWindowState(Qt::WindowNoState);
        main->setGeometry(100, 120, 800, 600);
        const QRect normal(main->pos(), main->size());
        main->Settings().FollowList[0] = "12";
        Prompter.Answers = {TAnswer::Yes};
        ASSERT_TRUE(main->close());
        TMainSettings stored;
        bool showFlag = false;
        ReadMainSettings(File("Kavendor.ini").toStdString(), stored, showFlag);
        EXPECT_EQ(stored.MainWin.Left, normal.x());
        EXPECT_EQ(stored.MainWin.Width, normal.width());
        EXPECT_EQ(stored.MainWin.State, TWindowState::Normal);
    }
    {
        auto main = Start();
        EXPECT_FALSE(main->windowState() & Qt::WindowMaximized);
        EXPECT_EQ(main->width(), 800);
        EXPECT_EQ(main->Settings().FollowList[0], ""); // following does not survive a restart
        main->setWindowState(Qt::WindowMaximized);
        Prompter.Answers = {TAnswer::Yes};
        ASSERT_TRUE(main->close());
        TMainSettings stored;
        bool showFlag = false;
        ReadMainSettings(File("Kavendor.ini").toStdString(), stored, showFlag);
        EXPECT_EQ(stored.MainWin.Width, 800); // the normal placement, not the maximised one
        EXPECT_EQ(stored.MainWin.State, TWindowState::Maximized);
    }
    auto main = Start();
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowTest, NewWindowsTakeTheLowestFreeNumberAndTheTenthDisablesTheMenu)
{
    auto main = Start();
    AcceptColumns({0, 2});
    for (int i = 0; i < 3; ++i)
        main->NewResultWindow(kLayoutCurrentRace);
    EXPECT_EQ(Numbers(*main), std::vector<int>({1, 2, 3}));
    Window(*main, 2)->Frame()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(Numbers(*main), std::vector<int>({1, 3}));
    EXPECT_EQ(main->NewResultWindow(kLayoutPractice)->Record().Number, 2);

    while (main->Ctl().Windows.Count() < 10)
        ASSERT_NE(main->NewResultWindow(kLayoutCompletedLap), nullptr);
    EXPECT_FALSE(main->NewWindowMenu()->isEnabled());
    EXPECT_EQ(main->NewResultWindow(kLayoutCompletedLap), nullptr);
    EXPECT_EQ(main->Ctl().Windows.Count(), 10);
    Window(*main, 7)->Frame()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->NewWindowMenu()->isEnabled());
}

TEST_F(MainWindowTest, CopyLayoutPlacesTheNewWindowOneTitleBarLowerAndRight)
{
    auto main = Start();
    AcceptColumns({0, 4, 2});
    TFResults* first = main->NewResultWindow(kLayoutCurrentRace);
    first->Frame()->setGeometry(30, 40, 500, 300);
    main->Area().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->Frame()));

    ASSERT_EQ(first->Frame()->size(), QSize(500, 300));
    AcceptColumns({}, true);
    TFResults* copy = main->NewResultWindow(kLayoutCompletedLap);
    ASSERT_NE(copy, nullptr);
    const int titleBar = copy->Frame()->height() - copy->height();
    EXPECT_GT(titleBar, 0);
    EXPECT_EQ(copy->Frame()->size(), QSize(500, 300));
    EXPECT_EQ(copy->Frame()->pos(), QPoint(30 + titleBar, 40 + titleBar));
    EXPECT_EQ(copy->Record().ColRel, first->Record().ColRel);
    EXPECT_EQ(copy->Record().Layout, kLayoutCompletedLap);

    main->Area().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->Frame()));
    AcceptColumns({7});
    TFResults* fresh = main->NewResultWindow(kLayoutCompletedLap);
    EXPECT_NE(fresh->Frame()->pos(), QPoint(30 + titleBar, 40 + titleBar));
    EXPECT_EQ(fresh->Record().ColRel[0], 7);
    EXPECT_EQ(fresh->Record().ColRel[1], kNoCode);
}

TEST_F(MainWindowTest, LayoutWithFourWindowsLogoAndPanelSurvivesSaveClearAndOpen)
{
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(File("logo.png")));
    auto main = Start();

    Prompter.OnExec = [](QDialog& dialog) {
        auto* items = qobject_cast<TSelGenInfoDlg*>(&dialog);
        items->Box(TGenInfoPanel::kFlagLamp)->setChecked(true);
        items->Box(TGenInfoPanel::kRaceTime)->setChecked(true);
        return int(QDialog::Accepted);
    };
    main->MGeneralInfoClick();
    const TGenInfo genInfo = main->GenInfoLayout();
    Prompter.OnExec = [this](QDialog& dialog) {
        auto* settings = qobject_cast<TLogoSettDlg*>(&dialog);
        settings->SetLogoVisible(true);
        settings->SetLogoFileName(File("logo.png"));
        return int(QDialog::Accepted);
    };
    main->MLogoClick();
    ASSERT_NE(main->LogoWindow(), nullptr);
    EXPECT_FALSE(main->LogoWindow()->Box().Picture().IsEmpty());

    const std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> windows = {
        {kLayoutCurrentRace, {0, 2, 5, 7, 8}},
        {kLayoutCompletedLap, {0, 1, 2}},
        {kLayoutPractice, {0, 2, 12, 11}},
        {kLayoutTrackPositions, {2, 0}}};
    for (const auto& [kind, columns] : windows) {
        AcceptColumns(columns);
        main->NewResultWindow(kind);
    }
    Prompter.SaveAnswer = File("four.kvl");
    main->MSaveLayoutClick();

    Prompter.Answers = {TAnswer::No};
    main->MClearLayoutClick();
    EXPECT_EQ(main->Ctl().Windows.Count(), 0);
    EXPECT_EQ(main->LogoWindow(), nullptr);
    EXPECT_TRUE(main->Panel().isHidden());
    EXPECT_TRUE(main->Settings().LayoutFile.empty());
    EXPECT_FALSE(main->ClearLayoutAction()->isEnabled());

    Prompter.OpenAnswer = File("four.kvl");
    main->MOpenLayoutClick();
    ASSERT_EQ(Numbers(*main), std::vector<int>({1, 2, 3, 4}));
    for (int number = 1; number <= 4; ++number) {
        const auto& [kind, columns] = windows[static_cast<std::size_t>(number - 1)];
        const TResultWinRec& rec = Window(*main, number)->Record();
        EXPECT_EQ(rec.Layout, kind);
        for (std::size_t p = 0; p < columns.size(); ++p)
            EXPECT_EQ(rec.ColRel[p], columns[p]) << "window " << number << " place " << p;
        EXPECT_EQ(rec.ColRel[columns.size()], kNoCode);
    }
    EXPECT_EQ(main->GenInfoLayout(), genInfo);
    EXPECT_FALSE(main->Panel().isHidden());
    ASSERT_NE(main->LogoWindow(), nullptr);
    EXPECT_FALSE(main->LogoWindow()->Box().Picture().IsEmpty());
    EXPECT_TRUE(main->ClearLayoutAction()->isEnabled());
    EXPECT_EQ(main->Settings().LayoutFile, File("four.kvl").toStdString());
}

TEST_F(MainWindowTest, HeldLayoutFollowsWindowsOpenedAndClosed)
{
    auto main = Start();
    AcceptColumns({0, 2});
    main->NewResultWindow(kLayoutCurrentRace);
    main->NewResultWindow(kLayoutPractice);
    Prompter.SaveAnswer = File("live.kvl");
    ASSERT_TRUE(main->SaveLayoutAs());

    TFResults* third = main->NewResultWindow(kLayoutTrackPositions);
    EXPECT_EQ(third->Record().Number, 3);
    EXPECT_TRUE(Stored(File("live.kvl"), 3).WinExist);
    EXPECT_EQ(Stored(File("live.kvl"), 3).Layout, kLayoutTrackPositions);

    Window(*main, 1)->Frame()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Stored(File("live.kvl"), 1).WinExist);
    EXPECT_TRUE(Stored(File("live.kvl"), 2).WinExist);

    // Clearing closes every window but erases nothing from the file.
    Prompter.Answers = {TAnswer::No};
    main->MClearLayoutClick();
    EXPECT_TRUE(Stored(File("live.kvl"), 2).WinExist);
    EXPECT_TRUE(Stored(File("live.kvl"), 3).WinExist);
}

TEST_F(MainWindowTest, SavedActiveMaximisedWindowIsMaximisedAfterLoading)
{
    const std::string file = File("max.kvl").toStdString();
    for (int number : {2, 3}) {
        TResultWinRec rec;
        rec.Number = static_cast<std::uint8_t>(number);
        rec.Layout = number == 2 ? kLayoutCurrentRace : kLayoutPractice;
        rec.ColRel[0] = 0;
        rec.WinPos = {200, 300, 10 * number, 10 * number, TWindowState::Normal, false};
        if (number == 2)
            rec.WinPos = {200, 300, 20, 20, TWindowState::Maximized, true};
        WriteResultWin(file, rec);
    }
    auto main = Start(File("max.kvl"));
    ASSERT_EQ(Numbers(*main), std::vector<int>({2, 3}));
    EXPECT_TRUE(Window(*main, 2)->Frame()->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(Window(*main, 3)->Frame()->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main->Area().activeSubWindow(), Window(*main, 2)->Frame());
    EXPECT_EQ(main->Settings().LayoutFile, file);
}

TEST_F(MainWindowTest, SaveAsOntoAnExistingFileAsksAndReplacesTheWholeFile)
{
    auto main = Start();
    AcceptColumns({0});
    for (int i = 0; i < 4; ++i)
        main->NewResultWindow(kLayoutCurrentRace);
    Prompter.SaveAnswer = File("over.kvl");
    ASSERT_TRUE(main->SaveLayoutAs());
    Window(*main, 3)->Frame()->close();
    Window(*main, 4)->Frame()->close();
    QCoreApplication::processEvents();
    main->Settings().LayoutFile.clear();
    ASSERT_TRUE(QFile::copy(File("over.kvl"), File("four.kvl")));

    Prompter.Answers = {TAnswer::No};
    EXPECT_FALSE(main->SaveLayoutAs());
    EXPECT_EQ(Prompter.Asked.last(), "File already exists! Overwrite file");
    EXPECT_TRUE(main->Settings().LayoutFile.empty());

    Prompter.Answers = {TAnswer::Yes};
    EXPECT_TRUE(main->SaveLayoutAs());
    EXPECT_TRUE(Stored(File("over.kvl"), 2).WinExist);
    EXPECT_FALSE(Stored(File("over.kvl"), 3).WinExist);
    EXPECT_FALSE(Stored(File("over.kvl"), 4).WinExist);
}

TEST_F(MainWindowTest, OpeningALayoutAnsweredCancelKeepsTheCurrentOne)
{
    auto main = Start();
    AcceptColumns({0});
    main->NewResultWindow(kLayoutCurrentRace);
    Prompter.SaveAnswer = File("keep.kvl");
    ASSERT_TRUE(main->SaveLayoutAs());
    Prompter.OpenAnswer = File("other.kvl");
    Prompter.Answers = {TAnswer::Cancel};
    main->MOpenLayoutClick();
    EXPECT_EQ(Prompter.Asked.last(), "Save current layout");
    EXPECT_EQ(main->Ctl().Windows.Count(), 1);
    EXPECT_EQ(main->Settings().LayoutFile, File("keep.kvl").toStdString());

    // Yes then a cancelled save dialog while clearing: nothing is cleared.
    Prompter.SaveAnswer.clear();
    Prompter.Answers = {TAnswer::Yes};
    main->MClearLayoutClick();
    EXPECT_EQ(main->Ctl().Windows.Count(), 1);
}

TEST_F(MainWindowTest, ColourDialogTakesThePairsBackInOrderAndItsDefaultsAnswerResets)
{
    auto main = Start();
    for (std::size_t slot = 0; slot < kColorCount; ++slot)
        main->Settings().Colors[slot] = static_cast<std::int32_t>(0x010101 * (slot + 1));
    const TColors chosen = main->Settings().Colors;
    QStringList labels;
    Prompter.OnExec = [&labels](QDialog& dialog) {
        auto& colours = static_cast<TSelColorDlg&>(dialog);
        for (int i = 0; i < colours.SlotCount(); ++i)
            labels << colours.Labels()->item(i)->text();
        return int(QDialog::Accepted);
    };
    main->MColorsClick();
    EXPECT_EQ(labels, QStringList({"Main window", "Results", "General info Comment", "General info text",
                                   "Follow marker", "Headers"}));
    EXPECT_EQ(main->Settings().Colors, chosen);
    EXPECT_EQ(main->Panel().palette().color(QPalette::Window), QColor(0x04, 0x04, 0x04));

    Prompter.OnExec = [](QDialog&) { return TSelColorDlg::kDefaultsAnswer; };
    main->MColorsClick();
    EXPECT_EQ(main->Settings().Colors, DefaultColors);

    main->Settings().Colors[3] = 0x00FF00;
    Prompter.OnExec = [](QDialog&) { return int(QDialog::Rejected); };
    main->MColorsClick();
    EXPECT_EQ(main->Settings().Colors[3], 0x00FF00);
}

TEST_F(MainWindowTest, FollowNeedsCompetitorsAndMiscSettingsUpdateTheTrackLabels)
{
    auto main = Start();
    main->MFollowClick();
    EXPECT_EQ(Prompter.Asked, QStringList({"There are no drivers available"}));

    main->Device()->receiveBytes("$A,\"12\",\"12\",1234,\"Ann\",\"Berg\",\"SE\",1\n");
    Prompter.OnExec = [](QDialog& dialog) {
        auto* follow = qobject_cast<TSelCompetitorDlg*>(&dialog);
        if (!follow)
            return int(QDialog::Rejected);
        follow->Populate();
        if (follow->DriversList()->count() != 1)
            return int(QDialog::Rejected);
        follow->DriversList()->item(0)->setSelected(true);
        follow->AddSelected();
        return int(QDialog::Accepted);
    };
    main->MFollowClick();
    EXPECT_EQ(main->Settings().FollowList[0], "12");

    Prompter.OnExec = [](QDialog& dialog) {
        auto& misc = static_cast<TMiscSettDlg&>(dialog);
        misc.SetTrack("Brenmoor", 3652);
        misc.SetMarkerDelay(7);
        return int(QDialog::Accepted);
    };
    main->MMiscSettClick();
    EXPECT_EQ(main->Settings().TrackLength, 3652);
    EXPECT_EQ(main->Settings().MarkerDelay, 7);
    EXPECT_EQ(main->Panel().ValueText(TGenInfoPanel::kTrackLength), "3.652");
    EXPECT_EQ(main->Panel().ValueText(TGenInfoPanel::kTrackName), "Brenmoor");
}

TEST_F(MainWindowTest, LogoThatCannotBeLoadedIsReportedAndTheWindowStays)
{
    auto main = Start();
    Prompter.OnExec = [this](QDialog& dialog) {
        auto& logo = static_cast<TLogoSettDlg&>(dialog);
        logo.SetLogoVisible(true);
        logo.SetLogoFileName(File("missing.bmp"));
        return int(QDialog::Accepted);
    };
    main->MLogoClick();
    EXPECT_EQ(Prompter.Asked, QStringList({"Wrong type of file or file not found,"}));
    ASSERT_NE(main->LogoWindow(), nullptr);
    EXPECT_TRUE(main->ClearLayoutAction()->isEnabled());

    Prompter.OnExec = [](QDialog& dialog) {
        static_cast<TLogoSettDlg&>(dialog).SetLogoVisible(false);
        return int(QDialog::Accepted);
    };
    main->MLogoClick();
    EXPECT_EQ(main->LogoWindow(), nullptr);
    EXPECT_FALSE(main->ClearLayoutAction()->isEnabled());
}

TEST_F(MainWindowTest, HelpOpensTheManualBesideTheProgramAndTheLogoOpensTheAboutBox)
{
    auto main = Start();
    main->MContentsClick();
    EXPECT_EQ(Prompter.Opened, QStringList({Dir.path() + "/Kavendor User Manual.pdf"}));
    int shown = 0;
    Prompter.OnExec = [&shown](QDialog&) {
        ++shown;
        return int(QDialog::Accepted);
    };
    QTest::mouseClick(&main->Panel().MakerLogo(), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(main->AboutBox().Version(), "3.2");
}

TEST_F(MainWindowTest, ClosingEndsTheProgramWithTheFlagWindowUp)
{
    auto main = Start();
    main->MiscDialog().SetShowFlag(true);
    main->Device()->receiveBytes(QByteArray::fromStdString(feed::F(10, "00:10:00", "Red   ") + "\n"));
    ASSERT_NE(main->Ctl().Records.Flag().FlagWindow(), nullptr);
    QTimer stuck; // a program that does not end fails here instead of running on
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(std::chrono::minutes(1));
    Prompter.Answers = {TAnswer::Yes};
    QTimer::singleShot(0, main.get(), &QWidget::close);
    EXPECT_EQ(QApplication::exec(), 0);
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
}

TEST_F(MainWindowTest, OpeningALayoutWhileAWindowIsFullScreenLeavesTheNewFileAlone)
{
    auto main = Start();
    AcceptColumns({0, 2});
    main->NewResultWindow(kLayoutCurrentRace)->EnterFullScreen();
    TResultWinRec rec;
    rec.Number = 1;
    rec.Layout = kLayoutPractice;
    rec.ColRel[0] = 0;
    WriteResultWin(File("new.kvl").toStdString(), rec);
    Prompter.OpenAnswer = File("new.kvl");
    main->MOpenLayoutClick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Stored(File("new.kvl"), 1).WinExist);
    ASSERT_EQ(Numbers(*main), std::vector<int>({1}));
    EXPECT_EQ(Window(*main, 1)->Record().Layout, kLayoutPractice);
}

TEST_F(MainWindowTest, AFailedLayoutWriteClosesNothingAndKeepsTheNameAndTheOldFile)
{
    auto main = Start();
    AcceptColumns({0});
    main->NewResultWindow(kLayoutCurrentRace);
    // So long a name that no temporary file can be made beside it: the write fails, also for root.
    const QString bad = File(QString(240, u'x') + ".kvl");
    QFile old(bad);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();

    Prompter.SaveAnswer = bad;
    Prompter.Answers = {TAnswer::Yes};
    EXPECT_FALSE(main->SaveLayoutAs());
    EXPECT_TRUE(Prompter.Asked.last().startsWith("Unable to write to")) << Prompter.Asked.last().toStdString();
    EXPECT_TRUE(main->Settings().LayoutFile.empty());
    Prompter.Answers = {TAnswer::Yes, TAnswer::Yes}; // save it first, overwrite
    main->MClearLayoutClick();
    EXPECT_EQ(main->Ctl().Windows.Count(), 1);

    main->Settings().LayoutFile = bad.toStdString();
    Prompter.Answers = {TAnswer::Yes};
    EXPECT_FALSE(main->FormCloseQuery());
    Prompter.OpenAnswer = File("other.kvl");
    Prompter.Answers = {TAnswer::Yes};
    main->MOpenLayoutClick();
    EXPECT_EQ(Numbers(*main), std::vector<int>({1}));
    EXPECT_EQ(main->Settings().LayoutFile, bad.toStdString());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

TEST_F(MainWindowTest, ClearLayoutForgetsTheLogoWindow)
{
    auto main = Start();
    Prompter.OnExec = [](QDialog& dialog) {
        static_cast<TLogoSettDlg&>(dialog).SetLogoVisible(true);
        return int(QDialog::Accepted);
    };
    main->MLogoClick();
    ASSERT_TRUE(main->Logo().Visible);
    Prompter.Answers = {TAnswer::No};
    main->MClearLayoutClick();
    EXPECT_FALSE(main->Logo().Visible);
}

TEST_F(MainWindowTest, Windows1252TextsShowRightEverywhereAndGoBackByteForByte)
{
    auto main = Start();
    const std::string track = "Z\xf6lder", header = "N\xe4me"; // as an older Kavendor.ini holds them
    main->Settings().TrackName = track;
    main->Settings().Headers[4] = header;
    main->Device()->receiveBytes("$A,\"7\",\"7\",1234,\"J\xfcrgen\",\"Berg\",\"GER\",1\n");
    QStringList shown;
    Prompter.OnExec = [&shown](QDialog& dialog) {
        if (auto* misc = qobject_cast<TMiscSettDlg*>(&dialog))
            shown << misc->GetTrack().first;
        if (auto* columns = qobject_cast<TColSettDlg*>(&dialog)) {
            shown << columns->HeaderField(4)->text();
            columns->ColumnBox(4)->setChecked(true);
        }
        if (auto* follow = qobject_cast<TSelCompetitorDlg*>(&dialog)) {
            follow->Populate();
            shown << follow->DriversList()->item(0)->text();
        }
        return int(QDialog::Accepted);
    };
    main->MMiscSettClick();
    TFResults* window = main->NewResultWindow(kLayoutCurrentRace);
    main->MFollowClick();
    EXPECT_EQ(shown, QStringList({QStringLiteral("Z\u00f6lder"), QStringLiteral("N\u00e4me"),
                                  QStringLiteral("7  J\u00fcrgen Berg")}));
    EXPECT_EQ(window->Grid().GetCell(0, 0), QStringLiteral("N\u00e4me"));
    EXPECT_EQ(main->Settings().TrackName, track);
    EXPECT_EQ(main->Settings().Headers[4], header);
}

TEST_F(MainWindowTest, ANewWindowWithoutACopiedLayoutFitsItsColumns)
{
    auto main = Start();
    AcceptColumns({4, 5, 6});
    EXPECT_EQ(main->NewResultWindow(kLayoutCurrentRace)->Frame()->width(), 26 + 141 + 161 + 151);
}

TEST_F(MainWindowTest, ClosingAWindowMovesTheLastOneIntoItsPlace)
{
    auto main = Start();
    AcceptColumns({0});
    for (int i = 0; i < 4; ++i)
        main->NewResultWindow(kLayoutCurrentRace);
    Window(*main, 2)->Frame()->close();
    QCoreApplication::processEvents();
    std::vector<int> order;
    for (const TFResults* window : main->Ctl().Windows.All())
        order.push_back(window->Record().Number);
    EXPECT_EQ(order, std::vector<int>({1, 4, 3}));
}

TEST_F(MainWindowTest, PanelCaptionsFlagPoleFileMenuAndIconsLookAsMeant)
{
    auto main = Start();
    main->Settings().Colors[2] = 0xFF0000; // blue captions
    main->ApplyColours();
    const QImage caption = main->Panel().Caption(TGenInfoPanel::kRaceTime)->grab().toImage();
    int blue = 0, red = 0;
    for (int y = 0; y < caption.height(); ++y) {
        for (int x = 0; x < caption.width(); ++x) {
            blue += caption.pixelColor(x, y) == QColor(Qt::blue);
            red += caption.pixelColor(x, y) == QColor(Qt::red);
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(main->Panel().FlagPanel().grab().toImage().pixelColor(18, 25), QColor(Qt::black));

    QStringList file;
    for (const QAction* action : main->menuBar()->actions().constFirst()->menu()->actions())
        file << action->text();
    EXPECT_EQ(file, QStringList({"&New Result window", "Cl&ear Layout", "&Open Layout...", "&Save Layout...",
                                 "Export race &report…", "E&xit"}));

    AcceptColumns({0});
    TFFlag flag;
    const QImage icon = ProgramIcon().pixmap(32).toImage();
    for (const QWidget* window : std::initializer_list<const QWidget*>{
             main.get(), main->NewResultWindow(kLayoutCurrentRace)->Frame(), &main->ColumnDialog(), &flag})
        EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), icon) << window->metaObject()->className();
}

// The real boxes, while a window that stays on top (as a full-screen result window) is active.
TEST(ModalBoxes, OpenOverTheActiveWindowAndAboveEveryWindowThatStaysOnTop)
{
    QWidget main;
    main.setGeometry(0, 0, 200, 150);
    main.show();
    QWidget top(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    top.setGeometry(400, 300, 300, 200);
    top.show();
    QDialog dialog(&main);
    dialog.setFixedSize(100, 80);
    TMessageBoxPrompts connection(&main);
    const std::vector<std::pair<const char*, std::function<void()>>> boxes = {
        {"question", [&] { Prompter().Ask(TBoxKind::Confirmation, "Save current layout?", true, &main); }},
        {"message", [&] { Prompter().Tell(TBoxKind::Error, "Unable to write", &main); }},
        {"settings dialog", [&] { Prompter().Exec(dialog); }},
        {"connection warning", [&] { connection.Warn("No connection"); }},
    };
    for (const auto& [name, open] : boxes) {
        top.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
        Qt::WindowFlags flags;
        QRect place;
        QTimer::singleShot(0, [&flags, &place] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                flags = box->windowFlags();
                place = box->frameGeometry();
                box->done(QDialog::Rejected);
            }
        });
        open();
        EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint) << name;
        EXPECT_TRUE(top.geometry().contains(place.center())) << name;
    }
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowStaysOnTopHint); // only while it is up
}
