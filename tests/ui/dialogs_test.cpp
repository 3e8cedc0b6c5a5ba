#include "col_sett_dlg.h"
#include "color_grid.h"
#include "color_swatch.h"
#include "logo_sett_dlg.h"
#include "misc_sett_dlg.h"
#include "scripted_prompter.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace kav;

namespace {

using TColorPair = std::pair<TColorValue, TColorValue>;

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

// The widgets the Tab key visits, in order.
QList<QWidget*> TabChain(QDialog& dialog)
{
    QList<QWidget*> chain;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(&dialog))
            chain << w;
    }
    return chain;
}

QRect Place(const QWidget& widget, const QDialog& dialog)
{
    return {widget.mapTo(&dialog, QPoint()), widget.size()};
}

std::vector<std::unique_ptr<QDialog>> SettingsDialogs()
{
    std::vector<std::unique_ptr<QDialog>> dialogs;
    auto columns = std::make_unique<TColSettDlg>();
    columns->SetColumns(ColRel({0}));
    dialogs.push_back(std::move(columns));
    auto colours = std::make_unique<TSelColorDlg>();
    colours->AddSlot(0x000000, 0xFFFFFF, QStringLiteral("Results"));
    dialogs.push_back(std::move(colours));
    dialogs.push_back(std::make_unique<TSelGenInfoDlg>());
    dialogs.push_back(std::make_unique<TSelCompetitorDlg>());
    dialogs.push_back(std::make_unique<TLogoSettDlg>());
    dialogs.push_back(std::make_unique<TMiscSettDlg>());
    return dialogs;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Column settings
    void columnsAreShownInTheOrderChecked()
    {
        TColSettDlg dialog;
        dialog.SetColumns(EmptyColRel());
        QVERIFY(!dialog.OkButton()->isEnabled());
        dialog.ColumnBox(7)->click();
        dialog.ColumnBox(0)->click();
        QCOMPARE(dialog.GetColumns(), ColRel({7, 0}));
        QVERIFY(dialog.OkButton()->isEnabled());
    }

    void uncheckingClosesTheGapAndTheLastDisablesOk()
    {
        TColSettDlg dialog;
        dialog.SetColumns(ColRel({0, 2, 7}));
        dialog.ColumnBox(2)->click();
        QCOMPARE(dialog.GetColumns(), ColRel({0, 7}));
        dialog.ColumnBox(0)->click();
        dialog.ColumnBox(7)->click();
        QCOMPARE(dialog.GetColumns(), EmptyColRel());
        QVERIFY(!dialog.OkButton()->isEnabled());
        dialog.ColumnBox(16)->click();
        QVERIFY(dialog.OkButton()->isEnabled());
    }

    void settingColumnsChecksBoxesWithoutEditing()
    {
        TColSettDlg dialog;
        dialog.SetColumns(ColRel({15, 3}));
        QVERIFY(dialog.ColumnBox(15)->isChecked());
        QVERIFY(dialog.ColumnBox(3)->isChecked());
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
        headers[6] = "Cls";
        dialog.SetHeaders(headers);
        QCOMPARE(dialog.HeaderField(6)->text(), QStringLiteral("Cls"));
        dialog.HeaderField(16)->setText(QStringLiteral("Gap"));
        dialog.HeaderField(1)->clear(); // any header but Pos may be empty
        headers[16] = "Gap";
        headers[1] = "";
        QCOMPARE(dialog.GetHeaders(), headers);
    }

    void blankPosHeaderBecomesPos()
    {
        TColSettDlg dialog;
        dialog.SetHeaders(DefaultHeaders());
        dialog.HeaderField(0)->setText(QStringLiteral("   "));
        emit dialog.HeaderField(0)->editingFinished();
        QCOMPARE(dialog.HeaderField(0)->text(), QStringLiteral("Pos"));
    }

    void kindGivesTheTitle_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::newRow("completed lap") << 1 << "Column Settings for: Completed lap results";
        QTest::newRow("current race") << 4 << "Column Settings for: Current race results";
        QTest::newRow("unknown kind") << 9 << "Column Settings for: ";
    }
    void kindGivesTheTitle()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        TColSettDlg dialog;
        dialog.SetKind(std::uint8_t(kind));
        QCOMPARE(dialog.windowTitle(), title);
    }

    // Keyboard: the fields in reading order with the first one focused, the buttons last, Enter is OK
    // and Escape is Cancel.
    void settingsDialogsTakeTheKeyboardAsADesktopDoes()
    {
        for (const std::unique_ptr<QDialog>& dialog : SettingsDialogs()) {
            const char* name = dialog->metaObject()->className();
            dialog->show();
            QVERIFY2(QTest::qWaitForWindowActive(dialog.get()), name);
            const QList<QWidget*> chain = TabChain(*dialog);
            const auto* buttons = dialog->findChild<QDialogButtonBox*>();
            const qsizetype firstButton = std::find_if(chain.begin(), chain.end(),
                                                       [buttons](QWidget* w) { return w->parentWidget() == buttons; }) -
                                          chain.begin();
            QVERIFY2(firstButton > 0, name);
            for (qsizetype i = firstButton; i < chain.size(); ++i)
                QVERIFY2(chain[i]->parentWidget() == buttons, name);
            QVERIFY2(dialog->focusWidget() == chain.first(), name);
            const QRect first = Place(*chain.first(), *dialog);
            for (qsizetype i = 1; i < firstButton; ++i) {
                const QRect field = Place(*chain[i], *dialog);
                QVERIFY2(first.top() <= field.bottom(), name);
                QVERIFY2(field.top() > first.bottom() || first.left() <= field.left(), name);
            }
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            QVERIFY2(dialog->result() == QDialog::Accepted && !dialog->isVisible(), name);
            dialog->show();
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
            QVERIFY2(dialog->result() == QDialog::Rejected && !dialog->isVisible(), name);
        }
    }

    // Colours
    void pickerWorksFromTheKeyboardAndTheDialogSaysHow()
    {
        TSelColorDlg dialog;
        dialog.AddSlot(0x000000, 0xFFFFFF, QStringLiteral("Results"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(dialog.Labels(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dialog.Picker());
        for (const int key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_T, Qt::Key_Left, Qt::Key_B})
            QTest::keyClick(dialog.Picker(), Qt::Key(key));
        QCOMPARE(dialog.GetNextSlot(), TColorPair(0x800080, 0x800000)); // purple text on navy
        QVERIFY(dialog.findChild<QLabel*>(QStringLiteral("ColorHelp"))->text().contains(QStringLiteral("right click")));
    }

    void pickerTableBothWays()
    {
        QCOMPARE(TColorGrid::IndexOfColor(0x0000FF), 9);
        QCOMPARE(TColorGrid::ColorOfIndex(12), std::optional<TColorValue>(0xFF0000));
        QCOMPARE(TColorGrid::IndexOfColor(kClBtnFace), TColorGrid::kNoIndex);
        QCOMPARE(TColorGrid::ColorOfIndex(16), std::optional<TColorValue>());
        QCOMPARE(TColorGrid::ColorOfIndex(-1), std::optional<TColorValue>());
    }

    void selectingASlotMovesTheMarks()
    {
        TSelColorDlg dialog;
        dialog.AddSlot(0x0000FF, kClBtnFace, QStringLiteral("General info Comment"));
        dialog.AddSlot(0x000000, 0xFFFFFF, QStringLiteral("Results"));
        dialog.show();
        QCOMPARE(dialog.Labels()->currentRow(), 0);
        QCOMPARE(dialog.Picker()->ForegroundIndex(), 9);
        QCOMPARE(dialog.Picker()->BackgroundIndex(), TColorGrid::kNoIndex);
        QCOMPARE(dialog.InnerSwatch()->Color(), TColorValue{0x0000FF});
        QCOMPARE(dialog.OuterSwatch()->Color(), kClBtnFace);
        dialog.Labels()->setCurrentRow(1);
        QCOMPARE(dialog.Picker()->ForegroundIndex(), 0);
        QCOMPARE(dialog.Picker()->BackgroundIndex(), 15);
    }

    void untouchedSystemColourSurvivesAPickedTextColour()
    {
        TSelColorDlg dialog;
        dialog.AddSlot(kClWindowText, kClBtnFace, QStringLiteral("Headers"));
        dialog.show();
        QTest::mouseClick(dialog.Picker(), Qt::LeftButton, {}, dialog.Picker()->CellRect(12).center());
        QCOMPARE(dialog.GetNextSlot(), TColorPair(0xFF0000, kClBtnFace));
    }

    void rightClickPicksTheBackground()
    {
        TSelColorDlg dialog;
        dialog.AddSlot(kClWindowText, kClBtnFace, QStringLiteral("Headers"));
        dialog.show();
        QTest::mouseClick(dialog.Picker(), Qt::RightButton, {}, dialog.Picker()->CellRect(11).center());
        QCOMPARE(dialog.OuterSwatch()->Color(), TColorValue{0x00FFFF});
        QCOMPARE(dialog.GetNextSlot(), TColorPair(kClWindowText, 0x00FFFF));
    }

    void customColourFromTheSwatch()
    {
        TScriptedPrompter prompter;
        prompter.ColorAnswer = QColor(0x12, 0x34, 0x56);
        TSelColorDlg dialog;
        dialog.AddSlot(0x000000, 0xFFFFFF, QStringLiteral("Main window"));
        dialog.show();
        QTest::mouseClick(dialog.InnerSwatch(), Qt::LeftButton);
        QCOMPARE(prompter.ColorAsked, QColor(Qt::white));
        QCOMPARE(dialog.Picker()->BackgroundIndex(), TColorGrid::kNoIndex);
        QCOMPARE(dialog.GetNextSlot(), TColorPair(0x000000, 0x563412));
    }

    void nextSlotStopsAtTheLast()
    {
        TSelColorDlg dialog;
        dialog.AddSlot(1, 2, QStringLiteral("a"));
        dialog.AddSlot(3, 4, QStringLiteral("b"));
        QCOMPARE(dialog.GetNextSlot(), TColorPair(1, 2));
        QCOMPARE(dialog.GetNextSlot(), TColorPair(3, 4));
        QCOMPARE(dialog.GetNextSlot(), TColorPair(3, 4));
        dialog.ClearSlots();
        dialog.AddSlot(5, 6, QStringLiteral("c"));
        QCOMPARE(dialog.GetNextSlot(), TColorPair(5, 6));
    }

    void slotsEndAtAHundred()
    {
        TSelColorDlg dialog;
        for (int i = 0; i < 101; ++i)
            dialog.AddSlot(i, i, QString::number(i));
        QCOMPARE(dialog.SlotCount(), 100);
        QCOMPARE(dialog.Labels()->count(), 100);
    }

    void resetAsksAndAnswersDefaults()
    {
        TScriptedPrompter prompter;
        TSelColorDlg dialog;
        dialog.show();
        prompter.ConfirmAnswer = false;
        dialog.ResetButton()->click();
        QCOMPARE(prompter.ConfirmAsked, QStringLiteral("Reset all colors?"));
        QVERIFY(dialog.isVisible());
        prompter.ConfirmAnswer = true;
        dialog.ResetButton()->click();
        QCOMPARE(dialog.result(), TSelColorDlg::kDefaultsAnswer);
    }

    // General info
    void generalInfoOrderIsCheckingOrder()
    {
        TSelGenInfoDlg dialog;
        dialog.SetItems(GenInfo({}));
        dialog.Box(10)->click();
        dialog.Box(1)->click();
        QCOMPARE(dialog.GetItems(), GenInfo({10, 1}));
    }

    void generalInfoUncheckingTheFirstMovesTheRestUp()
    {
        TSelGenInfoDlg dialog;
        dialog.SetItems(GenInfo({3, 8, 5}));
        QVERIFY(dialog.Box(8)->isChecked());
        dialog.Box(3)->click();
        QCOMPARE(dialog.GetItems(), GenInfo({8, 5}));
    }

    void generalInfoEmptyAndForeignCodes()
    {
        TSelGenInfoDlg dialog;
        dialog.SetItems(GenInfo({2, 4}));
        dialog.SetItems(GenInfo({0, 11}));
        for (int code = 1; code <= 10; ++code)
            QVERIFY(!dialog.Box(code)->isChecked());
        QCOMPARE(dialog.GetItems(), GenInfo({0, 11}));
    }

    // Follow
    void followLinesLineUpTheirNumbers()
    {
        TSelCompetitorDlg dialog;
        dialog.SetFollowList(Follow({}));
        dialog.SetCompetitors({{"R1", "7", "Ann", "Able"}, {"R2", "123", "Bob", "Baker"}});
        dialog.Populate();
        QCOMPARE(Lines(*dialog.DriversList()), QStringList({"7    Ann Able", "123  Bob Baker"}));
    }

    void addingThreeKeepsTheirOrder()
    {
        TSelCompetitorDlg dialog;
        dialog.SetFollowList(Follow({"R2"}));
        dialog.SetCompetitors({{"R1", "1", "A", "A"},
                               {"R2", "2", "B", "B"},
                               {"R3", "3", "C", "C"},
                               {"R4", "4", "D", "D"},
                               {"R5", "5", "E", "E"}});
        dialog.Populate();
        QCOMPARE(dialog.DriversList()->count(), 4);
        Select(*dialog.DriversList(), {3, 0, 2});
        dialog.AddButton()->click();
        QCOMPARE(dialog.GetFollowList(), Follow({"R2", "R1", "R4", "R5"}));
        QCOMPARE(Lines(*dialog.FollowedList()), QStringList({"2  B B", "1  A A", "4  D D", "5  E E"}));
        QCOMPARE(Lines(*dialog.DriversList()), QStringList({"3  C C"}));
    }

    void removingTakesTheDriverTheLineShows()
    {
        TSelCompetitorDlg dialog;
        // Followed in another order than the competitor list, and one gone from it.
        dialog.SetFollowList(Follow({"R3", "GONE", "R1"}));
        dialog.SetCompetitors({{"R1", "1", "A", "A"}, {"R2", "2", "B", "B"}, {"R3", "3", "C", "C"}});
        dialog.Populate();
        QCOMPARE(Lines(*dialog.FollowedList()), QStringList({"3  C C", "GONE", "1  A A"}));
        Select(*dialog.FollowedList(), {2});
        dialog.RemoveButton()->click();
        QCOMPARE(dialog.GetFollowList(), Follow({"R3", "GONE"}));
        QCOMPARE(Lines(*dialog.DriversList()), QStringList({"2  B B", "1  A A"}));
    }

    void followedWithoutCompetitorIsKept()
    {
        TSelCompetitorDlg dialog;
        dialog.SetFollowList(Follow({"GONE"}));
        dialog.SetCompetitors({{"R1", "1", "A", "A"}});
        dialog.Populate();
        Select(*dialog.DriversList(), {0});
        emit dialog.DriversList()->itemDoubleClicked(dialog.DriversList()->item(0));
        QCOMPARE(dialog.GetFollowList(), Follow({"GONE", "R1"}));
    }

    void entriesAfterTheFirstEmptyAreNotRevived()
    {
        TSelCompetitorDlg dialog;
        dialog.SetFollowList(Follow({"R1", "", "STALE"}));
        dialog.SetCompetitors({{"R1", "1", "A", "A"}, {"R2", "2", "B", "B"}});
        dialog.Populate();
        Select(*dialog.DriversList(), {0});
        dialog.AddSelected();
        QCOMPARE(dialog.GetFollowList(), Follow({"R1", "R2"}));
    }

    void aFullFollowListRefusesMore()
    {
        std::vector<TFollowCompetitor> competitors;
        TFollowList full;
        for (int i = 0; i < 162; ++i) {
            const std::string regNo = "R" + std::to_string(i);
            competitors.push_back({regNo, std::to_string(i), "F", "L"});
            if (i < 160)
                full[std::size_t(i)] = regNo;
        }
        TSelCompetitorDlg dialog;
        dialog.SetFollowList(full);
        dialog.SetCompetitors(competitors);
        dialog.Populate();
        QCOMPARE(dialog.DriversList()->count(), 2);
        Select(*dialog.DriversList(), {0, 1});
        dialog.AddSelected();
        QCOMPARE(dialog.GetFollowList(), full);     // nothing beyond the list
        QCOMPARE(dialog.DriversList()->count(), 2); // and the drivers stay where they were
        QCOMPARE(dialog.FollowedList()->count(), 160);
        Select(*dialog.FollowedList(), {5});
        dialog.RemoveSelected();
        QCOMPARE(dialog.GetFollowList()[5], std::string("R6"));
        QCOMPARE(dialog.GetFollowList()[159], std::string());
    }

    void theLeftListHoldsAtMost160()
    {
        std::vector<TFollowCompetitor> competitors;
        for (int i = 0; i < 170; ++i)
            competitors.push_back({"R" + std::to_string(i), std::to_string(i), "F", "L"});
        TSelCompetitorDlg dialog;
        dialog.SetFollowList(Follow({}));
        dialog.SetCompetitors(competitors);
        dialog.Populate();
        QCOMPARE(dialog.DriversList()->count(), 160);
        Select(*dialog.DriversList(), {159});
        dialog.AddSelected();
        QCOMPARE(dialog.GetFollowList()[0], std::string("R159"));
    }

    // Miscellaneous and logo settings
    void trackLengthShownInKilometres_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "0.000";
        QTest::newRow("4309 m") << 4309 << "4.309";
        QTest::newRow("12345 m") << 12345 << "12.345";
    }
    void trackLengthShownInKilometres()
    {
        QFETCH(int, length);
        QFETCH(QString, text);
        TMiscSettDlg dialog;
        dialog.SetTrack(QStringLiteral("Zolder"), length);
        QCOMPARE(dialog.LengthField()->text(), text);
        QCOMPARE(dialog.GetTrack(), std::make_pair(QStringLiteral("Zolder"), std::int32_t(length)));
    }

    void trackLengthRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("metres");
        QTest::newRow("one decimal") << "4.3" << 4300;
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

    void numberFieldsKeepTheirLimits()
    {
        TMiscSettDlg dialog;
        QCOMPARE(dialog.GetMarkerDelay(), std::uint8_t{1});
        QCOMPARE(dialog.GetSpeedDecimals(), std::uint8_t{2});
        dialog.SetMarkerDelay(31);
        dialog.SetSpeedDecimals(5);
        QCOMPARE(dialog.GetMarkerDelay(), std::uint8_t{30});
        QCOMPARE(dialog.GetSpeedDecimals(), std::uint8_t{3});
        dialog.SetMarkerDelay(0);
        dialog.SetSpeedDecimals(-1);
        QCOMPARE(dialog.GetMarkerDelay(), std::uint8_t{1});
        QCOMPARE(dialog.GetSpeedDecimals(), std::uint8_t{0});
    }

    void browseFillsTheFileName()
    {
        TScriptedPrompter prompter;
        TLogoSettDlg dialog;
        dialog.SetLogoFileName(QStringLiteral("/old.bmp"));
        prompter.FileAnswer = QString();
        dialog.BrowseButton()->click();
        QCOMPARE(dialog.GetLogoFileName(), QStringLiteral("/old.bmp")); // cancelled
        prompter.FileAnswer = QStringLiteral("/logos/track.wmf");
        dialog.BrowseButton()->click();
        QCOMPARE(dialog.GetLogoFileName(), QStringLiteral("/logos/track.wmf"));
        QVERIFY(prompter.FilterAsked.startsWith(QStringLiteral("Bitmap files (*.BMP")));
        QVERIFY(prompter.FilterAsked.contains(QStringLiteral(";;Windows metafile (*.WMF")));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
