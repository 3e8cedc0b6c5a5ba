// A result window's options: scroll bars, a sizeable border, grid lines, and printing.

#include "result_window.h"

#include <QAction>
#include <QPrinter>

#include "grid_printer.h"
#include "results_grid.h"
#include "ui_prompter.h"

namespace kav {

namespace {

constexpr int kScrollBarWidth = 17;

} // namespace

void ResultWindow::toggleScrollBars()
{
    m_scrollBarsAction->trigger();
}

void ResultWindow::toggleSizeable()
{
    m_sizeableAction->trigger();
}

void ResultWindow::toggleGrid()
{
    m_gridAction->trigger();
}

void ResultWindow::onScrollBarsEntry(bool on)
{
    setScrollBars(on);
    setFrameWidth(borderWindow()->width() + (on ? kScrollBarWidth : -kScrollBarWidth));
}

// Keeps the table's width when the border changes, as far as the border's width allows.
void ResultWindow::onSizeableEntry(bool on)
{
    const int clientWidth = width();
    setSizeable(on);
    setFrameWidth(on ? 2 * borderWindow()->width() - width() : clientWidth);
}

void ResultWindow::setScrollBars(bool on)
{
    m_scrollBarsAction->setChecked(on);
    m_grid->setScrollBars(on);
}

void ResultWindow::setGridLines(bool on)
{
    m_gridAction->setChecked(on);
    m_grid->setGridLineWidth(on ? 1 : 0);
}

void ResultWindow::setSizeable(bool on)
{
    m_sizeableAction->setChecked(on);
    if (m_fullScreen)
        return; // the border comes back with the saved layout
    QWidget* frame = borderWindow();
    Qt::WindowFlags flags = (m_host ? Qt::SubWindow : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (on)
        flags |= Qt::WindowMinMaxButtonsHint;
    const bool visible = frame->isVisible();
    if (frame->windowFlags() != flags)
        frame->setWindowFlags(flags);
    frame->setMinimumSize(0, 0);
    frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!on)
        frame->setFixedSize(frame->size());
    if (visible && !frame->isVisible())
        frame->show();
}

void ResultWindow::setFrameWidth(int width)
{
    QWidget* frame = borderWindow();
    if (m_sizeableAction->isChecked() || m_fullScreen)
        frame->resize(width, frame->height());
    else
        frame->setFixedWidth(width);
}

void ResultWindow::printResults()
{
    QPrinter printer(QPrinter::HighResolution);
    if (prompter().setUpPrinter(printer, this))
        printTo(printer);
}

void ResultWindow::printTo(QPagedPaintDevice& device) const
{
    printGrid(*m_grid, device);
}

} // namespace kav
