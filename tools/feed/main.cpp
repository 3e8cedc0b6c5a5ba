// kavendor-feed: the feed toolbox for operators.
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>
#include <vector>

#include "feed_commands.h"
#include "feed_file.h"
#include "feed_inspect.h"

namespace {

constexpr std::string_view kUsage =
    "usage: kavendor-feed inspect [FILE]\n"
    "       kavendor-feed simulate [--port P] [--bind ADDRESS] [--serial DEVICE] [--out FILE] [--cars N]\n"
    "                              [--laps L] [--practice] [--speed X] [--seed S] [--repeat]\n"
    "                              [--formation] [--corrections] [--penalties] [--reconnect]\n"
    "                              [--pit-loops]\n"
    "       kavendor-feed serve FILE [--port P] [--bind ADDRESS] [--rate N]\n"
    "  inspect   print, for each line of FILE (standard input when none is given), the record kind,\n"
    "            whether the line is a valid record, and the record as the program writes it back;\n"
    "            a line over 64 KiB and a last line without line end are left out, as Kavendor\n"
    "            leaves them out, and reported on the error output\n"
    "  simulate  run a race (or with --practice a practice session) of N cars (20) over L laps (10) and\n"
    "            send it live to every TCP client on ADDRESS:P (127.0.0.1:50000; the clock starts with\n"
    "            the first client), to a serial DEVICE, or at once to FILE; --speed X runs the clock X\n"
    "            times faster; the same seed S (1) gives the same feed; --repeat starts the next\n"
    "            session (next run number, seed S+1) a second after each one ends, until the tool\n"
    "            is stopped (SIGTERM or SIGINT end it cleanly, closing every connection);\n"
    "            habits of real timing computers: --formation (a crossing before the start),\n"
    "            --corrections (passings sent again corrected), --penalties (a total grows without\n"
    "            a crossing), --reconnect (a minute lost, then the whole state with the last passings),\n"
    "            --pit-loops ($L from the track line and pit-lane loops; cars stop once or twice)\n"
    "  serve     replay a recorded feed FILE to every TCP client at N lines per second (20); lines\n"
    "            are left out and reported as with inspect\n";

int inspect(int argc, char** argv)
{
    if (argc > 3) {
        std::cerr << kUsage;
        return 2;
    }
    std::ios::sync_with_stdio(false);
    kav::LeftOut leftOut;
    if (argc == 2) {
        leftOut = kav::inspectFeed(std::cin, std::cout);
    } else {
        std::ifstream file(argv[2], std::ios::binary);
        if (!file) {
            std::cerr << "kavendor-feed: cannot open " << argv[2] << ": " << std::strerror(errno) << '\n';
            return 1;
        }
        leftOut = kav::inspectFeed(file, std::cout);
    }
    std::cout.flush();
    kav::warnLeftOut(std::cerr, leftOut, argc == 2 ? "standard input" : argv[2], "inspected");
    return std::cout ? 0 : 1;
}

std::vector<std::string_view> argsAfterCommand(int argc, char** argv)
{
    return std::vector<std::string_view>(argv + 2, argv + argc);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view command = argc >= 2 ? argv[1] : "";
    if (command == "inspect")
        return inspect(argc, argv);
    if (command == "simulate")
        return kav::runSimulate(argsAfterCommand(argc, argv));
    if (command == "serve")
        return kav::runServe(argsAfterCommand(argc, argv));
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
