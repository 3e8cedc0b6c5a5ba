// The main window's result windows and layout files: creating, numbering and closing windows, and
// clearing, saving and opening layouts.

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <array>
#include <vector>

#include "col_sett_dlg.h"
#include "f_logo.h"
#include "layout_store.h"
#include "main_window.h"
#include "ui_prompter.h"
#include "window_state.h"
#include "zeb_grid.h"

namespace kav {

namespace {

std::filesystem::path PathOf(const QString& file)
{
    return std::filesystem::path(file.toStdString());
}

TResultWinRec NewWindowRecord()
{
    TResultWinRec rec;
    rec.TopRow = 1;
    return rec;
}

} // namespace

int TFMain::FreeWindowNumber() const
{
    std::array<bool, kMaxResultWindows + 1> used{};
    for (const TFResults* window : m_ctl->Windows.All()) {
        const int number = window->Record().Number;
        if (number >= 1 && number <= kMaxResultWindows)
            used[static_cast<std::size_t>(number)] = true;
    }
    for (int number = 1; number <= kMaxResultWindows; ++number) {
        if (!used[static_cast<std::size_t>(number)])
            return number;
    }
    return 0;
}

void TFMain::ColourResultWindow(TFResults& window) const
{
    const TColors& colors = m_settings.Colors;
    window.SetResultFontColor(colors[6]);
    window.SetResultBgColor(colors[7]);
    window.SetHeaderFontColor(colors[10]);
    window.SetHeaderBgColor(colors[11]);
    window.Grid().SetAlternateRows(m_settings.AlternateRows);
}

TFResults* TFMain::CreateResultWindow(const TResultWinRec& rec)
{
    auto* window = new TFResults(m_ctl->Models, m_settings.Headers, *m_columnDialog, m_area);
    ColourResultWindow(*window);
    window->ApplyLayout(rec);
    // A window no longer in the list (one of a cleared layout) must not touch the layout file.
    connect(window, &TFResults::Closed, this, [this, window](int number) {
        const std::vector<TFResults*>& open = m_ctl->Windows.All();
        if (std::find(open.begin(), open.end(), window) != open.end())
            ResultWindowClosed(number);
    });
    connect(window, &TFResults::RefillRequested, this,
            [this](int kind) { m_ctl->Content.RefillKind(static_cast<std::uint8_t>(kind)); });
    m_ctl->Windows.Add(window);
    window->Frame()->show();
    return window;
}

TFResults* TFMain::NewResultWindow(std::uint8_t kind)
{
    TFResults* created = nullptr;
    if (m_ctl->Windows.Count() < kMaxResultWindows) {
        TResultWinRec rec = NewWindowRecord();
        TFResults* active = nullptr;
        if (QMdiSubWindow* sub = m_area->activeSubWindow())
            active = qobject_cast<TFResults*>(sub->widget());
        if (active) {
            QWidget* frame = active->Frame();
            const Qt::WindowStates state = frame->windowState();
            if (state & (Qt::WindowMinimized | Qt::WindowMaximized))
                frame->setWindowState(state & ~(Qt::WindowMinimized | Qt::WindowMaximized));
            rec = active->GetLayout();
        }
        m_columnDialog->SetKind(kind);
        m_columnDialog->SetColumns(rec.ColRel);
        m_columnDialog->SetHeaders(m_settings.Headers);
        const int answer = Prompter().Exec(*m_columnDialog);
        const bool copy = m_columnDialog->GetCopyLayout();
        if (!copy)
            rec = NewWindowRecord();
        if (answer == QDialog::Accepted) {
            m_settings.Headers = m_columnDialog->GetHeaders();
            rec.ColRel = m_columnDialog->GetColumns();
            rec.RebuildColPos();
            rec.Number = static_cast<std::uint8_t>(FreeWindowNumber());
            rec.Layout = kind;
            rec.WinExist = true;
            rec.WinPos.State = TWindowState::Normal;
            rec.WinPos.Active = false;
            const bool placeBelow = active && copy;
            if (!placeBelow)
                rec.WinPos.Top = rec.WinPos.Left = rec.WinPos.Width = rec.WinPos.Height = -1;
            created = CreateResultWindow(rec);
            if (placeBelow) {
                QWidget* frame = created->Frame();
                frame->resize(rec.WinPos.Width, rec.WinPos.Height);
                const int titleBar = frame->height() - created->height();
                frame->move(rec.WinPos.Left + titleBar, rec.WinPos.Top + titleBar);
            } else {
                created->FitWidth();
            }
            m_area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(created->Frame()));
            if (!m_settings.LayoutFile.empty()) {
                try {
                    WriteResultWin(m_settings.LayoutFile, created->GetLayout());
                } catch (const std::exception& error) {
                    ReportWriteError(error);
                }
            }
        }
    }
    UpdateClearLayoutMenu();
    UpdateNewWindowMenu();
    return created;
}

TFResults* TFMain::OpenResultWindow(TResultWinRec rec)
{
    if (m_ctl->Windows.Count() >= kMaxResultWindows)
        return nullptr;
    rec.Number = static_cast<std::uint8_t>(FreeWindowNumber());
    rec.WinExist = true;
    rec.RebuildColPos();
    TFResults* window = CreateResultWindow(rec);
    m_ctl->Content.RefillKind(rec.Layout);
    UpdateClearLayoutMenu();
    UpdateNewWindowMenu();
    return window;
}

void TFMain::ResultWindowClosed(int number)
{
    if (!m_listenToClose)
        return;
    if (!m_settings.LayoutFile.empty()) {
        try {
            EraseResultWin(m_settings.LayoutFile, number);
        } catch (const std::exception& error) {
            ReportWriteError(error);
        }
    }
    for (TFResults* window : m_ctl->Windows.All()) {
        if (window->Record().Number == number) {
            m_ctl->Windows.Remove(window);
            break;
        }
    }
    UpdateClearLayoutMenu();
    UpdateNewWindowMenu();
}

void TFMain::UpdateNewWindowMenu()
{
    m_newWindowMenu->setEnabled(m_ctl->Windows.Count() < kMaxResultWindows);
}

void TFMain::UpdateClearLayoutMenu()
{
    m_clearLayoutAction->setEnabled(m_ctl->Windows.Count() > 0 || m_logoWindow || !m_panel->isHidden() ||
                                    m_ctl->raceCharts.window());
}

void TFMain::ApplyGenInfoLayout()
{
    m_panel->ApplyGenInfoLayout(m_genInfoLayout);
}

void TFMain::ClearLayout()
{
    ResetGenInfo(m_genInfoLayout);
    ApplyGenInfoLayout();
    DestroyLogoWindow();
    m_ctl->raceCharts.close();
    m_logo.FileName.clear();
    m_logo.Visible = false;
    m_listenToClose = false;
    // Each window is gone before anything new opens: a full-screen one first goes back into its
    // sub-window, whose close would otherwise only be queued.
    const std::vector<TFResults*> windows = m_ctl->Windows.All();
    for (TFResults* window : windows) {
        m_ctl->Windows.Remove(window);
        window->LeaveFullScreen();
        QWidget* frame = window->Frame();
        frame->close();
        delete frame;
    }
    m_listenToClose = true;
    m_clearLayoutAction->setEnabled(false);
    m_settings.LayoutFile.clear();
    m_newWindowMenu->setEnabled(true);
}

bool TFMain::SaveLayout(const QString& file, TLayoutWrite mode)
{
    const std::filesystem::path path = PathOf(file);
    try {
        if (m_logoWindow) {
            const QWidget* frame = m_logoWindow->Frame();
            m_logo.WinPos.Height = frame->height();
            m_logo.WinPos.Width = frame->width();
            m_logo.WinPos.Top = frame->y();
            m_logo.WinPos.Left = frame->x();
            m_logo.WinPos.State = FromQtState(frame->windowState());
        }
        // One write for the whole layout: a save cut short leaves the old layout, not some windows of each.
        std::vector<TResultWinRec> windows;
        for (TFResults* window : m_ctl->Windows.All())
            windows.push_back(window->GetLayout());
        WriteLayout(path, m_genInfoLayout, m_logo, windows, mode, m_ctl->raceCharts.record());
    } catch (const std::exception& error) {
        ReportWriteError(error);
        return false;
    }
    return true;
}

bool TFMain::SaveLayoutAs()
{
    const QString file = Prompter().SaveFileName(QStringLiteral("Layout files (*.kvl)"), QStringLiteral("kvl"),
                                                 QString::fromStdString(m_settings.LayoutFile), this);
    if (file.isEmpty())
        return false;
    if (QFile::exists(file) &&
        Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("File already exists! Overwrite file"), false, this) !=
            TAnswer::Yes)
        return false;
    // The old file stays until a complete new one takes its place.
    if (!SaveLayout(file, TLayoutWrite::Replace))
        return false;
    m_settings.LayoutFile = file.toStdString();
    return true;
}

void TFMain::MClearLayoutClick()
{
    switch (Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("Do you want to save current layout?"), true, this)) {
    case TAnswer::Yes:
        if (SaveLayoutAs())
            ClearLayout();
        break;
    case TAnswer::No: ClearLayout(); break;
    case TAnswer::Cancel: break;
    }
}

void TFMain::MOpenLayoutClick()
{
    const QString file = Prompter().OpenFileName(QStringLiteral("Layout files (*.kvl);;All files (*)"), this);
    if (file.isEmpty())
        return;
    if (!m_settings.LayoutFile.empty()) {
        switch (Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("Save current layout"), true, this)) {
        case TAnswer::Cancel: return;
        case TAnswer::Yes:
            if (!SaveLayout(QString::fromStdString(m_settings.LayoutFile)))
                return;
            break;
        case TAnswer::No: break;
        }
    }
    ClearLayout();
    LoadLayout(file);
    m_settings.LayoutFile = file.toStdString();
    m_ctl->Content.RefillAll();
}

void TFMain::LoadLayout(const QString& file)
{
    const std::filesystem::path path = PathOf(file);
    const bool named = !file.isEmpty();
    if (named)
        ReadGenInfo(path, m_genInfoLayout);
    ApplyGenInfoLayout();
    if (named) {
        ReadLogo(path, m_logo);
        if (m_logo.Visible)
            ShowLogoWindow(true);
    }
    TFResults* maximised = nullptr;
    TFResults* active = nullptr;
    for (int number = 1; named && number <= kMaxResultWindows; ++number) {
        TResultWinRec rec;
        ReadResultWin(path, number, rec);
        if (!rec.WinExist)
            continue;
        rec.Number = static_cast<std::uint8_t>(number);
        const bool wasMaximised = rec.WinPos.State == TWindowState::Maximized;
        if (wasMaximised)
            rec.WinPos.State = TWindowState::Normal; // maximised once every window stands
        TFResults* window = CreateResultWindow(rec);
        if (rec.WinPos.Active) {
            active = window;
            if (wasMaximised)
                maximised = window;
        }
    }
    if (named)
        m_ctl->raceCharts.restore(readRaceCharts(path), *m_area);
    UpdateClearLayoutMenu();
    if (active)
        m_area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(active->Frame()));
    if (maximised)
        maximised->Frame()->showMaximized();
    UpdateNewWindowMenu();
}

void TFMain::ShowLogoWindow(bool loadingLayout)
{
    if (!m_logoWindow) {
        m_logoWindow = new TFLogo(m_area);
        QWidget* frame = m_logoWindow->Frame();
        const TWinPosRec& pos = m_logo.WinPos;
        if (pos.Top != -1) {
            if (pos.Width > 0 && pos.Height > 0)
                frame->resize(pos.Width, pos.Height);
            frame->move(pos.Left, pos.Top);
        }
        frame->setWindowState(ToQtState(pos.State));
        frame->show();
    }
    if (!m_logo.FileName.empty() && !m_logoWindow->LoadPicture(QString::fromStdString(m_logo.FileName))) {
        Prompter().Tell(loadingLayout ? TBoxKind::Warning : TBoxKind::Error,
                        loadingLayout ? QStringLiteral("Error while loading logo")
                                      : QStringLiteral("Wrong type of file or file not found,"),
                        this);
    }
}

TFLogo* TFMain::LogoWindow() const
{
    return m_logoWindow;
}

void TFMain::DestroyLogoWindow()
{
    if (!m_logoWindow)
        return;
    QWidget* frame = m_logoWindow->Frame();
    frame->close();
    delete frame;
}

} // namespace kav
