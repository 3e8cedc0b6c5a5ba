#include "picture.h"
#include "results_model.h"
#include "ui_resources.h"
#include "zeb_grid.h"

#include <QHeaderView>
#include <QTest>

using namespace kav;

namespace {

constexpr TColorValue kRed = 0x0000FF;
constexpr TColorValue kGreen = 0x00FF00;
constexpr TColorValue kYellow = 0x00FFFF;

QColor Rgb(TColorValue value)
{
    return ToQColor(value, QPalette());
}

// The middle of the cell of a model column in a grid row.
QPoint DataCellCenter(const TZebGrid& grid, int column, int row)
{
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, column));
    return grid.viewport()->mapTo(&grid, cell.center());
}

QPoint HeaderCellCenter(const TZebGrid& grid, int column)
{
    const QHeaderView* header = grid.horizontalHeader();
    const QPoint local(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    return header->mapTo(&grid, local);
}

} // namespace

class ZebGridTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_model = std::make_unique<ResultsModel>();
        m_model->setRowCount(5);
        m_grid = std::make_unique<TZebGrid>();
        m_grid->SetResults(m_model.get());
        m_grid->SetColumns({1, 4, 7, 8});
    }
    void cleanup()
    {
        m_grid.reset();
        m_model.reset();
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

    void paintedColours()
    {
        m_grid->resize(400, 200);
        m_grid->SetFixedColor(kYellow);
        m_grid->SetColor(kRed);
        m_model->setRowColours(1, kRed, kGreen); // the model's colours never show in the header
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        const QImage image = m_grid->grab().toImage();
        QCOMPARE(image.pixelColor(HeaderCellCenter(*m_grid, 4)), Rgb(kYellow));
        QCOMPARE(image.pixelColor(DataCellCenter(*m_grid, 4, 2)), Rgb(kGreen));
        QCOMPARE(image.pixelColor(DataCellCenter(*m_grid, 4, 3)), Rgb(kRed));
    }

    void selectionIsNotShown()
    {
        m_grid->resize(400, 200);
        m_model->setRowColours(1, kRed, kGreen);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        m_grid->selectAll();
        const QImage image = m_grid->grab().toImage();
        QCOMPARE(image.pixelColor(DataCellCenter(*m_grid, 4, 2)), Rgb(kGreen));
    }

    void pictureCellFillsItsBackgroundAroundThePicture()
    {
        const TPicture picture = ResourcePicture(QStringLiteral("black_flag.svg"));
        m_grid->resize(400, 200);
        m_grid->SetGraphicMargin(2);
        m_model->setPicture(0, 1, &picture);
        m_model->setRowColours(0, kRed, kYellow);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        const QImage image = m_grid->grab().toImage();
        const QRect cell = m_grid->visualRect(m_grid->model()->index(0, 1));
        const QPoint corner = m_grid->viewport()->mapTo(m_grid.get(), cell.topLeft());
        QCOMPARE(image.pixelColor(corner), Rgb(kYellow)); // inside the margin
        int dark = 0;
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                dark += image.pixelColor(m_grid->viewport()->mapTo(m_grid.get(), QPoint(x, y))).lightness() < 60;
        QVERIFY2(dark > 10, "the flag is drawn into the cell");
    }

private:
    std::unique_ptr<ResultsModel> m_model;
    std::unique_ptr<TZebGrid> m_grid;
};

QTEST_MAIN(ZebGridTest)
#include "zeb_grid_test.moc"
