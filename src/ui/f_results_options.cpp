// A result window's options: scroll bars, a sizeable border, grid lines, and printing.

#include "f_results.h"

#include <QAction>
#include <QPrinter>

#include "grid_printer.h"
#include "ui_prompter.h"
#include "zeb_grid.h"

namespace kav {

namespace {

constexpr int kScrollBarWidth = 17;

} // namespace

void TFResults::ToggleScrollBars()
{
    m_scrollBarsAction->trigger();
}

void TFResults::ToggleSizeable()
{
    m_sizeableAction->trigger();
}

void TFResults::ToggleGrid()
{
    m_gridAction->trigger();
}

void TFResults::OnScrollBarsEntry(bool on)
{
    SetScrollBars(on);
    SetFrameWidth(Frame()->width() + (on ? kScrollBarWidth : -kScrollBarWidth));
}

// Keeps the table's width when the border changes, as far as the border's width allows.
void TFResults::OnSizeableEntry(bool on)
{
    const int clientWidth = width();
    SetSizeable(on);
    SetFrameWidth(on ? 2 * Frame()->width() - width() : clientWidth);
}

void TFResults::SetScrollBars(bool on)
{
    m_scrollBarsAction->setChecked(on);
    m_grid->SetScrollBars(on);
}

void TFResults::SetGridLines(bool on)
{
    m_gridAction->setChecked(on);
    m_grid->SetGridLineWidth(on ? 1 : 0);
}

void TFResults::SetSizeable(bool on)
{
    m_sizeableAction->setChecked(on);
    if (m_fullScreen)
        return; // the border comes back with the saved layout
    QWidget* frame = Frame();
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

void TFResults::SetFrameWidth(int width)
{
    QWidget* frame = Frame();
    if (m_sizeableAction->isChecked() || m_fullScreen)
        frame->resize(width, frame->height());
    else
        frame->setFixedWidth(width);
}

void TFResults::PrintResults()
{
    QPrinter printer(QPrinter::HighResolution);
    if (Prompter().SetUpPrinter(printer, this))
        PrintTo(printer);
}

void TFResults::PrintTo(QPagedPaintDevice& device) const
{
    PrintGrid(*m_grid, device);
}

} // namespace kav
