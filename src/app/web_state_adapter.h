#pragma once

#include <QObject>
#include <QTimer>

#include "web_state.h"

namespace kav {

class ResultsSource;
class MainWindow;

// Fills the web view's description from the main window: the run from the race state, the general
// information panel, its flag lamp and how long the feed has been silent, colours, headers and followed drivers from
// the settings, and the open result windows. It looks again just after each received line has been processed, and every
// half second for what the operator changes (layouts, colours, the follow list).
class WebStateAdapter : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRecheckInterval{500};

    WebStateAdapter(MainWindow& window, ResultsSource& source, QObject* parent = nullptr);

    // Counts a received line; the description follows once the line has been processed.
    void lineReceived();
    // Builds the description now and hands it to the source.
    void refresh();

signals:
    // After each look at the program, changed or not.
    void refreshed();

private:
    WebState build() const;
    void addStaleness(WebState& state) const;
    void addInfo(WebState& state) const;
    void addSettings(WebState& state) const;

    MainWindow& m_window;
    ResultsSource& m_source;
    qint64 m_lines = 0;
    QTimer m_soon;
    QTimer m_recheck;
};

} // namespace kav
