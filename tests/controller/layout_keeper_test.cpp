#include <QFile>
#include <QImage>
#include <QMdiSubWindow>

#include <algorithm>

#include "case_table.h"
#include "logo_window.h"
#include "main_parts.h"
#include "picture_box.h"
#include "qt_files.h"
#include "window_settings.h"

using namespace kav;

namespace {

using LayoutKeeperTest = MainParts;

} // namespace

TEST_F(LayoutKeeperTest, NewWindowsTakeTheLowestFreeNumberUpToTenAndTheLastMovesIntoAClosedPlace)
{
    start();
    acceptColumns({0, 2});
    for (int i = 0; i < 4; ++i)
        layouts.newResultWindow(kLayoutCurrentRace);
    resultWindow(2)->borderWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(numbers(), std::vector<int>({1, 4, 3}));
    EXPECT_EQ(layouts.newResultWindow(kLayoutPractice)->settings().Number, 2);
    while (controller.Windows.count() < 10)
        ASSERT_NE(layouts.newResultWindow(kLayoutCompletedLap), nullptr);
    EXPECT_FALSE(layouts.canOpenWindow());
    EXPECT_EQ(layouts.newResultWindow(kLayoutCompletedLap), nullptr);
    resultWindow(7)->borderWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(layouts.canOpenWindow());
}

TEST_F(LayoutKeeperTest, ACopiedLayoutGoesOneTitleBarBelowTheActiveWindowAndAFreshOneFitsItsColumns)
{
    start();
    acceptColumns({4, 5, 6});
    ResultWindow* first = layouts.newResultWindow(kLayoutCurrentRace);
    EXPECT_EQ(first->borderWindow()->width(), 26 + 141 + 161 + 151);
    first->borderWindow()->setGeometry(30, 40, 500, 300);
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->borderWindow()));
    acceptColumns({}, true);
    ResultWindow* copy = layouts.newResultWindow(kLayoutCompletedLap);
    const int titleBar = copy->borderWindow()->height() - copy->height();
    EXPECT_GT(titleBar, 0);
    EXPECT_EQ(copy->borderWindow()->geometry(), QRect(30 + titleBar, 40 + titleBar, 500, 300));
    EXPECT_EQ(copy->settings().ColRel, first->settings().ColRel);
    EXPECT_EQ(copy->settings().Layout, kLayoutCompletedLap);
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->borderWindow()));
    acceptColumns({7, 8, 9});
    ResultWindow* fresh = layouts.newResultWindow(kLayoutCompletedLap);
    EXPECT_EQ(fresh->borderWindow()->width(), 26 + 61 + 91 + 91);
    EXPECT_EQ(fresh->settings().ColRel[0], 7);
    EXPECT_EQ(fresh->settings().ColRel[3], kNoCode);
}

TEST_F(LayoutKeeperTest, FourWindowsALogoAndThePanelSurviveSaveClearAndOpen)
{
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(file("logo.png")));
    start();
    const GeneralInfoItems items{RunInfo::kFlagLamp, RunInfo::kRaceTime, 255, 255, 255, 255, 255, 255, 255, 255};
    layouts.setGeneralInfo(items);
    layouts.setLogo(true, file("logo.png").toStdString());
    const std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> windows = {
        {kLayoutCurrentRace, {0, 2, 5, 7, 8}},
        {kLayoutCompletedLap, {0, 1, 2}},
        {kLayoutPractice, {0, 2, 12, 11}},
        {kLayoutTrackPositions, {2, 0}}};
    for (const auto& [kind, columns] : windows) {
        acceptColumns(columns);
        layouts.newResultWindow(kind);
    }
    prompter.saveAnswer = file("four.kvl");
    ASSERT_TRUE(layouts.saveLayoutAs());
    prompter.answers = {Answer::No};
    layouts.clearLayoutAsking();
    EXPECT_FALSE(layouts.holdsSomething());
    EXPECT_EQ(layouts.logoWindow(), nullptr);
    EXPECT_TRUE(settings->LayoutFile.empty());

    prompter.openAnswer = file("four.kvl");
    layouts.openLayout();
    ASSERT_EQ(numbers(), std::vector<int>({1, 2, 3, 4}));
    for (int number = 1; number <= 4; ++number) {
        const auto& [kind, columns] = windows[static_cast<std::size_t>(number - 1)];
        const ResultWindowSettings& rec = resultWindow(number)->settings();
        EXPECT_EQ(rec.Layout, kind);
        EXPECT_TRUE(std::equal(columns.begin(), columns.end(), rec.ColRel.begin())) << "window " << number;
        EXPECT_EQ(rec.ColRel[columns.size()], kNoCode) << "window " << number;
    }
    EXPECT_EQ(layouts.generalInfo(), items);
    ASSERT_NE(layouts.logoWindow(), nullptr);
    EXPECT_FALSE(layouts.logoWindow()->box().shownPicture().isEmpty());
    EXPECT_EQ(settings->LayoutFile, file("four.kvl").toStdString());
}

// Saving over the file in use asks first and then replaces the whole file.
TEST_F(LayoutKeeperTest, TheLayoutFileInUseFollowsWindowsButNotAClearAndSavingOverItReplacesIt)
{
    start();
    acceptColumns({0, 2});
    layouts.newResultWindow(kLayoutCurrentRace);
    layouts.newResultWindow(kLayoutPractice);
    prompter.saveAnswer = file("live.kvl");
    ASSERT_TRUE(layouts.saveLayoutAs());
    layouts.newResultWindow(kLayoutTrackPositions);
    EXPECT_EQ(stored(file("live.kvl"), 3).Layout, kLayoutTrackPositions);
    resultWindow(1)->borderWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(stored(file("live.kvl"), 1).WinExist);
    // The file keeps its third window until it is replaced.
    settings.change([](MainSettings& s) { s.LayoutFile.clear(); });
    resultWindow(3)->borderWindow()->close();
    QCoreApplication::processEvents();
    prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(layouts.saveLayoutAs());
    EXPECT_EQ(prompter.questions.last(), "File already exists! Overwrite file");
    EXPECT_TRUE(settings->LayoutFile.empty());
    EXPECT_TRUE(layouts.saveLayoutAs());
    EXPECT_FALSE(stored(file("live.kvl"), 3).WinExist);
    layouts.clearLayout();
    EXPECT_TRUE(stored(file("live.kvl"), 2).WinExist);
}

TEST_F(LayoutKeeperTest, TheSavedActiveMaximisedWindowIsActiveAndMaximisedAfterLoading)
{
    for (int number : {2, 3}) {
        ResultWindowSettings rec = windowSettings(kLayoutCurrentRace, {0}, static_cast<std::uint8_t>(number));
        rec.WinPos = {200, 300, 20, 30, number == 2 ? WindowState::Maximized : WindowState::Normal, number == 2};
        writeResultWindow(file("max.kvl").toStdString(), rec);
    }
    start(file("max.kvl"));
    ASSERT_EQ(numbers(), std::vector<int>({2, 3}));
    EXPECT_TRUE(resultWindow(2)->borderWindow()->windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(resultWindow(3)->borderWindow()->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(area->activeSubWindow(), resultWindow(2)->borderWindow());
    EXPECT_EQ(settings->LayoutFile, file("max.kvl").toStdString());
}

// Each answer that keeps the current layout: cancelled questions and save dialogs, and a layout file
// that cannot be written (its name so long that no temporary file fits beside it, also for root).
TEST_F(LayoutKeeperTest, OpeningOrClearingKeepsTheCurrentLayoutUnlessItsQuestionsLetItGo)
{
    start();
    acceptColumns({0});
    layouts.newResultWindow(kLayoutCurrentRace);
    const QString unwritable = file(QString(240, u'x') + ".kvl");
    ASSERT_TRUE(writeAll(unwritable, "old"));
    const auto named = [&](const std::string& field) { return field == "unwritable" ? unwritable : QString(); };
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/controller/keeping_the_layout.txt")) {
        settings.change([&](MainSettings& s) { s.LayoutFile = named(row.at(2)).toStdString(); });
        prompter.saveAnswer = named(row.at(3));
        prompter.openAnswer = file("other.kvl");
        prompter.answers.clear();
        for (const QString& answer : QString::fromStdString(row.at(4)).split(u' '))
            prompter.answers.push_back(answer == "Yes" ? Answer::Yes : Answer::Cancel);
        row.at(1) == "open" ? layouts.openLayout() : layouts.clearLayoutAsking();
        EXPECT_EQ(numbers(), std::vector<int>({1})) << row[0];
        EXPECT_EQ(settings->LayoutFile, named(row[2]).toStdString()) << row[0];
    }
    EXPECT_TRUE(prompter.messages.last().startsWith("Unable to write to")) << prompter.messages.last().toStdString();
    EXPECT_EQ(readAll(unwritable), "old");
}

TEST_F(LayoutKeeperTest, OpeningALayoutWhileAWindowIsFullScreenLeavesTheNewFileAlone)
{
    start();
    acceptColumns({0, 2});
    layouts.newResultWindow(kLayoutCurrentRace)->enterFullScreen();
    writeResultWindow(file("new.kvl").toStdString(), windowSettings(kLayoutPractice, {0}, 1));
    prompter.openAnswer = file("new.kvl");
    layouts.openLayout();
    QCoreApplication::processEvents();
    EXPECT_TRUE(stored(file("new.kvl"), 1).WinExist);
    ASSERT_EQ(numbers(), std::vector<int>({1}));
    EXPECT_EQ(resultWindow(1)->settings().Layout, kLayoutPractice);
}

TEST_F(LayoutKeeperTest, ALogoThatCannotBeLoadedIsReportedAndTheWindowStaysUntilTheLayoutIsCleared)
{
    start();
    layouts.setLogo(true, file("missing.bmp").toStdString());
    EXPECT_EQ(prompter.messages, QStringList({"Wrong type of file or file not found,"}));
    ASSERT_NE(layouts.logoWindow(), nullptr);
    EXPECT_TRUE(layouts.holdsSomething());
    layouts.clearLayout();
    EXPECT_FALSE(layouts.logo().Visible);
    EXPECT_EQ(layouts.logoWindow(), nullptr);
    EXPECT_FALSE(layouts.holdsSomething());
}
