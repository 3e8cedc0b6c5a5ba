#include "child_process.h"
#include "col_sett_dlg.h"
#include "f_results.h"
#include "results_models.h"
#include "scripted_prompter.h"
#include "zeb_grid.h"

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

TResultWinRec Record(std::initializer_list<std::uint8_t> columns, std::uint8_t kind = kLayoutCurrentRace)
{
    TResultWinRec rec;
    rec.Number = 3;
    rec.Layout = kind;
    std::copy(columns.begin(), columns.end(), rec.ColRel.begin());
    return rec;
}

TColRel ColRel(std::initializer_list<std::uint8_t> columns)
{
    return Record(columns).ColRel;
}

// Plays the person at the column settings: clicks the boxes of the given columns and renames Pos.
std::function<int(QDialog&)> EditColumns(std::vector<std::uint8_t> boxes, QString posHeader, int answer)
{
    return [=](QDialog& dialog) {
        auto& columns = static_cast<TColSettDlg&>(dialog);
        for (std::uint8_t id : boxes)
            columns.ColumnBox(id)->click();
        if (!posHeader.isEmpty())
            columns.HeaderField(0)->setText(posHeader);
        return answer;
    };
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

    // Columns in the record's order with the shared headers; unknown and repeated identifiers are
    // skipped, and no column at all shows one empty column.
    void columnsFollowTheRecord()
    {
        m_headers[6] = "Kl\xe4sse";
        m_window->ApplyLayout(Record({0, 8, 5, 15})); // Class shows header 6
        TZebGrid& grid = m_window->Grid();
        QCOMPARE(grid.ColCount(), 4);
        QCOMPARE(grid.GetCell(0, 0), QStringLiteral("Pos"));
        QCOMPARE(grid.GetCell(1, 0), QStringLiteral("Total time"));
        QCOMPARE(grid.GetCell(3, 0), QString::fromUtf8("Kl\xc3\xa4sse"));
        QCOMPARE(m_window->Record().ColPos[7], kNoCode);
        QCOMPARE(m_window->GetRowCount(), 11);
        m_window->ApplyLayout(Record({2, 40, 7, 2, 16}));
        QCOMPARE(m_window->Record().ColRel, ColRel({2, 7, 16}));
        QCOMPARE(m_window->Record().ColPos[16], std::uint8_t{2});
        QCOMPARE(m_window->Grid().GetCell(2, 0), QStringLiteral("Nat"));
        m_window->ApplyLayout(Record({}));
        QCOMPARE(m_window->Grid().ColCount(), 1);
        QCOMPARE(m_window->Grid().GetCell(0, 0).trimmed(), QString());
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
        QCOMPARE(other.Record().ColPos[7], std::uint8_t{1});
        QCOMPARE(m_window->Record().ColRel, ColRel({0, 4, 1, 7}));
        QCOMPARE(model.cell(2, 4).text, QStringLiteral("Alpha"));
    }

    // A dragged width reaches the record, and a column removed comes back with it.
    void widthsStayWithTheirColumns()
    {
        ScriptedPrompter prompter;
        m_window->ApplyLayout(Record({2, 4}));
        m_window->Grid().horizontalHeader()->resizeSection(4, 222); // sections are model columns
        QCOMPARE(m_window->GetLayout().ColWidth[4], 222);
        prompter.onExec = EditColumns({4}, {}, QDialog::Accepted);
        m_window->EditColumns(); // Last name off
        QCOMPARE(m_window->Grid().ColCount(), 1);
        m_window->EditColumns(); // and on again
        QCOMPARE(m_window->Record().ColRel, ColRel({2, 4}));
        QCOMPARE(m_window->Grid().ColWidth(1), 222);
    }

    // OK rebuilds the window and asks for a refill of its kind; Cancel changes nothing.
    void columnSettingsOkOrCancel()
    {
        ScriptedPrompter prompter;
        m_window->ApplyLayout(Record({0, 2}, kLayoutPractice));
        QSignalSpy refill(m_window.data(), &TFResults::RefillRequested);
        prompter.onExec = EditColumns({7}, QStringLiteral("P"), QDialog::Rejected);
        m_window->EditColumns();
        QCOMPARE(m_window->Record().ColRel, ColRel({0, 2}));
        QCOMPARE(m_headers[0], std::string("Pos"));
        QCOMPARE(refill.count(), 0);
        prompter.onExec = EditColumns({7}, QStringLiteral("No."), QDialog::Accepted);
        m_window->EditColumns();
        QCOMPARE(m_window->Record().ColRel, ColRel({0, 2, 7}));
        QCOMPARE(m_headers[0], std::string("No."));
        QCOMPARE(m_window->Grid().GetCell(0, 0), QStringLiteral("No."));
        QCOMPARE(refill.count(), 1);
        QCOMPARE(refill.at(0).at(0).toInt(), int(kLayoutPractice));
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
        QVERIFY(back.Font == rec.Font);
        QVERIFY(back.WinPos == rec.WinPos);
        QCOMPARE(back.ScrollBars, false);
        QCOMPARE(back.Grid, false);
        QCOMPARE(back.ColRel, rec.ColRel);
        QCOMPARE(m_window->Grid().GridLineWidth(), 0);
        QVERIFY(m_window->Grid().RowHeight(2) > QFontMetrics(QFont(QStringLiteral("DejaVu Sans"), 12)).height());
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
        auto* window = new TFResults(m_models, m_headers, m_dialog, area);
        window->ApplyLayout(Record({0, 2}));
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        window->Frame()->setGeometry(60, 70, 420, 310); // moved by the operator since
        window->EnterFullScreen();
        QVERIFY(window->IsFullScreen() && window->isWindow());
        QCOMPARE(window->screen(), screens[1]);
        QTRY_COMPARE(window->geometry(), screens[1]->geometry());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!window->LayoutMenu()->menuAction()->isVisible());
        QTest::keyClick(&window->Grid(), Qt::Key_Down);
        QVERIFY(window->IsFullScreen()); // arrows do not leave
        QTest::keyClick(&window->Grid(), Qt::Key_A);
        QVERIFY(!window->IsFullScreen() && !window->isWindow());
        QVERIFY(window->LayoutMenu()->menuAction()->isVisible());
        QCOMPARE(window->Frame()->geometry(), QRect(60, 70, 420, 310));
        QCOMPARE(area->subWindowList().size(), 1);
    }

    // Printing asks for a printer first; the page is vector text.
    void printedPageIsVectorPdf()
    {
        ScriptedPrompter prompter;
        m_window->PrintResults(); // cancelled: nothing is printed, nothing fails
        QCOMPARE(prompter.execCount, 0);
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
        QVERIFY2(toolInstalled(QStringLiteral("pdftotext")),
                 "pdftotext: scripts/setup.sh installs what the tests need");
        const QString content = QString::fromUtf8(runProcess(QStringLiteral("pdftotext"), {file, "-"}).out);
        QVERIFY2(content.contains(QStringLiteral("Last Name")), qPrintable(content));
        QVERIFY2(content.contains(QStringLiteral("Hamilton")), qPrintable(content));
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
