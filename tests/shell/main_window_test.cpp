#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "colour_settings_dialog.h"
#include "column_settings_dialog.h"
#include "flag_window.h"
#include "kavendor_device.h"
#include "main_window.h"
#include "message_box_prompts.h"
#include "picture_box.h"
#include "results_grid.h"
#include "scripted_prompter.h"
#include "test_main_window.h"
#include "ui_resources.h"
#include "wait_for.h"
#include "window_settings.h"

using namespace kav;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() { main->show(); }

    // The captions of a menu bar's or a menu's entries.
    QStringList menuCaptions(const QWidget& menu) const
    {
        QStringList captions;
        for (const QAction* action : menu.actions())
            captions << action->text();
        return captions;
    }
    // The column dialog takes its first column.
    void acceptFirstColumn()
    {
        prompter.onExec = [](QDialog& dialog) {
            static_cast<ColumnSettingsDialog&>(dialog).columnBox(0)->setChecked(true);
            return int(QDialog::Accepted);
        };
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> main = std::make_unique<MainWindow>(testOptions(&dir));
};

} // namespace

TEST_F(MainWindowTest, MenusTitleAndIconsLookAsMeant)
{
    EXPECT_EQ(menuCaptions(*main->menuBar()), QStringList({"&File", "&Results", "&Settings", "&Window", "&Help"}));
    EXPECT_EQ(menuCaptions(*main->menuBar()->actions().constFirst()->menu()),
              QStringList({"&New Result window", "Cl&ear Layout", "&Open Layout...", "&Save Layout...",
                           "Export race &report…", "E&xit"}));
    EXPECT_EQ(menuCaptions(*main->settingsMenu()),
              QStringList({"&Communication", "&Miscellaneous...", "&General info...", "C&olors...", "&Logo...",
                           "&Follow...", "Auto print"}));
    EXPECT_FALSE(main->clearLayoutAction()->isEnabled());
    acceptFirstColumn();
    FlagWindow flag;
    const QImage icon = programIcon().pixmap(32).toImage();
    for (const QWidget* window : std::initializer_list<const QWidget*>{
             main.get(), main->layouts().newResultWindow(kLayoutCurrentRace)->borderWindow(), &main->columnDialog(),
             &flag})
        EXPECT_EQ(window->windowIcon().pixmap(32).toImage(), icon) << window->metaObject()->className();
    EXPECT_TRUE(main->clearLayoutAction()->isEnabled());
    while (main->controller().Windows.count() < MainWindow::kMaxResultWindows)
        main->layouts().newResultWindow(kLayoutPractice);
    EXPECT_FALSE(main->newWindowMenu()->isEnabled());
}

TEST_F(MainWindowTest, PanelCaptionsTakeTheirColourAndTheFlagLampHasItsPole)
{
    main->settings().change([](MainSettings& s) { s.Colors[2] = 0xFF0000; }); // blue captions
    main->menuActions().applyColours();
    const QImage caption = main->panel().caption(RunInfo::kRaceTime)->grab().toImage();
    int blue = 0, red = 0;
    for (int y = 0; y < caption.height(); ++y) {
        for (int x = 0; x < caption.width(); ++x) {
            blue += caption.pixelColor(x, y) == QColor(Qt::blue);
            red += caption.pixelColor(x, y) == QColor(Qt::red);
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(main->panel().flagPanel().grab().toImage().pixelColor(18, 25), QColor(Qt::black));
}

TEST_F(MainWindowTest, TheActiveResultWindowShowsItsLayoutMenuBetweenSettingsAndWindow)
{
    acceptFirstColumn();
    ResultWindow* window = main->layouts().newResultWindow(kLayoutCurrentRace);
    main->area().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->borderWindow()));
    for (const QAction* action : window->layoutMenu()->actions()) // each entry has a mnemonic
        EXPECT_TRUE(action->isSeparator() || action->text().contains('&')) << action->text().toStdString();
    EXPECT_EQ(menuCaptions(*main->menuBar()),
              QStringList({"&File", "&Results", "&Settings", "&Layout", "&Window", "&Help"}));
    window->borderWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(menuCaptions(*main->menuBar()), QStringList({"&File", "&Results", "&Settings", "&Window", "&Help"}));
}

// In a small main window every new window opens wholly inside the area: one with every column, the
// race charts. The Window menu's Tile puts them side by side inside it, its Cascade keeps them inside.
TEST_F(MainWindowTest, NewWindowsOpenAndArrangeInsideTheArea)
{
    main->setWindowState(Qt::WindowNoState);
    main->resize(640, 480);
    prompter.onExec = [](QDialog& dialog) {
        for (int id = 0; id < int(kColumnIds); ++id)
            static_cast<ColumnSettingsDialog&>(dialog).columnBox(id)->setChecked(true);
        return int(QDialog::Accepted);
    };
    ASSERT_TRUE(waitFor([&] { return main->size() == QSize(640, 480); }));
    main->layouts().newResultWindow(kLayoutCurrentRace);
    main->controller().RaceCharts.open(main->area());
    const QList<QMdiSubWindow*> windows = main->area().subWindowList();
    ASSERT_EQ(windows.size(), 2);
    const QList<QAction*> bar = main->menuBar()->actions();
    const QList<QAction*> arrange = bar.at(bar.size() - 2)->menu()->actions();
    ASSERT_EQ(menuCaptions(*bar.at(bar.size() - 2)->menu()), QStringList({"&Tile", "&Cascade"}));
    for (QAction* step : {static_cast<QAction*>(nullptr), arrange.at(0), arrange.at(1)}) {
        if (step)
            step->trigger();
        for (const QMdiSubWindow* window : windows)
            EXPECT_TRUE(main->area().viewport()->rect().contains(window->geometry()))
                << window->widget()->metaObject()->className() << (step ? step->text() : QString()).toStdString();
        EXPECT_TRUE(step != arrange.at(0) || !windows.at(0)->geometry().intersects(windows.at(1)->geometry()));
    }
}

TEST_F(MainWindowTest, TheMakerLogoOpensTheAboutBoxAndExitAsksOnce)
{
    QTest::mouseClick(&main->panel().makerLogo(), Qt::LeftButton);
    EXPECT_EQ(prompter.execCount, 1);
    prompter.answers = {Answer::No};
    main->menuBar()->actions().constFirst()->menu()->actions().constLast()->trigger(); // Exit
    EXPECT_EQ(prompter.questions, QStringList({"Exit Kavendor program?"}));
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowTest, ExitAsksOnceAndEndsTheProgramWithTheFlagWindowUp)
{
    main->menuActions().setShowFlag(true);
    main->device()->receiveBytes("$F,10,\"00:00:00\",\"12:00:00\",\"00:10:00\",\"Red   \"\n");
    ASSERT_NE(main->controller().Flag.flagWindow(), nullptr);
    QTimer stuck; // a program that does not end fails here instead of running on
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    stuck.start(std::chrono::minutes(1));
    prompter.answers = {Answer::Yes, Answer::Yes}; // a second question would pass here and fail below
    QTimer::singleShot(0, main->menuBar()->actions().constFirst()->menu()->actions().constLast(), &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(prompter.questions, QStringList({"Exit Kavendor program?"}));
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    EXPECT_TRUE(QFile::exists(dir.filePath("Kavendor.ini")));
}

// The colours dialog's answers for big screens reach the settings and every result window, open or
// opened later; the dialog shows the shading as it is; the flag lamp's pole stays in sight.
TEST_F(MainWindowTest, BigScreenPresetsAndTheShadingBoxReachEveryResultWindow)
{
    const ResultWindowSettings rec = windowSettings(kLayoutCurrentRace, {});
    const ResultWindow* first = main->openResultWindow(rec);
    // The answer, the box as ticked in the dialog, then the colours and the shading that follow.
    for (const auto& [answer, ticked, colours, shaded] :
         {std::tuple{ColourSettingsDialog::kBigScreenAnswer, false, BigScreenColors, true},
          {int(QDialog::Accepted), false, BigScreenColors, false},
          {int(QDialog::Accepted), true, BigScreenColors, true},
          {int(QDialog::Rejected), false, BigScreenColors, true},
          {ColourSettingsDialog::kDefaultsAnswer, true, DefaultColors, false}}) {
        const bool before = main->settings()->AlternateRows;
        prompter.onExec = [this, before, reply = answer, tick = ticked](QDialog& dialog) {
            auto& colours = static_cast<ColourSettingsDialog&>(dialog);
            EXPECT_EQ(colours.alternateRows(), before);
            colours.alternateRowsBox()->setChecked(tick);
            if (reply != ColourSettingsDialog::kBigScreenAnswer)
                return reply;
            prompter.answers = {Answer::Yes};
            colours.bigScreenButton()->click();
            return colours.result();
        };
        main->menuActions().editColours();
        EXPECT_EQ(main->settings()->Colors, colours) << answer;
        EXPECT_EQ(std::make_pair(first->grid().alternateRows(), main->openResultWindow(rec)->grid().alternateRows()),
                  std::make_pair(shaded, shaded))
            << answer;
        const QColor pole = main->panel().flagPanel().grab().toImage().pixelColor(18, 25);
        EXPECT_NE(pole, main->panel().palette().color(QPalette::Window)) << "the flag pole shows, " << answer;
    }
    EXPECT_EQ(prompter.questions, QStringList({"Use the big screen colors?"}));
}

// The real boxes, while a window that stays on top (as a full-screen result window) is active.
TEST(ModalBoxes, OpenOverTheActiveWindowAndAboveEveryWindowThatStaysOnTop)
{
    QWidget main;
    main.setGeometry(0, 0, 200, 150);
    main.show();
    QWidget top(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    top.setGeometry(400, 300, 300, 200);
    top.show();
    QDialog dialog(&main);
    dialog.setFixedSize(100, 80);
    MessageBoxPrompts connection(&main);
    const std::vector<std::pair<const char*, std::function<void()>>> boxes = {
        {"question", [&] { prompter().ask(BoxKind::Confirmation, "Save current layout?", true, &main); }},
        {"message", [&] { prompter().tell(BoxKind::Error, "Unable to write", &main); }},
        {"settings dialog", [&] { prompter().exec(dialog); }},
        {"connection warning", [&] { connection.warn("No connection"); }},
    };
    for (const auto& [name, open] : boxes) {
        top.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
        Qt::WindowFlags flags;
        QRect place;
        QTimer::singleShot(0, [&flags, &place] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                flags = box->windowFlags();
                place = box->frameGeometry();
                box->done(QDialog::Rejected);
            }
        });
        open();
        EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint) << name;
        EXPECT_TRUE(top.geometry().contains(place.center())) << name;
    }
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowStaysOnTopHint); // only while it is up
}
