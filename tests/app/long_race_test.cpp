// A one-hour race of 100 cars run through the whole main window at full speed: memory must stay flat
// once the field is on screen, since operators leave the program running all day.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "kavendor_comm.h"
#include "main_window.h"
#include "race_session.h"
#include "soak_helpers.h"

using namespace kav;

TEST(LongRace, AnHourOfAHundredCarsKeepsResidentMemoryFlat)
{
    TSimOptions options;
    options.cars = 100;
    options.laps = 40; // 40 laps of about 90 s: an hour of racing
    const std::vector<TSimLine> session = SimulateSession(options);
    ASSERT_GT(session.back().at, 3500 * 10000);

    QTemporaryDir dir;
    TMainOptions mainOptions;
    mainOptions.ConfigDir = dir.path() + QLatin1Char('/');
    mainOptions.ProgramDir = mainOptions.ConfigDir;
    mainOptions.UseChannel = false;
    mainOptions.UseSettingsFiles = false;
    TFMain main(mainOptions);
    main.FormActivate();
    for (int i = 0; i < TFMain::kMaxResultWindows; ++i) {
        TResultWinRec rec;
        rec.Layout = static_cast<std::uint8_t>(1 + i % 4);
        for (std::uint8_t id = 0; id < kColumnIds; ++id)
            rec.ColRel[id] = id;
        ASSERT_NE(main.OpenResultWindow(rec), nullptr);
    }

    qint64 settled = 0;
    for (std::size_t i = 0; i < session.size(); ++i) {
        main.Device()->receiveBytes(QByteArray::fromStdString(session[i].text + "\n"));
        if (i % 500 == 0)
            QApplication::processEvents();
        if (i == session.size() / 4)
            settled = ResidentBytes() / 1024;
    }
    QApplication::processEvents();
    const qint64 end = ResidentBytes() / 1024;
    EXPECT_EQ(main.Ctl().State.ErrorCount, 0);
    EXPECT_TRUE(main.Ctl().State.RaceFinished);
    EXPECT_EQ(main.Ctl().State.CurrentRaceList.Count(), 100);
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer keeps freed memory in quarantine; resident memory says nothing here";
#endif
    // Three quarters of the race may not add more than a few megabytes (allocator slack, not growth).
    EXPECT_LT(end - settled, 8 * 1024) << "settled " << settled << " kB, end " << end << " kB";
}
