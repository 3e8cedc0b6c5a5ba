#pragma once

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>

#include "main_options.h"

namespace kav {

// A main window's options in a test: no channel, and the settings files in the folder or, without one, none.
inline MainWindowOptions testOptions(const QTemporaryDir* dir = nullptr, const ClockSource* clock = nullptr)
{
    MainWindowOptions options;
    if (dir)
        options.ConfigDir = options.ProgramDir = dir->path() + QLatin1Char('/');
    options.UseChannel = false;
    options.UseSettingsFiles = dir != nullptr;
    options.Clock = clock;
    return options;
}

// The entry with the text in a menu bar or a menu, or in their menus; null when there is none.
inline QAction* findAction(const QWidget& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
        if (QAction* inner = action->menu() ? findAction(*action->menu(), text) : nullptr)
            return inner;
    }
    return nullptr;
}

} // namespace kav
