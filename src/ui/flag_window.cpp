#include "flag_window.h"

#include "picture_box.h"
#include "ui_resources.h"

#include <QApplication>

#include <algorithm>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace kav {

namespace {
constexpr QSize kFlagSize(241, 193);
constexpr int kMargin = 12;
} // namespace

FlagWindow::FlagWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_flag(new PictureBox),
      m_redFlag(resourcePicture(QStringLiteral("red_flag.svg"))),
      m_yellowFlag(resourcePicture(QStringLiteral("yellow_flag.svg")))
{
    setWindowTitle(QStringLiteral("Flag"));
    // The keyboard stays where the operator works: in a dialog, in the menus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_flag->setMinimumSize(kFlagSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(m_flag);
    // Sized by its picture, not by the outer size of a window with a title bar: the flag keeps its shape.
    resize(kFlagSize + QSize(2 * kMargin, 2 * kMargin));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // A click on a full-screen result window (or a dialog closing over it) raises that window; the
    // flag goes back above it at once, or the public screen loses the flag.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (!isVisible())
            return;
        if (!stayOnTopBesideBoxes())
            showNormal(); // shown again with its new flags
        belongToFullScreenWindow();
        raise();
        raiseOpenBoxes();
    });
}

// The flag stays on top of other programs' windows too, except while a box of this program waits
// for an answer: then only its owner keeps it in front, and the box, which stays on top, stays above it.
// False when the flags changed, which hides a shown window.
bool FlagWindow::stayOnTopBesideBoxes()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool boxOpen = std::any_of(windows.begin(), windows.end(), [this](const QWidget* window) {
        return window != this && window->isVisible() && window->isModal();
    });
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == !boxOpen)
        return true;
    setWindowFlag(Qt::WindowStaysOnTopHint, !boxOpen);
    return false;
}

// Shown without a raise of its own: the window manager puts a window that does not take the focus
// below the one that has it, so a box open now stays in front.
void FlagWindow::showAboveResults()
{
    stayOnTopBesideBoxes();
    belongToFullScreenWindow();
    showNormal();
    raiseOpenBoxes();
    // The window manager may stack the flag only when it maps it, after the raise above.
    windowHandle()->removeEventFilter(this);
    windowHandle()->installEventFilter(this);
}

bool FlagWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        raiseOpenBoxes();
    return QWidget::eventFilter(watched, event);
}

// A window manager puts an active full-screen window above every window that merely stays on top, but
// keeps a window's transients above it, and a box beside the flag in front when both belong to one
// window: the flag belongs to the full-screen result window in use, else to the window an open box
// was opened from, else to the active window.
void FlagWindow::belongToFullScreenWindow()
{
    QWidget* owner = nullptr;
    QWidget* boxOwner = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == this || !window->isVisible() || window->isMinimized())
            continue;
        if (window->isFullScreen() && (!owner || window == QApplication::activeWindow()))
            owner = window;
        if (window->isModal() && window->parentWidget())
            boxOwner = window->parentWidget()->window();
    }
    if (!owner)
        owner = boxOwner ? boxOwner : QApplication::activeWindow();
    if (owner && owner != this && !owner->isMinimized()) {
        winId(); // the link needs both native windows
        if (owner->windowHandle())
            windowHandle()->setTransientParent(owner->windowHandle());
    }
}

// Open modal boxes (which stay on top while open) go back above the flag: a box hidden under it would
// make the program look frozen.
void FlagWindow::raiseOpenBoxes()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && window->isModal())
            window->raise();
    }
}

void FlagWindow::showRedFlag()
{
    m_flag->setPicture(m_redFlag);
}

void FlagWindow::showYellowFlag()
{
    m_flag->setPicture(m_yellowFlag);
}

const Picture& FlagWindow::shownFlag() const
{
    return m_flag->shownPicture();
}

void FlagWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        showMinimized();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kav
