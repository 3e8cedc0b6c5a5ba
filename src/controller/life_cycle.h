#pragma once

#include <QString>

#include <exception>
#include <memory>

#include "controller.h"
#include "main_options.h"
#include "program_settings.h"

class QWidget;

namespace kav {

class LayoutKeeper;
class MenuActions;
class KavendorDevice;
class StandByMessage;
class MessageBoxPrompts;

// The run's life in the main window given: the channel opened at start, the first activation
// (settings, placement, the last layout, colours), the closing questions, and the closing itself,
// which stores the placement and the settings and closes the channel and the layout.
class LifeCycle {
public:
    static constexpr const char* kSettingsFile = "Kavendor.ini";

    LifeCycle(QWidget& window, const MainWindowOptions& options, Controller& controller, ProgramSettings& settings,
              KavendorDevice& device, LayoutKeeper& layouts, MenuActions& menu);
    ~LifeCycle();

    // Opens the configured channel, its questions shown over the window, and shows its state (or the
    // replayed file) in the window's title.
    void openChannel();
    // The first call reads the settings and opens the last layout; later calls do nothing more.
    void activate();
    // The closing questions; true when the window may close.
    bool mayClose();
    // Stores the settings, closes the channel and the layout. Runs once.
    void finish(StandByMessage& message);
    // Closing when nobody can be asked (the program told to stop): a layout with a file is saved to
    // it, one without is left alone; then as finish. Returns what became of the layout, for the log.
    QString finishUnasked(StandByMessage& message);
    bool finished() const { return m_finished; }

    QString settingsPath() const { return m_options.ConfigDir + QLatin1String(kSettingsFile); }

private:
    void resetRun();
    void readSettingsAtStart();
    void placeAtStart();
    void storePlacement();
    void writeSettings();
    void closeChannel();
    void reportWriteError(const std::exception& error);

    QWidget& m_window;
    const MainWindowOptions& m_options;
    Controller& m_controller;
    ProgramSettings& m_settings;
    KavendorDevice& m_device;
    LayoutKeeper& m_layouts;
    MenuActions& m_menu;
    std::unique_ptr<MessageBoxPrompts> m_devicePrompts;
    bool m_activated = false;
    bool m_setupPending = true;
    bool m_repaintPending = true;
    bool m_finished = false;
};

} // namespace kav
