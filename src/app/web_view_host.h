#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "results_source.h"
#include "state_feed.h"
#include "web_state_adapter.h"
#include "web_view_settings.h"

namespace kav {

class MainWindow;
class RaceFeed;
class WebServer;
class WebViewDialog;

// The web view inside the program: serves the main window's results as the command line (--web,
// --web-bind) or the "WebView" section of Kavendor.ini asks, and offers Settings > Web view... to
// switch it on or off and move it while the program runs.
class WebViewHost : public QObject {
    Q_OBJECT
public:
    // commandLinePort -1: as the settings say. settingsFile: Kavendor.ini, empty when the program
    // keeps no settings files (only the command line then switches the web view on).
    // shown: the race the pages show, the live one or the one a broadcast delay holds back.
    WebViewHost(MainWindow& window, RaceFeed& shown, int commandLinePort, const QString& commandLineBind,
                const QString& settingsFile);
    ~WebViewHost() override;

    // Starts serving when asked; false with the reason when the command line's address cannot be used.
    // A port from the settings that cannot be used is only reported on standard error.
    bool start(QString& error);
    // "http://HOST:PORT/" while serving, else empty.
    QString address() const;
    WebViewDialog& dialog() const { return *m_dialog; }
    // What the pages show, kept up to date whether or not the web view serves.
    ResultsSource& source() { return m_source; }
    // The program's one state document: the pages' and the broker's.
    StateFeed& feed() { return m_feed; }
    WebStateAdapter& adapter() { return m_adapter; }
    // The "Web view..." menu entry.
    void editSettings();

private:
    bool listen(const WebViewSettings& settings, QString& error);

    MainWindow& m_window;
    int m_commandLinePort;
    QString m_commandLineBind;
    QString m_settingsFile;
    ResultsSource m_source;
    WebStateAdapter m_adapter;
    StateFeed m_feed;
    std::unique_ptr<WebServer> m_server;
    WebViewDialog* m_dialog;
    QString m_bind;
};

} // namespace kav
