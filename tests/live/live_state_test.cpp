#include "case_table.h"
#include "flag_look.h"
#include "follow_list.h"
#include "program_settings.h"
#include "run_info.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace kav;

// The run's information, the program's settings and the followed drivers, below the windows.
class LiveStateTest : public QObject {
    Q_OBJECT

private slots:
    // Each change of the run's information says so once, through its own signal and `changed`; repeating
    // a value says nothing, and a counted line says only `lineCounted` (readers batch those), unless it
    // ends a silence.
    void announcesEachChangeOnceAndLinesApart()
    {
        ManualClock clock;
        RunInfo info(clock);
        info.lineReceived();
        const struct {
            const char* what;
            std::function<void()> change;
            int changed, lineCounted, silenceChanged;
        } steps[] = {
            {"a value", [&] { info.setValue(RunInfo::kLapsToGo, QStringLiteral("5")); }, 1, 0, 0},
            {"the same value", [&] { info.setValue(RunInfo::kLapsToGo, QStringLiteral("5")); }, 0, 0, 0},
            {"the flag", [&] { info.setFlag(kFlagRed); }, 1, 0, 0},
            {"errors", [&] { info.setErrors(2); }, 1, 0, 0},
            {"a line", [&] { info.lineReceived(); }, 0, 1, 0},
            {"silence", [&] { clock.advance(3 * kTicksPerSecond), info.refreshSilence(); }, 1, 0, 1},
            {"a line after silence", [&] { info.lineReceived(); }, 1, 1, 1},
        };
        for (const auto& step : steps) {
            QSignalSpy changed(&info, &RunInfo::changed);
            QSignalSpy counted(&info, &RunInfo::lineCounted);
            QSignalSpy silence(&info, &RunInfo::silenceChanged);
            step.change();
            QVERIFY2(changed.size() == step.changed && counted.size() == step.lineCounted &&
                         silence.size() == step.silenceChanged,
                     step.what);
        }
        QCOMPARE(info.lines(), 3);
    }

    // The track length in kilometres, its name in whichever encoding the feed sent it.
    void showsTheTrack()
    {
        ManualClock clock;
        RunInfo info(clock);
        for (const auto& row : readCaseTable(KAV_TEST_DATA "/live/track_lengths.txt")) {
            info.setTrack(std::stoi(row.at(0)), row.at(2));
            QCOMPARE(info.value(RunInfo::kTrackLength), QString::fromStdString(row.at(1)));
            QCOMPARE(info.value(RunInfo::kTrackName), QString::fromStdString(row.at(3)));
        }
    }

    // The feed turns amber after ten silent seconds and red after a minute; the broker's flag word.
    void wordsOfStalenessAndFlag()
    {
        for (const auto& [seconds, word] : {std::pair{10, "fresh"}, {11, "amber"}, {60, "amber"}, {61, "red"}})
            QCOMPARE(RunInfo::stalenessWord(RunInfo::stalenessFor(std::chrono::seconds(seconds))), QLatin1String(word));
        for (const auto& [flag, word] : {std::pair{kFlagRed, "red"}, {kFlagYellow, "yellow"}, {FlagCode(0), "green"}})
            QCOMPARE(flagOrFinishWord(flag, false), QLatin1String(word));
        QCOMPARE(flagOrFinishWord(kFlagYellow, true), QStringLiteral("finish"));
    }

    // A settings change says changed() when a view shows what changed and trackChanged() when the track
    // moved; the window's place and the layout file's name say nothing; the feed's track only moves the track.
    void announcesWhatViewsShow()
    {
        ProgramSettings settings;
        const struct {
            const char* what;
            std::function<void()> change;
            int changed, trackChanged;
        } steps[] = {
            {"colours", [&] { settings.change([](MainSettings& s) { s.Colors[3] = 0x123456; }); }, 1, 0},
            {"the same colours", [&] { settings.change([](MainSettings& s) { s.Colors[3] = 0x123456; }); }, 0, 0},
            {"headers", [&] { settings.change([](MainSettings& s) { s.Headers[0] = "P"; }); }, 1, 0},
            {"marker delay", [&] { settings.change([](MainSettings& s) { s.MarkerDelay = 9; }); }, 1, 0},
            {"track length", [&] { settings.change([](MainSettings& s) { s.TrackLength = 4050; }); }, 1, 1},
            {"track name", [&] { settings.change([](MainSettings& s) { s.TrackName = "Zolder"; }); }, 1, 1},
            {"window place", [&] { settings.change([](MainSettings& s) { s.MainWin.Left = 40; }); }, 0, 0},
            {"layout file", [&] { settings.change([](MainSettings& s) { s.LayoutFile = "a.kvl"; }); }, 0, 0},
            {"feed track name", [&] { settings.takeFeedTrackName("Assen"); }, 0, 1},
            {"feed track length", [&] { settings.takeFeedTrackLength(4555); }, 0, 1},
        };
        for (const auto& step : steps) {
            QSignalSpy changed(&settings, &ProgramSettings::changed);
            QSignalSpy track(&settings, &ProgramSettings::trackChanged);
            step.change();
            QVERIFY2(changed.size() == step.changed && track.size() == step.trackChanged, step.what);
        }
        QCOMPARE(settings->TrackName, std::string("Assen"));
        QCOMPARE(settings->TrackLength, 4555);
        QCOMPARE(settings->LayoutFile, std::string("a.kvl"));
    }

    // The followed drivers end at the first empty entry; the same list again says nothing.
    void followListEndsAtItsFirstEmptyEntry()
    {
        FollowList follow;
        QSignalSpy changed(&follow, &FollowList::changed);
        follow.set({"7", "", "9"});
        follow.set({"7", "", "9"});
        QCOMPARE(changed.size(), 1);
        QVERIFY(follow.contains("7") && !follow.contains("9") && !follow.contains(""));
    }
};

QTEST_GUILESS_MAIN(LiveStateTest)
#include "live_state_test.moc"
