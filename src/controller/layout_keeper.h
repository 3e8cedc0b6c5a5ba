#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

#include "controller.h"
#include "layout_store.h"
#include "logo_keeper.h"
#include "program_settings.h"
#include "window_records.h"

class QMdiArea;
class QWidget;

namespace kav {

class ColumnSettingsDialog;

// The layout on screen and its file: the result windows with their numbers, the logo window and the
// general information items; opening, saving and clearing layouts, and writing each window opened or
// closed through to the layout file in use. Works on the area it is given; the panel follows the run's information.
class LayoutKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxResultWindows = 10;

    LayoutKeeper(Controller& controller, ProgramSettings& settings, QMdiArea& area, ColumnSettingsDialog& columnDialog);
    ~LayoutKeeper() override;

    // Asks for the columns, then opens a window of the kind under the lowest free number; none when
    // ten are open or the dialog was cancelled.
    ResultWindow* newResultWindow(std::uint8_t kind);
    // Opens a window of the record's kind and columns without asking, under the lowest free number,
    // and fills it; none when ten are open.
    ResultWindow* openResultWindow(ResultWindowSettings rec);
    void resultWindowClosed(int number);

    void clearLayout();
    // False when the file could not be written (the error has been shown).
    bool saveLayout(const QString& file, LayoutWrite mode = LayoutWrite::Update);
    // False when the operator cancelled or the file could not be written.
    bool saveLayoutAs();
    void loadLayout(const QString& file);
    // The menu's "Clear Layout": offers to save first.
    void clearLayoutAsking();
    // The menu's "Open Layout...": asks for the file, offers to save the current one.
    void openLayout();

    const GeneralInfoItems& generalInfo() const { return m_genInfo; }
    void setGeneralInfo(const GeneralInfoItems& items);
    void resetGeneralInfo();
    const LogoSettings& logo() const { return m_logo.record(); }
    // Shows the logo window with the picture named, or closes it.
    void setLogo(bool visible, const std::string& fileName);
    LogoWindow* logoWindow() const { return m_logo.window(); }

    bool holdsSomething() const;
    bool canOpenWindow() const { return m_controller.Windows.count() < kMaxResultWindows; }
    void colourResultWindow(ResultWindow& window) const;

signals:
    // Windows, the logo or the panel came or went: the menus follow.
    void changed();

private:
    ResultWindow* createResultWindow(const ResultWindowSettings& rec);
    ResultWindow* activeResultWindow() const;
    bool askColumns(std::uint8_t kind, ResultWindowSettings& rec, bool& copied);
    void placeNewWindow(ResultWindow& window, const ResultWindowSettings& rec, bool belowActive);
    void writeThrough(const ResultWindowSettings& rec);
    int freeWindowNumber() const;
    struct LoadedWindows {
        ResultWindow* active = nullptr;
        ResultWindow* maximised = nullptr;
    };
    LoadedWindows loadResultWindows(const std::filesystem::path& path);
    bool saveBeforeOpening();
    void showLogo(bool loadingLayout);
    void reportWriteError(const std::exception& error);
    QWidget* dialogParent() const;

    Controller& m_controller;
    ProgramSettings& m_settings;
    QMdiArea& m_area;
    ColumnSettingsDialog& m_columnDialog;
    GeneralInfoItems m_genInfo{};
    LogoKeeper m_logo;
    bool m_listenToClose = true;
};

} // namespace kav
