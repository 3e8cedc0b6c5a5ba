#pragma once

#include "screen_fit.h"

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPalette>
#include <QTimer>

namespace kav {

class ResultsGrid;

// Keeps a results grid sized by ScreenFit to the space it has, while its window is full screen and
// fitted, and pages through the rows beyond the screen at a set interval. Started again, it fits
// anew; stopped, it gives the grid its own font, rows, widths and scroll bars back.
class ScreenFitter : public QObject {
    Q_OBJECT
public:
    explicit ScreenFitter(ResultsGrid& grid, QObject* parent = nullptr);

    // The grid must hold the window's own column widths; rows 0 fits every row of the field, and
    // pageSeconds 0 never turns a page.
    void start(const QFont& baseFont, int rows, int pageSeconds);
    void stop();
    bool isActive() const { return m_active; }
    const ScreenFit::Result& result() const { return m_result; }
    const QTimer& pageTimer() const { return m_pageTimer; }

    // Shows the next page of rows, or the first after the last; the page timer calls it.
    void turnPage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refit();
    int fieldRows() const;
    void watchRows();
    void forgetRows();
    int baseWidth(int place) const;
    QList<QWidget*> spareAreas() const;
    void paintSpareAreas();

    ResultsGrid& m_grid;
    QFont m_baseFont;
    QHash<int, int> m_baseWidths; // by model column, -1 for the empty column
    bool m_baseScrollBars = true;
    QList<QPalette> m_basePalettes; // of the spare areas
    int m_rows = 0;
    bool m_active = false;
    ScreenFit::Result m_result;
    QTimer m_pageTimer;
    QList<QMetaObject::Connection> m_rowWatches;
};

} // namespace kav
