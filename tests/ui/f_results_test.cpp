#include "col_sett_dlg.h"
#include "f_results.h"
#include "results_models.h"
#include "scripted_prompter.h"
#include "zeb_grid.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPdfWriter>
#include <QPointer>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kav;

namespace {

TResultWinRec Record(std::initializer_list<std::uint8_t> columns, std::uint8_t kind = kLayoutCurrentRace)
{
    TResultWinRec rec;
    rec.Number = 3;
    rec.Layout = kind;
    std::size_t p = 0;
    for (std::uint8_t id : columns)
        rec.ColRel[p++] = id;
    return rec;
}

TColRel ColRel(std::initializer_list<std::uint8_t> columns)
{
    return Record(columns).ColRel;
}

} // namespace

class ResultsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_headers = DefaultHeaders();
        m_window = new TFResults(m_models, m_headers, m_dialog);
    }
    void cleanup() { delete m_window.data(); }

    void columnsFollowTheRecord()
    {
        m_window->ApplyLayout(Record({0, 8, 5}));
        TZebGrid& grid = m_window->Grid();
        QCOMPARE(grid.ColCount(), 3);
        QCOMPARE(grid.GetCell(0, 0), QStringLiteral("Pos"));
        QCOMPARE(grid.GetCell(1, 0), QStringLiteral("Total time"));
        QCOMPARE(grid.GetCell(2, 0), QStringLiteral("Name"));
        QCOMPARE(grid.ColWidth(1), 90);
        QCOMPARE(grid.ColWidth(2), 160);
        QCOMPARE(m_window->Record().ColPos[8], std::uint8_t{1});
        QCOMPARE(m_window->Record().ColPos[7], kNoCode);
        QCOMPARE(m_window->GetRowCount(), 11);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Current Race results"));
    }

    void headerTextsComeFromTheSharedHeaders()
    {
        m_headers[6] = "Klasse";
        m_window->ApplyLayout(Record({15, 6}));
        QCOMPARE(m_window->Grid().GetCell(0, 0), QStringLiteral("Klasse"));
        QCOMPARE(m_window->Grid().GetCell(1, 0), QStringLiteral("Add data"));
    }

    void emptyArrangementGivesOneEmptyColumn()
    {
        m_window->ApplyLayout(Record({0, 2}));
        m_window->ApplyLayout(Record({}));
        QCOMPARE(m_window->Grid().ColCount(), 1);
        QCOMPARE(m_window->Grid().GetCell(0, 0).trimmed(), QString());
    }

    void unknownAndRepeatedIdentifiersAreSkipped()
    {
        m_window->ApplyLayout(Record({2, 40, 7, 2, 16}));
        QCOMPARE(m_window->Record().ColRel, ColRel({2, 7, 16}));
        QCOMPARE(m_window->Grid().ColCount(), 3);
        QCOMPARE(m_window->Record().ColPos[16], std::uint8_t{2});
        QCOMPARE(m_window->Grid().GetCell(2, 0), QStringLiteral("Nat"));
    }

    void movingTheThirdColumnFirst()
    {
        m_window->ApplyLayout(Record({2, 4, 9}));
        m_window->Grid().horizontalHeader()->moveSection(2, 0);
        QCOMPARE(m_window->Record().ColRel, ColRel({9, 2, 4}));
        QCOMPARE(m_window->Record().ColPos[9], std::uint8_t{0});
        QCOMPARE(m_window->Record().ColPos[2], std::uint8_t{1});
        QCOMPARE(m_window->Record().ColPos[4], std::uint8_t{2});
        m_window->Grid().horizontalHeader()->moveSection(0, 2);
        QCOMPARE(m_window->Record().ColRel, ColRel({2, 4, 9}));
    }

    void windowsOfAKindShowTheSharedCellsInTheirOwnOrder()
    {
        m_window->ApplyLayout(Record({0, 4, 1, 7}));
        TFResults other(m_models, m_headers, m_dialog);
        other.ApplyLayout(Record({7, 4}));
        ResultsModel& model = m_models.forKind(kLayoutCurrentRace);
        model.setText(2, 4, QStringLiteral("Alpha"));
        model.setText(2, 7, QStringLiteral("12"));
        model.setPicture(2, 1, &m_picture);
        QCOMPARE(m_window->Grid().GetCell(1, 3), QStringLiteral("Alpha"));
        QCOMPARE(m_window->Grid().GetCell(3, 3), QStringLiteral("12"));
        QCOMPARE(m_window->Grid().GetGraphic(2, 3), &m_picture);
        QCOMPARE(other.Grid().GetCell(0, 3), QStringLiteral("12"));
        QCOMPARE(other.Grid().GetCell(1, 3), QStringLiteral("Alpha"));
        other.Grid().horizontalHeader()->moveSection(1, 0); // the other window's own order only
        QCOMPARE(other.Record().ColRel, ColRel({4, 7}));
        QCOMPARE(m_window->Record().ColRel, ColRel({0, 4, 1, 7}));
        QCOMPARE(model.cell(2, 4).text, QStringLiteral("Alpha"));
    }

    void keysNeitherSearchNorScroll()
    {
        m_models.setRowCount(60);
        m_window->ApplyLayout(Record({0, 4, 5, 3, 6, 15}));
        m_window->resize(300, 200);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
        TZebGrid& grid = m_window->Grid();
        grid.setFocus();
        QTest::keyClicks(&grid, QStringLiteral("45"));
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Right, Qt::Key_Tab})
            QTest::keyClick(&grid, key);
        QCOMPARE(grid.TopRow(), 1);
        QCOMPARE(grid.horizontalScrollBar()->value(), 0);
    }

    void doubleClickOnHeaderOrBelowTheRowsOpensColumnSettings()
    {
        TScriptedPrompter prompter;
        m_models.setRowCount(3);
        m_window->ApplyLayout(Record({0, 4}));
        m_window->resize(300, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
        TZebGrid& grid = m_window->Grid();
        QTest::mouseDClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(45, 5));
        QCOMPARE(prompter.ExecCount, 1);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, QPoint(20, grid.viewport()->height() - 5));
        QCOMPARE(prompter.ExecCount, 2);
    }

    void draggedWidthReachesTheRecord()
    {
        m_window->ApplyLayout(Record({2, 4}));
        m_window->Grid().horizontalHeader()->resizeSection(4, 211); // sections are model columns
        QCOMPARE(m_window->GetLayout().ColWidth[4], 211);
    }

    void removedColumnComesBackWithItsWidth()
    {
        TScriptedPrompter prompter;
        m_window->ApplyLayout(Record({2, 4}));
        m_window->Grid().SetColWidth(1, 222);
        prompter.OnExec = [](QDialog& dialog) {
            static_cast<TColSettDlg&>(dialog).ColumnBox(4)->click();
            return int(QDialog::Accepted);
        };
        m_window->EditColumns(); // Last name off
        QCOMPARE(m_window->Grid().ColCount(), 1);
        m_window->EditColumns(); // and on again
        QCOMPARE(m_window->Record().ColRel, ColRel({2, 4}));
        QCOMPARE(m_window->Grid().ColWidth(1), 222);
    }

    void columnSettingsOkRebuildsAndAsksForRefill()
    {
        TScriptedPrompter prompter;
        m_window->ApplyLayout(Record({0, 2}, kLayoutPractice));
        QSignalSpy refill(m_window.data(), &TFResults::RefillRequested);
        prompter.OnExec = [](QDialog& dialog) {
            auto& columns = static_cast<TColSettDlg&>(dialog);
            columns.ColumnBox(7)->click();
            columns.HeaderField(2)->setText(QStringLiteral("No."));
            return int(QDialog::Accepted);
        };
        m_window->EditColumns();
        QCOMPARE(m_dialog.windowTitle(), QStringLiteral("Column Settings for: Practice results"));
        QCOMPARE(m_window->Record().ColRel, ColRel({0, 2, 7}));
        QCOMPARE(m_headers[2], std::string("No."));
        QCOMPARE(m_window->Grid().GetCell(1, 0), QStringLiteral("No."));
        QCOMPARE(refill.count(), 1);
        QCOMPARE(refill.at(0).at(0).toInt(), int(kLayoutPractice));
    }

    void columnSettingsCancelChangesNothing()
    {
        TScriptedPrompter prompter;
        m_window->ApplyLayout(Record({0, 2}));
        QSignalSpy refill(m_window.data(), &TFResults::RefillRequested);
        prompter.OnExec = [](QDialog& dialog) {
            static_cast<TColSettDlg&>(dialog).ColumnBox(7)->click();
            static_cast<TColSettDlg&>(dialog).HeaderField(0)->setText(QStringLiteral("P"));
            return int(QDialog::Rejected);
        };
        m_window->EditColumns();
        QCOMPARE(m_window->Record().ColRel, ColRel({0, 2}));
        QCOMPARE(m_headers[0], std::string("Pos"));
        QCOMPARE(m_window->Grid().GetCell(0, 0), QStringLiteral("Pos"));
        QCOMPARE(refill.count(), 0);
    }

    void layoutRoundTrip()
    {
        TResultWinRec rec = Record({1, 3, 4, 11});
        rec.Font = {"DejaVu Sans", 12, {true, false, false, false}, 0x0000FF};
        rec.ScrollBars = false;
        rec.Grid = false;
        rec.WinPos = {300, 500, 20, 30, TWindowState::Normal, false};
        rec.TopRow = 5;
        m_models.setRowCount(60);
        m_window->ApplyLayout(rec);
        const TResultWinRec back = m_window->GetLayout();
        QCOMPARE(back.TopRow, 5);
        QCOMPARE(back.Font, rec.Font);
        QCOMPARE(back.ScrollBars, false);
        QCOMPARE(back.Sizeable, true);
        QCOMPARE(back.Grid, false);
        QCOMPARE(back.WinPos.Left, 30);
        QCOMPARE(back.WinPos.Top, 20);
        QCOMPARE(back.WinPos.Width, 500);
        QCOMPARE(back.WinPos.Height, 300);
        QCOMPARE(back.ColRel, rec.ColRel);
        QCOMPARE(m_window->Grid().GridLineWidth(), 0);
        QVERIFY(m_window->Grid().RowHeight(2) > QFontMetrics(QFont(QStringLiteral("DejaVu Sans"), 12)).height());
    }

    void unknownPlacementKeepsTheWindowWhereItIs()
    {
        m_window->move(40, 50);
        m_window->resize(333, 222);
        TResultWinRec rec = Record({0});
        rec.WinPos.Left = -1;
        rec.WinPos.Top = 10;
        rec.WinPos.Width = 900;
        m_window->ApplyLayout(rec);
        QCOMPARE(m_window->pos(), QPoint(40, 50));
        QCOMPARE(m_window->size(), QSize(333, 222));
    }

    void fitWidthAndScrollBarEntry()
    {
        m_window->ApplyLayout(Record({0, 2, 4}));
        m_window->FitWidth();
        QCOMPARE(m_window->width(), 26 + 31 + 31 + 141);
        m_window->ToggleScrollBars();
        QCOMPARE(m_window->GetLayout().ScrollBars, false);
        QCOMPARE(m_window->width(), 26 + 31 + 31 + 141 - 17);
        QCOMPARE(m_window->Grid().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        m_window->ToggleScrollBars();
        QCOMPARE(m_window->width(), 26 + 31 + 31 + 141);
    }

    void fitWidthOfHugeStoredWidthsStaysOnScreen()
    {
        TResultWinRec rec = Record({0, 2});
        rec.ColWidth[0] = 2147483647;
        rec.ColWidth[2] = 2147483647;
        m_window->ApplyLayout(rec);
        m_window->FitWidth();
        QVERIFY(m_window->width() > 0);
        QVERIFY(m_window->width() <= QWIDGETSIZE_MAX);
    }

    void sizeableEntryFixesTheBorder()
    {
        m_window->ApplyLayout(Record({0}));
        m_window->ToggleSizeable();
        QCOMPARE(m_window->GetLayout().Sizeable, false);
        QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
        m_window->ToggleSizeable();
        QVERIFY(m_window->maximumWidth() > 10000);
    }

    void closingReportsTheNumber()
    {
        m_window->ApplyLayout(Record({0}));
        QSignalSpy closed(m_window.data(), &TFResults::Closed);
        m_window->show();
        m_window->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(closed.at(0).at(0).toInt(), 3);
        QTRY_VERIFY(m_window.isNull()); // the window goes with its closing
    }

    void fullScreenAndBackInsideTheMainWindow()
    {
        QMainWindow main;
        auto* area = new QMdiArea;
        main.setCentralWidget(area);
        main.resize(1000, 700);
        auto* window = new TFResults(m_models, m_headers, m_dialog, area);
        TResultWinRec rec = Record({0, 2});
        rec.WinPos = {300, 400, 10, 20, TWindowState::Normal, false};
        window->ApplyLayout(rec);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        window->Frame()->setGeometry(60, 70, 420, 310); // moved by the operator since
        window->EnterFullScreen();
        QVERIFY(window->IsFullScreen());
        QVERIFY(window->isWindow());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!window->LayoutMenu()->menuAction()->isVisible());
        QTest::keyClick(&window->Grid(), Qt::Key_Down);
        QVERIFY(window->IsFullScreen()); // arrows do not leave
        QTest::keyClick(&window->Grid(), Qt::Key_A);
        QVERIFY(!window->IsFullScreen());
        QVERIFY(!window->isWindow());
        QVERIFY(window->LayoutMenu()->menuAction()->isVisible());
        QCOMPARE(window->Frame()->geometry(), QRect(60, 70, 420, 310));
        QCOMPARE(area->subWindowList().size(), 1);
    }

    void escapeLeavesFullScreenOfAWindowOfItsOwn()
    {
        m_window->ApplyLayout(Record({0}));
        m_window->show();
        m_window->EnterFullScreen();
        QTest::keyClick(&m_window->Grid(), Qt::Key_Escape);
        QVERIFY(!m_window->IsFullScreen());
        QVERIFY(!(m_window->windowFlags() & Qt::FramelessWindowHint));
    }

    void printedPageIsVectorPdf()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("results.pdf"));
        m_window->ApplyLayout(Record({0, 2, 4}));
        m_models.forKind(kLayoutCurrentRace).setText(0, 4, QStringLiteral("Hamilton"));
        m_window->resize(400, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.data()));
        {
            QPdfWriter writer(file);
            m_window->PrintTo(writer);
        }
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(10000));
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(content.contains(QStringLiteral("Last Name")), qPrintable(content));
        QVERIFY2(content.contains(QStringLiteral("Hamilton")), qPrintable(content));
    }

    void printingAsksForAPrinterFirst()
    {
        TScriptedPrompter prompter;
        prompter.PrinterAnswer = false;
        m_window->PrintResults(); // cancelled: nothing is printed, nothing fails
        QCOMPARE(prompter.ExecCount, 0);
    }

private:
    ResultsModels m_models{10};
    TPicture m_picture;
    THeaderRec m_headers;
    TColSettDlg m_dialog;
    QPointer<TFResults> m_window;
};

QTEST_MAIN(ResultsTest)
#include "f_results_test.moc"
