#include "life_cycle.h"

#include <QWidget>

#include "channel_status_title.h"
#include "feed_text.h"
#include "kavendor_device.h"
#include "layout_keeper.h"
#include "menu_actions.h"
#include "message_box_prompts.h"
#include "settings_store.h"
#include "stand_by_message.h"
#include "ui_prompter.h"
#include "window_state.h"

namespace kav {

LifeCycle::LifeCycle(QWidget& window, const MainWindowOptions& options, Controller& controller,
                     ProgramSettings& settings, KavendorDevice& device, LayoutKeeper& layouts, MenuActions& menu)
    : m_window(window), m_options(options), m_controller(controller), m_settings(settings), m_device(device),
      m_layouts(layouts), m_menu(menu)
{
}

LifeCycle::~LifeCycle() = default;

void LifeCycle::openChannel()
{
    auto* title = new ChannelStatusTitle(m_window, m_window.windowTitle());
    if (!m_options.ReplayFile.isEmpty())
        title->showReplay(m_options.ReplayFile);
    if (!m_options.UseChannel)
        return;
    m_devicePrompts = std::make_unique<MessageBoxPrompts>(&m_window);
    m_device.setPrompts(m_devicePrompts.get());
    m_device.ProgramDir = m_options.ConfigDir;
    m_device.setMqttChannelMaker(m_options.MqttChannelMaker);
    if (m_options.UseSettingsFiles)
        m_device.loadSettingsAndOpen();
    else
        m_device.open();
    if (m_options.ReplayFile.isEmpty())
        title->watch(m_device);
}

void LifeCycle::activate()
{
    if (!m_activated) {
        m_activated = true;
        readSettingsAtStart();
        resetRun();
    }
    if (m_setupPending) {
        placeAtStart();
        if (!m_options.Layout.isEmpty())
            m_settings.change([this](MainSettings& settings) { settings.LayoutFile = m_options.Layout.toStdString(); });
        m_layouts.loadLayout(QString::fromStdString(m_settings->LayoutFile));
        m_menu.applyColours();
        m_setupPending = false;
        m_controller.Info.setTrack(m_settings->TrackLength, m_settings->TrackName);
        m_controller.Info.setValue(RunInfo::kRun, feedText(m_controller.State.RunName));
    }
    if (m_repaintPending) {
        m_repaintPending = false;
        m_window.update();
    }
}

// Following, errors and the run do not survive a restart.
void LifeCycle::resetRun()
{
    m_controller.Followed.clear();
    m_layouts.resetGeneralInfo();
    m_controller.Records.setBusy(false);
    m_controller.State.ErrorCount = 0;
    m_controller.Info.setErrors(0);
    m_controller.State.RaceFinished = false;
    m_controller.Info.setFinished(false);
    m_controller.State.ClassTable.clear();
    m_controller.State.RunName.clear();
    m_controller.SettingsChanged.tell();
}

void LifeCycle::readSettingsAtStart()
{
    if (!m_options.UseSettingsFiles)
        return;
    bool showFlag = false;
    m_settings.change(
        [&](MainSettings& settings) { readMainSettings(settingsPath().toStdString(), settings, showFlag); });
    m_menu.setShowFlag(showFlag);
}

void LifeCycle::placeAtStart()
{
    const WindowPlacement& pos = m_settings->MainWin;
    if (pos.Left == -1) {
        m_window.setWindowState(Qt::WindowMaximized);
        return;
    }
    m_window.move(pos.Left, pos.Top);
    m_window.resize(pos.Width, pos.Height);
    m_window.setWindowState(toQtState(pos.State));
}

bool LifeCycle::mayClose()
{
    if (m_settings->LayoutFile.empty() && m_layouts.holdsSomething()) {
        switch (prompter().ask(BoxKind::Information,
                               QStringLiteral("Current layout is not saved!\nDo you want to save it now?"), true,
                               &m_window)) {
        case Answer::Cancel: return false;
        case Answer::Yes: return m_layouts.saveLayoutAs();
        case Answer::No: return true;
        }
    }
    if (!m_settings->LayoutFile.empty()) {
        switch (prompter().ask(BoxKind::Confirmation, QStringLiteral("Save current layout?"), true, &m_window)) {
        case Answer::Cancel: return false;
        case Answer::Yes: return m_layouts.saveLayout(QString::fromStdString(m_settings->LayoutFile));
        case Answer::No: return true;
        }
    }
    return prompter().ask(BoxKind::Confirmation, QStringLiteral("Exit Kavendor program?"), false, &m_window) ==
           Answer::Yes;
}

QString LifeCycle::finishUnasked(StandByMessage& message)
{
    if (m_finished)
        return {};
    QString note;
    const QString file = QString::fromStdString(m_settings->LayoutFile);
    if (!file.isEmpty())
        note = m_layouts.saveLayout(file) ? QStringLiteral("layout saved to %1").arg(file)
                                          : QStringLiteral("layout could not be saved to %1").arg(file);
    else if (m_layouts.holdsSomething())
        note = QStringLiteral("the current layout has no file name and was not saved");
    finish(message);
    return note;
}

void LifeCycle::finish(StandByMessage& message)
{
    if (m_finished)
        return;
    m_finished = true;
    m_controller.Records.stopTimers();
    if (m_activated) {
        storePlacement();
        writeSettings();
    }
    closeChannel();
    m_layouts.clearLayout();
    // The flag window has no parent: left open, it would keep the program running.
    m_controller.Flag.closeFlagWindow();
    message.hide();
}

// The normal placement is kept while the window is minimised, maximised or full screen.
void LifeCycle::storePlacement()
{
    const Qt::WindowStates state = m_window.windowState();
    m_settings.change([this, state](MainSettings& settings) {
        if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
            settings.MainWin.Height = m_window.height();
            settings.MainWin.Width = m_window.width();
            settings.MainWin.Top = m_window.y();
            settings.MainWin.Left = m_window.x();
        }
        settings.MainWin.State = fromQtState(state);
    });
}

void LifeCycle::writeSettings()
{
    if (!m_options.UseSettingsFiles)
        return;
    m_settings.change([](MainSettings& settings) { settings.WinExist = true; });
    try {
        writeMainSettings(settingsPath().toStdString(), m_settings.value(), m_menu.showFlag());
    } catch (const std::exception& error) {
        reportWriteError(error);
    }
}

void LifeCycle::closeChannel()
{
    if (!m_options.UseChannel)
        return;
    if (m_options.UseSettingsFiles) {
        try {
            m_device.saveSettings();
        } catch (const std::exception& error) {
            reportWriteError(error);
        }
    }
    m_device.close();
}

void LifeCycle::reportWriteError(const std::exception& error)
{
    prompter().tell(BoxKind::Error, QString::fromStdString(error.what()), &m_window);
}

} // namespace kav
