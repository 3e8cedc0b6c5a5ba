#include "big_screen_shots.h"

#include "result_window.h"
#include "results_grid.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryFile>

namespace kav {

namespace {

// The offscreen platform lists its screens by name; the first is the primary screen, as large as
// the platform's own screen when it is given none.
constexpr const char* kScreens = R"({"screens": [
    {"name": "1-usual", "x": 0, "y": 0, "width": 800, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96},
    {"name": "2-full-hd", "x": 800, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96},
    {"name": "3-ultra-hd", "x": 2720, "y": 0, "width": 3840, "height": 2160, "logicalDpi": 96, "logicalBaseDpi": 96}
]})";

ResultWindowSettings fittedRecord()
{
    ResultWindowSettings rec;
    rec.Number = 1;
    rec.Layout = kLayoutCurrentRace;
    rec.Font = {"DejaVu Sans", 10, {}, 0};
    rec.TopRow = 1;
    rec.FitToScreen = true;
    const std::array<std::uint8_t, 7> columns = {0, 1, 2, 5, 8, 9, 14};
    std::copy(columns.begin(), columns.end(), rec.ColRel.begin());
    return rec;
}

} // namespace

QByteArray screenshotScreens()
{
    // The platform reads its screens from a file; it lives until the program ends.
    static QTemporaryFile file(QDir::tempPath() + QStringLiteral("/kavendor-screens-XXXXXX.json"));
    if (file.open()) {
        file.write(kScreens);
        file.flush();
    }
    return "offscreen:configfile=" + file.fileName().toLocal8Bit();
}

void saveFitToScreen(ResultsModels& models, HeaderTexts& headers, ColumnSettingsDialog& dialog,
                     void (*save)(QWidget&, const QString&))
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (qsizetype index = 1; index < screens.size(); ++index) {
        const QRect area = screens[index]->geometry();
        ResultWindow window(models, headers, dialog);
        window.setColours(BigScreenColors, true);
        window.applySettings(fittedRecord());
        window.move(area.topLeft() + QPoint(40, 40));
        window.show();
        window.enterFullScreen();
        save(window, QStringLiteral("results_fit_to_screen_%1x%2").arg(area.width()).arg(area.height()));
    }
}

} // namespace kav
