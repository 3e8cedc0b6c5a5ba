#include "case_table.h"
#include "cell_attributes.h"
#include "markers.h"
#include "picture.h"
#include "results_grid.h"
#include "results_model.h"
#include "ui_resources.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace kav;

namespace {

constexpr ColorValue kRed = 0x0000FF;
constexpr ColorValue kGreen = 0x00FF00;
constexpr ColorValue kYellow = 0x00FFFF;

QColor rgb(ColorValue value)
{
    return toQColor(value, QPalette());
}

// The middle of the cell of a model column in a grid row.
QPoint dataCellCenter(const ResultsGrid& grid, int column, int row)
{
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, column));
    return grid.viewport()->mapTo(&grid, cell.center());
}

QPoint headerCellCenter(const ResultsGrid& grid, int column)
{
    const QHeaderView* header = grid.horizontalHeader();
    const QPoint local(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    return header->mapTo(&grid, local);
}

} // namespace

class ResultsGridTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_model = std::make_unique<ResultsModel>();
        m_model->setRowCount(5);
        m_grid = std::make_unique<ResultsGrid>();
        m_grid->setResults(m_model.get());
        m_grid->setColumns({1, 4, 7, 8});
    }
    void cleanup()
    {
        m_grid.reset();
        m_model.reset();
    }

    // Each cell and header cell takes its column's alignment from the model: the total time (8) to the
    // right, the laps (7) centred, the name (5) to the left.
    void cellsAndHeadersTakeTheirColumnsAlignment()
    {
        m_grid->setColumns({5, 7, 8});
        for (int id : {5, 7, 8}) {
            m_model->setText(0, id, QStringLiteral("8"));
            m_grid->setHeaderText(std::uint8_t(id), QStringLiteral("8"));
        }
        const struct {
            int place, firstInk, lastInk;
        } columns[] = {{0, 0, 60}, {1, 70, 130}, {2, 140, 200}};
        for (int row : {0, 1}) {
            for (const auto& column : columns) {
                QImage cell(200, 20, QImage::Format_RGB32);
                cell.fill(Qt::white);
                QPainter painter(&cell);
                m_grid->drawCell(painter, column.place, row, cell.rect());
                painter.end();
                int ink = -1; // the first column of the text's pixels, from the left
                for (int x = 4; x < 196 && ink < 0; ++x)
                    for (int y = 4; y < 16 && ink < 0; ++y)
                        ink = qGray(cell.pixel(x, y)) < 128 ? x : -1;
                QVERIFY2(ink >= column.firstInk && ink < column.lastInk,
                         qPrintable(QStringLiteral("row %1 place %2 ink at %3").arg(row).arg(column.place).arg(ink)));
            }
        }
    }

    // Where a text starts in a cell, by its column's alignment: the cases in tests/data/ui/text_left.txt.
    void textLeft()
    {
        for (const auto& row : readCaseTable(KAV_TEST_DATA "/ui/text_left.txt")) {
            const auto number = [&row](std::size_t field) { return std::stoi(row.at(field)); };
            const int left =
                ResultsCellDelegate::textLeft(std::uint8_t(number(1)), QRect(100, 10, number(2), 18), number(3));
            QVERIFY2(left == number(4), qPrintable(QStringLiteral("%1: %2").arg(row.at(0).c_str()).arg(left)));
        }
    }

    // The grid's own colours in the header, the model's in the rows; a selection is not shown. A marker
    // picture shows in the field's rows, not in the empty rows below it (grid row 3).
    void paintedColoursAndMarkers()
    {
        m_model->setText(0, 1, QStringLiteral("1"));
        for (int row : {0, 2})
            m_model->setMarker(row, 4, kGreenBall);
        m_grid->resize(400, 200);
        m_grid->setFixedColor(kYellow);
        m_grid->setColor(kRed);
        m_model->setRowColours(1, kRed, kGreen);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        m_grid->selectAll();
        const QImage image = m_grid->grab().toImage();
        QCOMPARE(image.pixelColor(headerCellCenter(*m_grid, 4)), rgb(kYellow));
        QCOMPARE(image.pixelColor(dataCellCenter(*m_grid, 4, 2)), rgb(kGreen));
        QCOMPARE(image.pixelColor(dataCellCenter(*m_grid, 4, 3)), rgb(kRed));
        const QColor ball = image.pixelColor(dataCellCenter(*m_grid, 4, 1));
        QVERIFY2(ball.green() > 100 && ball.red() < 100, "the green ball, not the row's red");
    }

    // Keys typed on a results table neither jump to a row that starts with them nor scroll: a big
    // screen keeps showing the top of the field whatever lands on the keyboard.
    void keysNeitherSearchNorScroll_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        for (const auto& [name, key, text] :
             {std::tuple{"a digit", Qt::Key_4, "4"}, std::tuple{"a letter", Qt::Key_B, "b"},
              std::tuple{"arrow down", Qt::Key_Down, ""}, std::tuple{"page down", Qt::Key_PageDown, ""},
              std::tuple{"end", Qt::Key_End, ""}, std::tuple{"space", Qt::Key_Space, " "}})
            QTest::newRow(name) << int(key) << QString::fromLatin1(text);
    }
    void keysNeitherSearchNorScroll()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        m_model->setRowCount(60);
        m_model->setText(44, 1, QStringLiteral("4 b"));
        m_grid->resize(400, 150);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowActive(m_grid.get()));
        const QModelIndex current = m_grid->currentIndex();
        for (int press = 0; press < 3; ++press)
            QTest::keyClick(m_grid.get(), Qt::Key(key), Qt::NoModifier);
        QTest::keyClicks(m_grid.get(), text);
        QCOMPARE(m_grid->verticalScrollBar()->value(), 0);
        QCOMPARE(m_grid->currentIndex(), current);
    }

    // A double-click anywhere on the table asks for the column settings: a header, a row, the empty
    // space below the rows.
    void doubleClickAsksForTheColumnSettings_data()
    {
        QTest::addColumn<QString>("place");
        for (const char* place : {"header", "row", "below the rows"})
            QTest::newRow(place) << QString::fromLatin1(place);
    }
    void doubleClickAsksForTheColumnSettings()
    {
        QFETCH(QString, place);
        m_grid->resize(400, 300);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        QSignalSpy asked(m_grid.get(), &ResultsGrid::columnSettingsWanted);
        QHeaderView* header = m_grid->horizontalHeader();
        if (place == QLatin1String("header"))
            QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                               header->mapFrom(m_grid.get(), headerCellCenter(*m_grid, 4)));
        else if (place == QLatin1String("row"))
            QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {},
                               m_grid->viewport()->mapFrom(m_grid.get(), dataCellCenter(*m_grid, 4, 2)));
        else
            QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, QPoint(20, m_grid->viewport()->height() - 5));
        QCOMPARE(asked.count(), 1);
    }

private:
    std::unique_ptr<ResultsModel> m_model;
    std::unique_ptr<ResultsGrid> m_grid;
};

QTEST_MAIN(ResultsGridTest)
#include "results_grid_test.moc"
