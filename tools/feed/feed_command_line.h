#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim_options.h"

namespace kav {

// Where a feed goes: every TCP client on bind:port, a serial device, or a file.
struct FeedTarget {
    std::string bind = "127.0.0.1";
    int port = 50000;
    std::string serial;
    std::string out;
};

// kavendor-feed simulate [--port P] [--bind A] [--serial DEVICE] [--cars N] [--laps L] [--practice]
// [--speed X] [--seed S] [--repeat] [--out FILE]
struct SimulateCommand {
    SimOptions session;
    FeedTarget target;
    double speed = 1.0;
    bool repeat = false; // one session after another until stopped
};

// kavendor-feed serve FILE [--port P] [--bind A] [--rate N]
struct ServeCommand {
    std::string file;
    FeedTarget target;
    double rate = 20.0; // lines per second
};

// The arguments after the command word; nullopt and a message in error when they do not fit.
std::optional<SimulateCommand> parseSimulate(const std::vector<std::string_view>& args, std::string& error);
std::optional<ServeCommand> parseServe(const std::vector<std::string_view>& args, std::string& error);

} // namespace kav
