// Full screen with two screens side by side (the offscreen platform set up by CMake with two screens).
#include "col_sett_dlg.h"
#include "f_results.h"
#include "results_models.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

using namespace kav;

class ResultsScreensTest : public QObject {
    Q_OBJECT

private slots:
    void fullScreenOpensOnTheWindowsOwnScreen()
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QVERIFY2(screens.size() == 2, "the test runs on the offscreen platform with two screens");
        ResultsModels models(10);
        THeaderRec headers = DefaultHeaders();
        TColSettDlg dialog;
        QMainWindow main;
        auto* area = new QMdiArea;
        main.setCentralWidget(area);
        main.setGeometry(screens[1]->geometry().adjusted(100, 100, -100, -100));
        auto* window = new TFResults(models, headers, dialog, area);
        TResultWinRec rec;
        rec.Layout = kLayoutCurrentRace;
        rec.ColRel[0] = 0;
        window->ApplyLayout(rec);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        window->EnterFullScreen();
        QCOMPARE(window->screen(), screens[1]);
        QTRY_COMPARE(window->geometry(), screens[1]->geometry());
    }
};

QTEST_MAIN(ResultsScreensTest)
#include "f_results_screens_test.moc"
