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
using NextSession = std::function<std::vector<SimLine>()>;

int fail(const std::string& what)
{
    std::cerr << "kavendor-feed: " << what << '\n';
    return 1;
}

int usageError(const std::string& error)
{
    std::cerr << "kavendor-feed: " << error << " (see kavendor-feed --help)\n";
    return 2;
}

// A Qt application for the event loop; the program's own arguments are not Qt's business.
struct EventLoop {
    int argc = 1;
    char name[16] = "kavendor-feed";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// At the end of a session the next one starts after a short break (onNext comes first), or onLast ends the play.
template <typename OnNext, typename OnLast>
void chainSessions(FeedPacer& pacer, const NextSession& next, QObject* context, OnNext onNext, OnLast onLast)
{
    QObject::connect(
        &pacer, &FeedPacer::isFinished, context,
        [&pacer, next, onNext, onLast] {
            if (!next) {
                onLast();
                return;
            }
            onNext();
            pacer.restart(next(), SimSeries::kBreak);
        },
        Qt::QueuedConnection);
}

// The clock starts with the first client, so that nobody misses the start of the session.
int playToClients(std::vector<SimLine> lines, double speed, const FeedTarget& target, const NextSession& next)
{
    EventLoop loop;
    StopSignals stop;
    FeedBroadcaster clients;
    if (!clients.listen(QString::fromStdString(target.bind), static_cast<quint16>(target.port)))
        return fail("cannot listen on " + target.bind + ":" + std::to_string(target.port) + ": " +
                    clients.errorText().toStdString());
    std::cerr << "kavendor-feed: serving on " << target.bind << ':' << clients.port() << std::endl;
    FeedPacer pacer(std::move(lines), speed, [&clients](const std::string& line) { clients.send(line); });
    QObject::connect(&clients, &FeedBroadcaster::firstClient, &pacer, &FeedPacer::start);
    // A late client of a later session catches up from that session's start, not from the first one's.
    chainSessions(
        pacer, next, &clients, [&clients] { clients.startSession(); }, [&clients] { clients.finish(); });
    QObject::connect(&stop, &StopSignals::stop, &clients, [&] {
        pacer.stop();
        clients.finish();
        QTimer::singleShot(kStopGrace, &loop.app, &QCoreApplication::quit);
    });
    QObject::connect(&clients, &FeedBroadcaster::allClosed, &loop.app, &QCoreApplication::quit, Qt::QueuedConnection);
    return loop.app.exec();
}

int playToSerial(std::vector<SimLine> lines, double speed, const std::string& device, const NextSession& next)
{
    SerialWriter writer;
    if (!writer.open(device))
        return fail("cannot open " + device + ": " + std::strerror(errno));
    EventLoop loop;
    StopSignals stop;
    int status = 0;
    FeedPacer pacer(std::move(lines), speed, [&](const std::string& line) {
        if (status == 0 && !writer.writeLine(line)) {
            status = fail("cannot write to " + device + ": " + std::strerror(errno));
            pacer.stop();
            loop.app.exit(status);
        }
    });
    chainSessions(
        pacer, next, &loop.app, [] {}, [&loop, &status] { loop.app.exit(status); });
    QObject::connect(&stop, &StopSignals::stop, &loop.app, [&] {
        pacer.stop();
        loop.app.exit(status);
    });
    // Started from the loop: an exit asked for before exec() would be lost.
    QTimer::singleShot(0, &pacer, &FeedPacer::start);
    return loop.app.exec();
}

int play(std::vector<SimLine> lines, double speed, const FeedTarget& target, const NextSession& next)
{
    if (!target.serial.empty())
        return playToSerial(std::move(lines), speed, target.serial, next);
    return playToClients(std::move(lines), speed, target, next);
}

} // namespace

int runSimulate(const std::vector<std::string_view>& args)
{
    std::string error;
    const auto command = parseSimulate(args, error);
    if (!command)
        return usageError(error);
    SimSeries series(command->session);
    auto lines = series.next();
    if (!command->target.out.empty())
        return writeFeedFile(command->target.out, lines) ? 0 : fail("cannot write " + command->target.out);
    NextSession next;
    if (command->repeat)
        next = [&series] { return series.next(); };
    return play(std::move(lines), command->speed, command->target, next);
}

int runServe(const std::vector<std::string_view>& args)
{
    std::string error;
    const auto command = parseServe(args, error);
    if (!command)
        return usageError(error);
    std::ifstream file(command->file, std::ios::binary);
    if (!file)
        return fail("cannot open " + command->file + ": " + std::strerror(errno));
    LeftOut leftOut;
    std::vector<SimLine> lines = readPacedFeed(file, command->rate, leftOut);
    warnLeftOut(std::cerr, leftOut, command->file, "sent");
    return playToClients(std::move(lines), 1.0, command->target, {});
}

} // namespace kav
