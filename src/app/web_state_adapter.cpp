#include "web_state_adapter.h"

#include <QApplication>
#include <QLabel>

#include <algorithm>

#include "dump_writer.h"
#include "feed_text.h"
#include "main_window.h"
#include "result_columns.h"
#include "results_source.h"
#include "stale_feed_indicator.h"
#include "status_lamp.h"

namespace kav {
namespace {

// Colour slots of the settings record.
enum ColourSlot : std::size_t {
    kPanelCaption = 2,
    kPanelBackground = 3,
    kPanelValue = 4,
    kResultsText = 6,
    kResultsBackground = 7,
    kFollowText = 8,
    kFollowBackground = 9,
    kHeaderText = 10,
    kHeaderBackground = 11,
};

} // namespace

WebStateAdapter::WebStateAdapter(TFMain& window, ResultsSource& source, QObject* parent)
    : QObject(parent), m_window(window), m_source(source)
{
    m_soon.setSingleShot(true);
    m_soon.setInterval(0);
    connect(&m_soon, &QTimer::timeout, this, &WebStateAdapter::refresh);
    m_recheck.setInterval(kRecheckInterval);
    connect(&m_recheck, &QTimer::timeout, this, &WebStateAdapter::refresh);
    m_recheck.start();
    refresh();
}

void WebStateAdapter::lineReceived()
{
    ++m_lines;
    if (!m_soon.isActive())
        m_soon.start();
}

void WebStateAdapter::refresh()
{
    m_source.setState(build());
    emit refreshed();
}

WebState WebStateAdapter::build() const
{
    const TRaceState& race = m_window.Ctl().State;
    const TGenInfoPanel& panel = m_window.Panel();
    WebState state;
    state.run.name = FeedText(race.RunName);
    state.run.flag = FlagWord(race.FlagState);
    state.run.finished = race.RaceFinished;
    state.run.lapsToGo = panel.ValueText(TGenInfoPanel::kLapsToGo);
    state.run.raceTime = panel.ValueText(TGenInfoPanel::kRaceTime);
    state.run.errors = race.ErrorCount;
    state.run.lines = m_lines;
    addStaleness(state);
    addInfo(state);
    addSettings(state);
    for (std::uint8_t kind = kLayoutCompletedLap; kind <= kLayoutCurrentRace; ++kind)
        state.kindTitles.append(ResultWindowCaption(kind));
    for (const TFResults* window : m_window.Ctl().Windows.All())
        state.windows.append(window->Record());
    std::sort(state.windows.begin(), state.windows.end(),
              [](const TResultWinRec& a, const TResultWinRec& b) { return a.Number < b.Number; });
    return state;
}

// The feed's silence as the stale-feed indicator of the general information panel counts it.
void WebStateAdapter::addStaleness(WebState& state) const
{
    const std::chrono::seconds silence = m_window.staleFeedIndicator().silence();
    state.run.sinceLastLine = silence.count();
    switch (StaleFeedIndicator::levelFor(silence)) {
    case StaleFeedIndicator::Level::Fresh: state.run.stale = QStringLiteral("fresh"); break;
    case StaleFeedIndicator::Level::Amber: state.run.stale = QStringLiteral("amber"); break;
    case StaleFeedIndicator::Level::Red: state.run.stale = QStringLiteral("red"); break;
    }
}

// The items as the panel places them, then the ones it does not show, by number.
void WebStateAdapter::addInfo(WebState& state) const
{
    const TGenInfoPanel& panel = m_window.Panel();
    std::vector<int> order;
    for (std::uint8_t item : m_window.GenInfoLayout()) {
        if (item >= TGenInfoPanel::kLapsToGo && item <= TGenInfoPanel::kFlagLamp)
            order.push_back(item);
    }
    for (int item = TGenInfoPanel::kLapsToGo; item <= TGenInfoPanel::kFlagLamp; ++item) {
        if (std::find(order.begin(), order.end(), item) == order.end())
            order.push_back(item);
    }
    for (int item : order) {
        if (item == TGenInfoPanel::kFlagLamp)
            state.info.append({item, QStringLiteral("Flag"), LampWord(panel.FlagLamp().Color()),
                               ShownFlag(panel.FlagLamp(), panel) == QLatin1String("1")});
        else
            state.info.append({item, panel.Caption(item)->text(), panel.Value(item)->text(),
                               ShownFlag(*panel.Caption(item), panel) == QLatin1String("1")});
    }
}

void WebStateAdapter::addSettings(WebState& state) const
{
    const TMainSettings& settings = m_window.Settings();
    const auto colour = [&settings](std::size_t slot) {
        return ToQColor(settings.Colors[slot], QApplication::palette()).name();
    };
    state.colors = {colour(kResultsText),      colour(kResultsBackground), colour(kHeaderText),
                    colour(kHeaderBackground), colour(kFollowText),        colour(kFollowBackground),
                    colour(kPanelCaption),     colour(kPanelValue),        colour(kPanelBackground)};
    for (const TColumnInfo& column : kColumnCatalogue)
        state.headers.append(QString::fromStdString(settings.Headers[column.HeaderIndex]));
    for (const std::string& regNo : settings.FollowList) {
        if (regNo.empty())
            break;
        const TCompRec driver = m_window.Ctl().State.CompList.FindByRegNo(regNo);
        state.followed.append({FeedText(regNo), FeedText(driver.Number)});
    }
}

} // namespace kav
