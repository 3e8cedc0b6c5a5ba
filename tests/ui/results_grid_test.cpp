#include "case_table.h"
#include "cell_attributes.h"
#include "markers.h"
#include "picture.h"
#include "results_grid.h"
#include "results_model.h"
#include "ui_resources.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace kav;

namespace {

constexpr ColorValue kRed = 0x0000FF;
constexpr ColorValue kGreen = 0x00FF00;
constexpr ColorValue kYellow = 0x00FFFF;

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

// The parts of a widget painted since the last clear.
struct PaintedRegion : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion region;
};

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

    void textLeft()
    {
        for (const auto& row : readCaseTable(KAV_TEST_DATA "/ui/text_left.txt")) {
            const auto number = [&row](int field) { return std::stoi(row.at(std::size_t(field))); };
            QVERIFY2(ResultsCellDelegate::textLeft(std::uint8_t(number(1)), QRect(100, 10, number(2), 18), number(3)) ==
                         number(4),
                     row.at(0).c_str());
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
        QCOMPARE(image.pixelColor(headerCellCenter(*m_grid, 4)), toQColor(kYellow, QPalette()));
        QCOMPARE(image.pixelColor(dataCellCenter(*m_grid, 4, 2)), toQColor(kGreen, QPalette()));
        QCOMPARE(image.pixelColor(dataCellCenter(*m_grid, 4, 3)), toQColor(kRed, QPalette()));
        const QColor ball = image.pixelColor(dataCellCenter(*m_grid, 4, 1));
        QVERIFY2(ball.green() > 100 && ball.red() < 100, "the green ball, not the row's red");
    }

    // A change of several rows at once repaints each of them, the last row of the field included.
    void changedRowsAreRepainted()
    {
        m_grid->resize(400, 300); // taller than the field
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        PaintedRegion painted;
        m_grid->viewport()->installEventFilter(&painted);
        for (const auto& [first, last] : {std::pair{1, 3}, std::pair{3, 4}}) {
            QCoreApplication::processEvents();
            painted.region = {};
            emit m_model->dataChanged(m_model->index(first, 1), m_model->index(last, 8));
            QVERIFY(QTest::qWaitFor([&] { return !painted.region.isEmpty(); }));
            for (int row = first; row <= last; ++row)
                QVERIFY2((QRegion(m_grid->visualRect(m_model->index(row, 1))) - painted.region).isEmpty(),
                         qPrintable(QStringLiteral("row %1 of %2-%3").arg(row).arg(first).arg(last)));
        }
    }

    // Keys typed on a results table neither jump to a row that starts with them nor scroll: a big
    // screen keeps showing the top of the field whatever lands on the keyboard.
    void keysNeitherSearchNorScroll()
    {
        m_model->setRowCount(60);
        m_model->setText(44, 1, QStringLiteral("4 b"));
        m_grid->resize(400, 150);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowActive(m_grid.get()));
        const QModelIndex current = m_grid->currentIndex();
        for (const auto& [key, text] :
             {std::pair{Qt::Key_4, "4"}, std::pair{Qt::Key_B, "b"}, std::pair{Qt::Key_Down, ""},
              std::pair{Qt::Key_PageDown, ""}, std::pair{Qt::Key_End, ""}, std::pair{Qt::Key_Space, " "}}) {
            for (int press = 0; press < 3; ++press)
                QTest::keyClick(m_grid.get(), key, Qt::NoModifier);
            QTest::keyClicks(m_grid.get(), QString::fromLatin1(text));
            QVERIFY2(m_grid->verticalScrollBar()->value() == 0 && m_grid->currentIndex() == current, text);
        }
    }

    // A double-click anywhere on the table asks for the column settings: a header, a row, the empty
    // space below the rows.
    void doubleClickAsksForTheColumnSettings()
    {
        m_grid->resize(400, 300);
        m_grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
        QSignalSpy asked(m_grid.get(), &ResultsGrid::columnSettingsWanted);
        QWidget* header = m_grid->horizontalHeader()->viewport();
        QWidget* rows = m_grid->viewport();
        for (const auto& [on, at] : {std::pair{header, header->mapFrom(m_grid.get(), headerCellCenter(*m_grid, 4))},
                                     std::pair{rows, rows->mapFrom(m_grid.get(), dataCellCenter(*m_grid, 4, 2))},
                                     std::pair{rows, QPoint(20, rows->height() - 5)}}) { // below the rows
            const auto before = asked.count();
            QTest::mouseDClick(on, Qt::LeftButton, {}, at);
            QCOMPARE(asked.count(), before + 1);
        }
    }

private:
    std::unique_ptr<ResultsModel> m_model;
    std::unique_ptr<ResultsGrid> m_grid;
};

QTEST_MAIN(ResultsGridTest)
#include "results_grid_test.moc"
