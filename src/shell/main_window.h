#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

#include "build_info.h"
#include "controller.h"
#include "layout_keeper.h"
#include "life_cycle.h"
#include "main_options.h"
#include "menu_actions.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kav {

class ColumnSettingsDialog;
class KavendorDevice;
class StaleFeedIndicator;

// The program's main window: a multiple-document area for the result windows and the logo, the
// general information panel along the bottom and the menus. It owns the device, the race data and
// every window the program opens; the layouts, the menus' actions and the life cycle do the work.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kMaxResultWindows = LayoutKeeper::kMaxResultWindows;
    static constexpr const char* kCaption = "Kavendor  v" KAV_VERSION_TEXT;
    static constexpr const char* kVersion = KAV_VERSION_TEXT;

    explicit MainWindow(MainWindowOptions options);
    ~MainWindow() override;

    void activateFirstTime() { m_life->activate(); }
    void shutDown() { m_life->finish(*m_message); }
    // Closes as Exit does but without a question: open boxes are cancelled, a named layout is saved.
    // Returns what became of the layout, for the log.
    QString closeUnasked();
    ResultWindow* openResultWindow(ResultWindowSettings rec) { return m_layouts->openResultWindow(std::move(rec)); }
    bool saveLayout(const QString& file) { return m_layouts->saveLayout(file); }
    void loadLayout(const QString& file) { m_layouts->loadLayout(file); }
    void clearLayout() { m_layouts->clearLayout(); }
    const GeneralInfoItems& generalInfoLayout() const { return m_layouts->generalInfo(); }

    LayoutKeeper& layouts() const { return *m_layouts; }
    MenuActions& menuActions() const { return *m_menuActions; }
    LifeCycle& lifeCycle() const { return *m_life; }
    Controller& controller() { return *m_ctl; }
    ProgramSettings& settings() { return m_settings; }
    const ClockSource& clock() const { return m_options.Clock ? *m_options.Clock : *m_ownClock; }
    GeneralInfoPanel& panel() const { return *m_panel; }
    StaleFeedIndicator& staleFeedIndicator() const { return *m_staleFeedIndicator; }
    QMdiArea& area() const { return *m_area; }
    // The device every line comes through, from the channel or from a replayed feed.
    KavendorDevice* device() const { return m_device.get(); }
    QString settingsPath() const { return m_life->settingsPath(); }
    const MainWindowOptions& startOptions() const { return m_options; }

    QAction* newWindowMenu() const { return m_newWindowMenu; }
    QAction* clearLayoutAction() const { return m_clearLayoutAction; }
    QMenu* settingsMenu() const { return m_settingsMenu; }
    ColumnSettingsDialog& columnDialog() const { return *m_columnDialog; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildClientArea();
    void buildParts();
    void createMenus();
    void createFileMenu();
    void addNewWindowItem(QMenu& menu, const char* caption, std::uint8_t kind);
    void showActiveLayoutMenu(QMdiSubWindow* window);
    void updateLayoutActions();

    MainWindowOptions m_options;
    ProgramSettings m_settings;
    std::unique_ptr<ClockSource> m_ownClock;
    QMdiArea* m_area = nullptr;
    GeneralInfoPanel* m_panel = nullptr;
    StandByMessage* m_message = nullptr;
    StaleFeedIndicator* m_staleFeedIndicator = nullptr;
    ColumnSettingsDialog* m_columnDialog = nullptr;
    std::unique_ptr<KavendorDevice> m_device;
    std::unique_ptr<Controller> m_ctl;
    std::unique_ptr<LayoutKeeper> m_layouts;
    std::unique_ptr<MenuActions> m_menuActions;
    std::unique_ptr<LifeCycle> m_life;

    QAction* m_newWindowMenu = nullptr;
    QAction* m_clearLayoutAction = nullptr;
    QMenu* m_settingsMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QPointer<QMenu> m_shownLayoutMenu;
};

} // namespace kav
