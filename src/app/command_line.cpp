#include "command_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cmath>

#include "build_info.h"
#include "feed_time.h"
#include "installed_files.h"
#include "main_window.h"
#include "publisher_settings.h"
#include "web_view_settings.h"

namespace kav {
namespace {

// Walks the arguments and fills the options, stopping at the first fault.
class ArgumentReader {
public:
    explicit ArgumentReader(const QStringList& arguments) : m_arguments(arguments) {}

    bool readAll();

    CommandLineOptions Options;
    QString RateText;
    QString ReplayToText;
    QString FullScreenText;
    QString WebPortText;
    QString WebDelayText;
    QString Error;

private:
    bool readOne(const QString& argument);
    bool takeValue(const QString& option, const std::optional<QString>& inlineValue, QString& field);
    QString* valueField(const QString& option);
    bool* flagField(const QString& option);
    bool fail(const QString& message)
    {
        Error = message;
        return false;
    }

    const QStringList& m_arguments;
    qsizetype m_next = 0;
    QStringList m_seen;
};

bool ArgumentReader::readAll()
{
    while (m_next < m_arguments.size()) {
        if (!readOne(m_arguments[m_next++]))
            return false;
    }
    return true;
}

bool ArgumentReader::readOne(const QString& argument)
{
    if (!argument.startsWith(QLatin1String("--")) || argument.size() == 2) {
        return fail(argument.startsWith(u'-') ? QStringLiteral("unknown option: ") + argument
                                              : QStringLiteral("unexpected argument: ") + argument);
    }
    const qsizetype equals = argument.indexOf(u'=');
    const QString option = argument.left(equals);
    std::optional<QString> inlineValue;
    if (equals >= 0)
        inlineValue = argument.mid(equals + 1);
    if (m_seen.contains(option))
        return fail(option + QStringLiteral(" is given more than once"));
    m_seen.append(option);
    if (bool* flag = flagField(option)) {
        if (inlineValue)
            return fail(option + QStringLiteral(" takes no value"));
        *flag = true;
        return true;
    }
    if (QString* field = valueField(option))
        return takeValue(option, inlineValue, *field);
    return fail(QStringLiteral("unknown option: ") + option);
}

// The value is the text after '=' or the next argument; an option name there means the value is missing.
bool ArgumentReader::takeValue(const QString& option, const std::optional<QString>& inlineValue, QString& field)
{
    QString value;
    if (inlineValue)
        value = *inlineValue;
    else if (m_next < m_arguments.size() && !m_arguments[m_next].startsWith(QLatin1String("--")))
        value = m_arguments[m_next++];
    if (value.isEmpty())
        return fail(option + QStringLiteral(" needs a value"));
    field = value;
    return true;
}

QString* ArgumentReader::valueField(const QString& option)
{
    if (option == QLatin1String("--config-dir"))
        return &Options.ConfigDir;
    if (option == QLatin1String("--layout"))
        return &Options.Layout;
    if (option == QLatin1String("--replay"))
        return &Options.Replay;
    if (option == QLatin1String("--rate"))
        return &RateText;
    if (option == QLatin1String("--replay-to"))
        return &ReplayToText;
    if (option == QLatin1String("--dump"))
        return &Options.Dump;
    if (option == QLatin1String("--record"))
        return &Options.Record;
    if (option == QLatin1String("--report"))
        return &Options.Report;
    if (option == QLatin1String("--fullscreen"))
        return &FullScreenText;
    if (option == QLatin1String("--web"))
        return &WebPortText;
    if (option == QLatin1String("--web-bind"))
        return &Options.WebBind;
    if (option == QLatin1String("--web-delay"))
        return &WebDelayText;
    if (option == QLatin1String("--mqtt"))
        return &Options.Mqtt;
    if (option == QLatin1String("--mqtt-topic"))
        return &Options.MqttTopic;
    return nullptr;
}

bool* ArgumentReader::flagField(const QString& option)
{
    if (option == QLatin1String("--headless"))
        return &Options.Headless;
    if (option == QLatin1String("--version"))
        return &Options.Version;
    if (option == QLatin1String("--help"))
        return &Options.Help;
    return nullptr;
}

// A file can be made in dir: the only sure test, whatever the permission bits and the user say.
bool canWriteIn(const QString& dir)
{
    QTemporaryFile probe(dir + QStringLiteral("/.kavendor-probe-XXXXXX"));
    return probe.open();
}

QString checkRate(const ArgumentReader& reader, double& rate)
{
    if (reader.RateText.isEmpty())
        return {};
    bool ok = false;
    const double value = reader.RateText.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return QStringLiteral("--rate needs a positive number of lines per second, not ") + reader.RateText;
    rate = value;
    return {};
}

QString checkReplayTo(const ArgumentReader& reader, int& replayTo)
{
    if (reader.ReplayToText.isEmpty())
        return {};
    if (reader.Options.Replay.isEmpty())
        return QStringLiteral("--replay-to is only used with --replay");
    const std::optional<TimeValue> time = readTimeOfDay(reader.ReplayToText.toStdString());
    if (!time)
        return QStringLiteral("--replay-to needs a time of day HH:MM:SS (a fraction may follow), not ") +
               reader.ReplayToText;
    replayTo = *time;
    return {};
}

// "N" or "N@SCREEN": a result window's number and a screen counted from 1.
QString checkFullScreen(const ArgumentReader& reader, CommandLineOptions& options)
{
    const QString& text = reader.FullScreenText;
    if (text.isEmpty())
        return {};
    if (!reader.Options.Dump.isEmpty())
        return QStringLiteral("--fullscreen shows a window, and --dump shows none");
    if (!reader.Options.Report.isEmpty())
        return QStringLiteral("--fullscreen shows a window, and --report shows none");
    if (reader.Options.Headless)
        return QStringLiteral("--fullscreen shows a window, and --headless shows none");
    const QStringList parts = text.split(u'@');
    bool windowOk = false, screenOk = parts.size() == 1;
    const int window = parts[0].toInt(&windowOk);
    const int screen = parts.size() == 2 ? parts[1].toInt(&screenOk) : 0;
    if (parts.size() > 2 || !windowOk || !screenOk || window < 1 || window > MainWindow::kMaxResultWindows ||
        (parts.size() == 2 && screen < 1))
        return QStringLiteral("--fullscreen needs a result window number from 1 to %1, optionally followed by "
                              "@ and a screen number from 1 (as in 2@1), not %2")
            .arg(MainWindow::kMaxResultWindows)
            .arg(text);
    options.FullScreenWindow = window;
    options.FullScreenScreen = screen;
    return {};
}

QString checkWebDelay(const ArgumentReader& reader, CommandLineOptions& options)
{
    if (reader.WebDelayText.isEmpty())
        return {};
    bool ok = false;
    const int seconds = reader.WebDelayText.toInt(&ok);
    if (!ok || seconds < 0 || seconds > kMaxBroadcastDelay)
        return QStringLiteral("--web-delay needs a whole number of seconds from 0 to %1, not %2")
            .arg(kMaxBroadcastDelay)
            .arg(reader.WebDelayText);
    options.WebDelay = seconds;
    return {};
}

QString checkWeb(const ArgumentReader& reader, CommandLineOptions& options)
{
    if (reader.WebPortText.isEmpty())
        return options.WebBind.isEmpty() ? QString() : QStringLiteral("--web-bind is only used with --web");
    bool ok = false;
    const uint port = reader.WebPortText.toUInt(&ok);
    if (!ok || port > 65535)
        return QStringLiteral("--web needs a port number from 0 to 65535, not ") + reader.WebPortText;
    if (!options.WebBind.isEmpty() && QHostAddress(options.WebBind).isNull())
        return QStringLiteral("--web-bind needs an IP address, not ") + options.WebBind;
    options.WebPort = static_cast<int>(port);
    return {};
}

QString checkReadable(const QString& option, const QString& path)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).isDir())
        return option + QStringLiteral(": ") + path + QStringLiteral(" is a folder, not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return option + QStringLiteral(": cannot read ") + path + QStringLiteral(": ") + file.errorString();
    return {};
}

QString checkConfigDir(const QString& path)
{
    const QFileInfo info(path);
    if (!path.isEmpty() && info.exists() && !info.isDir())
        return QStringLiteral("--config-dir: ") + path + QStringLiteral(" exists and is not a folder");
    return {};
}

// Opens the file for appending once; a file made only for the test is removed again.
QString checkAppendable(const QString& option, const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isDir())
        return option + QStringLiteral(": ") + path + QStringLiteral(" is a folder, not a file");
    const bool existed = info.exists() || info.isSymLink();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return option + QStringLiteral(": cannot append to ") + path + QStringLiteral(": ") + file.errorString();
    file.close();
    if (!existed)
        file.remove();
    return {};
}

QString checkDumpDir(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        return QStringLiteral("--dump: ") + path + QStringLiteral(" exists and is not a folder");
    if (!QDir().mkpath(path))
        return QStringLiteral("--dump: cannot create the folder ") + path;
    if (!canWriteIn(path))
        return QStringLiteral("--dump: cannot write in the folder ") + path;
    return {};
}

QString checkBroker(const CommandLineOptions& options)
{
    if (!options.MqttTopic.isEmpty() && options.Mqtt.isEmpty())
        return QStringLiteral("--mqtt-topic is only used with --mqtt");
    if (!options.Mqtt.isEmpty() && !parseHostAndPort(options.Mqtt))
        return QStringLiteral("--mqtt needs HOST or HOST:PORT with a port from 1 to 65535, not ") + options.Mqtt;
    if (options.MqttTopic.isEmpty())
        return {};
    const QString problem = checkTopicPrefix(options.MqttTopic, false);
    return problem.isEmpty() ? QString() : QStringLiteral("--mqtt-topic: ") + problem;
}

// The checks in an order that makes files and folders only when nothing else is wrong.
QString checkOptions(const ArgumentReader& reader, CommandLineOptions& options)
{
    QString error = checkRate(reader, options.Rate);
    if (error.isEmpty())
        error = checkReplayTo(reader, options.ReplayTo);
    if (error.isEmpty())
        error = checkFullScreen(reader, options);
    if (error.isEmpty() && options.Headless && (!options.Dump.isEmpty() || !options.Report.isEmpty()))
        error = QStringLiteral("--headless runs until it is stopped, and --dump and --report end with the feed");
    if (error.isEmpty())
        error = checkWeb(reader, options);
    if (error.isEmpty())
        error = checkWebDelay(reader, options);
    if (error.isEmpty() && options.Replay.isEmpty() && !reader.RateText.isEmpty())
        error = QStringLiteral("--rate is only used with --replay");
    if (error.isEmpty() && options.Replay.isEmpty() && !options.Dump.isEmpty() && options.ConfigDir.isEmpty())
        error = QStringLiteral(
            "--dump needs --replay, or --config-dir naming a TCP or MQTT connection to take the feed from");
    if (error.isEmpty())
        error = checkBroker(options);
    if (error.isEmpty())
        error = checkReadable(QStringLiteral("--replay"), options.Replay);
    if (error.isEmpty())
        error = checkReadable(QStringLiteral("--layout"), options.Layout);
    if (error.isEmpty())
        error = checkConfigDir(options.ConfigDir);
    if (error.isEmpty() && !options.Report.isEmpty() && options.Replay.isEmpty() && options.Dump.isEmpty())
        error = QStringLiteral("--report needs --replay, or --dump with --config-dir naming a TCP connection");
    if (error.isEmpty())
        error = checkAppendable(QStringLiteral("--record"), options.Record);
    if (error.isEmpty())
        error = checkAppendable(QStringLiteral("--report"), options.Report);
    if (error.isEmpty())
        error = checkDumpDir(options.Dump);
    return error;
}

QString withSlash(const QString& dir)
{
    QString path = QDir(dir).absolutePath();
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

QString madeDir(const QString& dir)
{
    if (dir.isEmpty() || !QDir().mkpath(dir) || !QFileInfo(dir).isDir())
        return {};
    return withSlash(dir);
}

} // namespace

CommandLineResult parseCommandLine(const QStringList& arguments)
{
    ArgumentReader reader(arguments);
    if (!reader.readAll())
        return {std::nullopt, reader.Error};
    CommandLineOptions options = reader.Options;
    if (options.Help || options.Version)
        return {options, {}};
    const QString error = checkOptions(reader, options);
    if (!error.isEmpty())
        return {std::nullopt, error};
    return {options, {}};
}

QString usageText()
{
    return QStringLiteral(
        "Usage: kavendor [OPTION]...\n"
        "  --config-dir DIR   keep Kavendor.ini and Communication.ini in DIR (made when missing) instead of\n"
        "                     the program's folder\n"
        "  --layout FILE.kvl  open this layout at start instead of the one used last\n"
        "  --replay FILE      take the feed from a recorded FILE instead of the connection\n"
        "  --rate N           with --replay: N lines per second (default: as fast as possible)\n"
        "  --replay-to TIME   with --replay: end the replay at the feed's time of day TIME (HH:MM:SS), before\n"
        "                     the first line of a later time; with --dump, the files show the race then\n"
        "  --dump DIR         show no window; write what the windows show into DIR when the replay ends,\n"
        "                     or, without --replay, when the TCP server of --config-dir closes the connection\n"
        "                     or the MQTT publisher it follows goes offline\n"
        "  --record FILE      append every line received to FILE, exactly as it came\n"
        "  --report FILE.pdf  show no window; write the race report into FILE.pdf when the replay ends\n"
        "                     (or, with --dump, when the dump is written)\n"
        "  --fullscreen N[@S] once the layout is open, show its result window N full screen (on screen S,\n"
        "                     counted from 1)\n"
        "  --web PORT         serve the results as live web pages on PORT (0: any free port) for this run\n"
        "  --web-bind ADDRESS with --web: listen on this address only (default: every interface)\n"
        "  --web-delay S      show the web pages and the broker's results S seconds late (0 to 600), to match\n"
        "                     a stream; the windows and the broker's feed stay live\n"
        "  --mqtt HOST[:PORT] publish the feed and the results to this MQTT broker (port 1883 when not given)\n"
        "  --mqtt-topic PREFIX  with --mqtt: publish under PREFIX instead of kavendor/<run name>\n"
        "  --headless         show no window: take the feed, serve the web view and publish as set until\n"
        "                     stopped (SIGTERM or SIGINT); state changes go to standard error, a line each\n"
        "  --version          print the version and quit\n"
        "  --help             print this help and quit\n"
        "Each option may also be written --option=value.\n");
}

QString versionText()
{
    return QStringLiteral("Kavendor " KAV_VERSION_TEXT);
}

QString chooseConfigDir(const QString& explicitDir, const QString& programDir)
{
    if (!explicitDir.isEmpty())
        return madeDir(explicitDir);
    // An installed program never writes beside itself, even where it could (run by root).
    if (!programDir.isEmpty() && QFileInfo(programDir).isDir() && installedDataDir(programDir).isEmpty() &&
        canWriteIn(programDir))
        return withSlash(programDir);
    return madeDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace kav
