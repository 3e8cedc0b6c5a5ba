#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include "column_settings_dialog.h"
#include "kavendor_device.h"
#include "picture_box.h"
#include "stale_feed_indicator.h"
#include "stand_by_message.h"
#include "ui_prompter.h"
#include "ui_resources.h"
#include "window_state.h"

namespace kav {

namespace {

constexpr int kClientFontPixels = 13;

} // namespace

MainWindow::MainWindow(MainWindowOptions options) : m_options(std::move(options))
{
    QFont font = this->font();
    font.setPixelSize(kClientFontPixels);
    setFont(font);
    setWindowTitle(QString::fromLatin1(kCaption));
    // Every window of the program, the parentless flag window included, takes it from the application.
    QApplication::setWindowIcon(programIcon());
    buildClientArea();
    buildParts();
    createMenus();
    m_ctl->Records.startTimers();
    m_life->openChannel();
    connect(m_area, &QMdiArea::subWindowActivated, this, &MainWindow::showActiveLayoutMenu);
    connect(m_layouts.get(), &LayoutKeeper::changed, this, &MainWindow::updateLayoutActions);
}

MainWindow::~MainWindow()
{
    shutDown();
    // Result windows and the logo are children of the area; the controller must outlive them.
    delete m_area;
    m_area = nullptr;
}

void MainWindow::buildClientArea()
{
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_area = new QMdiArea(client);
    m_panel = new GeneralInfoPanel(client);
    layout->addWidget(m_area, 1);
    layout->addWidget(m_panel);
    setCentralWidget(client);
    m_message = new StandByMessage(this);
    m_columnDialog = new ColumnSettingsDialog(this);
    m_panel->makerLogo().installEventFilter(this);
}

// The device exists also while a recorded feed is replayed: the replay is framed by it too.
void MainWindow::buildParts()
{
    if (!m_options.Clock)
        m_ownClock = std::make_unique<SystemClock>();
    const ClockSource& clock = m_options.Clock ? *m_options.Clock : *m_ownClock;
    m_device = std::make_unique<KavendorDevice>();
    m_ctl = std::make_unique<Controller>(*m_device, m_settings, *m_message, clock);
    m_panel->watch(m_ctl->Info);
    m_ctl->StandBy.setMainWindow(this);
    m_staleFeedIndicator = new StaleFeedIndicator(m_ctl->Info, m_panel);
    m_panel->placeBesideLogo(m_staleFeedIndicator);
    m_layouts = std::make_unique<LayoutKeeper>(*m_ctl, m_settings, *m_area, *m_columnDialog);
    m_menuActions = std::make_unique<MenuActions>(*this, *m_ctl, m_settings, *m_layouts, *m_area, *m_panel);
    if (m_options.UseChannel)
        m_menuActions->setDevice(m_device.get());
    m_ctl->Flag.ShowFlag = [this] { return m_menuActions->showFlag(); };
    m_life = std::make_unique<LifeCycle>(*this, m_options, *m_ctl, m_settings, *m_device, *m_layouts, *m_menuActions);
    // Whatever a menu entry changed, the views that show settings look again.
    connect(menuBar(), &QMenuBar::triggered, &m_ctl->SettingsChanged, &ChangeNotice::tell);
}

void MainWindow::addNewWindowItem(QMenu& menu, const char* caption, std::uint8_t kind)
{
    menu.addAction(QString::fromLatin1(caption), this, [this, kind] {
        m_layouts->newResultWindow(kind);
        m_ctl->Content.refillKind(kind);
    });
}

void MainWindow::createFileMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* newWindow = file->addMenu(QStringLiteral("&New Result window"));
    addNewWindowItem(*newWindow, "Current Race results", kLayoutCurrentRace);
    addNewWindowItem(*newWindow, "Completed lap results", kLayoutCompletedLap);
    addNewWindowItem(*newWindow, "Practice results", kLayoutPractice);
    addNewWindowItem(*newWindow, "Track Positions", kLayoutTrackPositions);
    m_newWindowMenu = newWindow->menuAction();
    m_clearLayoutAction =
        file->addAction(QStringLiteral("Cl&ear Layout"), m_layouts.get(), &LayoutKeeper::clearLayoutAsking);
    m_clearLayoutAction->setEnabled(false);
    file->addAction(QStringLiteral("&Open Layout..."), m_layouts.get(), &LayoutKeeper::openLayout);
    file->addAction(QStringLiteral("&Save Layout..."), m_layouts.get(), &LayoutKeeper::saveLayoutAs);
    file->addAction(QStringLiteral("Export race &report\u2026"), this,
                    [this] { m_ctl->RaceCharts.exportReport(this); });
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
}

void MainWindow::createMenus()
{
    createFileMenu();
    QMenu* results = menuBar()->addMenu(QStringLiteral("&Results"));
    results->addAction(QStringLiteral("Race &charts"), this, [this] {
        m_ctl->RaceCharts.open(*m_area);
        updateLayoutActions();
    });
    results->addAction(QStringLiteral("Race &events"), this, [this] { m_ctl->RaceEvents.open(*m_area); });
    MenuActions* actions = m_menuActions.get();
    m_settingsMenu = menuBar()->addMenu(QStringLiteral("&Settings"));
    m_settingsMenu->addAction(QStringLiteral("&Communication"), this, [actions] { actions->editCommunication(); });
    m_settingsMenu->addAction(QStringLiteral("&Miscellaneous..."), this, [actions] { actions->editMiscellaneous(); });
    m_settingsMenu->addAction(QStringLiteral("&General info..."), this, [actions] { actions->editGeneralInfo(); });
    m_settingsMenu->addAction(QStringLiteral("C&olors..."), this, [actions] { actions->editColours(); });
    m_settingsMenu->addAction(QStringLiteral("&Logo..."), this, [actions] { actions->editLogo(); });
    m_settingsMenu->addAction(QStringLiteral("&Follow..."), this, [actions] { actions->editFollowList(); });
    m_settingsMenu->addAction(QStringLiteral("Auto print"))->setVisible(false);

    // Every window can be brought back into view from the keyboard.
    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    m_windowMenu->addAction(QStringLiteral("&Tile"), m_area, &QMdiArea::tileSubWindows);
    m_windowMenu->addAction(QStringLiteral("&Cascade"), this, [this] {
        m_area->cascadeSubWindows();
        // Cascading gives a window the size it asks for, which may reach below a small area.
        for (QMdiSubWindow* window : m_area->subWindowList())
            keepInsideParent(*window);
    });

    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpMenu->addAction(QStringLiteral("&Contents"), this,
                          [this] { m_menuActions->openManual(m_options.ProgramDir); });
    m_helpMenu->addAction(QStringLiteral("&About Kavendor"), this, [actions] { actions->showAbout(); });
}

void MainWindow::updateLayoutActions()
{
    m_clearLayoutAction->setEnabled(m_layouts->holdsSomething());
    m_newWindowMenu->setEnabled(m_layouts->canOpenWindow());
}

// The active result window's "&Layout" menu stands between "&Settings" and "&Window". It stays while
// the main window itself is inactive (a dialog open, another program in front): the area then reports
// no active window, but its current one is still the operator's choice.
void MainWindow::showActiveLayoutMenu(QMdiSubWindow* window)
{
    if (!window)
        window = m_area->currentSubWindow();
    if (m_shownLayoutMenu)
        menuBar()->removeAction(m_shownLayoutMenu->menuAction());
    m_shownLayoutMenu = nullptr;
    auto* results = window ? qobject_cast<ResultWindow*>(window->widget()) : nullptr;
    if (!results)
        return;
    m_shownLayoutMenu = results->layoutMenu();
    menuBar()->insertAction(m_windowMenu->menuAction(), m_shownLayoutMenu->menuAction());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    m_life->activate();
}

// A click on the maker logo opens the about box.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_panel->makerLogo() && event->type() == QEvent::MouseButtonRelease) {
        m_menuActions->showAbout();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_panel->placeItems();
}

QString MainWindow::closeUnasked()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    // Each open box returns as cancelled once the event loop runs again; none is left over the closing.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    }
    const QString note = m_life->finishUnasked(*m_message);
    hide();
    return note;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_life->finished() || !m_life->mayClose()) {
        event->setAccepted(m_life->finished());
        return;
    }
    shutDown();
    event->accept();
}

} // namespace kav
