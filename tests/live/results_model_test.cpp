#include "class_results_model.h"
#include "markers.h"
#include "results_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace kav;

namespace {

constexpr ColorValue kRed = 0x0000FF;
constexpr ColorValue kGreen = 0x00FF00;

} // namespace

class ResultsModelTest : public QObject {
    Q_OBJECT

private slots:
    void passesTheModelTester()
    {
        ResultsModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRowCount(5);
        model.setText(1, 8, QStringLiteral("1:02.345"));
        model.setMarker(2, 1, kGreenBall);
        model.setRowColours(3, kRed, kGreen);
        model.setRowCount(12);
        model.clearAllRows();
        model.setRowCount(3);
        QCoreApplication::processEvents();
    }

    void aBurstOfWritesIsAnnouncedOnceAfterTheEventLoopTurns()
    {
        ResultsModel model;
        model.setRowCount(20);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        // Neither the first nor the last write holds the edges of the change.
        model.setText(9, 7, QStringLiteral("3"));
        model.setText(12, 2, QStringLiteral("44"));
        model.setMarker(4, 1, kGreenBall);
        model.setText(6, 3, QStringLiteral("5"));
        QCOMPARE(changed.count(), 0);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(4, 1));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(12, 7));
        model.setText(4, 7, QStringLiteral("3"));
        model.setMarker(6, 1, kGreenBall);
        model.setRowColours(9, kRed, kGreen); // the whole row
        QTRY_COMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toModelIndex(), model.index(4, 0));
        QCOMPARE(changed.at(1).at(1).toModelIndex(), model.index(9, ResultsModel::kColumns - 1));
        // Writing what is already there announces nothing.
        model.setText(4, 7, QStringLiteral("3"));
        model.setMarker(6, 1, kGreenBall);
        model.setRowColours(9, kRed, kGreen);
        model.clearRow(15);
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), 2);
        model.setMarker(17, 1, kGreenBall); // a marker alone is news
        QTRY_COMPARE(changed.count(), 3);
        QCOMPARE(changed.at(2).at(0).toModelIndex(), model.index(17, 1));
    }

    void rolesOfACellAndAClearedRow()
    {
        ResultsModel model;
        model.setRowCount(3);
        model.setText(0, 8, QString());
        QCOMPARE(model.data(model.index(0, 8), Qt::DisplayRole).toString(), QStringLiteral(" "));
        QCOMPARE(model.data(model.index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("3"));
        model.setText(0, 5, QStringLiteral("Name")); // a text, not the row's number, starts the field
        QCOMPARE(model.data(model.index(0, 5), kRowInFieldRole), QVariant(true));
        QCOMPARE(model.data(model.index(1, 5), kRowInFieldRole), QVariant(false));
        const auto alignment = [&model](int column) {
            return model.data(model.index(0, column), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(alignment(8), Qt::AlignRight);   // total time
        QCOMPARE(alignment(7), Qt::AlignHCenter); // laps
        QCOMPARE(alignment(5), Qt::AlignLeft);    // name
        QVERIFY(!model.data(model.index(1, 4), Qt::BackgroundRole).isValid());
        QVERIFY(!model.data(model.index(1, 1), kMarkerRole).isValid());
        QCOMPARE(model.data(model.index(1, 1), kMarkerNameRole).toString(), QString());
        model.setRowColours(1, kRed, kGreen);
        model.setMarker(1, 1, kGreenArrow);
        QCOMPARE(model.data(model.index(1, 4), Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::green));
        QCOMPARE(model.data(model.index(1, 4), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        QCOMPARE(model.data(model.index(1, 1), kMarkerRole).toInt(), int(kGreenArrow));
        QCOMPARE(model.data(model.index(1, 1), kMarkerNameRole).toString(), QStringLiteral("green arrow"));
        model.setText(1, 0, QStringLiteral("x"));
        model.clearRow(1); // keeps the marker and the row's number
        QCOMPARE(model.cell(1, 0).text, QStringLiteral("2"));
        QCOMPARE(model.data(model.index(1, 1), kMarkerNameRole).toString(), QStringLiteral("green arrow"));
        QVERIFY(!model.rowColours(1).set);
        model.setMarker(1, 1, 5); // a code without a picture clears the marker
        QVERIFY(!model.data(model.index(1, 1), kMarkerRole).isValid());
    }

    // A window set to one class: its rows follow the field's as cars move, change class or leave,
    // placed and gapped within the class, with the field's markers and colours and nothing left over.
    void oneClassFollowsTheField()
    {
        ResultsModel field;
        ClassResultsModel cup(field, QStringLiteral(" cup "));
        QAbstractItemModelTester tester(&cup, QAbstractItemModelTester::FailureReportingMode::QtTest);
        field.setRowCount(6);
        // car, class, class position, class gap by row of the field
        const auto place = [&field](int row, const char* car, const char* cls, const char* position, const char* gap) {
            for (const auto& [column, text] : {std::pair{2, car}, {15, cls}, {17, position}, {18, gap}, {14, "x"}})
                field.setText(row, column, QString::fromLatin1(text));
        };
        const auto shown = [&cup] {
            QStringList rows;
            for (int row = 0; row < cup.filledRowCount(); ++row)
                rows << cup.cell(row, 0).text + u' ' + cup.cell(row, 2).text + u' ' + cup.cell(row, 14).text;
            return rows;
        };
        place(0, "7", "GT", "1", ">> 3 <<");
        place(1, "8", "Cup", "1", ">> 3 <<");
        place(2, "9", "CUP", "2", "1.500");
        place(3, "4", "GT", "2", "0.100");
        field.setMarker(2, 1, kGreenBall);
        field.setRowColours(2, kRed, kGreen);
        QTRY_COMPARE(shown(), (QStringList{"1 8 >> 3 <<", "2 9 1.500"}));
        QCOMPARE(cup.cell(1, 1).marker, kGreenBall);
        QVERIFY(cup.rowColours(1).set);
        place(1, "4", "GT", "2", "0.100"); // car 4 overtakes car 8, which drops a row
        place(2, "8", "Cup", "1", ">> 3 <<");
        place(3, "9", "Cup", "2", "1.500");
        field.setMarker(2, 1, ResultsModel::kNoMarker);
        field.clearRow(2);
        place(2, "8", "Cup", "1", "");
        QTRY_COMPARE(shown(), (QStringList{"1 8  ", "2 9 1.500"}));
        QVERIFY(!cup.rowColours(0).set);
        QCOMPARE(cup.cell(0, 1).marker, ResultsModel::kNoMarker);
        field.setMarker(3, 1, kGreenBall);
        field.setText(3, 15, QStringLiteral("GT")); // car 9 moves to the other class
        QTRY_COMPARE(shown(), QStringList{"1 8  "});
        QCOMPARE(cup.cell(1, 1).marker, ResultsModel::kNoMarker);
        QCOMPARE(cup.cell(1, 0).text, QStringLiteral("2"));
        field.setRowCount(9);
        field.clearAllRows();
        QTRY_COMPARE(cup.rowCount(), 9);
        QTRY_COMPARE(shown(), QStringList{});
    }
};

QTEST_MAIN(ResultsModelTest)
#include "results_model_test.moc"
