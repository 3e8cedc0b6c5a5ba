// The web view's section of Kavendor.ini: written beside the other settings without touching them.

#include <gtest/gtest.h>

#include "settings_store.h"
#include "temp_folder.h"
#include "web_view_settings.h"

using namespace kav;

TEST(WebViewSettingsFile, SectionLivesBesideTheOtherSettingsWithoutTouchingThem)
{
    TTempFolder folder;
    const auto file = folder / "Kavendor.ini";
    EXPECT_EQ(readWebViewSettings(file), WebViewSettings{});
    WriteMainSettings(file, TMainSettings{}, true);
    const std::string before = ReadFile(file);
    const WebViewSettings settings{true, 8123, "192.168.1.5"};
    writeWebViewSettings(file, settings);
    EXPECT_EQ(ReadFile(file), before + "\r\n[WebView]\r\nEnabled=1\r\nPort=8123\r\nBindAddress=192.168.1.5\r\n");
    EXPECT_EQ(readWebViewSettings(file), settings);
    // The main settings written afterwards keep the section.
    WriteMainSettings(file, TMainSettings{}, false);
    EXPECT_EQ(readWebViewSettings(file), settings);
    WriteFile(file, "[WebView]\r\nEnabled=1\r\nPort=70000\r\n");
    EXPECT_EQ(readWebViewSettings(file), (WebViewSettings{true, kDefaultWebPort, ""}));
}
