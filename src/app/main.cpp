// The kavendor program: the main window on the configured channel, or on a recorded feed with
// --replay, optionally run without a screen to write the --dump files.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "broker_link.h"
#include "comm_prompts.h"
#include "command_line.h"
#include "dump_writer.h"
#include "full_screen_start.h"
#include "kavendor_comm.h"
#include "line_recorder.h"
#include "main_window.h"
#include "race_report.h"
#include "replay_feeder.h"
#include "screen_saver_inhibitor.h"
#include "state_document.h"
#include "ui_prompter.h"
#include "web_view_host.h"

namespace {

void PrintTo(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// The arguments after the program name, decoded as the toolkit would decode them.
QStringList ProgramArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Without a reachable display the toolkit ends the program with an abort while the application object
// is made; the operator gets one line and status 1 instead. The toolkit's own notes on the failed
// platform are left out: the line says all there is.
void ReportNoDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        PrintTo(stderr, QStringLiteral("kavendor: no display to show the windows on (over ssh or from a service, "
                                       "use --dump)\n"));
        std::_Exit(1);
    }
    if (!QByteArray(context.category).startsWith("qt.qpa"))
        PrintTo(stderr, qFormatLogMessage(type, context, message) + QLatin1Char('\n'));
}

// Without a layout the dump shows everything: one window of each kind with every column.
void OpenEveryKind(kav::TFMain& window)
{
    for (std::uint8_t kind :
         {kav::kLayoutCurrentRace, kav::kLayoutCompletedLap, kav::kLayoutPractice, kav::kLayoutTrackPositions}) {
        kav::TResultWinRec rec;
        rec.Layout = kind;
        rec.TopRow = 1;
        for (std::uint8_t id = 0; id < kav::kColumnIds; ++id)
            rec.ColRel[id] = id;
        window.OpenResultWindow(rec);
    }
}

// Nobody is at the screen during a dump: the connection's questions are answered No and its
// warnings go to standard error.
class TConsolePrompts : public kav::TCommPrompts {
public:
    bool AskYesNo(const QString&) override { return false; }
    void Warn(const QString& text) override { PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(text)); }
    void ShowError(const QString& text) override { Warn(text); }
};

// Nor is anybody there for the display's boxes (a layout's logo that cannot be loaded): each would wait
// for ever. Messages go to standard error, questions are answered No, dialogs are cancelled.
class TConsolePrompter : public kav::TUiPrompter {
public:
    int Exec(QDialog&) override { return 0; }
    std::optional<QFont> ChooseFont(const QFont&, QWidget*) override { return std::nullopt; }
    std::optional<QColor> ChooseColor(const QColor&, QWidget*) override { return std::nullopt; }
    bool SetUpPrinter(QPrinter&, QWidget*) override { return false; }
    QString OpenFileName(const QString&, QWidget*) override { return {}; }
    bool Confirm(const QString& text, QWidget*) override
    {
        return Ask(kav::TBoxKind::Confirmation, text, false, nullptr) == kav::TAnswer::Yes;
    }
    kav::TAnswer Ask(kav::TBoxKind kind, const QString& text, bool withCancel, QWidget*) override
    {
        Tell(kind, text, nullptr);
        return withCancel ? kav::TAnswer::Cancel : kav::TAnswer::No;
    }
    void Tell(kav::TBoxKind, const QString& text, QWidget*) override
    {
        PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(text));
    }
    QString SaveFileName(const QString&, const QString&, const QString&, QWidget*) override { return {}; }
    bool OpenDocument(const QString&) override { return false; }
};

} // namespace

int main(int argc, char** argv)
{
    // Read before any window system is touched: --help, --version and a wrong command line need none.
    const kav::TCommandLineResult parsed = kav::ParseCommandLine(ProgramArguments(argc, argv));
    if (!parsed.Options) {
        PrintTo(stderr, QStringLiteral("kavendor: %1\nTry 'kavendor --help'.\n").arg(parsed.Error));
        return 2;
    }
    const kav::TCommandLine& options = *parsed.Options;
    if (options.Help) {
        PrintTo(stdout, kav::UsageText());
        return 0;
    }
    if (options.Version) {
        PrintTo(stdout, kav::VersionText() + QLatin1Char('\n'));
        return 0;
    }

    // A dump and a race report need no screen; without a platform named, run offscreen.
    if ((!options.Dump.isEmpty() || !options.report.isEmpty()) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit sees only the program name: every argument is the program's own, read above.
    int toolkitArgc = 1;
    const QtMessageHandler toolkitHandler = qInstallMessageHandler(ReportNoDisplay);
    QApplication app(toolkitArgc, argv);
    qInstallMessageHandler(toolkitHandler);
    QApplication::setApplicationName(QStringLiteral("Kavendor"));
    QApplication::setApplicationVersion(QString::fromLatin1(kav::TFMain::kVersion));

    const bool replay = !options.Replay.isEmpty();
    // The race report, like the dump, is written without a window.
    const bool dump = !options.Dump.isEmpty() || !options.report.isEmpty();
    kav::TMainOptions mainOptions;
    mainOptions.ProgramDir = QApplication::applicationDirPath() + QLatin1Char('/');
    mainOptions.UseChannel = !replay;
    mainOptions.UseSettingsFiles = !dump || !options.ConfigDir.isEmpty();
    if (mainOptions.UseSettingsFiles) {
        mainOptions.ConfigDir = kav::ChooseConfigDir(options.ConfigDir, mainOptions.ProgramDir);
        if (mainOptions.ConfigDir.isEmpty()) {
            PrintTo(stderr, QStringLiteral("kavendor: no folder for the settings files can be created\n"));
            return 2;
        }
    }
    if (!options.Layout.isEmpty())
        mainOptions.Layout = QFileInfo(options.Layout).absoluteFilePath();
    mainOptions.ReplayFile = options.Replay;

    TConsolePrompter consolePrompter; // made before the window, so that it outlives it
    if (dump)
        kav::SetPrompter(&consolePrompter);
    kav::BrokerLink broker; // before the window, whose device may ask it for an MQTT feed channel
    mainOptions.MqttChannelMaker = broker.feedChannelMaker();
    kav::TFMain window(mainOptions);
    kav::TLineRecorder recorder;
    if (!options.Record.isEmpty()) {
        QString error;
        if (!recorder.Open(options.Record, error)) {
            PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
            return 2;
        }
        window.Device()->setTap([&recorder](const QByteArray& line) { recorder.Write(line); });
    }
    // Publishing as Kavendor.ini and --mqtt/--mqtt-topic say.
    broker.attach(window, mainOptions.UseSettingsFiles ? window.SettingsPath() : QString(), options.Mqtt,
                  options.MqttTopic);

    kav::WebViewHost web(window, options.WebPort, options.WebBind,
                         mainOptions.UseSettingsFiles && !dump ? window.SettingsPath() : QString());
    if (QString error; !web.start(error)) {
        PrintTo(stderr, QStringLiteral("kavendor: --web: %1\n").arg(error));
        return 2;
    }
    if (!web.address().isEmpty())
        PrintTo(stderr, QStringLiteral("kavendor: web view on %1\n").arg(web.address()));
    // The "state" topic carries the web view's /api/state document, built from the same results.
    kav::StateDocument brokerState(web.source());
    broker.setStateDocumentSource([&brokerState] {
        brokerState.publish();
        return brokerState.snapshot();
    });

    kav::TReplayFeeder feeder;
    if (replay) {
        QString error;
        if (!feeder.Load(options.Replay, error)) {
            PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
            return 2;
        }
    }
    const auto startReplay = [&] {
        if (replay)
            feeder.Start(options.Rate,
                         [device = window.Device()](const QByteArray& line) { device->receiveBytes(line); });
    };

    int status = 0;
    if (dump) {
        window.FormActivate();
        if (window.Ctl().Windows.Count() == 0)
            OpenEveryKind(window);
        bool finished = false;
        const auto finish = [&](int code) {
            if (finished)
                return;
            finished = true;
            QString error;
            status = code;
            if (!options.Dump.isEmpty() &&
                !kav::WriteDump(options.Dump, window.Ctl().Windows.All(), window.Ctl().Pictures, window.Panel(),
                                window.Ctl().State, error)) {
                PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
                status = 1;
            }
            if (!options.report.isEmpty() && !kav::writeRaceReport(window.Ctl().chartSource, options.report, error)) {
                PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
                status = 1;
            }
            window.FormClose();
            QApplication::exit(status);
        };
        TConsolePrompts consolePrompts;
        if (replay) {
            feeder.OnFinished = [&] { finish(0); };
            QTimer::singleShot(0, &app, startReplay);
        } else {
            // A live session over TCP or MQTT: the dump is written when the server closes the connection
            // (the publisher goes offline).
            kav::TKavendorComm* device = window.Device();
            const bool mqtt = device && device->Settings.CommType == kav::TCommType::MQTT;
            if (!device || (device->Settings.CommType != kav::TCommType::TCPIP && !mqtt)) {
                PrintTo(stderr,
                        QStringLiteral("kavendor: --dump without --replay needs a TCP or MQTT connection in %1\n")
                            .arg(mainOptions.ConfigDir + QLatin1String(kav::TKavendorComm::kFileName)));
                return 2;
            }
            device->SetPrompts(&consolePrompts);
            device->OnConnectionEnded = [&](kav::TKavendorComm&, bool failed) {
                if (failed && mqtt)
                    PrintTo(stderr, QStringLiteral("kavendor: no feed from the broker: %1\n").arg(broker.statusText()));
                else if (failed)
                    PrintTo(stderr, QStringLiteral("kavendor: no connection to %1:%2\n")
                                        .arg(device->Settings.TCPIP_Addr)
                                        .arg(device->Settings.TCPIP_Port));
                finish(failed ? 1 : 0);
            };
        }
        const int loop = QApplication::exec();
        broker.finish();
        return loop == 0 ? status : loop;
    }

    kav::ScreenSaverInhibitor screenSaver;
    screenSaver.watchWindows();
    window.show();
    if (options.FullScreenWindow > 0)
        QTimer::singleShot(0, &app, [&] {
            const QString problem =
                kav::startFullScreen(window.Ctl().Windows, options.FullScreenWindow, options.FullScreenScreen);
            if (!problem.isEmpty())
                PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(problem));
        });
    QTimer::singleShot(0, &app, startReplay);
    const int loop = QApplication::exec();
    broker.finish();
    return loop;
}
