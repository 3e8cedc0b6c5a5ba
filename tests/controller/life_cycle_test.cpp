#include <QFile>

#include <algorithm>

#include "case_table.h"
#include "main_parts.h"
#include "settings_store.h"
#include "window_settings.h"

using namespace kav;

namespace {

using LifeCycleTest = MainParts;

MainSettings storedSettings(const QString& file)
{
    MainSettings stored;
    bool showFlag = false;
    readMainSettings(file.toStdString(), stored, showFlag);
    return stored;
}

} // namespace

TEST_F(LifeCycleTest, TheFirstStartWithoutSettingsIsMaximisedWithoutWindowsOrPanel)
{
    controller.Followed.set({"12"});
    controller.State.ErrorCount = 3;
    start();
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(layouts.holdsSomething());
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(panel->errorHint(), "No Errors");
    EXPECT_EQ(controller.State.ErrorCount, 0);
    EXPECT_EQ(controller.Followed.entries()[0], ""); // following does not survive a restart
}

// The questions asked on closing, by what there is to save, and the answer that lets the window close.
TEST_F(LifeCycleTest, ClosingAsksToSaveWhatThereIs)
{
    const std::string answers[] = {"Yes", "No", "Cancel"}; // in the order of Answer
    const ResultWindowSettings window1 = windowSettings(kLayoutTrackPositions);
    start();
    for (const auto& row : readCaseTable(KAV_TEST_DATA "/controller/closing.txt")) {
        const bool layoutHeld = row.at(2) == "1", mayClose = row.at(4) == "1";
        layouts.clearLayout();
        if (row.at(1) == "1")
            layouts.openResultWindow(window1);
        settings.change(
            [&](MainSettings& s) { s.LayoutFile = layoutHeld ? file("held.kvl").toStdString() : std::string(); });
        QFile::remove(file("held.kvl"));
        prompter.questions.clear();
        prompter.answers = {Answer(std::find(std::begin(answers), std::end(answers), row.at(3)) - answers)};
        prompter.saveAnswer = row.size() > 6 ? file(QString::fromStdString(row[6])) : QString();
        EXPECT_EQ(life.mayClose(), mayClose) << row[0];
        EXPECT_EQ(prompter.questions, QStringList{QString::fromStdString(row.at(5))}) << row[0];
        const QString saved = layoutHeld ? file("held.kvl") : prompter.saveAnswer;
        if (!saved.isEmpty()) {
            EXPECT_EQ(QFile::exists(saved) && stored(saved, 1).WinExist, mayClose) << row[0];
        }
    }
}

// Stopped from outside (a signal), nobody is asked: a layout with a name is saved to it, one without
// is left alone, and the note says which.
TEST_F(LifeCycleTest, AStopFromOutsideAsksNothingSavesANamedLayoutAndLeavesAnUnnamedOne)
{
    const ResultWindowSettings rec = windowSettings(kLayoutTrackPositions);
    start();
    for (const bool named : {false, true}) {
        layouts.clearLayout();
        layouts.openResultWindow(rec);
        settings.change(
            [&](MainSettings& s) { s.LayoutFile = named ? file("named.kvl").toStdString() : std::string(); });
        LifeCycle stopping(window, options, controller, settings, device, layouts, actions);
        const QString note = stopping.finishUnasked(message);
        EXPECT_EQ(note, named ? "layout saved to " + file("named.kvl")
                              : QStringLiteral("the current layout has no file name and was not saved"));
        EXPECT_EQ(QFile::exists(file("named.kvl")), named);
    }
    EXPECT_EQ(prompter.questions, QStringList());
}

// Each start reads what the last closing stored: the normal placement, kept while full screen.
TEST_F(LifeCycleTest, ClosingKeepsTheNormalPlacementAndTheStateForTheNextStart)
{
    start();
    window.setWindowState(Qt::WindowNoState);
    window.setGeometry(100, 120, 700, 500);
    const QRect normal(window.pos(), window.size());
    life.finish(message);
    MainSettings stored = storedSettings(file("Kavendor.ini"));
    EXPECT_EQ(QRect(stored.MainWin.Left, stored.MainWin.Top, stored.MainWin.Width, stored.MainWin.Height), normal);
    EXPECT_EQ(stored.MainWin.State, WindowState::Normal);

    LifeCycle second(window, options, controller, settings, device, layouts, actions);
    second.activate();
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.width(), 700);
    window.setWindowState(Qt::WindowFullScreen);
    QCoreApplication::processEvents(); // the window takes the whole screen
    second.finish(message);
    stored = storedSettings(file("Kavendor.ini"));
    EXPECT_EQ(stored.MainWin.Width, 700);
    EXPECT_EQ(stored.MainWin.State, WindowState::Maximized);

    window.setWindowState(Qt::WindowNoState);
    LifeCycle third(window, options, controller, settings, device, layouts, actions);
    third.activate();
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    // Only a missing left edge means no placement: one at the top edge -1 is a placement.
    stored.MainWin = {500, 700, -1, 100, WindowState::Normal, false};
    writeMainSettings(file("Kavendor.ini").toStdString(), stored, false);
    LifeCycle fourth(window, options, controller, settings, device, layouts, actions);
    fourth.activate();
    EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
}
