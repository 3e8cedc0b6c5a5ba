// The kavendor program: the main window on the configured channel, or on a recorded feed with
// --replay, optionally run without a screen to write the --dump files.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "broker_link.h"
#include "command_line.h"
#include "communication_prompts.h"
#include "delayed_race_feed.h"
#include "dump_writer.h"
#include "full_screen_start.h"
#include "headless_log.h"
#include "kavendor_device.h"
#include "line_recorder.h"
#include "main_window.h"
#include "race_report.h"
#include "replay_bar.h"
#include "replay_bar_link.h"
#include "replay_control.h"
#include "replay_feeder.h"
#include "screen_saver_inhibitor.h"
#include "stop_signals.h"
#include "ui_prompter.h"
#include "web_view_host.h"
#include "web_view_settings.h"

namespace {

void printTo(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// The arguments after the program name, decoded as the toolkit would decode them.
QStringList programArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Without a reachable display the toolkit ends the program with an abort while the application object
// is made; the operator gets one line and status 1 instead. The toolkit's own notes on the failed
// platform are left out: the line says all there is.
void reportNoDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        printTo(stderr, QStringLiteral("kavendor: no display to show the windows on (over ssh or from a service, "
                                       "use --dump)\n"));
        std::_Exit(1);
    }
    if (!QByteArray(context.category).startsWith("qt.qpa"))
        printTo(stderr, qFormatLogMessage(type, context, message) + QLatin1Char('\n'));
}

// Without a screen the toolkit notes every window it cannot raise or size; a service's journal needs
// none of it, and keeps every other message.
void withoutScreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        QByteArray(context.category).startsWith("qt.qpa"))
        return;
    printTo(stderr, qFormatLogMessage(type, context, message) + QLatin1Char('\n'));
}

// Without a layout the dump shows one window of each kind with every column the timing system fills;
// a layout chooses others, the class and pit columns among them.
void openEveryKind(kav::MainWindow& window)
{
    for (std::uint8_t kind :
         {kav::kLayoutCurrentRace, kav::kLayoutCompletedLap, kav::kLayoutPractice, kav::kLayoutTrackPositions}) {
        kav::ResultWindowSettings rec;
        rec.Layout = kind;
        rec.TopRow = 1;
        for (std::uint8_t id = 0; id < kav::kFeedColumnIds; ++id)
            rec.ColRel[id] = id;
        window.openResultWindow(rec);
    }
}

// Nobody is at the screen during a dump: the connection's questions are answered No and its
// warnings go to standard error.
class ConsolePrompts : public kav::CommunicationPrompts {
public:
    bool askYesNo(const QString&) override { return false; }
    void warn(const QString& text) override { printTo(stderr, QStringLiteral("kavendor: %1\n").arg(text)); }
    void showError(const QString& text) override { warn(text); }
};

// A service tries again whatever happens: the connection's question is answered Yes.
class HeadlessPrompts : public ConsolePrompts {
public:
    bool askYesNo(const QString&) override { return true; }
};

// Nor is anybody there for the display's boxes (a layout's logo that cannot be loaded): each would wait
// for ever. Messages go to standard error, questions are answered No, dialogs are cancelled.
class ConsolePrompter : public kav::UiPrompter {
public:
    int exec(QDialog&) override { return 0; }
    std::optional<QFont> chooseFont(const QFont&, QWidget*) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor&, QWidget*) override { return std::nullopt; }
    bool setUpPrinter(QPrinter&, QWidget*) override { return false; }
    QString openFileName(const QString&, QWidget*) override { return {}; }
    bool confirm(const QString& text, QWidget*) override
    {
        return ask(kav::BoxKind::Confirmation, text, false, nullptr) == kav::Answer::Yes;
    }
    kav::Answer ask(kav::BoxKind kind, const QString& text, bool withCancel, QWidget*) override
    {
        tell(kind, text, nullptr);
        return withCancel ? kav::Answer::Cancel : kav::Answer::No;
    }
    void tell(kav::BoxKind, const QString& text, QWidget*) override
    {
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(text));
    }
    QString saveFileName(const QString&, const QString&, const QString&, QWidget*) override { return {}; }
    bool openDocument(const QString&) override { return false; }
};

// The main window's options as the command line gives them; none when no settings folder can be made.
std::optional<kav::MainWindowOptions> mainWindowOptions(const kav::CommandLineOptions& options, bool dump)
{
    kav::MainWindowOptions main;
    main.ProgramDir = QApplication::applicationDirPath() + QLatin1Char('/');
    main.UseChannel = options.Replay.isEmpty();
    main.UseSettingsFiles = !dump || !options.ConfigDir.isEmpty();
    if (main.UseSettingsFiles) {
        main.ConfigDir = kav::chooseConfigDir(options.ConfigDir, main.ProgramDir);
        if (main.ConfigDir.isEmpty()) {
            printTo(stderr, QStringLiteral("kavendor: no folder for the settings files can be created\n"));
            return std::nullopt;
        }
    }
    if (!options.Layout.isEmpty())
        main.Layout = QFileInfo(options.Layout).absoluteFilePath();
    main.ReplayFile = options.Replay;
    return main;
}

// One run of the program: the main window with what runs beside it (the broker link, the recorder,
// the web view and the replay), shown on screen or run without a window for the dump and the report.
class ProgramRun {
public:
    ProgramRun(const kav::CommandLineOptions& options, bool dump) : m_options(options), m_dump(dump) {}

    // Status 2 when a file or an address of the command line cannot be used.
    int setUp(kav::MainWindowOptions mainOptions);
    int runInteractive();
    int runDump();
    int runHeadless();

private:
    bool startRecorder();
    bool watchStopSignals();
    void stopOnSignal(const QString& signalName);
    bool startWebView();
    bool loadReplay();
    void startReplay();
    void showReplayBar();
    bool watchLiveSession();
    void finishDump(int code);
    bool writeDumpFiles();
    kav::RaceFeed& shownFeed();

    const kav::CommandLineOptions& m_options;
    const bool m_dump;
    kav::MainWindowOptions m_mainOptions;
    ConsolePrompter m_consolePrompter; // made before the window, so that it outlives it
    kav::BrokerLink m_broker;          // before the window, whose device may ask it for an MQTT feed channel
    std::unique_ptr<kav::MainWindow> m_window;
    ConsolePrompts m_consolePrompts;
    HeadlessPrompts m_headlessPrompts;
    kav::HeadlessLog m_log;
    kav::LineRecorder m_recorder;
    std::unique_ptr<kav::DelayedRaceFeed> m_delayed; // with a broadcast delay: the race the outputs show
    std::unique_ptr<kav::WebViewHost> m_web;
    kav::ReplayFeeder m_feeder;
    std::unique_ptr<kav::ReplayControl> m_replayControl; // on screen: the replay bar's
    kav::StopSignals m_stopSignals;
    bool m_finished = false;
    int m_status = 0;
};

int ProgramRun::setUp(kav::MainWindowOptions mainOptions)
{
    m_mainOptions = std::move(mainOptions);
    if (m_dump)
        kav::setPrompter(&m_consolePrompter);
    m_mainOptions.MqttChannelMaker = m_broker.feedChannelMaker();
    m_window = std::make_unique<kav::MainWindow>(m_mainOptions);
    if (!watchStopSignals())
        return 1;
    if (!startRecorder())
        return 2;
    // Publishing as Kavendor.ini and --mqtt/--mqtt-topic say; a replayed dump publishes every line or fails.
    m_broker.setDeliverEverything(m_dump && !m_options.Replay.isEmpty());
    m_broker.attach(*m_window, shownFeed(), m_mainOptions.UseSettingsFiles ? m_window->settingsPath() : QString(),
                    m_options.Mqtt, m_options.MqttTopic);
    if (!startWebView() || !loadReplay())
        return 2;
    return 0;
}

bool ProgramRun::startRecorder()
{
    if (m_options.Record.isEmpty())
        return true;
    QString error;
    if (!m_recorder.open(m_options.Record, error)) {
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
        return false;
    }
    // A replay's seek feeds lines again that the recording already holds.
    m_window->device()->setTap([this](const QByteArray& line) {
        if (!m_replayControl || !m_replayControl->rebuilding())
            m_recorder.write(line);
    });
    return true;
}

bool ProgramRun::watchStopSignals()
{
    QString error;
    if (!m_stopSignals.install(error)) {
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
        return false;
    }
    QObject::connect(&m_stopSignals, &kav::StopSignals::stopRequested, m_window.get(),
                     [this](const QString& signalName) { stopOnSignal(signalName); });
    return true;
}

// A service stopped or a session ended: nobody is there to answer, so the program closes as on Exit
// without a question and keeps its settings. A dump cut short has no complete files to write.
void ProgramRun::stopOnSignal(const QString& signalName)
{
    if (m_finished)
        return;
    kav::setPrompter(&m_consolePrompter);
    if (m_options.Headless) {
        printTo(stderr, QStringLiteral("kavendor: stopped by %1\n").arg(signalName));
        m_finished = true;
        m_feeder.stop();
        m_window->shutDown();
        QApplication::exit(0);
        return;
    }
    if (m_dump) {
        printTo(stderr,
                QStringLiteral("kavendor: stopped by %1 before the feed ended; no files written\n").arg(signalName));
        m_finished = true;
        m_feeder.stop();
        m_window->shutDown();
        QApplication::exit(1);
        return;
    }
    m_finished = true;
    const QString layout = m_window->closeUnasked();
    printTo(stderr, QStringLiteral("kavendor: stopped by %1, settings saved%2\n")
                        .arg(signalName, layout.isEmpty() ? QString() : QStringLiteral("; ") + layout));
    QApplication::exit(0);
}

kav::RaceFeed& ProgramRun::shownFeed()
{
    const QString settingsFile = m_mainOptions.UseSettingsFiles && !m_dump ? m_window->settingsPath() : QString();
    const int delay = m_options.WebDelay >= 0  ? m_options.WebDelay
                      : settingsFile.isEmpty() ? 0
                                               : kav::readWebViewSettings(settingsFile.toStdString()).delaySeconds;
    if (delay > 0 && !m_delayed) {
        m_delayed =
            std::make_unique<kav::DelayedRaceFeed>(*m_window->device(), m_window->settings(), m_window->clock(),
                                                   m_window->controller().Followed, std::chrono::seconds(delay));
        printTo(stderr, QStringLiteral("kavendor: web pages and broker results %1 s behind the feed\n").arg(delay));
    }
    return m_delayed ? m_delayed->feed() : m_window->controller();
}

bool ProgramRun::startWebView()
{
    m_web = std::make_unique<kav::WebViewHost>(*m_window, shownFeed(), m_options.WebPort, m_options.WebBind,
                                               m_mainOptions.UseSettingsFiles && !m_dump ? m_window->settingsPath()
                                                                                         : QString());
    if (QString error; !m_web->start(error)) {
        printTo(stderr, QStringLiteral("kavendor: --web: %1\n").arg(error));
        return false;
    }
    if (!m_web->address().isEmpty())
        printTo(stderr, QStringLiteral("kavendor: web view on %1\n").arg(m_web->address()));
    // The "state" topic carries the web view's /api/state document: the program has one.
    m_broker.setStateFeed(&m_web->feed());
    QObject::connect(&m_broker, &kav::BrokerLink::feedLossesChanged, &m_web->adapter(),
                     &kav::WebStateAdapter::setFeedLost);
    return true;
}

bool ProgramRun::loadReplay()
{
    QString error;
    if (m_options.ReplayTo >= 0)
        m_feeder.setEnd(m_options.ReplayTo);
    if (m_options.Replay.isEmpty() || m_feeder.load(m_options.Replay, error))
        return true;
    printTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
    return false;
}

void ProgramRun::startReplay()
{
    if (m_options.Replay.isEmpty())
        return;
    auto sink = [device = m_window->device()](const QByteArray& line) { device->receiveBytes(line); };
    if (m_replayControl)
        m_replayControl->start(m_options.Rate, std::move(sink));
    else
        m_feeder.start(m_options.Rate, std::move(sink));
}

// On screen a replay can be paused, sped up, sought in and followed live; every output follows.
void ProgramRun::showReplayBar()
{
    if (m_options.Replay.isEmpty())
        return;
    m_replayControl = std::make_unique<kav::ReplayControl>(m_feeder, m_window->controller(), m_window->settings());
    m_replayControl->setRestartHook([this] {
        m_window->device()->forgetPartialLine();
        if (m_delayed)
            m_delayed->restart();
        m_broker.startNewSession([this] { return m_replayControl->rebuilding(); });
    });
    m_replayControl->watchFile(m_options.Replay);
    auto* bar = new kav::ReplayBar(m_window.get());
    if (m_options.Rate > 0)
        bar->addRate(m_options.Rate);
    else
        bar->chooseSpeed(0); // as fast as the program takes the lines, as before the bar
    m_window->addToolBar(Qt::BottomToolBarArea, bar);
    kav::linkReplayBar(*bar, *m_replayControl);
}

int ProgramRun::runInteractive()
{
    kav::ScreenSaverInhibitor screenSaver;
    screenSaver.watchWindows();
    showReplayBar();
    m_window->show();
    if (m_options.FullScreenWindow > 0)
        QTimer::singleShot(0, m_window.get(), [this] {
            const QString problem = kav::startFullScreen(m_window->controller().Windows, m_options.FullScreenWindow,
                                                         m_options.FullScreenScreen);
            if (!problem.isEmpty())
                printTo(stderr, QStringLiteral("kavendor: %1\n").arg(problem));
        });
    QTimer::singleShot(0, m_window.get(), [this] { startReplay(); });
    const int loop = QApplication::exec();
    if (const QString undelivered = m_broker.finish(); !undelivered.isEmpty())
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(undelivered));
    return loop;
}

int ProgramRun::runDump()
{
    // Nothing is on screen: the flag window, the stand-by message or the logo closing must not end the
    // run as the last window of an operator's session would.
    QApplication::setQuitOnLastWindowClosed(false);
    m_window->activateFirstTime();
    if (m_window->controller().Windows.count() == 0)
        openEveryKind(*m_window);
    if (!m_options.Replay.isEmpty()) {
        QObject::connect(&m_feeder, &kav::ReplayFeeder::finished, m_window.get(), [this] { finishDump(0); });
        QTimer::singleShot(0, m_window.get(), [this] { startReplay(); });
    } else if (!watchLiveSession()) {
        return 2;
    }
    const int loop = QApplication::exec();
    const QString undelivered = m_broker.finish();
    if (!undelivered.isEmpty()) {
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(undelivered));
        return 1;
    }
    if (!m_finished) {
        printTo(stderr, QStringLiteral("kavendor: the run ended before the feed did; no files written\n"));
        return 1;
    }
    return loop == 0 ? m_status : loop;
}

// A relay or a service: no window, nobody to answer (a lost connection is tried again by itself), every
// state change on standard error; it runs until it is stopped.
int ProgramRun::runHeadless()
{
    QApplication::setQuitOnLastWindowClosed(false);
    kav::setPrompter(&m_consolePrompter);
    kav::KavendorDevice& device = *m_window->device();
    device.setPrompts(&m_headlessPrompts);
    m_log.watch(device, m_window->controller().Info);
    QObject::connect(&m_broker, &kav::BrokerLink::publisherStatusChanged, &m_log, &kav::HeadlessLog::publisherChanged);
    m_window->activateFirstTime();
    QTimer::singleShot(0, m_window.get(), [this] { startReplay(); });
    printTo(stderr, QStringLiteral("kavendor: running without a window until stopped\n"));
    const int loop = QApplication::exec();
    if (const QString undelivered = m_broker.finish(); !undelivered.isEmpty()) {
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(undelivered));
        return 1;
    }
    return loop;
}

// A live session over TCP or MQTT: the dump is written when the server closes the connection (the
// publisher goes offline).
bool ProgramRun::watchLiveSession()
{
    kav::KavendorDevice* device = m_window->device();
    const bool mqtt = device && device->Settings.CommType == kav::CommunicationType::MQTT;
    if (!device || (device->Settings.CommType != kav::CommunicationType::TCPIP && !mqtt)) {
        printTo(stderr, QStringLiteral("kavendor: --dump without --replay needs a TCP or MQTT connection in %1\n")
                            .arg(m_mainOptions.ConfigDir + QLatin1String(kav::KavendorDevice::kFileName)));
        return false;
    }
    device->setPrompts(&m_consolePrompts);
    if (!mqtt && !device->communication()) { // a port in the file that no socket can use
        printTo(stderr, QStringLiteral("kavendor: TCPIP_Port in %1 is not a port number (1 to 65535)\n")
                            .arg(m_mainOptions.ConfigDir + QLatin1String(kav::KavendorDevice::kFileName)));
        return false;
    }
    QObject::connect(device, &kav::KavendorDevice::connectionEnded, m_window.get(), [this, device, mqtt](bool failed) {
        if (failed && mqtt)
            printTo(stderr, QStringLiteral("kavendor: no feed from the broker: %1\n").arg(m_broker.statusText()));
        else if (failed)
            printTo(stderr, QStringLiteral("kavendor: no connection to %1:%2\n")
                                .arg(device->Settings.TCPIP_Addr)
                                .arg(device->Settings.TCPIP_Port));
        finishDump(failed ? 1 : 0);
    });
    return true;
}

void ProgramRun::finishDump(int code)
{
    if (m_finished)
        return;
    m_finished = true;
    m_status = code;
    if (!writeDumpFiles())
        m_status = 1;
    m_window->shutDown();
    QApplication::exit(m_status);
}

// The --dump files and the race report; false when one could not be written (reported).
bool ProgramRun::writeDumpFiles()
{
    QString error;
    kav::Controller& controller = m_window->controller();
    bool written = true;
    if (!m_options.Dump.isEmpty() &&
        !kav::writeDump(m_options.Dump,
                        {controller.Windows.all(), m_window->settings()->Headers, controller.Info, controller.State},
                        error)) {
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
        written = false;
    }
    // A replayed recording was made on its file's day, not today.
    const QDate recorded = m_options.Replay.isEmpty() ? QDate() : QFileInfo(m_options.Replay).lastModified().date();
    if (!m_options.Report.isEmpty() &&
        !kav::writeRaceReport(controller.ChartSource, m_options.Report, error, QDate::currentDate(), recorded)) {
        printTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
        written = false;
    }
    return written;
}

// Answers --help and --version, or reports a wrong command line; none when the program is to run.
std::optional<int> answerWithoutWindows(const kav::CommandLineResult& parsed)
{
    if (!parsed.Options) {
        printTo(stderr, QStringLiteral("kavendor: %1\nTry 'kavendor --help'.\n").arg(parsed.Error));
        return 2;
    }
    if (parsed.Options->Help) {
        printTo(stdout, kav::usageText());
        return 0;
    }
    if (parsed.Options->Version) {
        printTo(stdout, kav::versionText() + QLatin1Char('\n'));
        return 0;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    // Read before any window system is touched: --help, --version and a wrong command line need none.
    const kav::CommandLineResult parsed = kav::parseCommandLine(programArguments(argc, argv));
    if (const std::optional<int> status = answerWithoutWindows(parsed))
        return *status;
    const kav::CommandLineOptions& options = *parsed.Options;
    // A dump and a race report are written without a window; without a platform named, run offscreen.
    const bool dump = !options.Dump.isEmpty() || !options.Report.isEmpty();
    if ((dump || options.Headless) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit sees only the program name: every argument is the program's own, read above.
    int toolkitArgc = 1;
    const QtMessageHandler toolkitHandler = qInstallMessageHandler(reportNoDisplay);
    QApplication app(toolkitArgc, argv);
    qInstallMessageHandler(options.Headless ? withoutScreenNotes : toolkitHandler);
    QApplication::setApplicationName(QStringLiteral("Kavendor"));
    QApplication::setApplicationVersion(QString::fromLatin1(kav::MainWindow::kVersion));

    std::optional<kav::MainWindowOptions> mainOptions = mainWindowOptions(options, dump);
    if (!mainOptions)
        return 2;
    ProgramRun run(options, dump);
    if (const int status = run.setUp(std::move(*mainOptions)); status != 0)
        return status;
    return dump ? run.runDump() : options.Headless ? run.runHeadless() : run.runInteractive();
}
