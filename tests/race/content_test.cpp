#include <gtest/gtest.h>

#include <QSignalSpy>

#include "feed_harness.h"

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
