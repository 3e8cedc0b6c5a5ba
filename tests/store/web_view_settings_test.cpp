// The web view's section of Kavendor.ini: written beside the other settings without touching them.

#include <gtest/gtest.h>

#include "settings_store.h"
#include "temporary_folder.h"
#include "web_view_settings.h"

using namespace kav;

TEST(WebViewSettingsFile, SectionLivesBesideTheOtherSettingsWithoutTouchingThem)
{
    TemporaryFolder folder;
    const auto file = folder / "Kavendor.ini";
    EXPECT_EQ(readWebViewSettings(file), WebViewSettings{});
    writeMainSettings(file, MainSettings{}, true);
    const std::string before = readFile(file);
    const WebViewSettings settings{true, 8123, "192.168.1.5", 1, 0, 600};
    writeWebViewSettings(file, settings);
    EXPECT_EQ(readFile(file), before + "\r\n[WebView]\r\nEnabled=1\r\nPort=8123\r\nBindAddress=192.168.1.5\r\n"
                                       "MaxClients=1\r\nMaxClientsPerAddress=0\r\nDelaySeconds=600\r\n");
    EXPECT_EQ(readWebViewSettings(file), settings);
    // The main settings written afterwards keep the section.
    writeMainSettings(file, MainSettings{}, false);
    EXPECT_EQ(readWebViewSettings(file), settings);
    // Values out of range read as their defaults; the edges are taken.
    writeFile(file, "[WebView]\r\nEnabled=1\r\nPort=70000\r\nMaxClients=0\r\nMaxClientsPerAddress=-1\r\n"
                    "DelaySeconds=601\r\n");
    EXPECT_EQ(readWebViewSettings(file), (WebViewSettings{true, kDefaultWebPort, ""}));
    writeFile(file, "[WebView]\r\nPort=65535\r\nMaxClients=10000\r\nMaxClientsPerAddress=10001\r\n");
    EXPECT_EQ(readWebViewSettings(file), (WebViewSettings{false, 65535, "", 10000, 32}));
}
