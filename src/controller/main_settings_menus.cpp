// The main window's settings menu: miscellaneous, general information, colours, logo and follow, and
// applying the colour pairs to the screen.

#include <QLabel>
#include <QMdiArea>

#include "f_logo.h"
#include "feed_text.h"
#include "logo_sett_dlg.h"
#include "main_window.h"
#include "misc_sett_dlg.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"
#include "ui_prompter.h"

namespace kav {

namespace {

// The colour dialog's pairs, in the order the dialog lists them, as slots of the settings record.
struct TColourPair {
    std::size_t Text;
    std::size_t Background;
    const char* Label;
};

constexpr std::array<TColourPair, 6> kColourPairs = {{
    {0, 1, "Main window"},
    {6, 7, "Results"},
    {2, 3, "General info Comment"},
    {4, 5, "General info text"},
    {8, 9, "Follow marker"},
    {10, 11, "Headers"},
}};

void SetTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace

void TFMain::MMiscSettClick()
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
    m_panel->UpdateTrackLabels(m_settings, m_ctl->State.RunName);
    m_ctl->Content.RefillAll();
}

void TFMain::MGeneralInfoClick()
{
    m_genInfoDialog->SetItems(m_genInfoLayout);
    if (Prompter().Exec(*m_genInfoDialog) == QDialog::Accepted) {
        m_genInfoLayout = m_genInfoDialog->GetItems();
        ApplyGenInfoLayout();
        m_panel->FormResize();
    }
    UpdateClearLayoutMenu();
}

void TFMain::MColorsClick()
{
    m_colorDialog->ClearSlots();
    for (const TColourPair& pair : kColourPairs)
        m_colorDialog->AddSlot(m_settings.Colors[pair.Text], m_settings.Colors[pair.Background],
                               QString::fromLatin1(pair.Label));
    m_colorDialog->SetAlternateRows(m_settings.AlternateRows);
    const int answer = Prompter().Exec(*m_colorDialog);
    if (answer == QDialog::Accepted) {
        for (const TColourPair& pair : kColourPairs)
            std::tie(m_settings.Colors[pair.Text], m_settings.Colors[pair.Background]) = m_colorDialog->GetNextSlot();
        m_settings.AlternateRows = m_colorDialog->AlternateRows();
    } else if (answer == TSelColorDlg::kDefaultsAnswer) {
        m_settings.Colors = DefaultColors;
        m_settings.AlternateRows = false;
    } else if (answer == TSelColorDlg::kBigScreenAnswer) {
        m_settings.Colors = BigScreenColors;
        m_settings.AlternateRows = true;
    } else {
        return;
    }
    ApplyColours();
}

void TFMain::ApplyColours()
{
    const TColors& colors = m_settings.Colors;
    QPalette panelPalette = m_panel->palette();
    panelPalette.setColor(QPalette::Window, ToQColor(colors[3], panelPalette));
    m_panel->setPalette(panelPalette);
    m_panel->setAutoFillBackground(true);
    for (int item = 1; item <= TGenInfoPanel::kLabelItems; ++item) {
        SetTextColour(*m_panel->Caption(item), ToQColor(colors[2], m_panel->palette()));
        SetTextColour(*m_panel->Value(item), ToQColor(colors[4], m_panel->palette()));
    }
    m_area->setBackground(ToQColor(colors[1], palette()));
    for (TFResults* window : m_ctl->Windows.All()) {
        ColourResultWindow(*window);
        window->update();
    }
    m_ctl->Content.RefillAll();
}

void TFMain::MLogoClick()
{
    m_logoDialog->SetLogoVisible(m_logoWindow != nullptr);
    m_logoDialog->SetLogoFileName(QString::fromStdString(m_logo.FileName));
    if (Prompter().Exec(*m_logoDialog) == QDialog::Accepted) {
        m_logo.Visible = m_logoDialog->GetLogoVisible();
        m_logo.FileName = m_logoDialog->GetLogoFileName().toStdString();
        if (m_logo.Visible)
            ShowLogoWindow(false);
        else
            DestroyLogoWindow();
    }
    UpdateClearLayoutMenu();
}

void TFMain::MFollowClick()
{
    const TCompList& competitors = m_ctl->State.CompList;
    if (competitors.Count() == 0) {
        Prompter().Tell(TBoxKind::Information, QStringLiteral("There are no drivers available"), this);
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
    m_ctl->Content.RefillAll();
}

} // namespace kav
