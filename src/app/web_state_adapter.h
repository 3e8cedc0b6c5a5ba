#pragma once

#include <QObject>
#include <QTimer>

#include "web_state.h"

namespace kav {

class ResultsSource;
class MainWindow;
class RaceFeed;

// Fills the web view's description: the run, the general information items, the flag and how long the
// feed has been silent from the run's information; the followed drivers from the follow list; colours
// and headers from the settings, and the open result windows. It looks only when told: by the run's
// information, the follow list, and the controller's notice of the operator's changes (settings,
// layout, a window's columns). Changes told in one turn of the event loop are taken together;
// a counted line changes only the count.
class WebStateAdapter : public QObject {
    Q_OBJECT
public:
    // The latest race events the pages are given; the dump keeps them all.
    static constexpr std::size_t kWebEvents = 50;

    // shown: the race the pages show, the live one or the one a broadcast delay holds back.
    WebStateAdapter(MainWindow& window, RaceFeed& shown, ResultsSource& source, QObject* parent = nullptr);

    // Builds the description now and hands it to the source.
    void refresh();
    // What the MQTT feed could not take (lines missed, messages dropped), for the run's "feedLost".
    void setFeedLost(qint64 count);

signals:
    // After each look at the program, changed or not.
    void refreshed();

private:
    WebState build() const;
    void addInfo(WebState& state) const;
    void addSettings(WebState& state) const;
    void addEvents(WebState& state) const;

    MainWindow& m_window;
    RaceFeed& m_shown;
    ResultsSource& m_source;
    QTimer m_soon;
    qint64 m_feedLost = 0;
};

} // namespace kav
