#include "case_table.h"
#include "run_info.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace kav;

// Each change says so once, through its own signal and `changed`; repeating a value says nothing,
// and a counted line says only `lineCounted` (readers batch those), unless it ends a silence.
class RunInfoTest : public QObject {
    Q_OBJECT

private slots:
    void announcesEachChangeOnceAndLinesApart()
    {
        ManualClock clock;
        RunInfo info(clock);
        info.lineReceived();
        const struct {
            const char* what;
            std::function<void()> change;
            int changed;
            int lineCounted;
            int silenceChanged;
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

    void showsTheTrackLengthInKilometres()
    {
        ManualClock clock;
        RunInfo info(clock);
        for (const auto& row : readCaseTable(KAV_TEST_DATA "/live/track_lengths.txt")) {
            info.setTrack(std::stoi(row.at(0)), "Assen");
            QCOMPARE(info.value(RunInfo::kTrackLength), QString::fromStdString(row.at(1)));
        }
        QCOMPARE(info.value(RunInfo::kTrackName), QStringLiteral("Assen"));
    }
};

QTEST_GUILESS_MAIN(RunInfoTest)
#include "run_info_test.moc"
