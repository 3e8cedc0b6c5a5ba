// Renders every window and dialog of the display into PNG files, so that the whole user interface can
// be looked at without running a race. Usage: kavendor-screenshots OUTPUT_FOLDER

#include "about_box.h"
#include "big_screen_shots.h"
#include "col_sett_dlg.h"
#include "f_flag.h"
#include "f_logo.h"
#include "f_message.h"
#include "f_results.h"
#include "logo_sett_dlg.h"
#include "misc_sett_dlg.h"
#include "race_charts_shots.h"
#include "results_models.h"
#include "sample_results.h"
#include "sel_color_dlg.h"
#include "sel_competitor_dlg.h"
#include "sel_gen_info_dlg.h"
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

void Save(QWidget& widget, const QString& name)
{
    widget.show();
    QApplication::processEvents();
    const QString file = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    widget.grab().save(file);
    QTextStream(stdout) << file << '\n';
}

TResultWinRec SampleRecord(std::uint8_t kind, std::initializer_list<std::uint8_t> columns)
{
    TResultWinRec rec;
    rec.Number = kind;
    rec.Layout = kind;
    rec.Font = {"DejaVu Sans", 10, {}, 0};
    rec.TopRow = 1;
    std::size_t p = 0;
    for (std::uint8_t id : columns)
        rec.ColRel[p++] = id;
    return rec;
}

void ApplyDefaultColours(TFResults& window)
{
    window.SetResultFontColor(DefaultColors[6]);
    window.SetResultBgColor(DefaultColors[7]);
    window.SetHeaderFontColor(DefaultColors[10]);
    window.SetHeaderBgColor(DefaultColors[11]);
}

TFResults* MakeResults(ResultsModels& models, THeaderRec& headers, TColSettDlg& dialog, const TResultWinRec& rec,
                       QMdiArea* area = nullptr)
{
    auto* window = new TFResults(models, headers, dialog, area);
    ApplyDefaultColours(*window);
    window->ApplyLayout(rec);
    window->FitWidth();
    return window;
}

void ResultWindows(ResultsModels& models, THeaderRec& headers, TColSettDlg& dialog)
{
    const std::array<std::pair<TResultWinRec, const char*>, 4> kinds{{
        {SampleRecord(4, {0, 1, 2, 5, 15, 7, 8, 9, 14}), "results_current_race"},
        {SampleRecord(1, {0, 1, 2, 3, 4, 7, 8, 14}), "results_completed_lap"},
        {SampleRecord(2, {0, 1, 2, 5, 10, 11, 13, 14}), "results_practice"},
        {SampleRecord(3, {0, 1, 2, 5, 16, 6, 12}), "results_track_positions"},
    }};
    for (const auto& [rec, name] : kinds) {
        TFResults* window = MakeResults(models, headers, dialog, rec);
        window->resize(window->width(), 400);
        Save(*window, QString::fromLatin1(name));
        if (rec.Layout == 4) {
            window->EnterFullScreen();
            Save(*window, QStringLiteral("results_full_screen"));
        }
        window->close();
    }
}

void MainWindow(ResultsModels& models, THeaderRec& headers, TColSettDlg& dialog)
{
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("Kavendor"));
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(1100, 700);
    TFResults* race = MakeResults(models, headers, dialog, SampleRecord(4, {0, 1, 2, 5, 7, 8, 14}), area);
    TFResults* practice = MakeResults(models, headers, dialog, SampleRecord(2, {0, 1, 2, 4, 11, 13}), area);
    race->Frame()->setGeometry(10, 10, race->Frame()->width(), 420);
    practice->Frame()->setGeometry(560, 120, practice->Frame()->width(), 360);
    for (const char* title : {"&File", "&Results", "&Settings"})
        main.menuBar()->addMenu(QString::fromLatin1(title));
    main.menuBar()->addMenu(race->LayoutMenu());
    main.menuBar()->addMenu(QStringLiteral("&Help"));
    auto* logo = new TFLogo(area);
    logo->LoadPicture(QStringLiteral(":/kavendor/maker_logo.svg"));
    logo->Frame()->setGeometry(900, 480, 160, 160);
    Save(main, QStringLiteral("main_window"));
}

void ColumnAndColourDialogs()
{
    TColSettDlg columns;
    columns.SetKind(4);
    TColRel rel = EmptyColRel();
    std::copy_n(std::array<std::uint8_t, 6>{0, 1, 2, 5, 7, 8}.begin(), 6, rel.begin());
    columns.SetColumns(rel);
    columns.SetHeaders(DefaultHeaders());
    Save(columns, QStringLiteral("dialog_column_settings"));

    TSelColorDlg colours;
    const std::array<const char*, 6> labels = {"Main window",       "Results",       "General info Comment",
                                               "General info text", "Follow marker", "Headers"};
    const std::array<std::size_t, 6> kTextSlots = {0, 6, 2, 4, 8, 10};
    for (std::size_t i = 0; i < labels.size(); ++i)
        colours.AddSlot(DefaultColors[kTextSlots[i]], DefaultColors[kTextSlots[i] + 1], QString::fromLatin1(labels[i]));
    Save(colours, QStringLiteral("dialog_colors"));
}

void SelectionDialogs()
{
    TSelGenInfoDlg genInfo;
    TGenInfo items;
    ResetGenInfo(items);
    items[0] = 10;
    items[1] = 1;
    items[2] = 2;
    genInfo.SetItems(items);
    Save(genInfo, QStringLiteral("dialog_general_info"));

    TSelCompetitorDlg follow;
    TFollowList followed;
    followed[0] = "R3";
    followed[1] = "R8";
    follow.SetFollowList(followed);
    follow.SetCompetitors({{"R1", "7", "Anna", "Lindqvist"},
                           {"R2", "23", "Marco", "Bellandi"},
                           {"R3", "4", "Jonas", "Vermeulen"},
                           {"R4", "88", "Sophie", "Marchand"},
                           {"R5", "12", "Tomasz", "Wrobel"},
                           {"R6", "101", "Pieter", "de Graaf"},
                           {"R7", "5", "Lukas", "Brandt"},
                           {"R8", "66", "Oliver", "Hughes"}});
    Save(follow, QStringLiteral("dialog_follow"));
}

void SettingsDialogs()
{
    TLogoSettDlg logoSettings;
    logoSettings.SetLogoFileName(QStringLiteral("/home/timing/logos/circuit.wmf"));
    logoSettings.SetLogoVisible(true);
    Save(logoSettings, QStringLiteral("dialog_logo_settings"));

    TMiscSettDlg misc;
    misc.SetTrack(QStringLiteral("Circuit Zolder"), 4011);
    misc.SetMarkerDelay(5);
    misc.SetSpeedDecimals(3);
    Save(misc, QStringLiteral("dialog_miscellaneous"));

    TAboutBox about;
    about.SetVersion(QStringLiteral("3.2"));
    Save(about, QStringLiteral("dialog_about"));
}

void SmallWindows()
{
    TFFlag flag;
    flag.ShowRedFlag();
    Save(flag, QStringLiteral("window_flag_red"));
    flag.ShowYellowFlag();
    Save(flag, QStringLiteral("window_flag_yellow"));

    TMessage message;
    message.SetMessage(QStringLiteral("Please stand by....."));
    Save(message, QStringLiteral("window_message"));

    TFLogo logo;
    logo.LoadPicture(QStringLiteral(":/kavendor/maker_logo.svg"));
    Save(logo, QStringLiteral("window_logo"));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", ScreenshotScreens());
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: kavendor-screenshots OUTPUT_FOLDER\n";
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    THeaderRec headers = DefaultHeaders();
    TColSettDlg dialog;
    const TStatusPictures pictures;
    ResultsModels models(kSampleRows);
    for (std::uint8_t kind = kLayoutCompletedLap; kind <= kLayoutCurrentRace; ++kind)
        FillSampleResults(models.forKind(kind), pictures);
    ResultWindows(models, headers, dialog);
    SaveFitToScreen(models, headers, dialog, &Save);
    MainWindow(models, headers, dialog);
    ColumnAndColourDialogs();
    SelectionDialogs();
    SettingsDialogs();
    SmallWindows();
    SaveRaceCharts(&Save);
    return 0;
}
