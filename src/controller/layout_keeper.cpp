#include "layout_keeper.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <array>
#include <vector>

#include "col_sett_dlg.h"
#include "ui_prompter.h"
#include "window_state.h"
#include "zeb_grid.h"

namespace kav {

namespace {

std::filesystem::path pathOf(const QString& file)
{
    return std::filesystem::path(file.toStdString());
}

TResultWinRec newWindowRecord()
{
    TResultWinRec rec;
    rec.TopRow = 1;
    return rec;
}

} // namespace

LayoutKeeper::LayoutKeeper(TController& controller, TMainSettings& settings, QMdiArea& area, TGenInfoPanel& panel,
                           TColSettDlg& columnDialog)
    : m_controller(controller), m_settings(settings), m_area(area), m_panel(panel), m_columnDialog(columnDialog),
      m_logo(area)
{
    kav::ResetGenInfo(m_genInfo);
}

LayoutKeeper::~LayoutKeeper() = default;

// Boxes open over the window the area stands in.
QWidget* LayoutKeeper::dialogParent() const
{
    return m_area.window();
}

int LayoutKeeper::freeWindowNumber() const
{
    std::array<bool, kMaxResultWindows + 1> used{};
    for (const TFResults* window : m_controller.Windows.All()) {
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

void LayoutKeeper::colourResultWindow(TFResults& window) const
{
    const TColors& colors = m_settings.Colors;
    window.SetResultFontColor(colors[6]);
    window.SetResultBgColor(colors[7]);
    window.SetHeaderFontColor(colors[10]);
    window.SetHeaderBgColor(colors[11]);
    window.Grid().SetAlternateRows(m_settings.AlternateRows);
}

TFResults* LayoutKeeper::createResultWindow(const TResultWinRec& rec)
{
    auto* window = new TFResults(m_controller.Models, m_settings.Headers, m_columnDialog, &m_area);
    colourResultWindow(*window);
    window->ApplyLayout(rec);
    // A window no longer in the list (one of a cleared layout) must not touch the layout file.
    connect(window, &TFResults::Closed, this, [this, window](int number) {
        const std::vector<TFResults*>& open = m_controller.Windows.All();
        if (std::find(open.begin(), open.end(), window) != open.end())
            resultWindowClosed(number);
    });
    connect(window, &TFResults::RefillRequested, this,
            [this](int kind) { m_controller.Content.RefillKind(static_cast<std::uint8_t>(kind)); });
    m_controller.Windows.Add(window);
    window->Frame()->show();
    return window;
}

TFResults* LayoutKeeper::activeResultWindow() const
{
    QMdiSubWindow* sub = m_area.activeSubWindow();
    return sub ? qobject_cast<TFResults*>(sub->widget()) : nullptr;
}

// The column dialog starts from the active window's layout; false when it was cancelled.
bool LayoutKeeper::askColumns(std::uint8_t kind, TResultWinRec& rec, bool& copied)
{
    m_columnDialog.SetKind(kind);
    m_columnDialog.SetColumns(rec.ColRel);
    m_columnDialog.SetHeaders(m_settings.Headers);
    const int answer = Prompter().Exec(m_columnDialog);
    copied = m_columnDialog.GetCopyLayout();
    if (!copied)
        rec = newWindowRecord();
    if (answer != QDialog::Accepted)
        return false;
    m_settings.Headers = m_columnDialog.GetHeaders();
    rec.ColRel = m_columnDialog.GetColumns();
    rec.RebuildColPos();
    return true;
}

// A copied layout puts the new window one title bar lower and right of the active one; else it fits
// its columns.
void LayoutKeeper::placeNewWindow(TFResults& window, const TResultWinRec& rec, bool belowActive)
{
    if (belowActive) {
        QWidget* frame = window.Frame();
        frame->resize(rec.WinPos.Width, rec.WinPos.Height);
        const int titleBar = frame->height() - window.height();
        frame->move(rec.WinPos.Left + titleBar, rec.WinPos.Top + titleBar);
    } else {
        window.FitWidth();
    }
    m_area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window.Frame()));
}

TFResults* LayoutKeeper::newResultWindow(std::uint8_t kind)
{
    TFResults* created = nullptr;
    if (canOpenWindow()) {
        TResultWinRec rec = newWindowRecord();
        TFResults* active = activeResultWindow();
        if (active) {
            QWidget* frame = active->Frame();
            const Qt::WindowStates state = frame->windowState();
            if (state & (Qt::WindowMinimized | Qt::WindowMaximized))
                frame->setWindowState(state & ~(Qt::WindowMinimized | Qt::WindowMaximized));
            rec = active->GetLayout();
        }
        bool copied = false;
        if (askColumns(kind, rec, copied)) {
            rec.Number = static_cast<std::uint8_t>(freeWindowNumber());
            rec.Layout = kind;
            rec.WinExist = true;
            rec.WinPos.State = TWindowState::Normal;
            rec.WinPos.Active = false;
            const bool belowActive = active && copied;
            if (!belowActive)
                rec.WinPos.Top = rec.WinPos.Left = rec.WinPos.Width = rec.WinPos.Height = -1;
            created = createResultWindow(rec);
            placeNewWindow(*created, rec, belowActive);
            writeThrough(created->GetLayout());
        }
    }
    emit changed();
    return created;
}

// A layout file in use follows every window opened.
void LayoutKeeper::writeThrough(const TResultWinRec& rec)
{
    if (m_settings.LayoutFile.empty())
        return;
    try {
        WriteResultWin(m_settings.LayoutFile, rec);
    } catch (const std::exception& error) {
        reportWriteError(error);
    }
}

TFResults* LayoutKeeper::openResultWindow(TResultWinRec rec)
{
    if (!canOpenWindow())
        return nullptr;
    rec.Number = static_cast<std::uint8_t>(freeWindowNumber());
    rec.WinExist = true;
    rec.RebuildColPos();
    TFResults* window = createResultWindow(rec);
    m_controller.Content.RefillKind(rec.Layout);
    emit changed();
    return window;
}

void LayoutKeeper::resultWindowClosed(int number)
{
    if (!m_listenToClose)
        return;
    if (!m_settings.LayoutFile.empty()) {
        try {
            EraseResultWin(m_settings.LayoutFile, number);
        } catch (const std::exception& error) {
            reportWriteError(error);
        }
    }
    for (TFResults* window : m_controller.Windows.All()) {
        if (window->Record().Number == number) {
            m_controller.Windows.Remove(window);
            break;
        }
    }
    emit changed();
}

bool LayoutKeeper::holdsSomething() const
{
    return m_controller.Windows.Count() > 0 || m_logo.window() || !m_panel.isHidden() ||
           m_controller.raceCharts.window();
}

void LayoutKeeper::setGeneralInfo(const TGenInfo& items)
{
    m_genInfo = items;
    m_panel.ApplyGenInfoLayout(m_genInfo);
    emit changed();
}

void LayoutKeeper::resetGeneralInfo()
{
    kav::ResetGenInfo(m_genInfo);
}

void LayoutKeeper::clearLayout()
{
    kav::ResetGenInfo(m_genInfo);
    m_panel.ApplyGenInfoLayout(m_genInfo);
    m_logo.clear();
    m_controller.raceCharts.close();
    m_listenToClose = false;
    // Each window is gone before anything new opens: a full-screen one first goes back into its
    // sub-window, whose close would otherwise only be queued.
    const std::vector<TFResults*> windows = m_controller.Windows.All();
    for (TFResults* window : windows) {
        m_controller.Windows.Remove(window);
        window->LeaveFullScreen();
        QWidget* frame = window->Frame();
        frame->close();
        delete frame;
    }
    m_listenToClose = true;
    m_settings.LayoutFile.clear();
    emit changed();
}

bool LayoutKeeper::saveLayout(const QString& file, TLayoutWrite mode)
{
    try {
        m_logo.storePlacement();
        // One write for the whole layout: a save cut short leaves the old layout, not some windows of each.
        std::vector<TResultWinRec> windows;
        for (TFResults* window : m_controller.Windows.All())
            windows.push_back(window->GetLayout());
        WriteLayout(pathOf(file), m_genInfo, m_logo.record(), windows, mode, m_controller.raceCharts.record());
    } catch (const std::exception& error) {
        reportWriteError(error);
        return false;
    }
    return true;
}

bool LayoutKeeper::saveLayoutAs()
{
    const QString file = Prompter().SaveFileName(QStringLiteral("Layout files (*.kvl)"), QStringLiteral("kvl"),
                                                 QString::fromStdString(m_settings.LayoutFile), dialogParent());
    if (file.isEmpty())
        return false;
    if (QFile::exists(file) &&
        Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("File already exists! Overwrite file"), false,
                       dialogParent()) != TAnswer::Yes)
        return false;
    // The old file stays until a complete new one takes its place.
    if (!saveLayout(file, TLayoutWrite::Replace))
        return false;
    m_settings.LayoutFile = file.toStdString();
    return true;
}

void LayoutKeeper::clearLayoutAsking()
{
    switch (Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("Do you want to save current layout?"), true,
                           dialogParent())) {
    case TAnswer::Yes:
        if (saveLayoutAs())
            clearLayout();
        break;
    case TAnswer::No: clearLayout(); break;
    case TAnswer::Cancel: break;
    }
}

// False when the current layout must stay: the operator cancelled or its file could not be written.
bool LayoutKeeper::saveBeforeOpening()
{
    if (m_settings.LayoutFile.empty())
        return true;
    switch (Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("Save current layout"), true, dialogParent())) {
    case TAnswer::Cancel: return false;
    case TAnswer::Yes: return saveLayout(QString::fromStdString(m_settings.LayoutFile));
    case TAnswer::No: return true;
    }
    return true;
}

void LayoutKeeper::openLayout()
{
    const QString file = Prompter().OpenFileName(QStringLiteral("Layout files (*.kvl);;All files (*)"), dialogParent());
    if (file.isEmpty() || !saveBeforeOpening())
        return;
    clearLayout();
    loadLayout(file);
    m_settings.LayoutFile = file.toStdString();
    m_controller.Content.RefillAll();
}

void LayoutKeeper::loadLayout(const QString& file)
{
    const std::filesystem::path path = pathOf(file);
    const bool named = !file.isEmpty();
    if (named)
        ReadGenInfo(path, m_genInfo);
    m_panel.ApplyGenInfoLayout(m_genInfo);
    LoadedWindows loaded;
    if (named) {
        ReadLogo(path, m_logo.record());
        if (m_logo.record().Visible)
            showLogo(true);
        loaded = loadResultWindows(path);
        m_controller.raceCharts.restore(readRaceCharts(path), m_area);
    }
    emit changed();
    if (loaded.active)
        m_area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(loaded.active->Frame()));
    if (loaded.maximised)
        loaded.maximised->Frame()->showMaximized();
}

// A window saved maximised is maximised once every window stands.
LayoutKeeper::LoadedWindows LayoutKeeper::loadResultWindows(const std::filesystem::path& path)
{
    LoadedWindows loaded;
    for (int number = 1; number <= kMaxResultWindows; ++number) {
        TResultWinRec rec;
        ReadResultWin(path, number, rec);
        if (!rec.WinExist)
            continue;
        rec.Number = static_cast<std::uint8_t>(number);
        const bool wasMaximised = rec.WinPos.State == TWindowState::Maximized;
        if (wasMaximised)
            rec.WinPos.State = TWindowState::Normal;
        TFResults* window = createResultWindow(rec);
        if (rec.WinPos.Active) {
            loaded.active = window;
            if (wasMaximised)
                loaded.maximised = window;
        }
    }
    return loaded;
}

void LayoutKeeper::setLogo(bool visible, const std::string& fileName)
{
    m_logo.record().Visible = visible;
    m_logo.record().FileName = fileName;
    if (visible)
        showLogo(false);
    else
        m_logo.close();
    emit changed();
}

void LayoutKeeper::showLogo(bool loadingLayout)
{
    if (m_logo.show())
        return;
    Prompter().Tell(loadingLayout ? TBoxKind::Warning : TBoxKind::Error,
                    loadingLayout ? QStringLiteral("Error while loading logo")
                                  : QStringLiteral("Wrong type of file or file not found,"),
                    dialogParent());
}

void LayoutKeeper::reportWriteError(const std::exception& error)
{
    Prompter().Tell(TBoxKind::Error, QString::fromStdString(error.what()), dialogParent());
}

} // namespace kav
