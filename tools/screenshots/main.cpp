// Renders every window and dialog of the display into PNG files, so that the whole user interface can
// be looked at without running a race. Usage: kavendor-screenshots OUTPUT_FOLDER

#include "about_box.h"
#include "big_screen_shots.h"
#include "colour_settings_dialog.h"
#include "column_settings_dialog.h"
#include "flag_window.h"
#include "follow_dialog.h"
#include "general_info_dialog.h"
#include "logo_settings_dialog.h"
#include "logo_window.h"
#include "miscellaneous_settings_dialog.h"
#include "race_charts_shots.h"
#include "replay_bar.h"
#include "result_window.h"
#include "results_models.h"
#include "sample_results.h"
#include "stand_by_message.h"
#include "status_pictures.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QTextStream>
#include <QWidget>
#include <array>

using namespace kav;

namespace {

QString g_folder;

void save(QWidget& widget, const QString& name)
{
    widget.show();
    QApplication::processEvents();
    const QString file = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    widget.grab().save(file);
    QTextStream(stdout) << file << '\n';
}

ResultWindowSettings sampleRecord(std::uint8_t kind, std::initializer_list<std::uint8_t> columns)
{
    ResultWindowSettings rec;
    rec.Number = kind;
    rec.Layout = kind;
    rec.Font = {"DejaVu Sans", 10, {}, 0};
    rec.TopRow = 1;
    std::size_t p = 0;
    for (std::uint8_t id : columns)
        rec.ColRel[p++] = id;
    return rec;
}

ResultWindow* makeResults(ResultsModels& models, HeaderTexts& headers, ColumnSettingsDialog& dialog,
                          const ResultWindowSettings& rec, QMdiArea* area = nullptr)
{
    auto* window = new ResultWindow(models, headers, dialog, area);
    window->setColours(DefaultColors, false);
    window->applySettings(rec);
    window->fitWidth();
    return window;
}

void resultWindows(ResultsModels& models, HeaderTexts& headers, ColumnSettingsDialog& dialog)
{
    const std::array<std::pair<ResultWindowSettings, const char*>, 4> kinds{{
        {sampleRecord(4, {0, 1, 2, 5, 15, 7, 8, 9, 14}), "results_current_race"},
        {sampleRecord(1, {0, 1, 2, 3, 4, 7, 8, 14}), "results_completed_lap"},
        {sampleRecord(2, {0, 1, 2, 5, 10, 11, 13, 14}), "results_practice"},
        {sampleRecord(3, {0, 1, 2, 5, 16, 6, 12}), "results_track_positions"},
    }};
    for (const auto& [rec, name] : kinds) {
        ResultWindow* window = makeResults(models, headers, dialog, rec);
        window->resize(window->width(), 400);
        save(*window, QString::fromLatin1(name));
        if (rec.Layout == 4) {
            window->enterFullScreen();
            save(*window, QStringLiteral("results_full_screen"));
        }
        window->close();
    }
}

void mainWindow(ResultsModels& models, HeaderTexts& headers, ColumnSettingsDialog& dialog)
{
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("Kavendor"));
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(1100, 700);
    ResultWindow* race = makeResults(models, headers, dialog, sampleRecord(4, {0, 1, 2, 5, 7, 8, 14}), area);
    ResultWindow* practice = makeResults(models, headers, dialog, sampleRecord(2, {0, 1, 2, 4, 11, 13}), area);
    race->borderWindow()->setGeometry(10, 10, race->borderWindow()->width(), 420);
    practice->borderWindow()->setGeometry(560, 120, practice->borderWindow()->width(), 360);
    for (const char* title : {"&File", "&Results", "&Settings"})
        main.menuBar()->addMenu(QString::fromLatin1(title));
    main.menuBar()->addMenu(race->layoutMenu());
    main.menuBar()->addMenu(QStringLiteral("&Help"));
    auto* logo = new LogoWindow(area);
    logo->loadPicture(QStringLiteral(":/kavendor/maker_logo.svg"));
    logo->borderWindow()->setGeometry(900, 480, 160, 160);
    save(main, QStringLiteral("main_window"));
}

void columnAndColourDialogs()
{
    ColumnSettingsDialog columns;
    columns.setKind(4);
    ColumnOrder rel = emptyColumnOrder();
    std::copy_n(std::array<std::uint8_t, 6>{0, 1, 2, 5, 7, 8}.begin(), 6, rel.begin());
    columns.setColumns(rel);
    columns.setHeaders(defaultHeaders());
    save(columns, QStringLiteral("dialog_column_settings"));

    ColourSettingsDialog colours;
    for (const ColorPair& pair : kColorPairs)
        colours.addSlot(DefaultColors[pair.text], DefaultColors[pair.background], QString::fromLatin1(pair.label));
    save(colours, QStringLiteral("dialog_colors"));
}

void selectionDialogs()
{
    GeneralInfoDialog genInfo;
    GeneralInfoItems items;
    resetGeneralInfo(items);
    items[0] = 10;
    items[1] = 1;
    items[2] = 2;
    genInfo.setItems(items);
    save(genInfo, QStringLiteral("dialog_general_info"));

    FollowDialog follow;
    FollowedCompetitors followed;
    followed[0] = "R3";
    followed[1] = "R8";
    follow.setFollowList(followed);
    follow.setCompetitors({{"R1", "7", "Anna", "Lindqvist"},
                           {"R2", "23", "Marco", "Bellandi"},
                           {"R3", "4", "Jonas", "Vermeulen"},
                           {"R4", "88", "Sophie", "Marchand"},
                           {"R5", "12", "Tomasz", "Wrobel"},
                           {"R6", "101", "Pieter", "de Graaf"},
                           {"R7", "5", "Lukas", "Brandt"},
                           {"R8", "66", "Oliver", "Hughes"}});
    save(follow, QStringLiteral("dialog_follow"));
}

void settingsDialogs()
{
    LogoSettingsDialog logoSettings;
    logoSettings.setLogoFileName(QStringLiteral("/home/timing/logos/circuit.wmf"));
    logoSettings.setLogoVisible(true);
    save(logoSettings, QStringLiteral("dialog_logo_settings"));

    MiscellaneousSettingsDialog misc;
    misc.setTrack(QStringLiteral("Circuit Zolder"), 4011);
    misc.setMarkerDelay(5);
    misc.setSpeedDecimals(3);
    save(misc, QStringLiteral("dialog_miscellaneous"));

    AboutBox about;
    about.setVersion(QStringLiteral("3.2"));
    save(about, QStringLiteral("dialog_about"));
}

void smallWindows()
{
    FlagWindow flag;
    flag.showRedFlag();
    save(flag, QStringLiteral("window_flag_red"));
    flag.showYellowFlag();
    save(flag, QStringLiteral("window_flag_yellow"));

    StandByMessage message;
    message.setMessage(QStringLiteral("Please stand by....."));
    save(message, QStringLiteral("window_message"));

    LogoWindow logo;
    logo.loadPicture(QStringLiteral(":/kavendor/maker_logo.svg"));
    save(logo, QStringLiteral("window_logo"));

    // Twenty minutes into an hour's recording that is still being written.
    ReplayBar replay;
    replay.resize(900, replay.sizeHint().height());
    replay.showState({true, 3600, 1200, QStringLiteral("14:20:00"), true, false});
    save(replay, QStringLiteral("window_replay_bar"));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", screenshotScreens());
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: kavendor-screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    HeaderTexts headers = defaultHeaders();
    ColumnSettingsDialog dialog;
    ResultsModels models(kSampleRows);
    for (std::uint8_t kind = kLayoutCompletedLap; kind <= kLayoutCurrentRace; ++kind)
        fillSampleResults(models.forKind(kind));
    resultWindows(models, headers, dialog);
    saveFitToScreen(models, headers, dialog, &save);
    mainWindow(models, headers, dialog);
    columnAndColourDialogs();
    selectionDialogs();
    settingsDialogs();
    smallWindows();
    saveRaceCharts(&save);
    return 0;
}
