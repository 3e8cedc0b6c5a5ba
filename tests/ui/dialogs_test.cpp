#include "broker_settings_dialog.h"
#include "case_table.h"
#include "color_grid.h"
#include "color_swatch.h"
#include "colour_settings_dialog.h"
#include "column_settings_dialog.h"
#include "communication_dialog.h"
#include "fit_to_screen_dialog.h"
#include "follow_dialog.h"
#include "general_info_dialog.h"
#include "logo_settings_dialog.h"
#include "miscellaneous_settings_dialog.h"
#include "scripted_prompter.h"
#include "web_view_dialog.h"
#include "window_settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

using namespace kav;


namespace {

GeneralInfoItems generalInfo(std::initializer_list<std::uint8_t> codes)
{
    GeneralInfoItems info;
    resetGeneralInfo(info);
    std::copy(codes.begin(), codes.end(), info.begin());
    return info;
}

FollowedCompetitors follow(std::initializer_list<const char*> regNos)
{
    FollowedCompetitors list;
    std::copy(regNos.begin(), regNos.end(), list.begin());
    return list;
}

QStringList lines(const QListWidget& list)
{
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines << list.item(i)->text();
    return lines;
}

void select(QListWidget& list, std::initializer_list<int> rows)
{
    list.clearSelection();
    for (int row : rows)
        list.item(row)->setSelected(true);
}

// The widget the operator sees taking the keyboard: a spin box rather than its inner text field (but
// a button, not the button box that hands its focus on to it).
QWidget* shownFocus(QWidget* widget)
{
    while (widget && !qobject_cast<QAbstractButton*>(widget) && widget->parentWidget() &&
           widget->parentWidget()->focusProxy() == widget)
        widget = widget->parentWidget();
    return widget;
}

QString describe(const QWidget* widget)
{
    const QVariant text = widget->property("text");
    return QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
           (text.toString().isEmpty() ? widget->objectName() : text.toString());
}

// The widgets real Tab presses visit from the first field, until the focus comes back round.
QList<QWidget*> tabWalk()
{
    QList<QWidget*> walked;
    for (QWidget* focus = QApplication::focusWidget(); focus && walked.size() < 200;
         focus = QApplication::focusWidget()) {
        if (walked.contains(shownFocus(focus)))
            break;
        walked << shownFocus(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return walked;
}

// What the keyboard must reach: every shown, enabled widget that takes Tab focus.
QList<QWidget*> keyboardFields(QDialog& dialog)
{
    QList<QWidget*> fields;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        QWidget* shown = shownFocus(widget);
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() && widget->isEnabled() &&
            widget->isVisible() && !fields.contains(shown))
            fields << shown;
    }
    return fields;
}

// Reading order: on the same line further right, else further down, or the top of the next column.
bool readsBefore(const QWidget& first, const QWidget& second, const QDialog& dialog)
{
    const QRect a(first.mapTo(&dialog, QPoint()), first.size());
    const QRect b(second.mapTo(&dialog, QPoint()), second.size());
    const bool sameLine = a.top() < b.bottom() && b.top() < a.bottom();
    return sameLine ? b.left() >= a.left() : b.top() >= a.bottom() - 1 || b.left() >= a.right();
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Column settings: the columns in the order checked, unchecking closes the gap, the last one
    // disables OK, and setting the columns checks their boxes without adding them again.
    void columnsAreShownInTheOrderChecked()
    {
        ColumnSettingsDialog dialog;
        dialog.setColumns(emptyColumnOrder());
        QVERIFY(!dialog.okButton()->isEnabled());
        for (int id : {7, 0, 2})
            dialog.columnBox(id)->click();
        QCOMPARE(dialog.columns(), columnOrder({7, 0, 2}));
        QVERIFY(dialog.okButton()->isEnabled());
        dialog.columnBox(0)->click();
        QCOMPARE(dialog.columns(), columnOrder({7, 2}));
        dialog.columnBox(7)->click();
        dialog.columnBox(2)->click();
        QCOMPARE(dialog.columns(), emptyColumnOrder());
        QVERIFY(!dialog.okButton()->isEnabled());
        dialog.setColumns(columnOrder({15, 3}));
        QVERIFY(dialog.columnBox(15)->isChecked() && dialog.columnBox(3)->isChecked());
        QVERIFY(!dialog.columnBox(0)->isChecked());
        QCOMPARE(dialog.columns(), columnOrder({15, 3})); // not (15, 3, 15, 3)
        dialog.setColumns(columnOrder({3}));
        QVERIFY(!dialog.columnBox(15)->isChecked());
        QCOMPARE(dialog.columns(), columnOrder({3}));
    }

    void headerFieldsFollowTheirIndexes()
    {
        ColumnSettingsDialog dialog;
        HeaderTexts headers = defaultHeaders();
        headers[6] = "Kl\xe4sse"; // Windows-1252, as an older Kavendor.ini holds it
        dialog.setHeaders(headers);
        QCOMPARE(dialog.headerField(6)->text(), QString::fromUtf8("Kl\xc3\xa4sse"));
        dialog.headerField(16)->setText(QStringLiteral("Gap"));
        dialog.headerField(1)->clear(); // any header but Pos may be empty
        headers[16] = "Gap";
        headers[1] = "";
        QCOMPARE(dialog.headers(), headers);
        dialog.headerField(0)->setText(QStringLiteral("   "));
        emit dialog.headerField(0)->editingFinished();
        QCOMPARE(dialog.headerField(0)->text(), QStringLiteral("Pos"));
    }

    void customColourFromTheSwatch()
    {
        ScriptedPrompter prompter;
        prompter.colorAnswer = QColor(0x12, 0x34, 0x56);
        ColourSettingsDialog dialog;
        dialog.addSlot(0x000000, 0xFFFFFF, QStringLiteral("Main window"));
        dialog.show();
        QTest::mouseClick(dialog.innerSwatch(), Qt::LeftButton);
        QCOMPARE(prompter.colorAsked, QColor(Qt::white));
        QCOMPARE(dialog.picker()->backgroundIndex(), ColorGrid::kNoIndex);
        QCOMPARE(dialog.nextSlot(), std::make_pair(ColorValue{0x000000}, ColorValue{0x563412}));
    }

    // From the keyboard: the frame starts on the text colour, arrows move it (and stop at the edges),
    // T or Space put the text mark there, B the background mark.
    void colourPickerWorksFromTheKeyboard()
    {
        ColorGrid picker;
        picker.setForegroundIndex(5);
        picker.show();
        picker.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&picker));
        picker.setFocus();
        QCOMPARE(picker.cursorIndex(), 5);
        const std::tuple<QList<Qt::Key>, int, int> steps[] = {
            {{Qt::Key_Right, Qt::Key_Down, Qt::Key_T}, 10, 15},
            {{Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_B}, 10, 8},
            {{Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space}, 0, 8},
        };
        for (const auto& [keys, foreground, background] : steps) {
            for (Qt::Key key : keys)
                QTest::keyClick(&picker, key);
            QCOMPARE(std::make_pair(picker.foregroundIndex(), picker.backgroundIndex()),
                     std::make_pair(foreground, background));
        }
    }

    void resetAsksAndAnswersDefaults()
    {
        ScriptedPrompter prompter;
        ColourSettingsDialog dialog;
        dialog.show();
        dialog.resetButton()->click();
        QCOMPARE(prompter.questions, QStringList{QStringLiteral("Reset all colors?")});
        QVERIFY(dialog.isVisible());
        prompter.answers = {Answer::Yes};
        dialog.resetButton()->click();
        QCOMPARE(dialog.result(), ColourSettingsDialog::kDefaultsAnswer);
    }

    // General info: the order of checking; unchecking the first moves the rest up; foreign codes are kept.
    void generalInfoOrderIsCheckingOrder()
    {
        GeneralInfoDialog dialog;
        dialog.setItems(generalInfo({}));
        dialog.box(10)->click();
        dialog.box(1)->click();
        QCOMPARE(dialog.items(), generalInfo({10, 1}));
        dialog.setItems(generalInfo({3, 8, 5}));
        QVERIFY(dialog.box(8)->isChecked());
        dialog.box(3)->click();
        QCOMPARE(dialog.items(), generalInfo({8, 5}));
        dialog.setItems(generalInfo({0, 11}));
        for (int code = 1; code <= 10; ++code)
            QVERIFY(!dialog.box(code)->isChecked());
        QCOMPARE(dialog.items(), generalInfo({0, 11}));
    }

    // Adding keeps the drivers list's order; removing takes the driver the line shows, back to the
    // end of the drivers list. A followed driver gone from the competitors stays.
    void followedDriversAddedAndRemovedByLine()
    {
        FollowDialog dialog;
        dialog.setFollowList(follow({"R3", "GONE"}));
        dialog.setCompetitors(
            {{"R1", "1", "J\xfc", "A"}, {"R2", "2", "B", "B"}, {"R3", "3", "C", "C"}, {"R4", "4", "D", "D"}});
        dialog.populate();
        QCOMPARE(lines(*dialog.followedList()), QStringList({"3  C C", "GONE"}));
        select(*dialog.driversList(), {2, 0});
        dialog.addButton()->click();
        QCOMPARE(dialog.followList(), follow({"R3", "GONE", "R1", "R4"}));
        select(*dialog.followedList(), {2});
        dialog.removeButton()->click();
        QCOMPARE(dialog.followList(), follow({"R3", "GONE", "R4"}));
        QCOMPARE(lines(*dialog.driversList()), QStringList({"2  B B", QString::fromUtf8("1  J\xc3\xbc A")}));
    }

    // Real Tab presses from the first field reach every field and OK and Cancel, in reading order.
    void tabWalksEveryFieldInReadingOrder()
    {
        const std::pair<QString, std::function<QDialog*()>> dialogs[] = {
            {"colours",
             [] {
                 auto* dialog = new ColourSettingsDialog;
                 dialog->addSlot(0, 0xFFFFFF, QStringLiteral("Main window"));
                 return dialog;
             }},
            {"columns",
             [] {
                 auto* dialog = new ColumnSettingsDialog;
                 dialog->setColumns(columnOrder({0})); // OK waits for a column
                 return dialog;
             }},
            {"communication", [] { return new CommunicationDialog; }},
            {"fit to screen", [] { return new FitToScreenDialog; }},
            {"follow", [] { return new FollowDialog; }},
            {"general info", [] { return new GeneralInfoDialog; }},
            {"logo", [] { return new LogoSettingsDialog; }},
            {"miscellaneous", [] { return new MiscellaneousSettingsDialog; }},
            {"web view", [] { return new WebViewDialog; }},
            {"broker", [] { return new BrokerSettingsDialog; }}};
        for (const auto& [name, make] : dialogs) {
            const std::unique_ptr<QDialog> dialog(make());
            dialog->show();
            dialog->activateWindow();
            QVERIFY2(QTest::qWaitForWindowActive(dialog.get()), qPrintable(name));
            const QList<QWidget*> walked = tabWalk();
            QStringList missed;
            for (QWidget* field : keyboardFields(*dialog))
                if (!walked.contains(field))
                    missed << describe(field);
            QVERIFY2(missed.isEmpty(), qPrintable(name + " misses " + missed.join(", ")));
            for (auto button : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel})
                QVERIFY2(walked.contains(dialog->findChild<QDialogButtonBox*>()->button(button)),
                         qPrintable(name + ": OK and Cancel are reached"));
            for (qsizetype step = 1; step < walked.size(); ++step)
                QVERIFY2(readsBefore(*walked[step - 1], *walked[step], *dialog),
                         qPrintable(name + ": " + describe(walked[step - 1]) + " before " + describe(walked[step])));
        }
    }

    void trackLengthRead()
    {
        for (const auto& row : readCaseTable(KAV_TEST_DATA "/ui/track_lengths.txt"))
            QVERIFY2(MiscellaneousSettingsDialog::parseLength(QString::fromStdString(row.at(1))) ==
                         std::stoi(row.at(2)),
                     row.at(0).c_str());
    }

    void markerDelayStaysWithinOneToThirtySeconds()
    {
        MiscellaneousSettingsDialog dialog;
        for (const auto& [set, kept] : {std::pair{0, 1}, {1, 1}, {30, 30}, {31, 30}, {-5, 1}, {12, 12}}) {
            dialog.setMarkerDelay(set);
            QCOMPARE(int(dialog.markerDelay()), kept);
        }
    }

    void browseFillsTheFileName()
    {
        ScriptedPrompter prompter;
        LogoSettingsDialog dialog;
        dialog.setLogoFileName(QStringLiteral("/old.bmp"));
        prompter.openAnswer = QString();
        dialog.browseButton()->click();
        QCOMPARE(dialog.logoFileName(), QStringLiteral("/old.bmp")); // cancelled
        prompter.openAnswer = QStringLiteral("/logos/track.wmf");
        dialog.browseButton()->click();
        QCOMPARE(dialog.logoFileName(), QStringLiteral("/logos/track.wmf"));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
