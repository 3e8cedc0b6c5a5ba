#include "menu_actions.h"

#include <QLabel>
#include <QMdiArea>

#include <array>

#include "about_box.h"
#include "build_info.h"
#include "communication_form.h"
#include "feed_text.h"
#include "installed_files.h"
#include "layout_keeper.h"
#include "logo_sett_dlg.h"
#include "misc_sett_dlg.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"
#include "ui_prompter.h"

namespace kav {

namespace {

// The colour dialog's pairs, in the order the dialog lists them, as slots of the settings record.
struct ColourPair {
    std::size_t text;
    std::size_t background;
    const char* label;
};

constexpr std::array<ColourPair, 6> kColourPairs = {{
    {0, 1, "Main window"},
    {6, 7, "Results"},
    {2, 3, "General info Comment"},
    {4, 5, "General info text"},
    {8, 9, "Follow marker"},
    {10, 11, "Headers"},
}};

void setTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace

MenuActions::MenuActions(QWidget& dialogParent, TController& controller, TMainSettings& settings, LayoutKeeper& layouts,
                         QMdiArea& area, TGenInfoPanel& panel)
    : m_dialogParent(dialogParent), m_controller(controller), m_settings(settings), m_layouts(layouts), m_area(area),
      m_panel(panel), m_miscDialog(new TMiscSettDlg(&dialogParent)), m_colourDialog(new TSelColorDlg(&dialogParent)),
      m_generalInfoDialog(new TSelGenInfoDlg(&dialogParent)), m_logoDialog(new TLogoSettDlg(&dialogParent)),
      m_followDialog(new TSelCompetitorDlg(&dialogParent)),
      m_communicationDialog(new TCommunicationForm(&dialogParent)), m_aboutBox(new TAboutBox(&dialogParent))
{
}

void MenuActions::openManual(const QString& programDir)
{
    const QString path = findSharedFile(programDir, QStringLiteral("Kavendor User Manual.pdf")).left(255);
    Prompter().OpenDocument(path); // a missing manual is not reported
}

void MenuActions::showAbout()
{
    m_aboutBox->SetVersion(QStringLiteral(KAV_VERSION_TEXT));
    Prompter().Exec(*m_aboutBox);
}

bool MenuActions::showFlag() const
{
    return m_miscDialog->GetShowFlag();
}

void MenuActions::setShowFlag(bool show)
{
    m_miscDialog->SetShowFlag(show);
}

void MenuActions::editCommunication()
{
    if (!m_device) {
        Prompter().Tell(TBoxKind::Information,
                        QStringLiteral("A recorded feed is being replayed; the connection is not used."),
                        &m_dialogParent);
        return;
    }
    m_communicationDialog->SetDevice(m_device);
    Prompter().Exec(*m_communicationDialog);
}

void MenuActions::editMiscellaneous()
{
    m_miscDialog->SetMarkerDelay(m_settings.MarkerDelay);
    m_miscDialog->SetSpeedDecimals(m_settings.SpeedDecimals);
    m_miscDialog->SetTrack(FeedText(m_settings.TrackName), m_settings.TrackLength);
    if (Prompter().Exec(*m_miscDialog) != QDialog::Accepted)
        return;
    m_settings.MarkerDelay = m_miscDialog->GetMarkerDelay();
    m_settings.SpeedDecimals = m_miscDialog->GetSpeedDecimals();
    const auto [name, length] = m_miscDialog->GetTrack();
    m_settings.TrackName = StoredText(name, m_settings.TrackName);
    m_settings.TrackLength = length;
    m_panel.UpdateTrackLabels(m_settings, m_controller.State.RunName);
    m_controller.Content.RefillAll();
}

void MenuActions::editGeneralInfo()
{
    m_generalInfoDialog->SetItems(m_layouts.generalInfo());
    if (Prompter().Exec(*m_generalInfoDialog) == QDialog::Accepted) {
        m_layouts.setGeneralInfo(m_generalInfoDialog->GetItems());
        m_panel.FormResize();
    }
    emit m_layouts.changed();
}

// False when the dialog was cancelled.
bool MenuActions::takeColours()
{
    m_colourDialog->ClearSlots();
    for (const ColourPair& pair : kColourPairs)
        m_colourDialog->AddSlot(m_settings.Colors[pair.text], m_settings.Colors[pair.background],
                                QString::fromLatin1(pair.label));
    m_colourDialog->SetAlternateRows(m_settings.AlternateRows);
    const int answer = Prompter().Exec(*m_colourDialog);
    if (answer == QDialog::Accepted) {
        for (const ColourPair& pair : kColourPairs)
            std::tie(m_settings.Colors[pair.text], m_settings.Colors[pair.background]) = m_colourDialog->GetNextSlot();
        m_settings.AlternateRows = m_colourDialog->AlternateRows();
        return true;
    }
    if (answer == TSelColorDlg::kDefaultsAnswer) {
        m_settings.Colors = DefaultColors;
        m_settings.AlternateRows = false;
        return true;
    }
    if (answer == TSelColorDlg::kBigScreenAnswer) {
        m_settings.Colors = BigScreenColors;
        m_settings.AlternateRows = true;
        return true;
    }
    return false;
}

void MenuActions::editColours()
{
    if (takeColours())
        applyColours();
}

void MenuActions::applyColours()
{
    const TColors& colors = m_settings.Colors;
    QPalette panelPalette = m_panel.palette();
    panelPalette.setColor(QPalette::Window, ToQColor(colors[3], panelPalette));
    m_panel.setPalette(panelPalette);
    m_panel.setAutoFillBackground(true);
    for (int item = 1; item <= TGenInfoPanel::kLabelItems; ++item) {
        setTextColour(*m_panel.Caption(item), ToQColor(colors[2], m_panel.palette()));
        setTextColour(*m_panel.Value(item), ToQColor(colors[4], m_panel.palette()));
    }
    m_area.setBackground(ToQColor(colors[1], m_dialogParent.palette()));
    for (TFResults* window : m_controller.Windows.All()) {
        m_layouts.colourResultWindow(*window);
        window->update();
    }
    m_controller.Content.RefillAll();
}

void MenuActions::editLogo()
{
    m_logoDialog->SetLogoVisible(m_layouts.logoWindow() != nullptr);
    m_logoDialog->SetLogoFileName(QString::fromStdString(m_layouts.logo().FileName));
    if (Prompter().Exec(*m_logoDialog) == QDialog::Accepted)
        m_layouts.setLogo(m_logoDialog->GetLogoVisible(), m_logoDialog->GetLogoFileName().toStdString());
    emit m_layouts.changed();
}

void MenuActions::editFollowList()
{
    const TCompList& competitors = m_controller.State.CompList;
    if (competitors.Count() == 0) {
        Prompter().Tell(TBoxKind::Information, QStringLiteral("There are no drivers available"), &m_dialogParent);
        return;
    }
    std::vector<TFollowCompetitor> drivers;
    drivers.reserve(static_cast<std::size_t>(competitors.Count()));
    for (int i = 0; i < competitors.Count(); ++i) {
        const TCompRec rec = competitors.GetByIndex(i);
        drivers.push_back({rec.RegNo, rec.Number, rec.FirstName, rec.LastName});
    }
    m_followDialog->SetFollowList(m_settings.FollowList);
    m_followDialog->SetCompetitors(std::move(drivers));
    if (Prompter().Exec(*m_followDialog) != QDialog::Accepted)
        return;
    m_settings.FollowList = m_followDialog->GetFollowList();
    m_controller.Content.RefillAll();
}

} // namespace kav
