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
#include "system_colors.h"

namespace kav {
WebStateAdapter::WebStateAdapter(MainWindow& window, ResultsSource& source, QObject* parent)
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
    const RaceState& race = m_window.controller().State;
    const GeneralInfoPanel& panel = m_window.panel();
    WebState state;
    state.run.name = feedText(race.RunName);
    state.run.flag = flagWord(race.FlagState);
    state.run.finished = race.RaceFinished;
    state.run.lapsToGo = panel.valueText(GeneralInfoPanel::kLapsToGo);
    state.run.raceTime = panel.valueText(GeneralInfoPanel::kRaceTime);
    state.run.errors = race.ErrorCount;
    state.run.lines = m_lines;
    addStaleness(state);
    addInfo(state);
    addSettings(state);
    for (std::uint8_t kind = kLayoutCompletedLap; kind <= kLayoutCurrentRace; ++kind)
        state.kindTitles.append(resultWindowCaption(kind));
    for (const ResultWindow* window : m_window.controller().Windows.all())
        state.windows.append(window->settings());
    std::sort(state.windows.begin(), state.windows.end(),
              [](const ResultWindowSettings& a, const ResultWindowSettings& b) { return a.Number < b.Number; });
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
    const GeneralInfoPanel& panel = m_window.panel();
    std::vector<int> order;
    for (std::uint8_t item : m_window.generalInfoLayout()) {
        if (item >= GeneralInfoPanel::kLapsToGo && item <= GeneralInfoPanel::kFlagLamp)
            order.push_back(item);
    }
    for (int item = GeneralInfoPanel::kLapsToGo; item <= GeneralInfoPanel::kFlagLamp; ++item) {
        if (std::find(order.begin(), order.end(), item) == order.end())
            order.push_back(item);
    }
    for (int item : order) {
        if (item == GeneralInfoPanel::kFlagLamp)
            state.info.append({item, QStringLiteral("Flag"), lampWord(panel.flagLamp().color()),
                               shownFlag(panel.flagLamp(), panel) == QLatin1String("1")});
        else
            state.info.append({item, panel.caption(item)->text(), panel.value(item)->text(),
                               shownFlag(*panel.caption(item), panel) == QLatin1String("1")});
    }
}

namespace {

// The shade of every second row of the results as the desktop paints it, or nothing when not shaded.
QString alternateBackground(const MainSettings& settings)
{
    if (!settings.AlternateRows)
        return {};
    const QPalette& palette = QApplication::palette();
    return alternateRowColor(toQColor(settings.Colors[kResultsBackground], palette),
                             toQColor(settings.Colors[kResultsText], palette))
        .name();
}

} // namespace

void WebStateAdapter::addSettings(WebState& state) const
{
    const MainSettings& settings = m_window.settings();
    const auto colour = [&settings](std::size_t slot) {
        return toQColor(settings.Colors[slot], QApplication::palette()).name();
    };
    state.colors = {colour(kResultsText),         colour(kResultsBackground), colour(kHeaderText),
                    colour(kHeaderBackground),    colour(kFollowText),        colour(kFollowBackground),
                    colour(kCaptionText),         colour(kInfoText),          colour(kCaptionBackground),
                    alternateBackground(settings)};
    for (const ColumnInfo& column : kColumnCatalogue)
        state.headers.append(QString::fromStdString(settings.Headers[column.HeaderIndex]));
    for (const std::string& regNo : settings.FollowList) {
        if (regNo.empty())
            break;
        const FullCompetitorRecord driver = m_window.controller().State.CompList.findByRegNo(regNo);
        state.followed.append({feedText(regNo), feedText(driver.Number)});
    }
}

} // namespace kav
