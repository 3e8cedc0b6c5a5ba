// Fit to screen: the sizing arithmetic for several screens and row counts, a fitted full-screen window
// on a full-HD and an ultra-HD screen (the offscreen platform set up by CMake), paging, and the
// big-screen colour choices.
#include "col_sett_dlg.h"
#include "f_results.h"
#include "fit_to_screen_dialog.h"
#include "results_models.h"
#include "screen_fit.h"
#include "screen_fitter.h"
#include "scripted_prompter.h"
#include "sel_color_dlg.h"
#include "zeb_grid.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <numeric>

using namespace kav;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

enum class Limit { Height, Width, SmallestFont };

int Sum(const std::vector<int>& widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0);
}

TResultWinRec Fitted(int rows = 0, int seconds = 0, std::initializer_list<std::uint8_t> columns = {0, 2, 5, 8, 14})
{
    TResultWinRec rec;
    rec.Number = 1;
    rec.Layout = kLayoutCurrentRace;
    rec.Font = {"DejaVu Sans", 10, {}, 0};
    std::copy(columns.begin(), columns.end(), rec.ColRel.begin());
    rec.FitToScreen = true;
    rec.FitRows = rows;
    rec.PageSeconds = seconds;
    return rec;
}

} // namespace

class FitToScreenTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_window = new TFResults(m_models, m_headers, m_dialog);
        m_window->move(100, 100);
    }
    void cleanup() { delete m_window; }

    void sizesFillTheHeightOrStopAtTheWidth_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<int>("rows");
        QTest::addColumn<std::vector<int>>("widths");
        QTest::addColumn<Limit>("limit");
        const std::vector<int> narrow{30, 30, 160, 90, 60};
        QTest::newRow("full HD, 30 rows") << QSize(1920, 1080) << 30 << narrow << Limit::Height;
        QTest::newRow("ultra HD, 20 rows") << QSize(3840, 2160) << 20 << narrow << Limit::Height;
        QTest::newRow("ultra HD, 100 rows") << QSize(3840, 2160) << 100 << narrow << Limit::Height;
        QTest::newRow("full HD, 10 rows of a wide table") << QSize(1920, 1080) << 10 << narrow << Limit::Width;
        QTest::newRow("portrait, 40 rows") << QSize(1080, 1920) << 40 << std::vector<int>{600} << Limit::Width;
        QTest::newRow("small screen, 150 rows") << QSize(1280, 720) << 150 << narrow << Limit::SmallestFont;
    }
    void sizesFillTheHeightOrStopAtTheWidth()
    {
        QFETCH(QSize, area);
        QFETCH(int, rows);
        QFETCH(std::vector<int>, widths);
        QFETCH(Limit, limit);
        const ScreenFit::Result fit = ScreenFit::fit({area.width(), area.height(), rows, 13, 15, widths});
        const int used = fit.rowHeight * (rows + 1);
        QVERIFY2(fit.pixelSize * 15 <= (fit.rowHeight - ScreenFit::kRowPadding) * 13, "the text fits its row");
        QCOMPARE(int(fit.widths.size()), int(widths.size()));
        if (limit == Limit::SmallestFont) {
            QCOMPARE(fit.pixelSize, ScreenFit::kMinimumPixelSize);
            QCOMPARE(fit.rowsPerPage, area.height() / fit.rowHeight - 1);
            QVERIFY(fit.rowsPerPage < rows);
            return;
        }
        QVERIFY2(used <= area.height() && Sum(fit.widths) <= area.width(), "everything is on the screen");
        QVERIFY(fit.rowsPerPage >= rows);
        if (limit == Limit::Height)
            QVERIFY2(area.height() - used <= rows, "the rows fill the height");
        else
            QVERIFY2(area.width() - Sum(fit.widths) <= int(widths.size()), "the columns fill the width");
    }

    void pagesRunToTheLastRowAndStartAgain()
    {
        struct Step {
            int top, perPage, total, next;
        };
        for (const Step step : {Step{1, 10, 30, 11}, Step{11, 10, 30, 21}, Step{21, 10, 30, 1}, Step{1, 20, 30, 11},
                                Step{11, 20, 30, 1}, Step{16, 10, 25, 1}, Step{1, 10, 5, 1}, Step{0, 0, 0, 1}})
            QCOMPARE(ScreenFit::nextTopRow(step.top, step.perPage, step.total), step.next);
    }

    void fittedFullScreenFillsEachScreenAndLeavesTheWindowAsItWas()
    {
        m_window->ApplyLayout(Fitted());
        TZebGrid& grid = m_window->Grid();
        const int ownRowHeight = grid.RowHeight(1);
        const int ownWidth = grid.ColWidth(2);
        for (QScreen* screen : QGuiApplication::screens()) {
            m_window->move(screen->geometry().topLeft() + QPoint(50, 50));
            m_window->show();
            m_window->EnterFullScreen();
            QTRY_COMPARE(m_window->geometry(), screen->geometry());
            QTRY_COMPARE(grid.RowHeight(1), grid.contentsRect().height() / grid.RowCount());
            QCOMPARE(grid.RowHeight(0), grid.RowHeight(1));
            QVERIFY(grid.ColWidth(2) > ownWidth * 3 / 2);
            QCOMPARE(m_window->GetLayout().ColWidth[5], Fitted().ColWidth[5]);
            QCOMPARE(m_window->GetLayout().Font.Size, 10);
            m_window->LeaveFullScreen();
            QCOMPARE(grid.RowHeight(1), ownRowHeight);
            QCOMPARE(grid.ColWidth(2), ownWidth);
            QCOMPARE(grid.font().pointSize(), 10);
        }
    }

    void fitterFollowsTheGridsSizeAndRowCount()
    {
        TZebGrid grid;
        grid.SetResults(&m_models.forKind(kLayoutCurrentRace));
        grid.SetColumns({0, 2});
        grid.resize(800, 600);
        grid.show();
        ScreenFitter fitter(grid);
        fitter.start(grid.font(), 0, 0);
        const auto fills = [&grid] { return grid.RowHeight(1) == grid.contentsRect().height() / grid.RowCount(); };
        QVERIFY(fills());
        grid.resize(800, 1300);
        QTRY_VERIFY(fills());
        m_models.setRowCount(40);
        QVERIFY(fills());
        m_models.setRowCount(30);
        fitter.stop();
        QCOMPARE(grid.ColWidth(1), 64);
        QVERIFY(grid.ScrollBars());
    }

    void fullScreenWithoutFitKeepsTheWindowsSizes()
    {
        TResultWinRec rec = Fitted();
        rec.FitToScreen = false;
        m_window->ApplyLayout(rec);
        const int rowHeight = m_window->Grid().RowHeight(1);
        m_window->show();
        m_window->EnterFullScreen();
        QTRY_COMPARE(m_window->geometry(), m_window->screen()->geometry());
        QVERIFY(!m_window->Fitter().isActive());
        QCOMPARE(m_window->Grid().RowHeight(1), rowHeight);
    }

    void chosenRowsArePagedAtTheChosenInterval()
    {
        m_window->ApplyLayout(Fitted(10, 5, {0, 2}));
        m_window->show();
        m_window->EnterFullScreen();
        const ScreenFitter& fitter = m_window->Fitter();
        QTRY_COMPARE(fitter.result().rowsPerPage, 10);
        QVERIFY(fitter.pageTimer().isActive());
        QCOMPARE(fitter.pageTimer().interval(), 5000);
        QList<int> tops{m_window->Grid().TopRow()};
        for (int page = 0; page < 3; ++page) {
            m_window->Fitter().turnPage();
            tops << m_window->Grid().TopRow();
        }
        QCOMPARE(tops, QList<int>({1, 11, 21, 1}));
        m_window->LeaveFullScreen();
        QVERIFY(!fitter.pageTimer().isActive());
    }

    void layoutMenuTurnsFitOnAndSetsRowsAndSeconds()
    {
        m_window->ApplyLayout(TResultWinRec{});
        QAction* fit = nullptr;
        QAction* settings = nullptr;
        for (QAction* action : m_window->LayoutMenu()->actions()) {
            if (action->text() == QStringLiteral("Fit to screen"))
                fit = action;
            if (action->text() == QStringLiteral("Fit to screen settings..."))
                settings = action;
        }
        QVERIFY(fit && settings && fit->isCheckable() && !fit->isChecked());
        fit->trigger();
        TScriptedPrompter prompter;
        prompter.OnExec = [](QDialog& dialog) {
            auto& fitDialog = dynamic_cast<FitToScreenDialog&>(dialog);
            fitDialog.rowsField()->setValue(25);
            fitDialog.pageSecondsField()->setValue(12);
            return int(QDialog::Accepted);
        };
        settings->trigger();
        QCOMPARE(m_window->GetLayout().FitToScreen, true);
        QCOMPARE(m_window->GetLayout().FitRows, 25);
        QCOMPARE(m_window->GetLayout().PageSeconds, 12);
    }

    void alternateRowsAreShadedTowardsTheText()
    {
        QVERIFY(AlternateRowColor(Qt::black, Qt::white).lightness() > 20);
        QVERIFY(AlternateRowColor(Qt::white, Qt::black).lightness() < 235);
        m_window->ApplyLayout(Fitted());
        TZebGrid& grid = m_window->Grid();
        grid.SetColor(kClWhite);
        grid.SetTextColor(kClBlack);
        m_window->resize(400, 300);
        m_window->show();
        const auto rowColour = [&grid](int row) {
            return grid.viewport()->grab().toImage().pixelColor(3, grid.RowHeight(1) * (row - 1) + 1);
        };
        QCOMPARE(rowColour(2), QColor(Qt::white));
        grid.SetAlternateRows(true);
        QCOMPARE(rowColour(1), QColor(Qt::white));
        QCOMPARE(rowColour(2), AlternateRowColor(Qt::white, Qt::black));
        QCOMPARE(rowColour(3), QColor(Qt::white));
    }

    void bigScreenButtonAnswersTheDialogOnceConfirmed()
    {
        TScriptedPrompter prompter;
        TSelColorDlg dialog;
        dialog.SetAlternateRows(true);
        QVERIFY(dialog.AlternateRowsBox()->isChecked() && dialog.AlternateRows());
        dialog.BigScreenButton()->click();
        QCOMPARE(prompter.ConfirmAsked, QStringLiteral("Use the big screen colors?"));
        QCOMPARE(dialog.result(), 0);
        prompter.ConfirmAnswer = true;
        dialog.BigScreenButton()->click();
        QCOMPARE(dialog.result(), TSelColorDlg::kBigScreenAnswer);
    }

private:
    ResultsModels m_models{30};
    THeaderRec m_headers = DefaultHeaders();
    TColSettDlg m_dialog;
    TFResults* m_window = nullptr;
};

QTEST_MAIN(FitToScreenTest)
#include "fit_to_screen_test.moc"
