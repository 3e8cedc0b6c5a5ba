#pragma once

namespace kav {

// What the feed channel is doing, as the operator is told.
enum class ChannelState {
    Disconnected,       // closed, failed, or no channel chosen
    Connecting,         // a TCP connection is being made
    Connected,          // lines can arrive
    WaitingToReconnect, // a new attempt follows by itself
};

} // namespace kav
