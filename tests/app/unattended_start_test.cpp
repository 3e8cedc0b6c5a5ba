// Starting unattended: --fullscreen, on one of two (offscreen) screens, and the installed program's
// folders.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "command_line.h"
#include "full_screen_start.h"
#include "harness.h" // PrintTo for QString
#include "installed_files.h"
#include "main_window.h"

using namespace kav;

TEST(FullScreenOption, TakesAWindowNumberAndAScreenOrSaysWhatIsWrong)
{
    const struct {
        QStringList arguments;
        int window, screen; // 0, 0: refused
    } cases[] = {
        {{"--fullscreen", "3"}, 3, 0},
        {{"--fullscreen=2@1"}, 2, 1},
        {{"--fullscreen", "0"}, 0, 0},
        {{"--fullscreen", "11"}, 0, 0},
        {{"--fullscreen", "one"}, 0, 0},
        {{"--fullscreen", "2@0"}, 0, 0},
        {{"--fullscreen", "@1"}, 0, 0},
        {{"--fullscreen", "1@2@3"}, 0, 0},
        {{"--fullscreen", "1", "--replay", KAV_TEST_DATA "/feeds/race6.feed", "--dump", QDir::tempPath()}, 0, 0},
    };
    for (const auto& row : cases) {
        const TCommandLineResult parsed = ParseCommandLine(row.arguments);
        const std::string name = row.arguments.join(' ').toStdString();
        if (row.window == 0) {
            EXPECT_FALSE(parsed.Options) << name;
            EXPECT_TRUE(parsed.Error.startsWith("--fullscreen")) << name << ": " << parsed.Error.toStdString();
            continue;
        }
        ASSERT_TRUE(parsed.Options) << name << ": " << parsed.Error.toStdString();
        EXPECT_EQ(parsed.Options->FullScreenWindow, row.window) << name;
        EXPECT_EQ(parsed.Options->FullScreenScreen, row.screen) << name;
    }
}

TEST(FullScreenStart, ShowsTheWindowFullScreenOnTheScreenAsked)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "the test runs on two offscreen screens (tests/data/screens)";
    TMainOptions options;
    options.UseChannel = false;
    options.UseSettingsFiles = false;
    TFMain main(options);
    main.show();
    TResultWinRec rec;
    rec.TopRow = 1;
    TFResults* first = main.OpenResultWindow(rec);
    TFResults* second = main.OpenResultWindow(rec);
    ASSERT_TRUE(first && second);

    EXPECT_EQ(startFullScreen(main.Ctl().Windows, 3, 0), "--fullscreen: the layout has no result window 3");
    EXPECT_FALSE(first->IsFullScreen() || second->IsFullScreen());

    EXPECT_EQ(startFullScreen(main.Ctl().Windows, 2, 2), QString());
    EXPECT_TRUE(second->IsFullScreen());
    EXPECT_EQ(second->screen(), screens[1]);
    EXPECT_EQ(second->geometry(), screens[1]->geometry());

    EXPECT_EQ(startFullScreen(main.Ctl().Windows, 1, 3),
              "--fullscreen: there is no screen 3 (2 found); window 1 is full screen on its own");
    EXPECT_TRUE(first->IsFullScreen());
}

TEST(InstalledProgram, KeepsItsSettingsInTheUsersFolderAndFindsItsManual)
{
    QTemporaryDir root;
    const QString program = root.filePath("usr/bin/");
    const QString data = root.filePath("usr/share/kavendor/");
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(installedDataDir(program), QString()) << "a program in its build folder";
    EXPECT_EQ(ChooseConfigDir(QString(), program), program);

    ASSERT_TRUE(QDir().mkpath(data));
    QFile manual(data + "manual.pdf");
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.close();
    qputenv("XDG_CONFIG_HOME", root.filePath("home-config").toUtf8());
    EXPECT_EQ(installedDataDir(program), data);
    EXPECT_EQ(ChooseConfigDir(QString(), program),
              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + '/');
    EXPECT_TRUE(QDir(program).isEmpty());
    EXPECT_EQ(findSharedFile(program, "manual.pdf"), data + "manual.pdf");
    EXPECT_EQ(findSharedFile(program, "missing.pdf"), program + "missing.pdf");
    qunsetenv("XDG_CONFIG_HOME");
}
