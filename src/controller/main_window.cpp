#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include "about_box.h"
#include "channel_status_title.h"
#include "col_sett_dlg.h"
#include "communication_form.h"
#include "f_logo.h"
#include "f_message.h"
#include "kavendor_comm.h"
#include "logo_sett_dlg.h"
#include "message_box_prompts.h"
#include "misc_sett_dlg.h"
#include "picture_box.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"
#include "settings_store.h"
#include "stale_feed_indicator.h"
#include "ui_prompter.h"
#include "ui_resources.h"
#include "window_state.h"

namespace kav {

namespace {

constexpr int kClientFontPixels = 13;

} // namespace

TFMain::TFMain(TMainOptions options) : m_options(std::move(options))
{
    FormCreate();
}

TFMain::~TFMain()
{
    FormClose();
    // Result windows and the logo are children of the area; the controller must outlive them.
    delete m_area;
    m_area = nullptr;
}

void TFMain::FormCreate()
{
    QFont font = this->font();
    font.setPixelSize(kClientFontPixels);
    setFont(font);
    setWindowTitle(QString::fromLatin1(kCaption));
    // Every window of the program, the parentless flag window included, takes it from the application.
    QApplication::setWindowIcon(ProgramIcon());

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_area = new QMdiArea(client);
    m_panel = new TGenInfoPanel(client);
    layout->addWidget(m_area, 1);
    layout->addWidget(m_panel);
    setCentralWidget(client);

    m_message = new TMessage(this);
    if (!m_options.Clock)
        m_ownClock = std::make_unique<TSystemClock>();
    // The device exists also while a recorded feed is replayed: the replay is framed by it too.
    m_device = std::make_unique<TKavendorComm>();
    m_ctl = std::make_unique<TController>(*m_device, m_settings, *m_panel, *m_message,
                                          m_options.Clock ? *m_options.Clock : *m_ownClock);
    m_ctl->Records.SetMainWindow(this);
    m_staleFeedIndicator = new StaleFeedIndicator(m_options.Clock ? *m_options.Clock : *m_ownClock, m_panel);
    m_panel->placeBesideLogo(m_staleFeedIndicator);
    connect(m_device.get(), &TDevice::lineReceived, m_staleFeedIndicator, &StaleFeedIndicator::lineReceived);

    CreateDialogs();
    CreateMenus();
    m_ctl->Records.Flag().ShowFlag = [this] { return m_miscDialog->GetShowFlag(); };
    m_panel->MakerLogo().installEventFilter(this);

    m_settings.Colors = DefaultColors;
    ResetGenInfo(m_genInfoLayout);
    m_logo = TLogoRec{{100, 100, 10, 10, TWindowState::Normal, false}, false, {}};
    m_ctl->Records.StartTimers();

    if (m_options.UseChannel) {
        m_devicePrompts = std::make_unique<TMessageBoxPrompts>(this);
        m_device->SetPrompts(m_devicePrompts.get());
        m_device->ProgramDir = m_options.ConfigDir;
        m_device->setMqttChannelMaker(m_options.MqttChannelMaker);
        if (m_options.UseSettingsFiles)
            m_device->LoadSettingsAndOpen();
        else
            m_device->Open();
    }
    showChannelInTitle();
    connect(m_area, &QMdiArea::subWindowActivated, this, &TFMain::ShowActiveLayoutMenu);
}

// The channel opened above already has a state to show.
void TFMain::showChannelInTitle()
{
    auto* title = new ChannelStatusTitle(*this, QString::fromLatin1(kCaption));
    if (!m_options.ReplayFile.isEmpty())
        title->showReplay(m_options.ReplayFile);
    else if (m_options.UseChannel)
        title->watch(*m_device);
}

void TFMain::CreateDialogs()
{
    m_columnDialog = new TColSettDlg(this);
    m_miscDialog = new TMiscSettDlg(this);
    m_colorDialog = new TSelColorDlg(this);
    m_genInfoDialog = new TSelGenInfoDlg(this);
    m_logoDialog = new TLogoSettDlg(this);
    m_followDialog = new TSelCompetitorDlg(this);
    m_aboutBox = new TAboutBox(this);
    m_commForm = new TCommunicationForm(this);
}

void TFMain::AddNewWindowItem(QMenu& menu, const char* caption, std::uint8_t kind)
{
    menu.addAction(QString::fromLatin1(caption), this, [this, kind] {
        NewResultWindow(kind);
        m_ctl->Content.RefillKind(kind);
    });
}

void TFMain::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* newWindow = file->addMenu(QStringLiteral("&New Result window"));
    AddNewWindowItem(*newWindow, "Current Race results", kLayoutCurrentRace);
    AddNewWindowItem(*newWindow, "Completed lap results", kLayoutCompletedLap);
    AddNewWindowItem(*newWindow, "Practice results", kLayoutPractice);
    AddNewWindowItem(*newWindow, "Track Positions", kLayoutTrackPositions);
    m_newWindowMenu = newWindow->menuAction();
    m_clearLayoutAction = file->addAction(QStringLiteral("Cl&ear Layout"), this, &TFMain::MClearLayoutClick);
    m_clearLayoutAction->setEnabled(false);
    file->addAction(QStringLiteral("&Open Layout..."), this, &TFMain::MOpenLayoutClick);
    file->addAction(QStringLiteral("&Save Layout..."), this, &TFMain::MSaveLayoutClick);
    file->addAction(QStringLiteral("Export race &report\u2026"), this,
                    [this] { m_ctl->raceCharts.exportReport(this); });
    file->addAction(QStringLiteral("E&xit"), this, &TFMain::ExitClick);

    menuBar()->addMenu(QStringLiteral("&Results"))->addAction(QStringLiteral("Race &charts"), this, [this] {
        m_ctl->raceCharts.open(*m_area);
        UpdateClearLayoutMenu();
    });

    m_settingsMenu = menuBar()->addMenu(QStringLiteral("&Settings"));
    m_settingsMenu->addAction(QStringLiteral("&Communication"), this, &TFMain::MCommuClick);
    m_settingsMenu->addAction(QStringLiteral("&Miscellaneous..."), this, &TFMain::MMiscSettClick);
    m_settingsMenu->addAction(QStringLiteral("&General info..."), this, &TFMain::MGeneralInfoClick);
    m_settingsMenu->addAction(QStringLiteral("C&olors..."), this, &TFMain::MColorsClick);
    m_settingsMenu->addAction(QStringLiteral("&Logo..."), this, &TFMain::MLogoClick);
    m_settingsMenu->addAction(QStringLiteral("&Follow..."), this, &TFMain::MFollowClick);
    m_settingsMenu->addAction(QStringLiteral("Auto print"))->setVisible(false);

    m_helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpMenu->addAction(QStringLiteral("&Contents"), this, &TFMain::MContentsClick);
    m_helpMenu->addAction(QStringLiteral("&About Kavendor"), this, &TFMain::MAboutClick);
}

// The active result window's "&Layout" menu stands between "&Settings" and "&Help". It stays while
// the main window itself is inactive (a dialog open, another program in front): the area then reports
// no active window, but its current one is still the operator's choice.
void TFMain::ShowActiveLayoutMenu(QMdiSubWindow* window)
{
    if (!window)
        window = m_area->currentSubWindow();
    if (m_shownLayoutMenu)
        menuBar()->removeAction(m_shownLayoutMenu->menuAction());
    m_shownLayoutMenu = nullptr;
    auto* results = window ? qobject_cast<TFResults*>(window->widget()) : nullptr;
    if (!results)
        return;
    m_shownLayoutMenu = results->LayoutMenu();
    menuBar()->insertAction(m_helpMenu->menuAction(), m_shownLayoutMenu->menuAction());
}

void TFMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FormActivate();
}

// A click on the maker logo opens the about box.
bool TFMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_panel->MakerLogo() && event->type() == QEvent::MouseButtonRelease) {
        MAboutClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_panel->FormResize();
}

void TFMain::FormActivate()
{
    if (m_tag == -1) {
        m_tag = 0;
        ReadSettingsAtStart();
        m_settings.FollowList.fill(std::string());
        ResetGenInfo(m_genInfoLayout);
        m_listenToClose = true;
        m_ctl->Records.SetBusy(false);
        m_ctl->State.ErrorCount = 0;
        m_panel->SetErrorHint(QStringLiteral("No Errors"));
        m_ctl->State.RaceFinished = false;
        m_ctl->State.ClassTable.Clear();
        m_ctl->State.RunName.clear();
    }
    if (m_setupPending) {
        PlaceAtStart();
        if (!m_options.Layout.isEmpty())
            m_settings.LayoutFile = m_options.Layout.toStdString();
        LoadLayout(QString::fromStdString(m_settings.LayoutFile));
        ApplyColours();
        m_setupPending = false;
        m_panel->UpdateTrackLabels(m_settings, m_ctl->State.RunName);
    }
    if (m_repaintPending) {
        m_repaintPending = false;
        update();
    }
}

void TFMain::ReadSettingsAtStart()
{
    if (!m_options.UseSettingsFiles)
        return;
    bool showFlag = false;
    ReadMainSettings(SettingsPath().toStdString(), m_settings, showFlag);
    m_miscDialog->SetShowFlag(showFlag);
}

void TFMain::PlaceAtStart()
{
    const TWinPosRec& pos = m_settings.MainWin;
    if (pos.Left == -1) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    move(pos.Left, pos.Top);
    resize(pos.Width, pos.Height);
    setWindowState(ToQtState(pos.State));
}

void TFMain::closeEvent(QCloseEvent* event)
{
    if (m_closed || !FormCloseQuery()) {
        event->setAccepted(m_closed);
        return;
    }
    FormClose();
    event->accept();
}

bool TFMain::FormCloseQuery()
{
    const bool somethingToSave =
        m_ctl->Windows.Count() > 0 || m_logoWindow || !m_panel->isHidden() || m_ctl->raceCharts.window();
    if (m_settings.LayoutFile.empty() && somethingToSave) {
        switch (Prompter().Ask(TBoxKind::Information,
                               QStringLiteral("Current layout is not saved!\nDo you want to save it now?"), true,
                               this)) {
        case TAnswer::Cancel: return false;
        case TAnswer::Yes: return SaveLayoutAs();
        case TAnswer::No: return true;
        }
    }
    if (!m_settings.LayoutFile.empty()) {
        switch (Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("Save current layout?"), true, this)) {
        case TAnswer::Cancel: return false;
        case TAnswer::Yes: return SaveLayout(QString::fromStdString(m_settings.LayoutFile));
        case TAnswer::No: return true;
        }
    }
    return Prompter().Ask(TBoxKind::Confirmation, QStringLiteral("Exit Kavendor program?"), false, this) ==
           TAnswer::Yes;
}

void TFMain::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_ctl->Records.StopTimers();
    if (m_tag != -1) {
        const Qt::WindowStates state = windowState();
        if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
            m_settings.MainWin.Height = height();
            m_settings.MainWin.Width = width();
            m_settings.MainWin.Top = y();
            m_settings.MainWin.Left = x();
        }
        m_settings.MainWin.State = FromQtState(state);
        WriteSettings();
    }
    if (m_options.UseChannel) {
        if (m_options.UseSettingsFiles) {
            try {
                m_device->SaveSettings();
            } catch (const std::exception& error) {
                ReportWriteError(error);
            }
        }
        m_device->Close();
    }
    ClearLayout();
    // The flag window has no parent: left open, it would keep the program running.
    m_ctl->Records.Flag().CloseFlagWindow();
    m_message->hide();
}

void TFMain::WriteSettings()
{
    if (!m_options.UseSettingsFiles)
        return;
    m_settings.WinExist = true;
    try {
        WriteMainSettings(SettingsPath().toStdString(), m_settings, m_miscDialog->GetShowFlag());
    } catch (const std::exception& error) {
        ReportWriteError(error);
    }
}

void TFMain::ReportWriteError(const std::exception& error)
{
    Prompter().Tell(TBoxKind::Error, QString::fromStdString(error.what()), this);
}

void TFMain::MContentsClick()
{
    const QString path = ManualPath().left(255);
    Prompter().OpenDocument(path); // a missing manual is not reported
}

void TFMain::MAboutClick()
{
    m_aboutBox->SetVersion(QString::fromLatin1(kVersion));
    Prompter().Exec(*m_aboutBox);
}

void TFMain::MCommuClick()
{
    if (!m_options.UseChannel) {
        Prompter().Tell(TBoxKind::Information,
                        QStringLiteral("A recorded feed is being replayed; the connection is not used."), this);
        return;
    }
    m_commForm->SetDevice(m_device.get());
    Prompter().Exec(*m_commForm);
}

} // namespace kav
