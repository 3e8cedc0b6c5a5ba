#include <gtest/gtest.h>

#include <QSignalSpy>

#include "delayed_race_feed.h"
#include "feed_harness.h"
#include "feed_lines.h"

using namespace kav;

// Followed up to the first empty entry of the list; the rows and the charts follow each change of the
// list, and of the settings, by themselves; a list set again unchanged tells nothing.
TEST(Content, FollowedCompetitorsTakeTheFollowColoursWhenTheListChanges)
{
    FeedHarness h;
    h.Settings.change([](MainSettings& settings) {
        for (std::size_t slot : {6, 7, 8, 9})
            settings.Colors[slot] = static_cast<ColorValue>(0x111111 * (slot - 5));
    });
    const auto plain = std::make_pair(ColorValue{0x111111}, ColorValue{0x222222});
    const auto followed = std::make_pair(ColorValue{0x333333}, ColorValue{0x444444});
    ResultsView race = h.open(kLayoutCurrentRace);
    h.feedLines({"$G,1,\"1\",1,\"00:01:30.000\"", "$G,2,\"2\",1,\"00:01:31.000\""});
    EXPECT_EQ(h.rowColours(race, 2), plain);
    QSignalSpy charts(&h.Feed.ChartSource, &RaceSource::changed);
    FollowedCompetitors list;
    list[0] = "2";
    list[2] = "1";
    h.Feed.Followed.set(list);
    EXPECT_EQ(h.rowColours(race, 1), plain);
    EXPECT_EQ(h.rowColours(race, 2), followed);
    h.Feed.Followed.set(list);
    EXPECT_EQ(charts.count(), 1);
    h.Feed.Followed.clear();
    EXPECT_EQ(h.rowColours(race, 2), plain);
    EXPECT_EQ(charts.count(), 2);
    // The rows follow the settings by themselves too.
    h.Settings.change([](MainSettings& settings) { settings.Colors[6] = 0x555555; });
    EXPECT_EQ(h.rowColours(race, 2), std::make_pair(ColorValue{0x555555}, ColorValue{0x222222}));
}

// A broadcast delay: the delayed race takes each line its delay after the live one, from the start of
// the run, flags, events and followed drivers included; until then it shows what it had.
TEST(DelayedRaceFeed, ShowsTheRaceAsItWasTheDelayAgo)
{
    using namespace std::chrono_literals;
    FeedHarness live;
    DelayedRaceFeed delayed(live.Device, live.Settings, live.Clock, live.Feed.Followed, 30s);
    const auto cells = [](RaceFeed& feed) {
        const ResultsModel& model = feed.Models.forKind(kLayoutCurrentRace);
        QStringList texts{QString::number(feed.Info.flag()), QString::number(feed.State.events().events().size()),
                          QString::fromStdString(feed.Followed.entries()[0])};
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int column = 0; column < model.columnCount(); ++column)
                texts.append(model.index(row, column).data().toString());
        }
        return texts;
    };
    const auto after = [&](int seconds) {
        live.Clock.advance(seconds * kTicksPerSecond);
        delayed.lines().releaseDue();
    };
    FollowedCompetitors followed;
    followed[0] = "2";
    live.Feed.Followed.set(followed); // the operator's choice: at once, not delayed
    const QStringList empty = cells(delayed.feed());
    live.feedLines({"$A,\"1\",\"11\",1,\"Ann\",\"Alpha\",\"NED\",1", "$A,\"2\",\"12\",2,\"Bea\",\"Bravo\",\"NED\",1",
                    feed::F(9, "00:00:10", "Green"), "$G,1,\"1\",1,\"00:01:30.000\"", "$G,2,\"2\",1,\"00:01:31.000\""});
    const QStringList green = cells(live.Feed);
    ASSERT_NE(green, empty);
    after(29);
    EXPECT_EQ(cells(delayed.feed()), empty) << "ahead of its time";
    after(1);
    EXPECT_EQ(cells(delayed.feed()), green);
    live.feedLines(feed::F(8, "00:02:00", "Yellow"));
    after(29);
    EXPECT_EQ(cells(delayed.feed()), green);
    after(1);
    EXPECT_EQ(cells(delayed.feed()), cells(live.Feed));
    EXPECT_EQ(delayed.feed().Info.flag(), kFlagYellow);
}
