// Starting unattended: --fullscreen, on one of two (offscreen) screens.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "full_screen_start.h"
#include "main_window.h"
#include "qstring_printer.h"
#include "test_main_window.h"

using namespace kav;

TEST(FullScreenStart, ShowsTheWindowFullScreenOnTheScreenAsked)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "the test runs on two offscreen screens (tests/data/screens)";
    MainWindow main(testOptions());
    main.show();
    ResultWindowSettings rec;
    rec.TopRow = 1;
    ResultWindow* first = main.openResultWindow(rec);
    ResultWindow* second = main.openResultWindow(rec);
    ASSERT_TRUE(first && second);

    EXPECT_EQ(startFullScreen(main.controller().Windows, 3, 0), "--fullscreen: the layout has no result window 3");
    EXPECT_FALSE(first->inFullScreen() || second->inFullScreen());

    EXPECT_EQ(startFullScreen(main.controller().Windows, 2, 2), QString());
    EXPECT_TRUE(second->inFullScreen());
    EXPECT_EQ(second->screen(), screens[1]);
    EXPECT_EQ(second->geometry(), screens[1]->geometry());

    EXPECT_EQ(startFullScreen(main.controller().Windows, 1, 3),
              "--fullscreen: there is no screen 3 (2 found); window 1 is full screen on its own");
    EXPECT_TRUE(first->inFullScreen());
}
