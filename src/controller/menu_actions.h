#pragma once

#include "controller.h"
#include "main_settings.h"

class QMdiArea;
class QWidget;

namespace kav {

class LayoutKeeper;
class TAboutBox;
class TCommunicationForm;
class TKavendorComm;
class TLogoSettDlg;
class TMiscSettDlg;
class TSelColorDlg;
class TSelCompetitorDlg;
class TSelGenInfoDlg;

// The Settings and Help menus' actions: each settings action opens its dialog, takes the answer into
// the settings and shows it on the panel, the result windows and the area it is given; help opens the
// manual or the about box. The dialogs are children of the given parent.
class MenuActions {
public:
    MenuActions(QWidget& dialogParent, TController& controller, TMainSettings& settings, LayoutKeeper& layouts,
                QMdiArea& area, TGenInfoPanel& panel);

    // None: a recorded feed is replayed and the connection's dialog only says so.
    void setDevice(TKavendorComm* device) { m_device = device; }

    void editCommunication();
    void editMiscellaneous();
    void editGeneralInfo();
    void editColours();
    void editLogo();
    void editFollowList();
    // The user manual, beside the program or in the installed shared folder.
    void openManual(const QString& programDir);
    void showAbout();
    // Paints the panel, the area and every result window in the settings' colours and refills them.
    void applyColours();

    bool showFlag() const;
    void setShowFlag(bool show);

    TMiscSettDlg& miscellaneousDialog() const { return *m_miscDialog; }
    TSelColorDlg& colourDialog() const { return *m_colourDialog; }
    TSelGenInfoDlg& generalInfoDialog() const { return *m_generalInfoDialog; }
    TLogoSettDlg& logoDialog() const { return *m_logoDialog; }
    TSelCompetitorDlg& followDialog() const { return *m_followDialog; }
    TAboutBox& aboutBox() const { return *m_aboutBox; }

private:
    bool takeColours();

    QWidget& m_dialogParent;
    TController& m_controller;
    TMainSettings& m_settings;
    LayoutKeeper& m_layouts;
    QMdiArea& m_area;
    TGenInfoPanel& m_panel;
    TKavendorComm* m_device = nullptr;
    TMiscSettDlg* m_miscDialog;
    TSelColorDlg* m_colourDialog;
    TSelGenInfoDlg* m_generalInfoDialog;
    TLogoSettDlg* m_logoDialog;
    TSelCompetitorDlg* m_followDialog;
    TCommunicationForm* m_communicationDialog;
    TAboutBox* m_aboutBox;
};

} // namespace kav
