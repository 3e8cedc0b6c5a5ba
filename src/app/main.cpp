// The kavendor program: the main window on the configured channel, or on a recorded feed with
// --replay, optionally run without a screen to write the --dump files.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

#include "broker_link.h"
#include "comm_prompts.h"
#include "command_line.h"
#include "dump_writer.h"
#include "kavendor_comm.h"
#include "line_framer.h"
#include "line_recorder.h"
#include "main_window.h"
#include "replay_feeder.h"

namespace {

void PrintTo(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

bool AskedForDump(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--dump" || argument.startsWith("--dump="))
            return true;
    }
    return false;
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

} // namespace

int main(int argc, char** argv)
{
    // A dump needs no screen; without a platform named, run offscreen.
    if (AskedForDump(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kavendor"));
    QApplication::setApplicationVersion(QString::fromLatin1(kav::TFMain::kVersion));

    const kav::TCommandLineResult parsed = kav::ParseCommandLine(QApplication::arguments().mid(1));
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

    const bool replay = !options.Replay.isEmpty();
    const bool dump = !options.Dump.isEmpty();
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

    kav::BrokerLink broker;                                   // [broker]
    mainOptions.MqttChannelMaker = broker.feedChannelMaker(); // [broker]
    kav::TFMain window(mainOptions);
    kav::TLineRecorder recorder;
    if (!options.Record.isEmpty()) {
        QString error;
        if (!recorder.Open(options.Record, error)) {
            PrintTo(stderr, QStringLiteral("kavendor: %1\n").arg(error));
            return 2;
        }
        window.LineTap = [&recorder](const QByteArray& line) { recorder.Write(line); };
    }
    // [broker] Publishing as Kavendor.ini and --mqtt/--mqtt-topic say; it adds itself to the line tap.
    broker.attach(window, mainOptions.UseSettingsFiles ? window.SettingsPath() : QString(), options.Mqtt,
                  options.MqttTopic);
    // [broker] The seam for the web view: once it is in the program, hand its "GET /api/state" document
    // builder to broker.setStateDocumentSource, and the "state" topic carries that document.

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
            feeder.Start(options.Rate, [&window](const QByteArray& line) {
                // A line the device would have dropped as too long counts as one bad line here too.
                if (line.size() - 1 > kav::TLineFramer::kMaxLine)
                    window.Ctl().Records.CountBadLine();
                else
                    window.ReceiveString(line);
            });
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
            if (!kav::WriteDump(options.Dump, window.Ctl().Windows.All(), window.Ctl().Pictures, window.Panel(),
                                window.Ctl().State, error)) {
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
            // A live session over TCP (or MQTT, [broker]): the dump is written when the server closes the
            // connection (the publisher goes offline).
            kav::TKavendorComm* device = window.Device();
            const bool mqtt = device && device->Settings.CommType == kav::TCommType::MQTT; // [broker]
            if (!device || (device->Settings.CommType != kav::TCommType::TCPIP && !mqtt)) {
                PrintTo(stderr,
                        QStringLiteral("kavendor: --dump without --replay needs a TCP or MQTT connection in %1\n")
                            .arg(mainOptions.ConfigDir + QLatin1String(kav::TKavendorComm::kFileName)));
                return 2;
            }
            device->SetPrompts(&consolePrompts);
            device->OnConnectionEnded = [&](kav::TKavendorComm&, bool failed) {
                if (failed && mqtt) // [broker]
                    PrintTo(stderr, QStringLiteral("kavendor: no feed from the broker: %1\n").arg(broker.statusText()));
                else if (failed)
                    PrintTo(stderr, QStringLiteral("kavendor: no connection to %1:%2\n")
                                        .arg(device->Settings.TCPIP_Addr)
                                        .arg(device->Settings.TCPIP_Port));
                finish(failed ? 1 : 0);
            };
        }
        const int loop = QApplication::exec();
        broker.finish(); // [broker]
        return loop == 0 ? status : loop;
    }

    window.show();
    QTimer::singleShot(0, &app, startReplay);
    const int loop = QApplication::exec();
    broker.finish(); // [broker]
    return loop;
}
