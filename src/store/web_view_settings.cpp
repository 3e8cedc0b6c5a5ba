#include "web_view_settings.h"

#include "ini_file.h"

namespace kav {
namespace {

constexpr std::string_view kSection = "WebView";

} // namespace

WebViewSettings readWebViewSettings(const std::filesystem::path& file)
{
    const IniFile ini(file);
    WebViewSettings settings;
    settings.enabled = ini.readBool(kSection, "Enabled", false);
    const std::int32_t port = ini.readInteger(kSection, "Port", kDefaultWebPort);
    settings.port = port >= 1 && port <= 65535 ? port : kDefaultWebPort;
    settings.bindAddress = ini.readString(kSection, "BindAddress", "");
    return settings;
}

void writeWebViewSettings(const std::filesystem::path& file, const WebViewSettings& settings)
{
    IniFile ini(file);
    ini.writeBool(kSection, "Enabled", settings.enabled);
    ini.writeInteger(kSection, "Port", settings.port);
    ini.writeString(kSection, "BindAddress", settings.bindAddress);
    ini.commit();
}

} // namespace kav
