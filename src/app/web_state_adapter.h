#pragma once

#include <QObject>
#include <QTimer>

#include "web_state.h"

namespace kav {

class ResultsSource;
class MainWindow;

// Fills the web view's description: the run, the general information items, the flag and how long the
// feed has been silent from the run's information, which says when they change; colours, headers and
// followed drivers from the settings, and the open result windows, looked at every half second for what
// the operator changes (layouts, colours, the follow list). Changes told in one turn of the event loop
// are taken together.
class WebStateAdapter : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRecheckInterval{500};

    WebStateAdapter(MainWindow& window, ResultsSource& source, QObject* parent = nullptr);

    // Builds the description now and hands it to the source.
    void refresh();

signals:
    // After each look at the program, changed or not.
    void refreshed();

private:
    WebState build() const;
    void addInfo(WebState& state) const;
    void addSettings(WebState& state) const;

    MainWindow& m_window;
    ResultsSource& m_source;
    QTimer m_soon;
    QTimer m_recheck;
};

} // namespace kav
