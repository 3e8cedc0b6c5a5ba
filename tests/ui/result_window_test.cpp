#include "child_process.h"
#include "column_settings_dialog.h"
#include "markers.h"
#include "result_window.h"
#include "results_grid.h"
#include "results_models.h"
#include "scripted_prompter.h"
#include "status_pictures.h"
#include "window_settings.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPdfWriter>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kav;

namespace {

ResultWindowSettings settings(const std::vector<std::uint8_t>& columns, std::uint8_t kind = kLayoutCurrentRace)
{
    return windowSettings(kind, columns, 3);
}

// Plays the person at the column settings: clicks the boxes of the given columns and renames Pos.
std::function<int(QDialog&)> editColumns(std::vector<std::uint8_t> boxes, QString posHeader, int answer)
{
    return [=](QDialog& dialog) {
        auto& columns = static_cast<ColumnSettingsDialog&>(dialog);
        for (std::uint8_t id : boxes)
            columns.columnBox(id)->click();
        if (!posHeader.isEmpty())
            columns.headerField(0)->setText(posHeader);
        return answer;
    };
}

} // namespace

class ResultWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_headers = defaultHeaders();
        m_window = new ResultWindow(m_models, m_headers, m_dialog);
        connect(m_window, &ResultWindow::headersChosen, this,
                [this](const HeaderTexts& headers) { m_headers = headers; });
    }
    void cleanup() { delete m_window.data(); }

    // Columns in the record's order with the shared headers; unknown and repeated identifiers are
    // skipped, and no column at all shows one empty column, fitted wide enough for its title bar.
    void columnsFollowTheRecord()
    {
        m_headers[6] = "Kl\xe4sse";
        m_window->applySettings(settings({0, 8, 5, 15})); // Class shows header 6
        ResultsGrid& grid = m_window->grid();
        QCOMPARE(grid.gridColumnCount(), 4);
        QCOMPARE(grid.cell(0, 0), QStringLiteral("Pos"));
        QCOMPARE(grid.cell(1, 0), QStringLiteral("Total time"));
        QCOMPARE(grid.cell(3, 0), QString::fromUtf8("Kl\xc3\xa4sse"));
        QCOMPARE(m_window->settings().ColPos[7], kNoCode);
        QCOMPARE(m_window->dataRowCount(), 11);
        m_window->applySettings(settings({2, 40, 7, 2, 16}));
        QCOMPARE(m_window->settings().ColRel, columnOrder({2, 7, 16}));
        QCOMPARE(m_window->settings().ColPos[16], std::uint8_t{2});
        QCOMPARE(m_window->grid().cell(2, 0), QStringLiteral("Nat"));
        m_window->applySettings(settings({}));
        QCOMPARE(m_window->grid().gridColumnCount(), 1);
        QCOMPARE(m_window->grid().cell(0, 0).trimmed(), QString());
        m_window->fitWidth();
        QCOMPARE(m_window->borderWindow()->width(), 160);
    }

    void windowsOfAKindShowTheSharedCellsInTheirOwnOrder()
    {
        m_window->applySettings(settings({0, 4, 1, 7}));
        ResultWindow other(m_models, m_headers, m_dialog);
        other.applySettings(settings({7, 4}));
        ResultsModel& model = m_models.forKind(kLayoutCurrentRace);
        model.setText(2, 4, QStringLiteral("Alpha"));
        model.setText(2, 7, QStringLiteral("12"));
        model.setMarker(2, 1, kGreenBall);
        QCOMPARE(m_window->grid().cell(1, 3), QStringLiteral("Alpha"));
        QCOMPARE(m_window->grid().cell(3, 3), QStringLiteral("12"));
        QCOMPARE(m_window->grid().graphic(2, 3), statusPictures().forCode(kGreenBall));
        QCOMPARE(other.grid().cell(0, 3), QStringLiteral("12"));
        QCOMPARE(other.grid().cell(1, 3), QStringLiteral("Alpha"));
        other.grid().horizontalHeader()->moveSection(1, 0); // the other window's own order only
        QCOMPARE(other.settings().ColRel, columnOrder({4, 7}));
        QCOMPARE(other.settings().ColPos[7], std::uint8_t{1});
        QCOMPARE(m_window->settings().ColRel, columnOrder({0, 4, 1, 7}));
        QCOMPARE(model.cell(2, 4).text, QStringLiteral("Alpha"));
    }

    // The Class menu lists the window's classes; one chosen shows its cars only, placed within it,
    // names it in the title and stays with the record; All classes brings the field back.
    void aWindowShowsOneClassChosenInItsMenu()
    {
        m_window->applySettings(settings({0, 2, 15}));
        ResultsModel& field = m_models.forKind(kLayoutCurrentRace);
        for (const auto& [row, car, cls] : {std::tuple{0, "7", "GT"}, {1, "8", "Cup"}, {2, "9", "GT"}}) {
            field.setText(row, 2, QString::fromLatin1(car));
            field.setText(row, 15, QString::fromLatin1(cls));
            field.setText(row, 17, QString::number(row == 2 ? 2 : 1));
        }
        QMenu* classes = nullptr;
        for (QAction* action : m_window->layoutMenu()->actions())
            classes = action->menu() ? action->menu() : classes;
        QVERIFY(classes);
        const auto choose = [classes](const QString& entry) {
            emit classes->aboutToShow();
            QStringList entries;
            for (QAction* action : classes->actions())
                entries << action->text();
            QCOMPARE(entries, (QStringList{"&All classes", QString(), "GT", "Cup"}));
            classes->actions().at(int(entries.indexOf(entry)))->trigger();
        };
        QSignalSpy changed(m_window, &ResultWindow::settingsChanged);
        choose("GT");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Current Race results, GT"));
        QCOMPARE(m_window->currentSettings().ClassFilter, std::string("GT"));
        QTRY_COMPARE(m_window->grid().cell(1, 2), QStringLiteral("9"));
        QCOMPARE(m_window->grid().cell(0, 2), QStringLiteral("2"));
        QCOMPARE(m_window->grid().Results()->filledRowCount(), 2);
        choose("&All classes");
        QCOMPARE(m_window->currentSettings().ClassFilter, std::string());
        QCOMPARE(m_window->grid().cell(1, 2), QStringLiteral("8"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Current Race results"));
    }

    // A dragged width reaches the record, and a column removed comes back with it.
    void widthsStayWithTheirColumns()
    {
        ScriptedPrompter prompter;
        m_window->applySettings(settings({2, 4}));
        m_window->grid().horizontalHeader()->resizeSection(4, 222); // sections are model columns
        QCOMPARE(m_window->currentSettings().ColWidth[4], 222);
        prompter.onExec = editColumns({4}, {}, QDialog::Accepted);
        m_window->editColumns(); // Last name off
        QCOMPARE(m_window->grid().gridColumnCount(), 1);
        m_window->editColumns(); // and on again
        QCOMPARE(m_window->settings().ColRel, columnOrder({2, 4}));
        QCOMPARE(m_window->grid().gridColumnWidth(1), 222);
    }

    // OK rebuilds the window and asks for a refill of its kind; Cancel changes nothing.
    void columnSettingsOkOrCancel()
    {
        ScriptedPrompter prompter;
        m_window->applySettings(settings({0, 2}, kLayoutPractice));
        QSignalSpy refill(m_window.data(), &ResultWindow::refillRequested);
        prompter.onExec = editColumns({7}, QStringLiteral("P"), QDialog::Rejected);
        m_window->editColumns();
        QCOMPARE(m_window->settings().ColRel, columnOrder({0, 2}));
        QCOMPARE(m_headers[0], std::string("Pos"));
        QCOMPARE(refill.count(), 0);
        prompter.onExec = editColumns({7}, QStringLiteral("No."), QDialog::Accepted);
        m_window->editColumns();
        QCOMPARE(m_window->settings().ColRel, columnOrder({0, 2, 7}));
        QCOMPARE(m_headers[0], std::string("No."));
        QCOMPARE(m_window->grid().cell(0, 0), QStringLiteral("No."));
        QCOMPARE(refill.count(), 1);
        QCOMPARE(refill.at(0).at(0).toInt(), int(kLayoutPractice));
    }

    void layoutRoundTrip()
    {
        ResultWindowSettings rec = settings({1, 3, 4, 11});
        rec.Font = {"DejaVu Sans", 12, {true, false, false, false}, 0x0000FF};
        rec.ScrollBars = false;
        rec.Grid = false;
        rec.WinPos = {300, 500, 20, 30, WindowState::Normal, false};
        rec.TopRow = 5;
        m_models.setRowCount(60);
        m_window->applySettings(rec);
        const ResultWindowSettings back = m_window->currentSettings();
        QCOMPARE(back.TopRow, 5);
        QVERIFY(back.Font == rec.Font);
        QVERIFY(back.WinPos == rec.WinPos);
        QCOMPARE(back.ScrollBars, false);
        QCOMPARE(back.Grid, false);
        QCOMPARE(back.ColRel, rec.ColRel);
        QCOMPARE(m_window->grid().gridLineWidth(), 0);
        QVERIFY(m_window->grid().gridRowHeight(2) > QFontMetrics(QFont(QStringLiteral("DejaVu Sans"), 12)).height());
        // Past the last of the 60 rows and the header, a row is as high as a new one.
        QCOMPARE(m_window->grid().gridRowHeight(61), m_window->grid().verticalHeader()->defaultSectionSize());
        // A font without a size takes 7 points; a placement without its top edge leaves the window where it is.
        rec.Font.Size = 0;
        rec.WinPos = {200, 400, -1, 90, WindowState::Normal, false};
        m_window->applySettings(rec);
        QCOMPARE(m_window->grid().font().pointSize(), 7);
        QCOMPARE(m_window->borderWindow()->geometry(), QRect(30, 20, 500, 300));
    }

    // On the main window's screen (the second of two) and back into it where the operator had put it.
    void fullScreenAndBackInsideTheMainWindow()
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QVERIFY2(screens.size() == 2, "the test runs on the offscreen platform with two screens");
        QMainWindow main;
        auto* area = new QMdiArea;
        main.setCentralWidget(area);
        main.setGeometry(screens[1]->geometry().adjusted(100, 100, -100, -100));
        auto* window = new ResultWindow(m_models, m_headers, m_dialog, area);
        window->applySettings(settings({0, 2}));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        window->borderWindow()->setGeometry(60, 70, 420, 310); // moved by the operator since
        window->enterFullScreen();
        QVERIFY(window->inFullScreen() && window->isWindow());
        QCOMPARE(window->screen(), screens[1]);
        QTRY_COMPARE(window->geometry(), screens[1]->geometry());
        QCOMPARE(window->currentSettings().WinPos.Left, 60); // the place inside the main window
        QVERIFY(window->windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        QVERIFY(!window->layoutMenu()->menuAction()->isVisible());
        QTest::keyClick(&window->grid(), Qt::Key_Down);
        QVERIFY(window->inFullScreen()); // arrows do not leave
        QTest::keyClick(&window->grid(), Qt::Key_A);
        QVERIFY(!window->inFullScreen() && !window->isWindow());
        QVERIFY(window->layoutMenu()->menuAction()->isVisible());
        QCOMPARE(window->borderWindow()->geometry(), QRect(60, 70, 420, 310));
        QCOMPARE(area->subWindowList().size(), 1);
    }

    // Printing asks for a printer first; the page is vector text.
    void printedPageIsVectorPdf()
    {
        ScriptedPrompter prompter;
        m_window->printResults(); // cancelled: nothing is printed, nothing fails
        QCOMPARE(prompter.execCount, 0);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("results.pdf"));
        m_window->applySettings(settings({0, 2, 4}));
        m_models.forKind(kLayoutCurrentRace).setText(0, 4, QStringLiteral("Hamilton"));
        m_window->resize(400, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
        {
            QPdfWriter writer(file);
            m_window->printTo(writer);
        }
        QVERIFY2(toolInstalled(QStringLiteral("pdftotext")),
                 "pdftotext: scripts/setup.sh installs what the tests need");
        const QString content = QString::fromUtf8(runProcess(QStringLiteral("pdftotext"), {file, "-"}).out);
        QVERIFY2(content.contains(QStringLiteral("Last Name")), qPrintable(content));
        QVERIFY2(content.contains(QStringLiteral("Hamilton")), qPrintable(content));
    }

private:
    ResultsModels m_models{10};

    HeaderTexts m_headers;
    ColumnSettingsDialog m_dialog;
    QPointer<ResultWindow> m_window;
};

QTEST_MAIN(ResultWindowTest)
#include "result_window_test.moc"
