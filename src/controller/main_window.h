#pragma once

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "build_info.h"
#include "comm_settings.h"
#include "communication.h"
#include "controller.h"
#include "installed_files.h"
#include "layout_store.h"
#include "main_settings.h"
#include "window_records.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace kav {

class TAboutBox;
class TColSettDlg;
class TCommunicationForm;
class TFLogo;
class TKavendorComm;
class TLogoSettDlg;
class TMessageBoxPrompts;
class TMiscSettDlg;
class TSelColorDlg;
class TSelCompetitorDlg;
class TSelGenInfoDlg;
class StaleFeedIndicator;

// How the main window is started: where its files live and what it may touch.
struct TMainOptions {
    // Folder of "Kavendor.ini" and "Communication.ini", with its trailing separator.
    QString ConfigDir;
    // Folder of the program file, where the user manual lies, with its trailing separator.
    QString ProgramDir;
    // Open the configured channel (off while a recorded feed is replayed, and in tests).
    bool UseChannel = true;
    // Read and write "Kavendor.ini" and "Communication.ini".
    bool UseSettingsFiles = true;
    // A layout to open at start instead of the one named in "Kavendor.ini".
    QString Layout;
    // The recorded feed replayed instead of the channel, for the window's title.
    QString ReplayFile;
    // The time of day for passings; the system clock when unset.
    const TClock* Clock = nullptr;
    // Builds the device's MQTT feed channel (BrokerLink::feedChannelMaker); none: that kind opens nothing.
    std::function<std::unique_ptr<TCommunication>(const TCommSettings&)> MqttChannelMaker;
};

// The program's main window: a multiple-document area for the result windows and the logo, the
// general information panel along the bottom, the menus, and the life of the run from the first
// activation to closing. It owns the device, the race data and every window the program opens.
class TFMain : public QMainWindow {
public:
    static constexpr int kMaxResultWindows = 10;
    static constexpr const char* kCaption = "Kavendor  v" KAV_VERSION_TEXT;
    static constexpr const char* kVersion = KAV_VERSION_TEXT;
    static constexpr const char* kSettingsFile = "Kavendor.ini";
    static constexpr const char* kManualFile = "Kavendor User Manual.pdf";

    explicit TFMain(TMainOptions options);
    ~TFMain() override;

    // The first activation: settings, placement, the last layout, colours. Later calls do nothing.
    void FormActivate();
    // The closing questions; true when the window may close.
    bool FormCloseQuery();
    // Stores the settings, closes the channel and the layout. Runs once.
    void FormClose();

    // Result windows and layouts.
    TFResults* NewResultWindow(std::uint8_t kind);
    // Opens a window of the record's kind and columns without asking, under the lowest free number,
    // and fills it; none when ten are open.
    TFResults* OpenResultWindow(TResultWinRec rec);
    void ResultWindowClosed(int number);
    void UpdateClearLayoutMenu();
    void ClearLayout();
    // False when the file could not be written (the error has been shown).
    bool SaveLayout(const QString& file, TLayoutWrite mode = TLayoutWrite::Update);
    // False when the operator cancelled or the file could not be written.
    bool SaveLayoutAs();
    void LoadLayout(const QString& file);
    void ApplyColours();

    // Menu handlers.
    void MClearLayoutClick();
    void MOpenLayoutClick();
    void MSaveLayoutClick() { SaveLayoutAs(); }
    void MMiscSettClick();
    void MGeneralInfoClick();
    void MColorsClick();
    void MLogoClick();
    void MFollowClick();
    void MContentsClick();
    void MAboutClick();
    void MCommuClick();
    void ExitClick() { close(); }

    TController& Ctl() { return *m_ctl; }
    TMainSettings& Settings() { return m_settings; }
    TGenInfoPanel& Panel() const { return *m_panel; }
    StaleFeedIndicator& staleFeedIndicator() const { return *m_staleFeedIndicator; }
    QMdiArea& Area() const { return *m_area; }
    const TGenInfo& GenInfoLayout() const { return m_genInfoLayout; }
    const TLogoRec& Logo() const { return m_logo; }
    TFLogo* LogoWindow() const;
    // The device every line comes through, from the channel or from a replayed feed.
    TKavendorComm* Device() const { return m_device.get(); }
    QString SettingsPath() const { return m_options.ConfigDir + QLatin1String(kSettingsFile); }
    QString ManualPath() const { return findSharedFile(m_options.ProgramDir, QLatin1String(kManualFile)); }
    const TMainOptions& Options() const { return m_options; }

    QAction* NewWindowMenu() const { return m_newWindowMenu; }
    QAction* ClearLayoutAction() const { return m_clearLayoutAction; }
    QMenu* SettingsMenu() const { return m_settingsMenu; }
    QMenu* HelpMenu() const { return m_helpMenu; }
    TColSettDlg& ColumnDialog() const { return *m_columnDialog; }
    TMiscSettDlg& MiscDialog() const { return *m_miscDialog; }
    TSelColorDlg& ColorDialog() const { return *m_colorDialog; }
    TSelGenInfoDlg& GenInfoDialog() const { return *m_genInfoDialog; }
    TLogoSettDlg& LogoDialog() const { return *m_logoDialog; }
    TSelCompetitorDlg& FollowDialog() const { return *m_followDialog; }
    TAboutBox& AboutBox() const { return *m_aboutBox; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateDialogs();
    void showChannelInTitle();
    void CreateMenus();
    void AddNewWindowItem(QMenu& menu, const char* caption, std::uint8_t kind);
    void ReadSettingsAtStart();
    void PlaceAtStart();
    void WriteSettings();
    void ShowActiveLayoutMenu(QMdiSubWindow* window);
    TFResults* CreateResultWindow(const TResultWinRec& rec);
    void ColourResultWindow(TFResults& window) const;
    void UpdateNewWindowMenu();
    int FreeWindowNumber() const;
    void ShowLogoWindow(bool loadingLayout);
    void DestroyLogoWindow();
    void ApplyGenInfoLayout();
    void ReportWriteError(const std::exception& error);

    TMainOptions m_options;
    TMainSettings m_settings;
    TGenInfo m_genInfoLayout{};
    TLogoRec m_logo;
    std::unique_ptr<TClock> m_ownClock;
    QMdiArea* m_area = nullptr;
    TGenInfoPanel* m_panel = nullptr;
    TMessage* m_message = nullptr;
    StaleFeedIndicator* m_staleFeedIndicator = nullptr;
    std::unique_ptr<TController> m_ctl;
    std::unique_ptr<TKavendorComm> m_device;
    std::unique_ptr<TMessageBoxPrompts> m_devicePrompts;
    QPointer<TFLogo> m_logoWindow;

    TColSettDlg* m_columnDialog = nullptr;
    TMiscSettDlg* m_miscDialog = nullptr;
    TSelColorDlg* m_colorDialog = nullptr;
    TSelGenInfoDlg* m_genInfoDialog = nullptr;
    TLogoSettDlg* m_logoDialog = nullptr;
    TSelCompetitorDlg* m_followDialog = nullptr;
    TAboutBox* m_aboutBox = nullptr;
    TCommunicationForm* m_commForm = nullptr;

    QAction* m_newWindowMenu = nullptr;
    QAction* m_clearLayoutAction = nullptr;
    QMenu* m_settingsMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QPointer<QMenu> m_shownLayoutMenu;

    int m_tag = -1; // -1 until the first activation
    bool m_setupPending = true;
    bool m_repaintPending = true;
    bool m_listenToClose = true;
    bool m_closed = false;
};

} // namespace kav
