#include "full_screen_start.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>

#include "result_windows.h"

namespace kav {
namespace {

ResultWindow* windowNumbered(const ResultWindows& windows, int number)
{
    for (ResultWindow* window : windows.all()) {
        if (window->settings().Number == number)
            return window;
    }
    return nullptr;
}

constexpr std::chrono::seconds kSettleTime{1};

// The X server places a window on a separate X screen after the program asked: once it had time, a
// window that does not cover the asked screen exactly says so.
void checkFullScreenLater(QWidget& window, QScreen& asked, int number, int screen)
{
    QTimer::singleShot(kSettleTime, &window, [&window, asked = QPointer<QScreen>(&asked), number, screen] {
        const QWindow* shown = window.windowHandle();
        if (!asked || !shown ||
            (shown->screen() == asked && shown->geometry().size() == asked->size() && window.isFullScreen()))
            return;
        const QSize size = shown->geometry().size();
        std::fprintf(stderr,
                     "kavendor: --fullscreen: window %d did not go full screen on screen %d (%dx%d): it is %dx%d\n",
                     number, screen, asked->size().width(), asked->size().height(), size.width(), size.height());
    });
}

// The window is already full screen on the screen it went to; it moves as a normal window would and
// fills the other screen there.
void moveToScreen(ResultWindow& window, QScreen& screen)
{
    window.showNormal();
    window.setScreen(&screen);
    window.setGeometry(screen.geometry());
    window.showFullScreen();
}

} // namespace

QString startFullScreen(const ResultWindows& windows, int number, int screen)
{
    ResultWindow* window = windowNumbered(windows, number);
    if (!window)
        return QStringLiteral("--fullscreen: the layout has no result window %1").arg(number);
    const QList<QScreen*> screens = QGuiApplication::screens();
    QString problem;
    if (screen > screens.size())
        problem = QStringLiteral("--fullscreen: there is no screen %1 (%2 found); window %3 is full screen on its own")
                      .arg(screen)
                      .arg(screens.size())
                      .arg(number);
    window->enterFullScreen();
    if (screen < 1 || screen > screens.size())
        return problem;
    QScreen* asked = screens[screen - 1];
    if (window->screen() != asked)
        moveToScreen(*window, *asked);
    checkFullScreenLater(*window, *asked, number, screen);
    // A screen of another X screen (not one desktop spread over the monitors) may refuse the window.
    if (window->screen() != asked || !window->isFullScreen())
        problem = QStringLiteral("--fullscreen: window %1 cannot go full screen on screen %2 (%3); it is on %4")
                      .arg(number)
                      .arg(screen)
                      .arg(asked->name(), window->screen() ? window->screen()->name() : QStringLiteral("no screen"));
    return problem;
}

} // namespace kav
