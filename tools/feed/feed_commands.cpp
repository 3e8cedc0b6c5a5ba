#include "feed_commands.h"

#include <QCoreApplication>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>

#include "feed_broadcaster.h"
#include "feed_command_line.h"
#include "feed_file.h"
#include "feed_pacer.h"
#include "race_session.h"
#include "serial_writer.h"
#include "sim_series.h"
#include "stop_signals.h"

namespace kav {
namespace {

// How long clients get to take the last bytes after SIGTERM or SIGINT before the tool ends anyway.
constexpr std::chrono::milliseconds kStopGrace{2000};

// The session that follows the one just played; empty when there is none.
using TNextSession = std::function<std::vector<TSimLine>()>;

int Fail(const std::string& what)
{
    std::cerr << "kavendor-feed: " << what << '\n';
    return 1;
}

int UsageError(const std::string& error)
{
    std::cerr << "kavendor-feed: " << error << " (see kavendor-feed --help)\n";
    return 2;
}

// A Qt application for the event loop; the program's own arguments are not Qt's business.
struct TEventLoop {
    int argc = 1;
    char name[16] = "kavendor-feed";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// At the end of a session the next one starts after a short break (onNext comes first), or onLast ends the play.
template <typename OnNext, typename OnLast>
void ChainSessions(TFeedPacer& pacer, const TNextSession& next, QObject* context, OnNext onNext, OnLast onLast)
{
    QObject::connect(
        &pacer, &TFeedPacer::Finished, context,
        [&pacer, next, onNext, onLast] {
            if (!next) {
                onLast();
                return;
            }
            onNext();
            pacer.Restart(next(), TSimSeries::kBreak);
        },
        Qt::QueuedConnection);
}

// The clock starts with the first client, so that nobody misses the start of the session.
int PlayToClients(std::vector<TSimLine> lines, double speed, const TFeedTarget& target, const TNextSession& next)
{
    TEventLoop loop;
    TStopSignals stop;
    TFeedBroadcaster clients;
    if (!clients.Listen(QString::fromStdString(target.bind), static_cast<quint16>(target.port)))
        return Fail("cannot listen on " + target.bind + ":" + std::to_string(target.port) + ": " +
                    clients.ErrorText().toStdString());
    std::cerr << "kavendor-feed: serving on " << target.bind << ':' << clients.Port() << std::endl;
    TFeedPacer pacer(std::move(lines), speed, [&clients](const std::string& line) { clients.Send(line); });
    QObject::connect(&clients, &TFeedBroadcaster::FirstClient, &pacer, &TFeedPacer::Start);
    // A late client of a later session catches up from that session's start, not from the first one's.
    ChainSessions(
        pacer, next, &clients, [&clients] { clients.StartSession(); }, [&clients] { clients.Finish(); });
    QObject::connect(&stop, &TStopSignals::Stop, &clients, [&] {
        pacer.Stop();
        clients.Finish();
        QTimer::singleShot(kStopGrace, &loop.app, &QCoreApplication::quit);
    });
    QObject::connect(&clients, &TFeedBroadcaster::AllClosed, &loop.app, &QCoreApplication::quit, Qt::QueuedConnection);
    return loop.app.exec();
}

int PlayToSerial(std::vector<TSimLine> lines, double speed, const std::string& device, const TNextSession& next)
{
    TSerialWriter writer;
    if (!writer.Open(device))
        return Fail("cannot open " + device + ": " + std::strerror(errno));
    TEventLoop loop;
    TStopSignals stop;
    int status = 0;
    TFeedPacer pacer(std::move(lines), speed, [&](const std::string& line) {
        if (status == 0 && !writer.WriteLine(line)) {
            status = Fail("cannot write to " + device + ": " + std::strerror(errno));
            pacer.Stop();
            loop.app.exit(status);
        }
    });
    ChainSessions(
        pacer, next, &loop.app, [] {}, [&loop, &status] { loop.app.exit(status); });
    QObject::connect(&stop, &TStopSignals::Stop, &loop.app, [&] {
        pacer.Stop();
        loop.app.exit(status);
    });
    // Started from the loop: an exit asked for before exec() would be lost.
    QTimer::singleShot(0, &pacer, &TFeedPacer::Start);
    return loop.app.exec();
}

int Play(std::vector<TSimLine> lines, double speed, const TFeedTarget& target, const TNextSession& next)
{
    if (!target.serial.empty())
        return PlayToSerial(std::move(lines), speed, target.serial, next);
    return PlayToClients(std::move(lines), speed, target, next);
}

} // namespace

int RunSimulate(const std::vector<std::string_view>& args)
{
    std::string error;
    const auto command = ParseSimulate(args, error);
    if (!command)
        return UsageError(error);
    TSimSeries series(command->session);
    auto lines = series.Next();
    if (!command->target.out.empty())
        return WriteFeedFile(command->target.out, lines) ? 0 : Fail("cannot write " + command->target.out);
    TNextSession next;
    if (command->repeat)
        next = [&series] { return series.Next(); };
    return Play(std::move(lines), command->speed, command->target, next);
}

int RunServe(const std::vector<std::string_view>& args)
{
    std::string error;
    const auto command = ParseServe(args, error);
    if (!command)
        return UsageError(error);
    std::ifstream file(command->file, std::ios::binary);
    if (!file)
        return Fail("cannot open " + command->file + ": " + std::strerror(errno));
    return PlayToClients(ReadPacedFeed(file, command->rate), 1.0, command->target, {});
}

} // namespace kav
