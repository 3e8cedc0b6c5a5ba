#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <chrono>
#include <string_view>

#include "clock.h"
#include "flag_look.h"
#include "main_settings.h"

namespace kav {

// What the program knows of the run besides the results: the general information items, the flag,
// the errors, the busy lamps and how long the feed has been silent. The controller writes it; the
// panel, the flag lamp, the web view, the broker and the dump read it and hear of each change.
class RunInfo : public QObject {
    Q_OBJECT
public:
    // Item codes of the general information layout.
    enum Item : int {
        kLapsToGo = 1,
        kRaceTime,
        kBestLap,
        kBestLapTime,
        kBestSpeed,
        kName,
        kTrackLength,
        kTrackName,
        kRun,
        kFlagLamp,
    };
    static constexpr int kTextItems = 9;
    enum class Staleness { Fresh, Amber, Red };
    static constexpr std::chrono::seconds kAmberAfter{10};
    static constexpr std::chrono::seconds kRedAfter{60};
    // How often the silence is read again from the clock.
    static constexpr std::chrono::milliseconds kSilenceTick{500};

    // The silence is counted from now until the first line.
    explicit RunInfo(const ClockSource& clock, QObject* parent = nullptr);

    // "Laps to Go:" ... "Run:", and "Flag" for the lamp.
    static QString caption(int item);
    // Items 1 to 9; empty for any other.
    QString value(int item) const;
    void setValue(int item, const QString& text);
    // The track's length (metres, shown as kilometres) and name.
    void setTrack(std::int32_t metres, std::string_view name);

    // The items the panel shows, in their places; the first kNoCode hides the panel.
    const GeneralInfoItems& panelLayout() const { return m_layout; }
    void setPanelLayout(const GeneralInfoItems& layout);
    bool panelShown() const { return m_layout[0] != kNoCode; }
    // Whether the item is shown on the panel once the panel is on screen.
    bool shown(int item) const;

    std::uint8_t flag() const { return m_flag; }
    void setFlag(std::uint8_t flag);
    bool finished() const { return m_finished; }
    void setFinished(bool finished);
    int errors() const { return m_errors; }
    void setErrors(int errors);
    // "No Errors", or the number of bad lines.
    QString errorHint() const;
    bool busy() const { return m_busy; }
    void setBusy(bool lit);

    // Counts a received line and ends the silence.
    void lineReceived();
    // Lines received since the program started.
    qint64 lines() const { return m_lines; }
    // How long no line has come, as the clock tells it now.
    std::chrono::seconds silence() const;
    Staleness staleness() const { return stalenessFor(silence()); }
    static Staleness stalenessFor(std::chrono::seconds silence);
    // "fresh", "amber" or "red".
    static QString stalenessWord(Staleness staleness);
    // Back to the values before the first line: no items but the track's, green, no errors, no lines.
    // Says nothing; announceAll tells every listener at once.
    void restart();
    // Every change signal once, for listeners to read the whole state again.
    void announceAll();
    // Reads the clock and says silenceChanged when the whole seconds moved; the own timer calls it.
    void refreshSilence();

signals:
    void valueChanged(int item);
    void panelLayoutChanged();
    void flagChanged();
    void errorsChanged();
    void busyChanged(bool lit);
    void silenceChanged();
    // After each of the above.
    void changed();
    // For every line counted: many a second, so readers that show the count batch it.
    void lineCounted();

private:
    const ClockSource& m_clock;
    std::array<QString, kTextItems> m_values;
    GeneralInfoItems m_layout;
    std::uint8_t m_flag = kFlagGreen;
    bool m_finished = false;
    int m_errors = 0;
    bool m_busy = false;
    qint64 m_lines = 0;
    std::chrono::milliseconds m_lastLine;
    std::chrono::seconds m_shownSilence{0};
    QTimer m_silenceTimer;
};

} // namespace kav
