#include "web_view_settings.h"

#include "ini_file.h"

namespace kav {
namespace {

constexpr std::string_view kSection = "WebView";

} // namespace

WebViewSettings readWebViewSettings(const std::filesystem::path& file)
{
    const TIniFile ini(file);
    WebViewSettings settings;
    settings.enabled = ini.ReadBool(kSection, "Enabled", false);
    const std::int32_t port = ini.ReadInteger(kSection, "Port", kDefaultWebPort);
    settings.port = port >= 1 && port <= 65535 ? port : kDefaultWebPort;
    settings.bindAddress = ini.ReadString(kSection, "BindAddress", "");
    return settings;
}

void writeWebViewSettings(const std::filesystem::path& file, const WebViewSettings& settings)
{
    TIniFile ini(file);
    ini.WriteBool(kSection, "Enabled", settings.enabled);
    ini.WriteInteger(kSection, "Port", settings.port);
    ini.WriteString(kSection, "BindAddress", settings.bindAddress);
    ini.Commit();
}

} // namespace kav
