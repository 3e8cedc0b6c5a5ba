#pragma once

#include "controller.h"
#include "general_info_panel.h"
#include "program_settings.h"

class QMdiArea;
class QWidget;

namespace kav {

class LayoutKeeper;
class AboutBox;
class CommunicationDialog;
class KavendorDevice;
class LogoSettingsDialog;
class MiscellaneousSettingsDialog;
class ColourSettingsDialog;
class FollowDialog;
class GeneralInfoDialog;

// The Settings and Help menus' actions: each settings action opens its dialog, takes the answer into
// the settings and shows it on the panel, the result windows and the area it is given; help opens the
// manual or the about box. The dialogs are children of the given parent.
class MenuActions {
public:
    MenuActions(QWidget& dialogParent, Controller& controller, ProgramSettings& settings, LayoutKeeper& layouts,
                QMdiArea& area, GeneralInfoPanel& panel);

    // None: a recorded feed is replayed and the connection's dialog only says so.
    void setDevice(KavendorDevice* device) { m_device = device; }

    void editCommunication();
    void editMiscellaneous();
    void editGeneralInfo();
    void editColours();
    void editLogo();
    void editFollowList();
    // The user manual, beside the program or in the installed shared folder.
    void openManual(const QString& programDir);
    void showAbout();
    // Paints the panel, the area and every result window in the settings' colours; the rows follow the
    // settings themselves.
    void applyColours();

    bool showFlag() const;
    void setShowFlag(bool show);

    MiscellaneousSettingsDialog& miscellaneousDialog() const { return *m_miscDialog; }
    ColourSettingsDialog& colourDialog() const { return *m_colourDialog; }
    GeneralInfoDialog& generalInfoDialog() const { return *m_generalInfoDialog; }
    LogoSettingsDialog& logoDialog() const { return *m_logoDialog; }
    FollowDialog& followDialog() const { return *m_followDialog; }
    AboutBox& aboutBox() const { return *m_aboutBox; }

private:
    bool takeColours();

    QWidget& m_dialogParent;
    Controller& m_controller;
    ProgramSettings& m_settings;
    LayoutKeeper& m_layouts;
    QMdiArea& m_area;
    GeneralInfoPanel& m_panel;
    KavendorDevice* m_device = nullptr;
    MiscellaneousSettingsDialog* m_miscDialog;
    ColourSettingsDialog* m_colourDialog;
    GeneralInfoDialog* m_generalInfoDialog;
    LogoSettingsDialog* m_logoDialog;
    FollowDialog* m_followDialog;
    CommunicationDialog* m_communicationDialog;
    AboutBox* m_aboutBox;
};

} // namespace kav
