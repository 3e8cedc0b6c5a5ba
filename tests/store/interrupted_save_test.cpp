#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "layout_store.h"
#include "settings_store.h"
#include "temp_folder.h"

namespace kav {
namespace {

constexpr int kKills = 30;
constexpr int kWindows = 6;

// Everything a layout file holds, read back as the program reads it when it opens the layout.
struct TLayout {
    TGenInfo GenInfo{};
    TLogoRec Logo;
    std::vector<TResultWinRec> Windows;
    bool operator==(const TLayout&) const = default;
};

// Two layouts that differ in every section, so a file holding parts of both is told from either.
TLayout MakeLayout(int variant)
{
    TLayout layout;
    ResetGenInfo(layout.GenInfo);
    for (std::size_t i = 0; i < 3 + static_cast<std::size_t>(variant) * 4; ++i)
        layout.GenInfo[i] = static_cast<std::uint8_t>((i + static_cast<std::size_t>(variant) * 3) % 10 + 1);
    layout.Logo = {{100 + variant, 120, 10 * variant, 30, TWindowState::Normal, variant == 1},
                   variant == 0,
                   "/pics/logo " + std::to_string(variant) + ".png"};
    for (int n = 1; n <= kWindows; ++n) {
        TResultWinRec rec;
        rec.WinExist = true;
        rec.Number = static_cast<std::uint8_t>(n);
        rec.Layout = static_cast<std::uint8_t>((n + variant) % 4 + 1);
        rec.Font = {variant == 0 ? "DejaVu Sans" : "DejaVu Serif",
                    9 + n + variant,
                    {variant == 1, false, n % 2 == 0, false},
                    0x102030 * (variant + 1)};
        rec.WinPos = {300 + n, 500 + variant, 20 * n, 40 * variant, TWindowState::Normal, n == 1};
        for (std::size_t p = 0; p < 5; ++p)
            rec.ColRel[p] = static_cast<std::uint8_t>((p * 3 + static_cast<std::size_t>(n + variant)) % kColumnIds);
        rec.ColWidth[static_cast<std::size_t>(n)] = 50 + 7 * variant;
        rec.ScrollBars = variant == 0;
        rec.TopRow = n + 10 * variant;
        rec.RebuildColPos();
        layout.Windows.push_back(rec);
    }
    return layout;
}

TLayout ReadLayout(const std::filesystem::path& file)
{
    TLayout layout;
    ReadGenInfo(file, layout.GenInfo);
    ReadLogo(file, layout.Logo);
    for (int n = 1; n <= kWindows; ++n) {
        TResultWinRec rec;
        rec.Number = static_cast<std::uint8_t>(n);
        ReadResultWin(file, n, rec);
        layout.Windows.push_back(rec);
    }
    return layout;
}

struct TSettings {
    TMainSettings Settings;
    bool ShowFlag = false;
    bool operator==(const TSettings&) const = default;
};

TSettings MakeSettings(int variant)
{
    TSettings s;
    for (std::size_t i = 0; i < kColorCount; ++i)
        s.Settings.Colors[i] = static_cast<std::int32_t>(0x010101 * (i + 1) * static_cast<std::size_t>(variant + 1));
    s.Settings.LayoutFile = "/layouts/" + std::string(variant == 0 ? "race" : "practice") + ".kvl";
    s.Settings.Headers[3] = variant == 0 ? "First" : "Vorname";
    s.Settings.MainWin = {600 + variant, 800, 5 * variant, 7, TWindowState::Maximized, false};
    s.Settings.WinExist = true;
    s.Settings.TrackName = variant == 0 ? "Brenmoor Ring" : "Brenmoor Ring (short)";
    s.Settings.TrackLength = 3652 - variant * 1000;
    s.Settings.MarkerDelay = 5 + variant;
    s.Settings.SpeedDecimals = 3 - variant;
    s.ShowFlag = variant == 1;
    return s;
}

TSettings ReadSettings(const std::filesystem::path& file)
{
    TSettings s;
    ReadMainSettings(file, s.Settings, s.ShowFlag);
    return s;
}

// Which of the two contents each part of what was read matches: "0", "1" or "-" for neither.
template <typename Part>
char Match(const Part& read, const Part& first, const Part& second)
{
    return read == first ? '0' : read == second ? '1' : '-';
}

std::string Sections(const TLayout& read, const std::vector<TLayout>& contents)
{
    std::string parts = "gen info ";
    parts += Match(read.GenInfo, contents[0].GenInfo, contents[1].GenInfo);
    parts += ", logo ";
    parts += Match(read.Logo, contents[0].Logo, contents[1].Logo);
    for (std::size_t w = 0; w < read.Windows.size(); ++w) {
        parts += ", window " + std::to_string(w + 1) + " ";
        parts += Match(read.Windows[w], contents[0].Windows[w], contents[1].Windows[w]);
    }
    return parts;
}

std::string Sections(const TSettings& read, const std::vector<TSettings>& contents)
{
    std::string parts = "settings ";
    parts += Match(read.Settings, contents[0].Settings, contents[1].Settings);
    parts += ", show flag ";
    parts += Match(read.ShowFlag, contents[0].ShowFlag, contents[1].ShowFlag);
    return parts;
}

// Starts a process that saves the two contents in turn without pause until it is killed.
pid_t StartWriter(const std::function<void(int)>& save)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        try {
            for (int variant = 1;; variant ^= 1)
                save(variant);
        } catch (...) {
            ::_exit(2);
        }
    }
    return pid;
}

// Kills a writer at random moments, some early in a save and some deep in one, and after each kill
// reads the file back: it must hold one of the two contents whole.
template <typename Content>
void KillWhileSaving(const std::function<void(int)>& save, const std::function<Content()>& read,
                     const std::vector<Content>& contents)
{
    save(0);
    const auto start = std::chrono::steady_clock::now();
    save(1);
    save(0);
    const auto twoSaves = std::chrono::steady_clock::now() - start;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::uniform_int_distribution<long long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(twoSaves).count());
    int changed = 0;
    Content before = read();
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t writer = StartWriter(save);
        ASSERT_GT(writer, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        ASSERT_EQ(::kill(writer, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
        const Content after = read();
        const bool whole = after == contents[0] || after == contents[1];
        ASSERT_TRUE(whole) << "kill " << kill
                           << ": the file holds neither content whole: " << Sections(after, contents);
        changed += after == before ? 0 : 1;
        before = after;
    }
    ::testing::Test::RecordProperty("kills that found the other content", changed);
}

TEST(InterruptedSave, AKilledLayoutSaveLeavesTheOldOrTheNewLayoutWhole)
{
    TTempFolder folder;
    const auto file = folder / "race.kvl";
    const std::vector<TLayout> layouts = {MakeLayout(0), MakeLayout(1)};
    ASSERT_NE(layouts[0], layouts[1]);
    KillWhileSaving<TLayout>(
        [&](int variant) {
            const TLayout& layout = layouts[static_cast<std::size_t>(variant)];
            WriteLayout(file, layout.GenInfo, layout.Logo, layout.Windows);
        },
        [&] { return ReadLayout(file); }, layouts);
}

TEST(InterruptedSave, AKilledSettingsSaveLeavesTheOldOrTheNewSettingsWhole)
{
    TTempFolder folder;
    const auto file = folder / "Kavendor.ini";
    const std::vector<TSettings> settings = {MakeSettings(0), MakeSettings(1)};
    ASSERT_NE(settings[0], settings[1]);
    KillWhileSaving<TSettings>(
        [&](int variant) {
            const TSettings& s = settings[static_cast<std::size_t>(variant)];
            WriteMainSettings(file, s.Settings, s.ShowFlag);
        },
        [&] { return ReadSettings(file); }, settings);
}

} // namespace
} // namespace kav
