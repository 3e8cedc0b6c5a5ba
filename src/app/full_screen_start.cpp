#include "full_screen_start.h"

#include <QGuiApplication>
#include <QScreen>

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
    if (screen >= 1 && screen <= screens.size() && window->screen() != screens[screen - 1])
        moveToScreen(*window, *screens[screen - 1]);
    return problem;
}

} // namespace kav
