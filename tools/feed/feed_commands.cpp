#include "feed_commands.h"

#include <QCoreApplication>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "feed_broadcaster.h"
#include "feed_command_line.h"
#include "feed_file.h"
#include "feed_pacer.h"
#include "race_session.h"
#include "serial_writer.h"

namespace kav {
namespace {

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

// The clock starts with the first client, so that nobody misses the start of the session.
int PlayToClients(std::vector<TSimLine> lines, double speed, const TFeedTarget& target)
{
    TEventLoop loop;
    TFeedBroadcaster clients;
    if (!clients.Listen(QString::fromStdString(target.bind), static_cast<quint16>(target.port)))
        return Fail("cannot listen on " + target.bind + ":" + std::to_string(target.port) + ": " +
                    clients.ErrorText().toStdString());
    std::cerr << "kavendor-feed: serving on " << target.bind << ':' << clients.Port() << std::endl;
    TFeedPacer pacer(std::move(lines), speed, [&clients](const std::string& line) { clients.Send(line); });
    QObject::connect(&clients, &TFeedBroadcaster::FirstClient, &pacer, &TFeedPacer::Start);
    QObject::connect(&pacer, &TFeedPacer::Finished, &clients, &TFeedBroadcaster::Finish);
    QObject::connect(&clients, &TFeedBroadcaster::AllClosed, &loop.app, &QCoreApplication::quit, Qt::QueuedConnection);
    return loop.app.exec();
}

int PlayToSerial(std::vector<TSimLine> lines, double speed, const std::string& device)
{
    TSerialWriter writer;
    if (!writer.Open(device))
        return Fail("cannot open " + device + ": " + std::strerror(errno));
    TEventLoop loop;
    int status = 0;
    TFeedPacer pacer(std::move(lines), speed, [&](const std::string& line) {
        if (status == 0 && !writer.WriteLine(line)) {
            status = Fail("cannot write to " + device + ": " + std::strerror(errno));
            loop.app.exit(status);
        }
    });
    QObject::connect(&pacer, &TFeedPacer::Finished, &loop.app, [&loop, &status] { loop.app.exit(status); });
    // Started from the loop: an exit asked for before exec() would be lost.
    QTimer::singleShot(0, &pacer, &TFeedPacer::Start);
    return loop.app.exec();
}

int Play(std::vector<TSimLine> lines, double speed, const TFeedTarget& target)
{
    if (!target.serial.empty())
        return PlayToSerial(std::move(lines), speed, target.serial);
    return PlayToClients(std::move(lines), speed, target);
}

} // namespace

int RunSimulate(const std::vector<std::string_view>& args)
{
    std::string error;
    const auto command = ParseSimulate(args, error);
    if (!command)
        return UsageError(error);
    auto lines = SimulateSession(command->session);
    if (command->target.out.empty())
        return Play(std::move(lines), command->speed, command->target);
    if (!WriteFeedFile(command->target.out, lines))
        return Fail("cannot write " + command->target.out);
    return 0;
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
    return PlayToClients(ReadPacedFeed(file, command->rate), 1.0, command->target);
}

} // namespace kav
