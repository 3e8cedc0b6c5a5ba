#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kav {

// What the operator asked for on the command line.
struct CommandLineOptions {
    QString ConfigDir, Layout, Replay, Dump, Record;
    QString Report;           // the race report's PDF file
    double Rate = 0;          // lines per second of a replay; 0: as fast as possible
    int ReplayTo = -1;        // a time of day (a time value) at which the replay ends; -1: at the file's end
    int FullScreenWindow = 0; // the result window --fullscreen shows; 0: none
    int FullScreenScreen = 0; // its screen, counted from 1; 0: the window's own
    int WebPort = -1;         // the web view's port for this run (0: any free port); -1: as the settings say
    QString WebBind;          // the web view's address for this run; empty: every interface
    int WebDelay = -1;        // the broadcast delay in seconds for this run; -1: as the settings say
    QString Mqtt;             // HOST or HOST:PORT: publish to this broker, whatever Kavendor.ini says
    QString MqttTopic;        // with Mqtt: this topic prefix instead of the one set
    bool Headless = false;    // no window: feed, web view and broker run until SIGTERM or SIGINT
    bool Version = false, Help = false;

    bool operator==(const CommandLineOptions&) const = default;
};

// The options, or a one-line message naming the option or file at fault.
struct CommandLineResult {
    std::optional<CommandLineOptions> Options;
    QString Error;
};

// Reads the program's arguments, without the program name, before any window system is touched. Each
// option is written "--name value" or "--name=value". With --help or --version the files are not
// checked. A --record or --report file that did not exist is checked by creating it and removed again;
// a --dump folder is created.
CommandLineResult parseCommandLine(const QStringList& arguments);

// The option list for --help and after a command-line error.
QString usageText();
// "Kavendor" and the version number.
QString versionText();

// The folder of Kavendor.ini and communication.ini, with a trailing '/': the explicit folder when given
// (created when missing), else the program's folder when a file can be made there and the program is
// not installed, else the user's configuration folder (created when missing). Empty when the folder
// chosen cannot be created.
QString chooseConfigDir(const QString& explicitDir, const QString& programDir);

} // namespace kav
