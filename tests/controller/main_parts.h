#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <vector>

#include "column_settings_dialog.h"
#include "controller.h"
#include "kavendor_device.h"
#include "layout_keeper.h"
#include "life_cycle.h"
#include "menu_actions.h"
#include "scripted_prompter.h"
#include "stand_by_message.h"
#include "test_main_window.h"

namespace kav {

// Plays the person at a dialog of the given kind: the hand fills it in, then it is accepted. Any other
// dialog is rejected.
template <class Dialog>
std::function<int(QDialog&)> acceptWith(std::function<void(Dialog&)> hand)
{
    return [hand](QDialog& dialog) {
        auto* wanted = qobject_cast<Dialog*>(&dialog);
        if (wanted)
            hand(*wanted);
        return int(wanted ? QDialog::Accepted : QDialog::Rejected);
    };
}

// The main window's parts without the main window: the area and the panel in a plain widget, the
// controller on its device, and the layouts, menu actions and life cycle working on them, with the
// settings files in a temporary folder and every question answered by the script.
class MainParts : public ::testing::Test {
protected:
    MainParts()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(area, 1);
        layout->addWidget(panel);
        settings.change([](MainSettings& s) { s.Colors = DefaultColors; });
        window.resize(1000, 700);
    }
    // The windows are the area's children; they leave the controller's list while it still stands.
    ~MainParts() override { delete area; }

    // Shown as the program starts: the settings read, the layout given opened.
    void start(const QString& layoutFile = {})
    {
        options.Layout = layoutFile;
        window.show();
        life.activate();
    }
    QString file(const QString& name) const { return dir.filePath(name); }

    // The column dialog answers OK with these columns, copying the active window's layout or not.
    void acceptColumns(std::vector<std::uint8_t> ids, bool copy = false)
    {
        prompter.onExec = acceptWith<ColumnSettingsDialog>([ids, copy](ColumnSettingsDialog& columns) {
            columns.copyLayoutBox()->setChecked(copy);
            for (std::uint8_t id = 0; id < kColumnIds && !copy; ++id)
                columns.columnBox(id)->setChecked(false);
            for (std::uint8_t id : ids) // the dialog keeps the order they are ticked in
                columns.columnBox(id)->setChecked(!copy);
        });
    }
    ResultWindow* resultWindow(int number) const
    {
        for (ResultWindow* window : controller.Windows.all()) {
            if (window->settings().Number == number)
                return window;
        }
        return nullptr;
    }
    std::vector<int> numbers() const
    {
        std::vector<int> numbers;
        for (ResultWindow* window : controller.Windows.all())
            numbers.push_back(window->settings().Number);
        return numbers;
    }
    static ResultWindowSettings stored(const QString& file, int number)
    {
        ResultWindowSettings rec;
        readResultWindow(file.toStdString(), number, rec);
        return rec;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    MainWindowOptions options = testOptions(&dir);
    QWidget window;
    QMdiArea* area = new QMdiArea(&window);
    GeneralInfoPanel* panel = new GeneralInfoPanel(&window);
    StandByMessage message;
    ColumnSettingsDialog columnDialog;
    ManualClock clock;
    KavendorDevice device;
    ProgramSettings settings;
    Controller controller{device, settings, message, clock};
    bool panelWatches = (panel->watch(controller.Info), true);
    LayoutKeeper layouts{controller, settings, *area, columnDialog};
    MenuActions actions{window, controller, settings, layouts, *area, *panel};
    LifeCycle life{window, options, controller, settings, device, layouts, actions};
};

} // namespace kav
