#include "result_window.h"

#include <QAction>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>

#include "fit_to_screen_dialog.h"
#include "results_grid.h"
#include "screen_fitter.h"
#include "ui_prompter.h"

namespace kav {

namespace {

// The screen that holds the middle of the window, or the one it was opened on.
QScreen* screenOf(const QWidget& frame)
{
    QScreen* screen = QGuiApplication::screenAt(frame.mapToGlobal(frame.rect().center()));
    return screen ? screen : frame.screen();
}

} // namespace

void ResultWindow::enterFullScreen()
{
    m_fullScreenAction->setChecked(true);
    if (m_fullScreen)
        return;
    m_savedLayout = currentSettings();
    QScreen* screen = screenOf(*borderWindow());
    m_layoutMenu->menuAction()->setVisible(false);
    if (m_host) {
        m_host->setWidget(nullptr);
        m_host->hide();
    } else {
        m_ownFlags = windowFlags();
    }
    m_fullScreen = true;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // A new top-level window would open on the primary screen: full screen stays on the window's own.
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    showFullScreen();
    activateWindow();
    m_grid->setFocus();
    if (m_rec.FitToScreen)
        startFit();
}

void ResultWindow::editFitToScreen()
{
    FitToScreenDialog dialog(this);
    dialog.setRows(m_rec.FitRows);
    dialog.setPageSeconds(m_rec.PageSeconds);
    if (prompter().exec(dialog) != QDialog::Accepted)
        return;
    m_rec.FitRows = dialog.rows();
    m_rec.PageSeconds = dialog.pageSeconds();
}

void ResultWindow::leaveFullScreen()
{
    if (!m_fullScreen)
        return;
    m_fullScreen = false;
    m_fitter->stop();
    m_fullScreenAction->setChecked(false);
    m_layoutMenu->menuAction()->setVisible(true);
    if (m_host) {
        setWindowFlags(Qt::Widget);
        m_host->setWidget(this);
        m_host->show();
        show();
    } else {
        setWindowFlags(m_ownFlags);
        showNormal();
    }
    applySettings(m_savedLayout);
    m_grid->setFocus();
}

} // namespace kav
