#include "col_sett_dlg.h"
#include "color_grid.h"
#include "color_swatch.h"
#include "logo_sett_dlg.h"
#include "misc_sett_dlg.h"
#include "scripted_prompter.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace kav;

namespace {

TColRel ColRel(std::initializer_list<std::uint8_t> columns)
{
    TColRel rel = EmptyColRel();
    std::copy(columns.begin(), columns.end(), rel.begin());
    return rel;
}

TGenInfo GenInfo(std::initializer_list<std::uint8_t> codes)
{
    TGenInfo info;
    ResetGenInfo(info);
    std::copy(codes.begin(), codes.end(), info.begin());
    return info;
}

TFollowList Follow(std::initializer_list<const char*> regNos)
{
    TFollowList list;
    std::copy(regNos.begin(), regNos.end(), list.begin());
    return list;
}

QStringList Lines(const QListWidget& list)
{
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines << list.item(i)->text();
    return lines;
}

void Select(QListWidget& list, std::initializer_list<int> rows)
{
    list.clearSelection();
    for (int row : rows)
        list.item(row)->setSelected(true);
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Column settings: the columns in the order checked, unchecking closes the gap, the last one
    // disables OK, and setting the columns checks their boxes without adding them again.
    void columnsAreShownInTheOrderChecked()
    {
        TColSettDlg dialog;
        dialog.SetColumns(EmptyColRel());
        QVERIFY(!dialog.OkButton()->isEnabled());
        for (int id : {7, 0, 2})
            dialog.ColumnBox(id)->click();
        QCOMPARE(dialog.GetColumns(), ColRel({7, 0, 2}));
        QVERIFY(dialog.OkButton()->isEnabled());
        dialog.ColumnBox(0)->click();
        QCOMPARE(dialog.GetColumns(), ColRel({7, 2}));
        dialog.ColumnBox(7)->click();
        dialog.ColumnBox(2)->click();
        QCOMPARE(dialog.GetColumns(), EmptyColRel());
        QVERIFY(!dialog.OkButton()->isEnabled());
        dialog.SetColumns(ColRel({15, 3}));
        QVERIFY(dialog.ColumnBox(15)->isChecked() && dialog.ColumnBox(3)->isChecked());
        QVERIFY(!dialog.ColumnBox(0)->isChecked());
        QCOMPARE(dialog.GetColumns(), ColRel({15, 3})); // not (15, 3, 15, 3)
        dialog.SetColumns(ColRel({3}));
        QVERIFY(!dialog.ColumnBox(15)->isChecked());
        QCOMPARE(dialog.GetColumns(), ColRel({3}));
    }

    void headerFieldsFollowTheirIndexes()
    {
        TColSettDlg dialog;
        THeaderRec headers = DefaultHeaders();
        headers[6] = "Kl\xe4sse"; // Windows-1252, as an older Kavendor.ini holds it
        dialog.SetHeaders(headers);
        QCOMPARE(dialog.HeaderField(6)->text(), QString::fromUtf8("Kl\xc3\xa4sse"));
        dialog.HeaderField(16)->setText(QStringLiteral("Gap"));
        dialog.HeaderField(1)->clear(); // any header but Pos may be empty
        headers[16] = "Gap";
        headers[1] = "";
        QCOMPARE(dialog.GetHeaders(), headers);
        dialog.HeaderField(0)->setText(QStringLiteral("   "));
        emit dialog.HeaderField(0)->editingFinished();
        QCOMPARE(dialog.HeaderField(0)->text(), QStringLiteral("Pos"));
    }

    void customColourFromTheSwatch()
    {
        ScriptedPrompter prompter;
        prompter.colorAnswer = QColor(0x12, 0x34, 0x56);
        TSelColorDlg dialog;
        dialog.AddSlot(0x000000, 0xFFFFFF, QStringLiteral("Main window"));
        dialog.show();
        QTest::mouseClick(dialog.InnerSwatch(), Qt::LeftButton);
        QCOMPARE(prompter.colorAsked, QColor(Qt::white));
        QCOMPARE(dialog.Picker()->BackgroundIndex(), TColorGrid::kNoIndex);
        QCOMPARE(dialog.GetNextSlot(), std::make_pair(TColorValue{0x000000}, TColorValue{0x563412}));
    }

    void resetAsksAndAnswersDefaults()
    {
        ScriptedPrompter prompter;
        TSelColorDlg dialog;
        dialog.show();
        dialog.ResetButton()->click();
        QCOMPARE(prompter.questions, QStringList{QStringLiteral("Reset all colors?")});
        QVERIFY(dialog.isVisible());
        prompter.answers = {TAnswer::Yes};
        dialog.ResetButton()->click();
        QCOMPARE(dialog.result(), TSelColorDlg::kDefaultsAnswer);
    }

    // General info: the order of checking; unchecking the first moves the rest up; foreign codes are kept.
    void generalInfoOrderIsCheckingOrder()
    {
        TSelGenInfoDlg dialog;
        dialog.SetItems(GenInfo({}));
        dialog.Box(10)->click();
        dialog.Box(1)->click();
        QCOMPARE(dialog.GetItems(), GenInfo({10, 1}));
        dialog.SetItems(GenInfo({3, 8, 5}));
        QVERIFY(dialog.Box(8)->isChecked());
        dialog.Box(3)->click();
        QCOMPARE(dialog.GetItems(), GenInfo({8, 5}));
        dialog.SetItems(GenInfo({0, 11}));
        for (int code = 1; code <= 10; ++code)
            QVERIFY(!dialog.Box(code)->isChecked());
        QCOMPARE(dialog.GetItems(), GenInfo({0, 11}));
    }

    // Adding keeps the drivers list's order; removing takes the driver the line shows, back to the
    // end of the drivers list. A followed driver gone from the competitors stays.
    void followedDriversAddedAndRemovedByLine()
    {
        TSelCompetitorDlg dialog;
        dialog.SetFollowList(Follow({"R3", "GONE"}));
        dialog.SetCompetitors(
            {{"R1", "1", "J\xfc", "A"}, {"R2", "2", "B", "B"}, {"R3", "3", "C", "C"}, {"R4", "4", "D", "D"}});
        dialog.Populate();
        QCOMPARE(Lines(*dialog.FollowedList()), QStringList({"3  C C", "GONE"}));
        Select(*dialog.DriversList(), {2, 0});
        dialog.AddButton()->click();
        QCOMPARE(dialog.GetFollowList(), Follow({"R3", "GONE", "R1", "R4"}));
        Select(*dialog.FollowedList(), {2});
        dialog.RemoveButton()->click();
        QCOMPARE(dialog.GetFollowList(), Follow({"R3", "GONE", "R4"}));
        QCOMPARE(Lines(*dialog.DriversList()), QStringList({"2  B B", QString::fromUtf8("1  J\xc3\xbc A")}));
    }

    void trackLengthRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("metres");
        QTest::newRow("three decimals") << "12.345" << 12345;
        QTest::newRow("rounded") << "1.2345" << 1235;
        QTest::newRow("blanks around") << " 2.5 " << 2500;
        QTest::newRow("not a number") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("infinite") << "inf" << 0;
        QTest::newRow("too large") << "9e12" << 2147483647;
    }
    void trackLengthRead()
    {
        QFETCH(QString, text);
        QFETCH(int, metres);
        QCOMPARE(TMiscSettDlg::ParseLength(text), metres);
    }

    void browseFillsTheFileName()
    {
        ScriptedPrompter prompter;
        TLogoSettDlg dialog;
        dialog.SetLogoFileName(QStringLiteral("/old.bmp"));
        prompter.openAnswer = QString();
        dialog.BrowseButton()->click();
        QCOMPARE(dialog.GetLogoFileName(), QStringLiteral("/old.bmp")); // cancelled
        prompter.openAnswer = QStringLiteral("/logos/track.wmf");
        dialog.BrowseButton()->click();
        QCOMPARE(dialog.GetLogoFileName(), QStringLiteral("/logos/track.wmf"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
