#pragma once

#include <QToolBar>

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QSlider;
class QToolButton;

namespace kav {

// The bar under the main window for a replayed recording: play and pause, the speed, a slider over the
// session's time that seeks, the feed's time of day where the replay stands, and "Live" while the
// recording is still being written. It only shows what it is told and says what the operator chose.
class ReplayBar : public QToolBar {
    Q_OBJECT
public:
    // Times the feed's own pace; after them "Max", as fast as the program takes the lines.
    static constexpr std::array<int, 7> kSpeeds{1, 2, 5, 10, 20, 50, 100};

    struct Shown {
        bool playing = false;
        int lengthSeconds = 0;   // the slider's range: the session's length
        int positionSeconds = 0; // where the replay stands, from the session's start
        QString time;            // the feed's time of day there
        bool liveOffered = false;
        bool live = false;
    };

    explicit ReplayBar(QWidget* parent = nullptr);

    void showState(const Shown& shown);
    // An entry for the lines per second the replay began with (--rate), chosen.
    void addRate(double linesPerSecond);
    // Chooses the entry of a speed (0: Max) without saying so.
    void chooseSpeed(double speed);

    QToolButton& playButton() const { return *m_play; }
    QComboBox& speedBox() const { return *m_speed; }
    QSlider& slider() const { return *m_slider; }
    QLabel& timeLabel() const { return *m_time; }
    QToolButton& liveButton() const { return *m_live; }
    // Shown only while the recording grows.
    const QAction& liveAction() const { return *m_liveAction; }

signals:
    void playChosen(bool play);
    // Times the feed's pace; 0 as fast as possible, -1 the rate the replay began with.
    void speedChosen(double speed);
    void seekChosen(int secondsFromStart);
    void liveChosen();

private:
    QToolButton* m_play;
    QComboBox* m_speed;
    QSlider* m_slider;
    QLabel* m_time;
    QToolButton* m_live;
    QAction* m_liveAction = nullptr;
    bool m_showing = false; // the slider is being set, not moved by the operator
};

} // namespace kav
