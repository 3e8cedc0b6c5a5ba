#include "f_flag.h"

#include "picture_box.h"
#include "ui_resources.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace kav {

TFFlag::TFFlag(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_flag(new TPictureBox),
      m_redFlag(ResourcePicture(QStringLiteral("red_flag.svg"))),
      m_yellowFlag(ResourcePicture(QStringLiteral("yellow_flag.svg")))
{
    setWindowTitle(QStringLiteral("Flag"));
    m_flag->setMinimumSize(241, 193);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_flag);
    resize(265, 236);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFFlag::ShowRedFlag()
{
    m_flag->SetPicture(m_redFlag);
}

void TFFlag::ShowYellowFlag()
{
    m_flag->SetPicture(m_yellowFlag);
}

const TPicture& TFFlag::Shown() const
{
    return m_flag->Picture();
}

void TFFlag::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        showMinimized();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kav
