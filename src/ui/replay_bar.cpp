#include "replay_bar.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace kav {

ReplayBar::ReplayBar(QWidget* parent)
    : QToolBar(QStringLiteral("Replay"), parent), m_play(new QToolButton(this)), m_speed(new QComboBox(this)),
      m_slider(new QSlider(Qt::Horizontal, this)), m_time(new QLabel(this)), m_live(new QToolButton(this))
{
    setObjectName(QStringLiteral("replayBar"));
    setMovable(false);
    m_play->setText(QStringLiteral("Play"));
    m_play->setCheckable(true);
    m_play->setToolTip(QStringLiteral("Play or pause the replay"));
    for (int speed : kSpeeds)
        m_speed->addItem(QStringLiteral("%1\u00d7").arg(speed), speed);
    m_speed->addItem(QStringLiteral("Max"), 0);
    m_speed->setToolTip(QStringLiteral("Times the feed's own pace"));
    m_slider->setToolTip(QStringLiteral("Seek in the session"));
    m_slider->setMinimumWidth(200);
    m_time->setText(QStringLiteral("--:--:--"));
    m_time->setMinimumWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral(" 00:00:00 ")));
    m_live->setText(QStringLiteral("Live"));
    m_live->setToolTip(QStringLiteral("Jump to the end of the recording and follow it as it is written"));
    m_live->setCheckable(true);
    addWidget(m_play);
    addWidget(m_speed);
    addWidget(m_slider);
    addWidget(m_time);
    m_liveAction = addWidget(m_live);
    m_liveAction->setVisible(false);

    connect(m_play, &QToolButton::clicked, this, [this](bool checked) { emit playChosen(checked); });
    connect(m_speed, &QComboBox::activated, this,
            [this](int index) { emit speedChosen(m_speed->itemData(index).toDouble()); });
    // A drag seeks where it ends; a click, a key or the wheel where the slider went.
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (!m_showing && !m_slider->isSliderDown())
            emit seekChosen(value);
    });
    connect(m_slider, &QSlider::sliderReleased, this, [this] { emit seekChosen(m_slider->value()); });
    connect(m_live, &QToolButton::clicked, this, [this] {
        m_live->setChecked(true);
        emit liveChosen();
    });
}

void ReplayBar::showState(const Shown& shown)
{
    m_showing = true;
    m_play->setChecked(shown.playing && !shown.live);
    m_play->setText(shown.playing && !shown.live ? QStringLiteral("Pause") : QStringLiteral("Play"));
    m_slider->setRange(0, shown.lengthSeconds);
    if (!m_slider->isSliderDown())
        m_slider->setValue(shown.positionSeconds);
    m_time->setText(shown.time);
    m_liveAction->setVisible(shown.liveOffered);
    m_live->setChecked(shown.live);
    m_showing = false;
}

void ReplayBar::addRate(double linesPerSecond)
{
    m_speed->insertItem(0, QStringLiteral("%1 lines/s").arg(linesPerSecond), -1);
    m_speed->setCurrentIndex(0);
}

void ReplayBar::chooseSpeed(double speed)
{
    const int index = m_speed->findData(speed);
    if (index >= 0)
        m_speed->setCurrentIndex(index);
}

} // namespace kav
