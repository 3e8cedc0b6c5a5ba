#include "web_state_adapter.h"

#include <QApplication>

#include <algorithm>

#include "feed_text.h"
#include "main_window.h"
#include "result_columns.h"
#include "results_source.h"
#include "system_colors.h"

namespace kav {
WebStateAdapter::WebStateAdapter(MainWindow& window, RaceFeed& shown, ResultsSource& source, QObject* parent)
    : QObject(parent), m_window(window), m_shown(shown), m_source(source)
{
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, &WebStateAdapter::refresh);
    m_soon.setInterval(0);
    const auto soon = [this] {
        if (!m_soon.isActive())
            m_soon.start();
    };
    const RunInfo& info = shown.Info;
    connect(&info, &RunInfo::changed, &m_soon, soon);
    // The panel's layout is the operator's, on the live run's information.
    if (&shown.Info != &window.controller().Info)
        connect(&window.controller().Info, &RunInfo::changed, &m_soon, soon);
    connect(&window.controller().SettingsChanged, &ChangeNotice::changed, &m_soon, soon);
    connect(&window.controller().Followed, &FollowList::changed, &m_soon, soon);
    connect(&shown.Records, &RecordProcessor::eventsChanged, &m_soon, soon);
    // A line alone changes only the count: nothing else needs building again.
    connect(&info, &RunInfo::lineCounted, this, [this, &info] { m_source.setLineCount(info.lines()); });
    refresh();
}

void WebStateAdapter::refresh()
{
    m_source.setState(build());
    emit refreshed();
}

void WebStateAdapter::setFeedLost(qint64 count)
{
    m_feedLost = count;
    if (!m_soon.isActive())
        m_soon.start();
}

WebState WebStateAdapter::build() const
{
    const RaceState& race = m_shown.State;
    const RunInfo& info = m_shown.Info;
    WebState state;
    state.run.name = feedText(race.RunName);
    state.run.flag = flagWord(info.flag());
    state.run.finished = info.finished();
    state.run.lapsToGo = info.value(RunInfo::kLapsToGo);
    state.run.raceTime = info.value(RunInfo::kRaceTime);
    state.run.errors = info.errors();
    state.run.lines = info.lines();
    state.run.feedLost = m_feedLost;
    const std::chrono::seconds silence = info.silence();
    state.run.sinceLastLine = silence.count();
    state.run.stale = RunInfo::stalenessWord(RunInfo::stalenessFor(silence));
    addInfo(state);
    addEvents(state);
    for (int number = 1; number <= ClassDescriptionTable::kClasses; ++number) {
        if (!race.ClassTable.get(number).empty())
            state.classes.append({number, feedText(race.ClassTable.get(number))});
    }
    addSettings(state);
    for (std::uint8_t kind = kLayoutCompletedLap; kind <= kLayoutCurrentRace; ++kind)
        state.kindTitles.append(resultWindowCaption(kind));
    for (const ResultWindow* window : m_window.controller().Windows.all())
        state.windows.append(window->settings());
    std::sort(state.windows.begin(), state.windows.end(),
              [](const ResultWindowSettings& a, const ResultWindowSettings& b) { return a.Number < b.Number; });
    return state;
}

// The items as the panel places them, then the ones it does not show, by number.
void WebStateAdapter::addInfo(WebState& state) const
{
    const RunInfo& panel = m_window.controller().Info;
    const RunInfo& info = m_shown.Info;
    std::vector<int> order;
    for (std::uint8_t item : panel.panelLayout()) {
        if (item >= RunInfo::kLapsToGo && item <= RunInfo::kFlagLamp)
            order.push_back(item);
    }
    for (int item = RunInfo::kLapsToGo; item <= RunInfo::kFlagLamp; ++item) {
        if (std::find(order.begin(), order.end(), item) == order.end())
            order.push_back(item);
    }
    for (int item : order) {
        const QString value = item == RunInfo::kFlagLamp ? flagWord(info.flag()) : info.value(item);
        state.info.append({item, RunInfo::caption(item), value, panel.shown(item)});
    }
}

void WebStateAdapter::addEvents(WebState& state) const
{
    const auto& events = m_shown.State.events().events();
    const std::size_t shown = std::min<std::size_t>(events.size(), kWebEvents);
    for (auto event = events.rbegin(); event != events.rbegin() + std::ptrdiff_t(shown); ++event) {
        state.events.append({qint64(event->seq), QString::fromLatin1(event->raceTimeText()),
                             QString::fromLatin1(eventTag(event->kind)), feedText(event->car),
                             feedText(event->carClass), feedText(event->text)});
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
    const MainSettings& settings = m_window.settings().value();
    const auto colour = [&settings](std::size_t slot) {
        return toQColor(settings.Colors[slot], QApplication::palette()).name();
    };
    state.colors = {colour(kResultsText),         colour(kResultsBackground), colour(kHeaderText),
                    colour(kHeaderBackground),    colour(kFollowText),        colour(kFollowBackground),
                    colour(kCaptionText),         colour(kInfoText),          colour(kCaptionBackground),
                    alternateBackground(settings)};
    for (const ColumnInfo& column : kColumnCatalogue)
        state.headers.append(QString::fromStdString(settings.Headers[column.HeaderIndex]));
    for (const std::string& regNo : m_window.controller().Followed.entries()) {
        if (regNo.empty())
            break;
        const FullCompetitorRecord driver = m_shown.State.CompList.findByRegNo(regNo);
        state.followed.append({feedText(regNo), feedText(driver.Number)});
    }
}

} // namespace kav
