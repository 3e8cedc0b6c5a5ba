#include "menu_actions.h"

#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>

#include <array>

#include "about_box.h"
#include "build_info.h"
#include "colour_settings_dialog.h"
#include "communication_dialog.h"
#include "feed_text.h"
#include "follow_dialog.h"
#include "general_info_dialog.h"
#include "installed_files.h"
#include "layout_keeper.h"
#include "logo_settings_dialog.h"
#include "miscellaneous_settings_dialog.h"
#include "ui_prompter.h"

namespace kav {

namespace {

void setTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace

MenuActions::MenuActions(QWidget& dialogParent, Controller& controller, ProgramSettings& settings,
                         LayoutKeeper& layouts, QMdiArea& area, GeneralInfoPanel& panel)
    : m_dialogParent(dialogParent), m_controller(controller), m_settings(settings), m_layouts(layouts), m_area(area),
      m_panel(panel), m_miscDialog(new MiscellaneousSettingsDialog(&dialogParent)),
      m_colourDialog(new ColourSettingsDialog(&dialogParent)),
      m_generalInfoDialog(new GeneralInfoDialog(&dialogParent)), m_logoDialog(new LogoSettingsDialog(&dialogParent)),
      m_followDialog(new FollowDialog(&dialogParent)), m_communicationDialog(new CommunicationDialog(&dialogParent)),
      m_aboutBox(new AboutBox(&dialogParent))
{
}

void MenuActions::openManual(const QString& programDir)
{
    const QString path = findSharedFile(programDir, QStringLiteral("Kavendor User Manual.pdf"));
    if (!QFileInfo::exists(path))
        prompter().tell(BoxKind::Error, QStringLiteral("The user manual is missing:\n%1").arg(path), &m_dialogParent);
    else if (!prompter().openDocument(path))
        prompter().tell(BoxKind::Information,
                        QStringLiteral("No program to show PDF files was found. The user manual is at:\n%1").arg(path),
                        &m_dialogParent);
}

void MenuActions::showAbout()
{
    m_aboutBox->setVersion(QStringLiteral(KAV_VERSION_TEXT));
    prompter().exec(*m_aboutBox);
}

bool MenuActions::showFlag() const
{
    return m_miscDialog->showFlag();
}

void MenuActions::setShowFlag(bool show)
{
    m_miscDialog->setShowFlag(show);
}

void MenuActions::editCommunication()
{
    if (!m_device) {
        prompter().tell(BoxKind::Information,
                        QStringLiteral("A recorded feed is being replayed; the connection is not used."),
                        &m_dialogParent);
        return;
    }
    m_communicationDialog->setDevice(m_device);
    prompter().exec(*m_communicationDialog);
}

void MenuActions::editMiscellaneous()
{
    m_miscDialog->setMarkerDelay(m_settings->MarkerDelay);
    m_miscDialog->setSpeedDecimals(m_settings->SpeedDecimals);
    m_miscDialog->setTrack(feedText(m_settings->TrackName), m_settings->TrackLength);
    if (prompter().exec(*m_miscDialog) != QDialog::Accepted)
        return;
    // The rows, the panel and the web view follow the settings themselves.
    m_settings.change([this](MainSettings& settings) {
        settings.MarkerDelay = m_miscDialog->markerDelay();
        settings.SpeedDecimals = m_miscDialog->speedDecimals();
        const auto [name, length] = m_miscDialog->track();
        settings.TrackName = storedText(name, settings.TrackName);
        settings.TrackLength = length;
    });
}

void MenuActions::editGeneralInfo()
{
    m_generalInfoDialog->setItems(m_layouts.generalInfo());
    if (prompter().exec(*m_generalInfoDialog) == QDialog::Accepted) {
        m_layouts.setGeneralInfo(m_generalInfoDialog->items());
        m_panel.placeItems();
    }
    emit m_layouts.changed();
}

// False when the dialog was cancelled.
bool MenuActions::takeColours()
{
    m_colourDialog->clearSlots();
    for (const ColorPair& pair : kColorPairs)
        m_colourDialog->addSlot(m_settings->Colors[pair.text], m_settings->Colors[pair.background],
                                QString::fromLatin1(pair.label));
    m_colourDialog->setAlternateRows(m_settings->AlternateRows);
    const int answer = prompter().exec(*m_colourDialog);
    if (answer == QDialog::Accepted) {
        m_settings.change([this](MainSettings& settings) {
            for (const ColorPair& pair : kColorPairs)
                std::tie(settings.Colors[pair.text], settings.Colors[pair.background]) = m_colourDialog->nextSlot();
            settings.AlternateRows = m_colourDialog->alternateRows();
        });
        return true;
    }
    if (answer != ColourSettingsDialog::kDefaultsAnswer && answer != ColourSettingsDialog::kBigScreenAnswer)
        return false;
    const bool bigScreen = answer == ColourSettingsDialog::kBigScreenAnswer;
    m_settings.change([bigScreen](MainSettings& settings) {
        settings.Colors = bigScreen ? BigScreenColors : DefaultColors;
        settings.AlternateRows = bigScreen;
    });
    return true;
}

void MenuActions::editColours()
{
    if (takeColours())
        applyColours();
}

void MenuActions::applyColours()
{
    const ColorTable& colors = m_settings->Colors;
    QPalette panelPalette = m_panel.palette();
    panelPalette.setColor(QPalette::Window, toQColor(colors[kCaptionBackground], panelPalette));
    m_panel.setPalette(panelPalette);
    m_panel.setAutoFillBackground(true);
    for (int item = 1; item <= RunInfo::kTextItems; ++item) {
        setTextColour(*m_panel.caption(item), toQColor(colors[kCaptionText], m_panel.palette()));
        setTextColour(*m_panel.value(item), toQColor(colors[kInfoText], m_panel.palette()));
    }
    m_area.setBackground(toQColor(colors[kMainWindowBackground], m_dialogParent.palette()));
    for (ResultWindow* window : m_controller.Windows.all()) {
        m_layouts.colourResultWindow(*window);
        window->update();
    }
}

void MenuActions::editLogo()
{
    m_logoDialog->setLogoVisible(m_layouts.logoWindow() != nullptr);
    m_logoDialog->setLogoFileName(QString::fromStdString(m_layouts.logo().FileName));
    if (prompter().exec(*m_logoDialog) == QDialog::Accepted)
        m_layouts.setLogo(m_logoDialog->logoVisible(), m_logoDialog->logoFileName().toStdString());
    emit m_layouts.changed();
}

void MenuActions::editFollowList()
{
    const CompetitorList& competitors = m_controller.State.CompList;
    if (competitors.count() == 0) {
        prompter().tell(BoxKind::Information, QStringLiteral("There are no drivers available"), &m_dialogParent);
        return;
    }
    std::vector<FollowCandidate> drivers;
    drivers.reserve(static_cast<std::size_t>(competitors.count()));
    for (int i = 0; i < competitors.count(); ++i) {
        const FullCompetitorRecord rec = competitors.byIndex(i);
        drivers.push_back({rec.RegNo, rec.Number, rec.FirstName, rec.LastName});
    }
    m_followDialog->setFollowList(m_controller.Followed.entries());
    m_followDialog->setCompetitors(std::move(drivers));
    if (prompter().exec(*m_followDialog) != QDialog::Accepted)
        return;
    // The rows, the charts and the web view follow the list themselves.
    m_controller.Followed.set(m_followDialog->followList());
}

} // namespace kav
