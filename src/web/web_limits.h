#pragma once

#include <QtGlobal>

#include <chrono>

namespace kav {

// The web view's safety limits; tests shorten the times.
struct WebLimits {
    int maxClients = 200;                // open connections, pages and live updates alike
    int maxPerAddress = 32;              // of them from one client address (0: no cap, as behind a proxy)
    qsizetype maxHeadBytes = 8 * 1024;   // request line and headers of one request
    qsizetype maxTargetBytes = 2 * 1024; // the path and query of one request
    int maxRequestsAtOnce = 8;           // whole requests in one read: more come from a client that does not wait
    qint64 maxSendQueueBytes = 8 * 1024 * 1024;   // unsent bytes before a client is dropped
    std::chrono::milliseconds idleTimeout{15000}; // an HTTP connection without requests is closed
    std::chrono::milliseconds headTimeout{5000};  // a request head must be whole this long after it began
    std::chrono::milliseconds pushInterval{100};  // at most ten updates a second per client
    std::chrono::milliseconds heartbeat{2000};    // a quiet live client still hears this often
    std::chrono::milliseconds pongTimeout{30000}; // a live client that answers no ping is dropped
};

} // namespace kav
