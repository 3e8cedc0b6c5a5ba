#include "program_settings.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace kav;

// A change says changed() when a view shows what changed and trackChanged() when the track moved; the
// window's place and the layout file's name say nothing; the feed's track only moves the track.
class ProgramSettingsTest : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(ProgramSettingsTest)
#include "program_settings_test.moc"
