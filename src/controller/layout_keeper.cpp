#include "layout_keeper.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <array>
#include <vector>

#include "column_settings_dialog.h"
#include "results_grid.h"
#include "ui_prompter.h"
#include "window_state.h"

namespace kav {

namespace {

std::filesystem::path pathOf(const QString& file)
{
    return std::filesystem::path(file.toStdString());
}

ResultWindowSettings newWindowRecord()
{
    ResultWindowSettings rec;
    rec.TopRow = 1;
    return rec;
}

} // namespace

LayoutKeeper::LayoutKeeper(Controller& controller, ProgramSettings& settings, QMdiArea& area,
                           ColumnSettingsDialog& columnDialog)
    : m_controller(controller), m_settings(settings), m_area(area), m_columnDialog(columnDialog), m_logo(area)
{
    kav::resetGeneralInfo(m_genInfo);
    connect(this, &LayoutKeeper::changed, &m_controller.SettingsChanged, &ChangeNotice::tell);
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
    for (const ResultWindow* window : m_controller.Windows.all()) {
        const int number = window->settings().Number;
        if (number >= 1 && number <= kMaxResultWindows)
            used[static_cast<std::size_t>(number)] = true;
    }
    for (int number = 1; number <= kMaxResultWindows; ++number) {
        if (!used[static_cast<std::size_t>(number)])
            return number;
    }
    return 0;
}

void LayoutKeeper::colourResultWindow(ResultWindow& window) const
{
    window.setColours(m_settings->Colors, m_settings->AlternateRows);
}

ResultWindow* LayoutKeeper::createResultWindow(const ResultWindowSettings& rec)
{
    auto* window = new ResultWindow(m_controller.Models, m_settings->Headers, m_columnDialog, &m_area);
    colourResultWindow(*window);
    window->applySettings(rec);
    // A window no longer in the list (one of a cleared layout) must not touch the layout file.
    connect(window, &ResultWindow::closed, this, [this, window](int number) {
        const std::vector<ResultWindow*>& open = m_controller.Windows.all();
        if (std::find(open.begin(), open.end(), window) != open.end())
            resultWindowClosed(number);
    });
    connect(window, &ResultWindow::refillRequested, this,
            [this](int kind) { m_controller.Content.refillKind(static_cast<std::uint8_t>(kind)); });
    connect(window, &ResultWindow::settingsChanged, &m_controller.SettingsChanged, &ChangeNotice::tell);
    connect(window, &ResultWindow::headersChosen, this, [this](const HeaderTexts& headers) {
        m_settings.change([&headers](MainSettings& settings) { settings.Headers = headers; });
    });
    m_controller.Windows.add(window);
    m_controller.SettingsChanged.tell();
    window->borderWindow()->show();
    return window;
}

ResultWindow* LayoutKeeper::activeResultWindow() const
{
    QMdiSubWindow* sub = m_area.activeSubWindow();
    return sub ? qobject_cast<ResultWindow*>(sub->widget()) : nullptr;
}

// The column dialog starts from the active window's layout; false when it was cancelled.
bool LayoutKeeper::askColumns(std::uint8_t kind, ResultWindowSettings& rec, bool& copied)
{
    m_columnDialog.setKind(kind);
    m_columnDialog.setColumns(rec.ColRel);
    m_columnDialog.setHeaders(m_settings->Headers);
    const int answer = prompter().exec(m_columnDialog);
    copied = m_columnDialog.copyLayout();
    if (!copied)
        rec = newWindowRecord();
    if (answer != QDialog::Accepted)
        return false;
    m_settings.change([this](MainSettings& settings) { settings.Headers = m_columnDialog.headers(); });
    rec.ColRel = m_columnDialog.columns();
    rec.rebuildColumnPositions();
    return true;
}

// A copied layout puts the new window one title bar lower and right of the active one; else it fits
// its columns. Either way it stays inside the area.
void LayoutKeeper::placeNewWindow(ResultWindow& window, const ResultWindowSettings& rec, bool belowActive)
{
    if (belowActive) {
        QWidget* frame = window.borderWindow();
        frame->resize(rec.WinPos.Width, rec.WinPos.Height);
        const int titleBar = frame->height() - window.height();
        frame->move(rec.WinPos.Left + titleBar, rec.WinPos.Top + titleBar);
    } else {
        window.fitWidth();
    }
    keepInsideParent(*window.borderWindow());
    m_area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window.borderWindow()));
}

ResultWindow* LayoutKeeper::newResultWindow(std::uint8_t kind)
{
    ResultWindow* created = nullptr;
    if (canOpenWindow()) {
        ResultWindowSettings rec = newWindowRecord();
        ResultWindow* active = activeResultWindow();
        if (active) {
            QWidget* frame = active->borderWindow();
            const Qt::WindowStates state = frame->windowState();
            if (state & (Qt::WindowMinimized | Qt::WindowMaximized))
                frame->setWindowState(state & ~(Qt::WindowMinimized | Qt::WindowMaximized));
            rec = active->currentSettings();
        }
        bool copied = false;
        if (askColumns(kind, rec, copied)) {
            rec.Number = static_cast<std::uint8_t>(freeWindowNumber());
            rec.Layout = kind;
            rec.WinExist = true;
            rec.WinPos.State = WindowState::Normal;
            rec.WinPos.Active = false;
            const bool belowActive = active && copied;
            if (!belowActive)
                rec.WinPos.Top = rec.WinPos.Left = rec.WinPos.Width = rec.WinPos.Height = -1;
            created = createResultWindow(rec);
            placeNewWindow(*created, rec, belowActive);
            writeThrough(created->currentSettings());
        }
    }
    emit changed();
    return created;
}

// A layout file in use follows every window opened.
void LayoutKeeper::writeThrough(const ResultWindowSettings& rec)
{
    if (m_settings->LayoutFile.empty())
        return;
    try {
        writeResultWindow(m_settings->LayoutFile, rec);
    } catch (const std::exception& error) {
        reportWriteError(error);
    }
}

ResultWindow* LayoutKeeper::openResultWindow(ResultWindowSettings rec)
{
    if (!canOpenWindow())
        return nullptr;
    rec.Number = static_cast<std::uint8_t>(freeWindowNumber());
    rec.WinExist = true;
    rec.rebuildColumnPositions();
    ResultWindow* window = createResultWindow(rec);
    m_controller.Content.refillKind(rec.Layout);
    emit changed();
    return window;
}

void LayoutKeeper::resultWindowClosed(int number)
{
    if (!m_listenToClose)
        return;
    if (!m_settings->LayoutFile.empty()) {
        try {
            eraseResultWindow(m_settings->LayoutFile, number);
        } catch (const std::exception& error) {
            reportWriteError(error);
        }
    }
    for (ResultWindow* window : m_controller.Windows.all()) {
        if (window->settings().Number == number) {
            m_controller.Windows.remove(window);
            break;
        }
    }
    emit changed();
}

bool LayoutKeeper::holdsSomething() const
{
    return m_controller.Windows.count() > 0 || m_logo.window() || m_controller.Info.panelShown() ||
           m_controller.RaceCharts.window();
}

void LayoutKeeper::setGeneralInfo(const GeneralInfoItems& items)
{
    m_genInfo = items;
    m_controller.Info.setPanelLayout(m_genInfo);
    emit changed();
}

void LayoutKeeper::resetGeneralInfo()
{
    kav::resetGeneralInfo(m_genInfo);
}

void LayoutKeeper::clearLayout()
{
    kav::resetGeneralInfo(m_genInfo);
    m_controller.Info.setPanelLayout(m_genInfo);
    m_logo.clear();
    m_controller.RaceCharts.close();
    m_listenToClose = false;
    // Each window is gone before anything new opens: a full-screen one first goes back into its
    // sub-window, whose close would otherwise only be queued.
    const std::vector<ResultWindow*> windows = m_controller.Windows.all();
    for (ResultWindow* window : windows) {
        m_controller.Windows.remove(window);
        window->leaveFullScreen();
        QWidget* frame = window->borderWindow();
        frame->close();
        delete frame;
    }
    m_listenToClose = true;
    m_settings.change([](MainSettings& settings) { settings.LayoutFile.clear(); });
    emit changed();
}

bool LayoutKeeper::saveLayout(const QString& file, LayoutWrite mode)
{
    try {
        m_logo.storePlacement();
        // One write for the whole layout: a save cut short leaves the old layout, not some windows of each.
        std::vector<ResultWindowSettings> windows;
        for (ResultWindow* window : m_controller.Windows.all())
            windows.push_back(window->currentSettings());
        writeLayout(pathOf(file), m_genInfo, m_logo.record(), windows, mode, m_controller.RaceCharts.record());
    } catch (const std::exception& error) {
        reportWriteError(error);
        return false;
    }
    return true;
}

bool LayoutKeeper::saveLayoutAs()
{
    const QString file = prompter().saveFileName(QStringLiteral("Layout files (*.kvl)"), QStringLiteral("kvl"),
                                                 QString::fromStdString(m_settings->LayoutFile), dialogParent());
    if (file.isEmpty())
        return false;
    if (QFile::exists(file) &&
        prompter().ask(BoxKind::Confirmation, QStringLiteral("File already exists! Overwrite file"), false,
                       dialogParent()) != Answer::Yes)
        return false;
    // The old file stays until a complete new one takes its place.
    if (!saveLayout(file, LayoutWrite::Replace))
        return false;
    m_settings.change([&file](MainSettings& settings) { settings.LayoutFile = file.toStdString(); });
    return true;
}

void LayoutKeeper::clearLayoutAsking()
{
    switch (prompter().ask(BoxKind::Confirmation, QStringLiteral("Do you want to save current layout?"), true,
                           dialogParent())) {
    case Answer::Yes:
        if (saveLayoutAs())
            clearLayout();
        break;
    case Answer::No: clearLayout(); break;
    case Answer::Cancel: break;
    }
}

// False when the current layout must stay: the operator cancelled or its file could not be written.
bool LayoutKeeper::saveBeforeOpening()
{
    if (m_settings->LayoutFile.empty())
        return true;
    switch (prompter().ask(BoxKind::Confirmation, QStringLiteral("Save current layout?"), true, dialogParent())) {
    case Answer::Cancel: return false;
    case Answer::Yes: return saveLayout(QString::fromStdString(m_settings->LayoutFile));
    case Answer::No: return true;
    }
    return true;
}

void LayoutKeeper::openLayout()
{
    const QString file = prompter().openFileName(QStringLiteral("Layout files (*.kvl);;All files (*)"), dialogParent());
    if (file.isEmpty() || !saveBeforeOpening())
        return;
    clearLayout();
    loadLayout(file);
    m_settings.change([&file](MainSettings& settings) { settings.LayoutFile = file.toStdString(); });
    m_controller.Content.refillAll();
}

void LayoutKeeper::loadLayout(const QString& file)
{
    const std::filesystem::path path = pathOf(file);
    const bool named = !file.isEmpty();
    if (named)
        readGeneralInfo(path, m_genInfo);
    m_controller.Info.setPanelLayout(m_genInfo);
    LoadedWindows loaded;
    if (named) {
        readLogo(path, m_logo.record());
        if (m_logo.record().Visible)
            showLogo(true);
        loaded = loadResultWindows(path);
        m_controller.RaceCharts.restore(readRaceCharts(path), m_area);
    }
    emit changed();
    if (loaded.active)
        m_area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(loaded.active->borderWindow()));
    if (loaded.maximised)
        loaded.maximised->borderWindow()->showMaximized();
}

// A window saved maximised is maximised once every window stands.
LayoutKeeper::LoadedWindows LayoutKeeper::loadResultWindows(const std::filesystem::path& path)
{
    LoadedWindows loaded;
    for (int number = 1; number <= kMaxResultWindows; ++number) {
        ResultWindowSettings rec;
        readResultWindow(path, number, rec);
        if (!rec.WinExist)
            continue;
        rec.Number = static_cast<std::uint8_t>(number);
        const bool wasMaximised = rec.WinPos.State == WindowState::Maximized;
        if (wasMaximised)
            rec.WinPos.State = WindowState::Normal;
        ResultWindow* window = createResultWindow(rec);
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
    prompter().tell(loadingLayout ? BoxKind::Warning : BoxKind::Error,
                    loadingLayout ? QStringLiteral("Error while loading logo")
                                  : QStringLiteral("Wrong type of file or file not found,"),
                    dialogParent());
}

void LayoutKeeper::reportWriteError(const std::exception& error)
{
    prompter().tell(BoxKind::Error, QString::fromStdString(error.what()), dialogParent());
}

} // namespace kav
