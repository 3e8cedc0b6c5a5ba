#include "web_view_settings.h"

#include "ini_file.h"

namespace kav {
namespace {

constexpr std::string_view kSection = "WebView";
constexpr std::int32_t kMaxWebClients = 10000;

} // namespace

WebViewSettings readWebViewSettings(const std::filesystem::path& file)
{
    const IniFile ini(file);
    WebViewSettings settings;
    settings.enabled = ini.readBool(kSection, "Enabled", false);
    const std::int32_t port = ini.readInteger(kSection, "Port", kDefaultWebPort);
    settings.port = port >= 1 && port <= 65535 ? port : kDefaultWebPort;
    settings.bindAddress = ini.readString(kSection, "BindAddress", "");
    const std::int32_t clients = ini.readInteger(kSection, "MaxClients", settings.maxClients);
    if (clients >= 1 && clients <= kMaxWebClients)
        settings.maxClients = clients;
    const std::int32_t perAddress = ini.readInteger(kSection, "MaxClientsPerAddress", settings.maxClientsPerAddress);
    if (perAddress >= 0 && perAddress <= kMaxWebClients)
        settings.maxClientsPerAddress = perAddress;
    const std::int32_t delay = ini.readInteger(kSection, "DelaySeconds", 0);
    if (delay >= 0 && delay <= kMaxBroadcastDelay)
        settings.delaySeconds = delay;
    return settings;
}

void writeWebViewSettings(const std::filesystem::path& file, const WebViewSettings& settings)
{
    IniFile ini(file);
    ini.writeBool(kSection, "Enabled", settings.enabled);
    ini.writeInteger(kSection, "Port", settings.port);
    ini.writeString(kSection, "BindAddress", settings.bindAddress);
    ini.writeInteger(kSection, "MaxClients", settings.maxClients);
    ini.writeInteger(kSection, "MaxClientsPerAddress", settings.maxClientsPerAddress);
    ini.writeInteger(kSection, "DelaySeconds", settings.delaySeconds);
    ini.commit();
}

} // namespace kav
