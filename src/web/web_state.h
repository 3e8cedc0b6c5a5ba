#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "result_window_settings.h"

namespace kav {

// One item of the general information panel as a page shows it.
struct WebInfoItem {
    int item = 0; // the panel's item code, 1 to 10 (10: the flag lamp)
    QString caption;
    QString value;
    bool shown = false;
    bool operator==(const WebInfoItem&) const = default;
};

// A driver the operator follows: registration number and car number.
struct WebFollowedDriver {
    QString regNo;
    QString car;
    bool operator==(const WebFollowedDriver&) const = default;
};

// The run as the general information panel and the flag show it.
struct WebRunState {
    QString name;
    QString flag = QStringLiteral("green"); // "green", "yellow" or "red"
    bool finished = false;
    QString lapsToGo;
    QString raceTime;
    int errors = 0;
    qint64 lines = 0;                        // lines received since the program started
    qint64 feedLost = 0;                     // lines and messages of an MQTT feed that could not be taken
    qint64 sinceLastLine = 0;                // whole seconds without a line (from the start until the first)
    QString stale = QStringLiteral("fresh"); // "fresh", "amber" after 10 s without a line, "red" after 60 s
    bool operator==(const WebRunState&) const = default;
};

// A class of the run as the timing system names it.
struct WebClass {
    int number = 0;
    QString name;
    bool operator==(const WebClass&) const = default;
};

// A race event as the ticker shows it.
struct WebEvent {
    qint64 seq = 0;
    QString raceTime; // hh:mm:ss, empty before the first heartbeat
    QString kind;     // FLAG, FASTEST, CLASS FASTEST, LEAD, CLASS LEAD, PB, FINISH, STOPPED, PIT IN or PIT OUT
    QString car;
    QString carClass;
    QString text;
    bool operator==(const WebEvent&) const = default;
};

// The program-wide colours as "#rrggbb", system colours already resolved.
struct WebColors {
    QString text, background, headerText, headerBackground, followText, followBackground;
    QString panelCaption, panelValue, panelBackground;
    QString alternateBackground; // of every second row of the results; empty when they are not shaded
    bool operator==(const WebColors&) const = default;
};

// Everything the pages show besides the cells: the program fills it, the web view reads it.
struct WebState {
    WebRunState run;
    QList<WebInfoItem> info;
    QList<WebFollowedDriver> followed;
    WebColors colors;
    QList<WebClass> classes;             // by number
    QList<WebEvent> events;              // the latest race events, newest first
    QStringList headers;                 // the header texts, by logical column
    QStringList kindTitles;              // the titles of kinds 1 to 4
    QList<ResultWindowSettings> windows; // the open result windows, by number
    bool operator==(const WebState&) const = default;
};

} // namespace kav
