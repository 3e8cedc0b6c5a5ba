// The windows around what the feed makes: result windows reading the results models, the flag window
// following the run's flag and the stand-by message of a new run.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMdiArea>
#include <QTreeWidget>

#include "feed_lines.h"
#include "flag_window.h"
#include "harness.h"
#include "race_events_window.h"
#include "results_grid.h"
#include "scripted_prompter.h"

using namespace kav;

namespace {

const std::string kNewRun = "$I,\"12:00:00\",\"26 Nov\"", kAnn = "$A,\"1\",\"11\",1234,\"Ann\",\"Alpha\",\"NED\",1",
                  kFirst = "$G,1,\"1\",1,\"00:01:30.000\"", kSecond = "$G,2,\"2\",1,\"00:01:31.000\"",
                  kPassing = "$J,\"1\",\"00:01:30.000\",\"12:00:00.000\"";

// The flag window: "none", or the flag it shows, "minimised" after it when it is.
std::string flagWindow(const Controller& controller)
{
    const FlagWindow* flag = controller.Flag.flagWindow();
    if (!flag)
        return "none";
    const bool red = flag->shownFlag().serial() == flag->redFlag().serial();
    return std::string(red ? "red" : "yellow") + (flag->isMinimized() ? " minimised" : "");
}

} // namespace

// A window opened later once showed only what its refill wrote: no white flags from the new run
// below the standings. Windows of a kind now show the same cells, each in its own column order.
TEST(ResultWindows, AWindowOpenedLaterShowsWhatTheFirstShows)
{
    Harness h;
    ResultWindow& first = h.open(kLayoutCurrentRace);
    h.feedLines({kNewRun, kAnn, kFirst, kSecond, kPassing});
    ResultWindow& later = h.open(kLayoutCurrentRace, {16, 1, 0, 14, 7, 4});
    for (int row = 1; row <= h.Ctl.State.RowCount; ++row) {
        EXPECT_EQ(h.shownPicture(later, row), h.shownPicture(first, row)) << "row " << row;
        for (std::uint8_t id : {16, 0, 14, 7, 4})
            EXPECT_EQ(h.cell(later, id, row), h.cell(first, id, row)) << "row " << row << ", column " << int(id);
    }
    EXPECT_EQ(h.shownPicture(later, 3), "white flag");
}

// Pictures stayed in the grid place of the marker column when the column settings took it out, and
// covered the texts of the column that moved into that place.
TEST(ResultWindows, ColumnsChosenAgainShowNoPictureOfAnotherColumn)
{
    Harness h;
    ResultWindow& race = h.open(kLayoutCurrentRace, {0, 1, 2});
    h.feedLines({kAnn, kFirst, kPassing});
    ASSERT_FALSE(h.shownPicture(race, 1).empty());
    ScriptedPrompter prompter;
    prompter.onExec = [](QDialog& dialog) {
        static_cast<ColumnSettingsDialog&>(dialog).columnBox(1)->click();
        return int(QDialog::Accepted);
    };
    race.editColumns();
    ASSERT_EQ(race.settings().ColPos[2], 1);
    EXPECT_EQ(race.grid().graphic(1, 1), nullptr);
}

// Up on a red or a yellow flag once the option asks for it, left as the operator put it while the flag
// stays, gone on a green one.
TEST(FlagWindow, FollowsTheRunsFlagWhenAskedTo)
{
    Harness h;
    bool showFlag = false;
    h.Ctl.Flag.ShowFlag = [&showFlag] { return showFlag; };
    // The flag line, the window shown after it, and whether the operator minimises the window before it.
    const struct {
        const char *flag, *shown;
        bool minimise;
    } steps[] = {{"Red", "none", false},
                 {"  yellow ", "yellow", false},
                 {"YELLOW", "yellow minimised", true},
                 {"Finish", "yellow minimised", false},
                 {"Red   ", "red", false},
                 {"Green ", "none", false}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.flag);
        if (step.minimise)
            h.Ctl.Flag.flagWindow()->showMinimized();
        h.feedLines(feed::F(10, "00:10:00", step.flag));
        EXPECT_EQ(flagWindow(h.Ctl), step.shown);
        showFlag = true;
    }
}

// "Please stand by....." from a new run up to its first valid record, centred on the main window.
TEST(StandBy, TheMessageIsCentredOnTheMainWindowUntilTheFirstRecord)
{
    Harness h;
    QWidget main;
    main.setGeometry(100, 50, 801, 600);
    h.Ctl.StandBy.setMainWindow(&main);
    h.Message.resize(316, 54);
    h.feedLines(kNewRun);
    EXPECT_TRUE(h.Message.isVisible());
    EXPECT_EQ(h.Message.message(), "Please stand by.....");
    EXPECT_EQ(h.Message.pos(), QPoint((801 - 316) / 2 + 100, (600 - 54) / 2 + 50));
    h.feedLines("$B,1,\"Heat 2\"");
    EXPECT_FALSE(h.Message.isVisible());
}

// The race events window follows the run while it is open, newest first, each kind with its sign and
// word; a new run empties it.
TEST(RaceEventsWindow, ListsEachEventNewestFirstAsItComes)
{
    Harness h;
    QMdiArea area;
    RaceEventsWindow* window = h.Ctl.RaceEvents.open(area);
    ASSERT_EQ(h.Ctl.RaceEvents.open(area), window) << "opened twice";
    const auto row = [window](int index) {
        const QTreeWidgetItem* item = window->list().topLevelItem(index);
        QStringList texts;
        for (int column = 0; item && column < 5; ++column)
            texts.append(item->text(column));
        return texts.join(QLatin1Char('|'));
    };
    using feed::F;
    h.feedLines({kAnn, "$A,\"2\",\"12\",1235,\"Bea\",\"Bravo\",\"NED\",1", F(9, "00:00:10", "Green"), kFirst, kSecond});
    EXPECT_EQ(window->list().topLevelItemCount(), int(h.Ctl.State.events().events().size()));
    EXPECT_EQ(row(window->list().topLevelItemCount() - 1), QString::fromUtf8("00:00:10|\u2691 FLAG|||Green flag"));
    h.feedLines(F(8, "00:02:00", "Yellow"));
    EXPECT_EQ(row(0), QString::fromUtf8("00:02:00|\u2691 FLAG|||Yellow flag"));
    h.feedLines({kNewRun, "$B,2,\"Race 2\""});
    EXPECT_EQ(window->list().topLevelItemCount(), 0);
}
