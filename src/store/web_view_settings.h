#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace kav {

inline constexpr std::int32_t kDefaultWebPort = 8080;
inline constexpr std::int32_t kMaxBroadcastDelay = 600; // seconds

// The web view's settings, kept in section "WebView" of Kavendor.ini beside the others.
struct WebViewSettings {
    bool enabled = false;
    std::int32_t port = kDefaultWebPort;    // 1 to 65535
    std::string bindAddress;                // empty: every interface
    std::int32_t maxClients = 200;          // connections served at once, 1 to 10000
    std::int32_t maxClientsPerAddress = 32; // of them from one address, 0 to 10000 (0: no cap, behind a proxy)
    std::int32_t delaySeconds = 0;          // the broadcast delay of the pages and the broker's values, 0 to 600
    bool operator==(const WebViewSettings&) const = default;
};

// Missing or unusable keys read as their defaults; reading never fails.
WebViewSettings readWebViewSettings(const std::filesystem::path& file);
// Writes the section only, leaving the rest of the file as it is; raises FileWriteError.
void writeWebViewSettings(const std::filesystem::path& file, const WebViewSettings& settings);

} // namespace kav
