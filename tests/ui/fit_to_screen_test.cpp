// Fit to screen: the sizing arithmetic for several screens and row counts, a fitted full-screen window
// on a full-HD and an ultra-HD screen (the offscreen platform set up by CMake) following the row
// count, paging, and the shading of alternate rows.
#include "column_settings_dialog.h"
#include "result_window.h"
#include "results_grid.h"
#include "results_models.h"
#include "screen_fitter.h"
#include "window_settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <numeric>

using namespace kav;

namespace {

enum class Limit { Height, Width, SmallestFont };

ResultWindowSettings Fitted(int rows = 0, int seconds = 0, const std::vector<std::uint8_t>& columns = {0, 2, 5, 8, 14})
{
    ResultWindowSettings rec = windowSettings(kLayoutCurrentRace, columns);
    rec.Font = {"DejaVu Sans", 10, {}, 0};
    rec.FitToScreen = true;
    rec.FitRows = rows;
    rec.PageSeconds = seconds;
    return rec;
}

} // namespace

class FitToScreenTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = new ResultWindow(m_models, m_headers, m_dialog); }
    void cleanup() { delete m_window; }

    void sizesFillTheHeightOrStopAtTheWidth()
    {
        const struct {
            const char* name;
            QSize area;
            int rows;
            Limit limit;
        } cases[] = {{"full HD, 30 rows", {1920, 1080}, 30, Limit::Height},
                     {"ultra HD, 20 rows", {3840, 2160}, 20, Limit::Height},
                     {"ultra HD, 100 rows", {3840, 2160}, 100, Limit::Height},
                     {"full HD, 10 rows", {1920, 1080}, 10, Limit::Width},
                     {"small screen, 150 rows", {1280, 720}, 150, Limit::SmallestFont}};
        const std::vector<int> widths{30, 30, 160, 90, 60};
        for (const auto& [name, area, rows, limit] : cases) {
            const ScreenFit::Result fit = ScreenFit::fit({area.width(), area.height(), rows, 13, 15, widths});
            const int spareHeight = area.height() - fit.rowHeight * (rows + 1);
            const int spareWidth = area.width() - std::accumulate(fit.widths.begin(), fit.widths.end(), 0);
            QVERIFY2(fit.pixelSize * 15 <= (fit.rowHeight - ScreenFit::kRowPadding) * 13, name); // the text fits
            QVERIFY2((fit.pixelSize == ScreenFit::kMinimumPixelSize) == (limit == Limit::SmallestFont), name);
            QVERIFY2(limit == Limit::SmallestFont ? spareHeight < 0 : spareHeight >= 0 && spareWidth >= 0, name);
            QVERIFY2(limit != Limit::Height || spareHeight <= rows, name);             // the rows fill the height
            QVERIFY2(limit != Limit::Width || spareWidth <= int(widths.size()), name); // the columns fill the width
        }
    }

    void pagesRunToTheLastRowAndStartAgain()
    {
        struct Step {
            int top, perPage, total, next;
        };
        for (const Step step : {Step{1, 10, 30, 11}, Step{21, 10, 30, 1}, Step{1, 20, 30, 11}, Step{11, 20, 30, 1},
                                Step{16, 10, 25, 1}, Step{1, 10, 5, 1}, Step{0, 0, 0, 1}})
            QCOMPARE(ScreenFit::nextTopRow(step.top, step.perPage, step.total), step.next);
    }

    // "All rows" are the field's, not the empty rows the table keeps to grow into: a field that grows
    // gets smaller at once, one that shrinks larger.
    void fittedFullScreenFillsEachScreenWithTheFieldAndLeavesTheWindowAsItWas()
    {
        m_window->applySettings(Fitted());
        ResultsGrid& grid = m_window->grid();
        fillField(16);
        const int ownRowHeight = grid.gridRowHeight(1), ownWidth = grid.gridColumnWidth(2);
        for (QScreen* screen : QGuiApplication::screens()) {
            m_window->move(screen->geometry().topLeft() + QPoint(50, 50));
            m_window->show();
            m_window->enterFullScreen();
            QTRY_COMPARE(m_window->geometry(), screen->geometry());
            QTRY_COMPARE(grid.gridRowHeight(1), grid.contentsRect().height() / 17);
            QVERIFY(grid.gridColumnWidth(2) > ownWidth * 3 / 2);
            fillField(40);
            QCOMPARE(grid.gridRowHeight(1), grid.contentsRect().height() / 41);
            m_models.forKind(kLayoutCurrentRace).clearRow(39);
            QCOMPARE(grid.gridRowHeight(1), grid.contentsRect().height() / 40);
            fillField(16);
            const ResultWindowSettings kept = m_window->currentSettings(); // the layout keeps the window's own sizes
            QCOMPARE(std::make_pair(kept.ColWidth[5], kept.Font.Size), std::make_pair(160, 10));
            m_window->leaveFullScreen();
            QCOMPARE(std::make_pair(grid.gridRowHeight(1), grid.gridColumnWidth(2)),
                     std::make_pair(ownRowHeight, ownWidth));
        }
    }

    // The pages run over the field: 25 cars in 10 rows a page are three pages, not eight.
    void chosenRowsArePagedAtTheChosenIntervalOverTheField()
    {
        fillField(25);
        m_window->applySettings(Fitted(10, 5, {0, 2}));
        m_window->show();
        m_window->enterFullScreen();
        ScreenFitter& fitter = m_window->fitter();
        QTRY_COMPARE(fitter.result().rowsPerPage, 10);
        QCOMPARE(std::make_pair(m_window->grid().topDataRow(), fitter.pageTimer().interval()), std::make_pair(1, 5000));
        QList<int> tops;
        for (int page = 0; page < 3; ++page) {
            fitter.turnPage();
            tops << m_window->grid().topDataRow();
        }
        QCOMPARE(tops, QList<int>({11, 16, 1})); // the last page ends with the last car
        // One class of the field, 13 of the 25 cars: two pages of its own rows.
        ResultsModel& race = m_models.forKind(kLayoutCurrentRace);
        for (int row = 0; row < 25; ++row)
            race.setText(row, 15, row % 2 ? QStringLiteral("B") : QStringLiteral("A"));
        m_window->showClass(QStringLiteral("A"));
        QTRY_COMPARE(m_window->grid().Results()->filledRowCount(), 13);
        tops.clear();
        for (int page = 0; page < 2; ++page) {
            fitter.turnPage();
            tops << m_window->grid().topDataRow();
        }
        const int perPage = fitter.result().rowsPerPage;
        QVERIFY(perPage < 13);
        QCOMPARE(tops, QList<int>({13 - perPage + 1, 1})); // the class's last car ends the last page
        // All rows of the class, 13, fill the screen in larger type than the field's 25 did.
        m_window->leaveFullScreen();
        m_window->applySettings(Fitted(0, 5, {0, 2}));
        m_window->enterFullScreen();
        QTRY_VERIFY(fitter.result().rowsPerPage >= 13);
        const int fieldPerPage = fitter.result().rowsPerPage;
        m_window->showClass(QStringLiteral("B"));
        QTRY_VERIFY(fitter.result().rowsPerPage < fieldPerPage);
        QVERIFY(fitter.result().rowsPerPage >= 12);
        m_window->leaveFullScreen();
        QVERIFY(!fitter.pageTimer().isActive());
    }

    // Rows in the results colours and empty rows alike; a followed driver's row keeps its colours.
    void alternateRowsAreShadedTowardsTheText()
    {
        ResultsGrid& grid = m_window->grid();
        m_window->applySettings(Fitted());
        grid.setColor(kClWhite);
        grid.setTextColor(kClBlack);
        grid.setAlternateRows(true);
        ResultsModel& race = m_models.forKind(kLayoutCurrentRace);
        for (const int row : {0, 1, 2})
            race.setRowColours(row, kClBlack, kClWhite);
        race.setRowColours(3, kClBlack, 0x00FFFF);
        m_window->show();
        const QImage image = grid.viewport()->grab().toImage();
        const auto rowColour = [&](int row) { return image.pixelColor(3, grid.gridRowHeight(1) * (row - 1) + 1); };
        const QColor shade = alternateRowColor(Qt::white, Qt::black);
        QCOMPARE(QList<QColor>({rowColour(1), rowColour(2), rowColour(3), rowColour(4), rowColour(6)}),
                 QList<QColor>({Qt::white, shade, Qt::white, Qt::yellow, shade}));
    }

private:
    // The first cars rows of the 80-row table hold a car, the rows below are empty.
    void fillField(int cars)
    {
        ResultsModel& race = m_models.forKind(kLayoutCurrentRace);
        race.clearAllRows();
        for (int row = 0; row < cars; ++row)
            race.setText(row, 2, QString::number(row + 1));
    }

    ResultsModels m_models{80};
    HeaderTexts m_headers = defaultHeaders();
    ColumnSettingsDialog m_dialog;
    ResultWindow* m_window = nullptr;
};

QTEST_MAIN(FitToScreenTest)
#include "fit_to_screen_test.moc"
