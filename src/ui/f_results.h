#pragma once

#include "main_settings.h"
#include "result_win_rec.h"
#include "system_colors.h"

#include <QWidget>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPagedPaintDevice;

namespace kav {

class ResultsModels;
class ScreenFitter;
class TColSettDlg;
class TZebGrid;

// A result window: a view in a TZebGrid of the results model of its kind, with its own columns,
// font, colours, scroll bars and border kept in its TResultWinRec. It knows nothing of the race;
// content building writes the model, which every window of the kind shows. Inside a main window it
// lives in an MDI sub-window; without one it is a window of its own.
class TFResults : public QWidget {
    Q_OBJECT
public:
    TFResults(ResultsModels& models, THeaderRec& headers, TColSettDlg& columnDialog, QMdiArea* area = nullptr);
    ~TFResults() override;

    void ApplyLayout(const TResultWinRec& rec);
    TResultWinRec GetLayout();
    // The record as it stands, without refreshing it from the window (ColPos lookups).
    const TResultWinRec& Record() const { return m_rec; }
    int GetRowCount() const; // the header row included
    void SetResultFont(const QFont& font, TColorValue color);
    void SetResultFontColor(TColorValue color);
    void SetResultBgColor(TColorValue color);
    void SetHeaderFontColor(TColorValue color);
    void SetHeaderBgColor(TColorValue color);

    void FitWidth();

    // The "&Layout" menu; the main window shows it in its menu bar while this window is active.
    QMenu* LayoutMenu() const { return m_layoutMenu; }
    TZebGrid& Grid() const { return *m_grid; }
    // The window with the border: the MDI sub-window, or this window when it stands alone.
    QWidget* Frame() const;
    bool IsFullScreen() const { return m_fullScreen; }

    // The menu entries.
    void ChooseFont();
    void EditColumns();
    void ToggleScrollBars();
    void ToggleSizeable();
    void ToggleGrid();
    void PrintResults();
    void EnterFullScreen();
    void LeaveFullScreen();
    void EditFitToScreen();
    // Sizes the table to the screen while full screen with "Fit to screen" on.
    ScreenFitter& Fitter() const { return *m_fitter; }
    void PrintTo(QPagedPaintDevice& device) const;

signals:
    // The window closes; the number is its record's Number.
    void Closed(int number);
    // The column settings changed; the rows of this kind of window need writing again.
    void RefillRequested(int kind);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    QAction* AddCheckable(const QString& text, void (TFResults::*handler)(bool));
    void OnScrollBarsEntry(bool on);
    void OnSizeableEntry(bool on);
    void BuildColumns();
    void StoreWidths();
    void OnColumnsMoved();
    void ApplyPlacement(const TWinPosRec& pos);
    void SetBounds(const TWinPosRec& pos);
    void SetScrollBars(bool on);
    void SetSizeable(bool on);
    void SetGridLines(bool on);
    void SetFrameWidth(int width);
    bool IsActiveWindow() const;
    void StartFit();

    ResultsModels& m_models;
    THeaderRec& m_headers;
    TColSettDlg& m_columnDialog;
    QMdiSubWindow* m_host = nullptr;
    TZebGrid* m_grid;
    TResultWinRec m_rec;
    TResultWinRec m_savedLayout;
    TColorValue m_fontColor = kClWindowText; // the font's colour, kept with the layout
    bool m_fullScreen = false;
    Qt::WindowFlags m_ownFlags;
    QMenu* m_layoutMenu = nullptr;
    QAction* m_scrollBarsAction = nullptr;
    QAction* m_sizeableAction = nullptr;
    QAction* m_gridAction = nullptr;
    QAction* m_fullScreenAction = nullptr;
    QAction* m_fitAction = nullptr;
    ScreenFitter* m_fitter = nullptr;
};

} // namespace kav
