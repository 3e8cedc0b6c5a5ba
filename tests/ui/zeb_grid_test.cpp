#include "picture.h"
#include "ui_resources.h"
#include "zeb_grid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

using namespace kav;

namespace {

constexpr TColorValue kRed = 0x0000FF;
constexpr TColorValue kGreen = 0x00FF00;
constexpr TColorValue kBlue = 0xFF0000;
constexpr TColorValue kYellow = 0x00FFFF;

QColor Rgb(TColorValue value)
{
    return ToQColor(value, QPalette());
}

QPoint DataCellCenter(const TZebGrid& grid, int col, int row)
{
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, col));
    return grid.viewport()->mapTo(&grid, cell.center());
}

QPoint HeaderCellCenter(const TZebGrid& grid, int col)
{
    const QHeaderView* header = grid.horizontalHeader();
    const QPoint local(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
    return header->mapTo(&grid, local);
}

} // namespace

class ZebGridTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_grid = std::make_unique<TZebGrid>();
        m_grid->SetColCount(4);
        m_grid->SetRowCount(6);
    }
    void cleanup() { m_grid.reset(); }

    void emptyTextIsStoredAsBlank()
    {
        QCOMPARE(m_grid->GetCell(1, 1), QString());
        m_grid->SetCell(1, 1, QString());
        QCOMPARE(m_grid->GetCell(1, 1), QStringLiteral(" "));
        m_grid->SetCell(1, 1, QStringLiteral("12"));
        QCOMPARE(m_grid->GetCell(1, 1), QStringLiteral("12"));
    }

    void newCellTakesGridColours()
    {
        m_grid->SetColor(kYellow);
        m_grid->SetGridFontColor(kBlue);
        m_grid->SetCell(2, 3, QStringLiteral("x"));
        const TZebColor* record = m_grid->CellRecord(2, 3);
        QVERIFY(record);
        QCOMPARE(record->FontColor, kBlue);
        QCOMPARE(record->BgColor, kYellow);
        QCOMPARE(record->DefBgColor, kYellow);
    }

    void dataCellInheritsHeaderAlignment()
    {
        m_grid->SetCell(1, 0, QStringLiteral("Total"));
        m_grid->SetAlignment(1, 0, kAlignRight);
        m_grid->SetCell(1, 2, QStringLiteral("1:02.3"));
        QCOMPARE(m_grid->GetAlignment(1, 2), std::uint8_t{kAlignRight});
        // A header with no record passes nothing on.
        m_grid->SetCell(2, 2, QStringLiteral("x"));
        QCOMPARE(m_grid->GetAlignment(2, 2), std::uint8_t{kAlignLeft});
    }

    void headerAlignmentSetLaterChangesOnlyTheHeader()
    {
        m_grid->SetCell(1, 0, QStringLiteral("Laps"));
        m_grid->SetCell(1, 1, QStringLiteral("3"));
        m_grid->SetAlignment(1, 0, kAlignCenter);
        QCOMPARE(m_grid->GetColAlignment(1), std::uint8_t{kAlignCenter});
        QCOMPARE(m_grid->GetAlignment(1, 1), std::uint8_t{kAlignLeft});
    }

    void columnAlignmentReachesUnwrittenCells()
    {
        m_grid->SetCell(2, 0, QStringLiteral("Best"));
        m_grid->SetColAlignment(2, kAlignRight);
        m_grid->SetBgColor(2, 4, kGreen); // the record made by the alignment keeps it
        m_grid->SetCell(2, 4, QStringLiteral("1:01.5"));
        QCOMPARE(m_grid->GetAlignment(2, 4), std::uint8_t{kAlignRight});
        QCOMPARE(m_grid->GetCell(2, 5), QStringLiteral(" "));
    }

    void fontColourNeedsARecord()
    {
        m_grid->SetFontColor(3, 4, kRed);
        QVERIFY(!m_grid->CellRecord(3, 4));
        QCOMPARE(m_grid->GetCell(3, 4), QString());
    }

    void backgroundMakesARecordOnAnUnwrittenCell()
    {
        m_grid->SetGridFontColor(kBlue);
        m_grid->SetCell(3, 0, QStringLiteral("Diff"));
        m_grid->SetAlignment(3, 0, kAlignRight);
        m_grid->SetBgColor(3, 4, kGreen);
        const TZebColor* record = m_grid->CellRecord(3, 4);
        QVERIFY(record);
        QCOMPARE(record->BgColor, kGreen);
        QCOMPARE(record->FontColor, kBlue);
        QCOMPARE(record->Alignment, std::uint8_t{kAlignLeft}); // colouring does not inherit the header's
        QCOMPARE(m_grid->GetCell(3, 4), QStringLiteral(" "));
    }

    void pictureOnAnUnwrittenCellUsesTheWindowColour()
    {
        const TPicture picture = ResourcePicture(QStringLiteral("green_ball.svg"));
        m_grid->SetColor(kYellow);
        m_grid->SetGraphic(1, 2, &picture);
        QCOMPARE(m_grid->GetGraphic(1, 2), &picture);
        QCOMPARE(m_grid->CellRecord(1, 2)->BgColor, kClWindow);
        QCOMPARE(m_grid->GetCell(1, 2), QStringLiteral(" "));
        QCOMPARE(m_grid->GetGraphic(2, 2), nullptr);
    }

    void clearingAHeaderCellKeepsItsColours()
    {
        m_grid->SetCell(0, 0, QStringLiteral("Pos"));
        m_grid->SetFontColor(0, 0, kRed);
        m_grid->SetBgColor(0, 0, kGreen);
        m_grid->ClearCell(0, 0);
        QCOMPARE(m_grid->GetCell(0, 0), QStringLiteral(" "));
        QCOMPARE(m_grid->CellRecord(0, 0)->FontColor, kRed);
        QCOMPARE(m_grid->CellRecord(0, 0)->BgColor, kGreen);
    }

    void clearingADataCellResetsColoursButKeepsAlignmentAndPicture()
    {
        const TPicture picture = ResourcePicture(QStringLiteral("red_cross.svg"));
        m_grid->SetCell(2, 3, QStringLiteral("abc"));
        m_grid->SetAlignment(2, 3, kAlignCenter);
        m_grid->SetGraphic(2, 3, &picture);
        m_grid->SetFontColor(2, 3, kRed);
        m_grid->SetBgColor(2, 3, kGreen);
        m_grid->ClearRow(3);
        const TZebColor* record = m_grid->CellRecord(2, 3);
        QCOMPARE(m_grid->GetCell(2, 3), QStringLiteral(" "));
        QCOMPARE(record->FontColor, m_grid->GridFontColor());
        QCOMPARE(record->BgColor, m_grid->Color());
        QCOMPARE(record->Alignment, std::uint8_t{kAlignCenter});
        QCOMPARE(record->Graphic, &picture);
    }

    void rowAndColumnOperationsReachEveryCell()
    {
        m_grid->SetRowBgColor(2, kGreen);
        m_grid->SetColFontColor(1, kRed);
        for (int col = 0; col < m_grid->ColCount(); ++col)
            QCOMPARE(m_grid->CellRecord(col, 2)->BgColor, kGreen);
        QCOMPARE(m_grid->CellRecord(1, 2)->FontColor, kRed);
        QVERIFY(!m_grid->CellRecord(1, 3)); // font colour alone makes no record
        m_grid->SetColAlignment(1, kAlignRight);
        QCOMPARE(m_grid->GetAlignment(1, 2), std::uint8_t{kAlignRight});
    }

    void outOfRangeCellsAreIgnored()
    {
        m_grid->SetCell(9, 1, QStringLiteral("x"));
        m_grid->SetBgColor(0, 99, kRed);
        m_grid->SetGraphic(-1, 0, nullptr);
        QCOMPARE(m_grid->GetCell(9, 1), QString());
        QVERIFY(!m_grid->CellRecord(0, 99));
    }

    void textLeft_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("expected");
        // The cell spans x 100 to 159.
        QTest::newRow("left") << int(kAlignLeft) << 20 << 102;
        QTest::newRow("right fits") << int(kAlignRight) << 20 << 138;
        QTest::newRow("right wider than cell") << int(kAlignRight) << 80 << 102;
        QTest::newRow("centred fits") << int(kAlignCenter) << 20 << 120;
        QTest::newRow("centred odd gap truncates") << int(kAlignCenter) << 21 << 119;
        QTest::newRow("centred wider than cell") << int(kAlignCenter) << 80 << 100;
        QTest::newRow("unknown alignment") << 7 << 20 << 100;
    }
    void textLeft()
    {
        QFETCH(int, alignment);
        QFETCH(int, textWidth);
        QFETCH(int, expected);
        QCOMPARE(TZebGrid::TextLeft(std::uint8_t(alignment), QRect(100, 10, 60, 18), textWidth), expected);
    }

    void textLeftInACellTooNarrowForTheInset()
    {
        QCOMPARE(TZebGrid::TextLeft(kAlignLeft, QRect(100, 10, 1, 18), 0), 102);
    }

    void movedColumnTakesItsCellsAndWidth()
    {
        const TPicture picture = ResourcePicture(QStringLiteral("green_arrow.svg"));
        for (int col = 0; col < 4; ++col) {
            m_grid->SetCell(col, 0, QStringLiteral("H%1").arg(col));
            m_grid->SetColWidth(col, 40 + col * 10);
        }
        m_grid->SetGraphic(2, 1, &picture);
        m_grid->SetBgColor(2, 1, kGreen);
        QSignalSpy moved(m_grid.get(), &TZebGrid::ColumnMoved);
        m_grid->horizontalHeader()->moveSection(2, 0); // what dragging the header does
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.at(0).at(0).toInt(), 2);
        QCOMPARE(moved.at(0).at(1).toInt(), 0);
        QCOMPARE(m_grid->GetCell(0, 0), QStringLiteral("H2"));
        QCOMPARE(m_grid->GetCell(1, 0), QStringLiteral("H0"));
        QCOMPARE(m_grid->GetCell(2, 0), QStringLiteral("H1"));
        QCOMPARE(m_grid->GetGraphic(0, 1), &picture);
        QCOMPARE(m_grid->CellRecord(0, 1)->BgColor, kGreen);
        QCOMPARE(m_grid->ColWidth(0), 60);
        QCOMPARE(m_grid->ColWidth(1), 40);
        QCOMPARE(m_grid->ColWidth(2), 50);
        QCOMPARE(m_grid->horizontalHeader()->visualIndex(0), 0); // places and columns stay one
    }

    void resizingKeepsWidthsAndCells()
    {
        m_grid->SetColWidth(1, 77);
        m_grid->SetCell(1, 2, QStringLiteral("kept"));
        m_grid->SetRowCount(20);
        m_grid->SetColCount(6);
        QCOMPARE(m_grid->ColWidth(1), 77);
        QCOMPARE(m_grid->GetCell(1, 2), QStringLiteral("kept"));
        m_grid->SetRowCount(3);
        QCOMPARE(m_grid->RowCount(), 3);
        QCOMPARE(m_grid->GetCell(1, 2), QStringLiteral("kept"));
    }

    void paintedColours()
    {
        m_grid->resize(400, 200);
        m_grid->SetFixedColor(kYellow);
        m_grid->SetCell(1, 0, QString());
        m_grid->SetBgColor(1, 0, kRed); // never shows in the header
        m_grid->SetBgColor(1, 2, kGreen);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        const QImage image = m_grid->grab().toImage();
        QCOMPARE(image.pixelColor(HeaderCellCenter(*m_grid, 1)), Rgb(kYellow));
        QCOMPARE(image.pixelColor(DataCellCenter(*m_grid, 1, 2)), Rgb(kGreen));
        QCOMPARE(image.pixelColor(DataCellCenter(*m_grid, 2, 2)), m_grid->palette().color(QPalette::Base));
    }

    void selectionIsNotShown()
    {
        m_grid->resize(400, 200);
        m_grid->SetBgColor(1, 2, kGreen);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        m_grid->selectAll();
        const QImage image = m_grid->grab().toImage();
        QCOMPARE(image.pixelColor(DataCellCenter(*m_grid, 1, 2)), Rgb(kGreen));
    }

    void pictureCellFillsItsBackgroundAroundThePicture()
    {
        const TPicture picture = ResourcePicture(QStringLiteral("black_flag.svg"));
        m_grid->resize(400, 200);
        m_grid->SetGraphicMargin(2);
        m_grid->SetGraphic(0, 1, &picture);
        m_grid->SetBgColor(0, 1, kYellow);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        const QImage image = m_grid->grab().toImage();
        const QRect cell = m_grid->visualRect(m_grid->model()->index(0, 0));
        const QPoint corner = m_grid->viewport()->mapTo(m_grid.get(), cell.topLeft());
        QCOMPARE(image.pixelColor(corner), Rgb(kYellow)); // inside the margin
        int dark = 0;
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                dark += image.pixelColor(m_grid->viewport()->mapTo(m_grid.get(), QPoint(x, y))).lightness() < 60;
        QVERIFY2(dark > 10, "the flag is drawn into the cell");
    }

private:
    std::unique_ptr<TZebGrid> m_grid;
};

QTEST_MAIN(ZebGridTest)
#include "zeb_grid_test.moc"
