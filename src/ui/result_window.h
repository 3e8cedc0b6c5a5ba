#pragma once

#include "main_settings.h"
#include "result_window_settings.h"
#include "system_colors.h"

#include <QWidget>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPagedPaintDevice;

namespace kav {

class ClassResultsModel;
class ResultsModel;
class ResultsModels;
class ScreenFitter;
class ColumnSettingsDialog;
class ResultsGrid;

// A result window: a view in a ResultsGrid of the results model of its kind, with its own columns,
// font, colours, scroll bars and border kept in its ResultWindowSettings. It knows nothing of the race;
// content building writes the model, which every window of the kind shows. Inside a main window it
// lives in an MDI sub-window; without one it is a window of its own.
class ResultWindow : public QWidget {
    Q_OBJECT
public:
    ResultWindow(ResultsModels& models, const HeaderTexts& headers, ColumnSettingsDialog& columnDialog,
                 QMdiArea* area = nullptr);
    ~ResultWindow() override;

    void applySettings(const ResultWindowSettings& rec);
    ResultWindowSettings currentSettings();
    // The record as it stands, without refreshing it from the window (ColPos lookups).
    const ResultWindowSettings& settings() const { return m_rec; }
    int dataRowCount() const; // the header row included
    void setResultFont(const QFont& font, ColorValue color);
    // The results and header colours of the table, and whether every second row is shaded.
    void setColours(const ColorTable& colors, bool alternateRows);

    void fitWidth();

    // The "&Layout" menu; the main window shows it in its menu bar while this window is active.
    QMenu* layoutMenu() const { return m_layoutMenu; }
    ResultsGrid& grid() const { return *m_grid; }
    // What the window shows: its kind's results, or the rows of its class as they stand now.
    const ResultsModel& shownResults() const;
    // One class only (its name as the timing system sends it), or every class when empty.
    void showClass(const QString& className);
    // The window with the border: the MDI sub-window, or this window when it stands alone.
    QWidget* borderWindow() const;
    bool inFullScreen() const { return m_fullScreen; }

    // The menu entries.
    void chooseFont();
    void editColumns();
    void toggleScrollBars();
    void toggleSizeable();
    void toggleGrid();
    void printResults();
    void enterFullScreen();
    void leaveFullScreen();
    void editFitToScreen();
    // Sizes the table to the screen while full screen with "Fit to screen" on.
    ScreenFitter& fitter() const { return *m_fitter; }
    void printTo(QPagedPaintDevice& device) const;

signals:
    // The operator chose new header texts in the column dialog; whoever keeps the settings takes them
    // before the window rebuilds its columns.
    void headersChosen(const HeaderTexts& headers);
    // The window closes; the number is its record's Number.
    void closed(int number);
    // The column settings changed; the rows of this kind of window need writing again.
    void refillRequested(int kind);
    // The window's settings may have changed (its menu was used, its columns dragged or set).
    void settingsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenu();
    void fillClassMenu();
    void showResults();
    void showTitle();
    QAction* addCheckable(const QString& text, void (ResultWindow::*handler)(bool));
    void onScrollBarsEntry(bool on);
    void onSizeableEntry(bool on);
    void buildColumns();
    void storeWidths();
    void takeColumnOrder();
    void applyPlacement(const WindowPlacement& pos);
    void setBounds(const WindowPlacement& pos);
    void setScrollBars(bool on);
    void setSizeable(bool on);
    void setGridLines(bool on);
    void setFrameWidth(int width);
    bool isActiveResultWindow() const;
    void startFit();

    ResultsModels& m_models;
    const HeaderTexts& m_headers;
    ColumnSettingsDialog& m_columnDialog;
    QMdiSubWindow* m_host = nullptr;
    ResultsGrid* m_grid;
    ResultWindowSettings m_rec;
    ResultWindowSettings m_savedLayout;
    ColorValue m_fontColor = kClWindowText; // the font's colour, kept with the layout
    bool m_fullScreen = false;
    Qt::WindowFlags m_ownFlags;
    QMenu* m_layoutMenu = nullptr;
    QAction* m_scrollBarsAction = nullptr;
    QAction* m_sizeableAction = nullptr;
    QAction* m_gridAction = nullptr;
    QAction* m_fullScreenAction = nullptr;
    QAction* m_fitAction = nullptr;
    QMenu* m_classMenu = nullptr;
    ClassResultsModel* m_classRows = nullptr; // while the window shows one class
    ScreenFitter* m_fitter = nullptr;
};

} // namespace kav
