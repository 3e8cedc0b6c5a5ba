// Starting unattended: --fullscreen, on one of two (offscreen) screens.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "full_screen_start.h"
#include "harness.h" // PrintTo for QString
#include "main_window.h"

using namespace kav;

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
