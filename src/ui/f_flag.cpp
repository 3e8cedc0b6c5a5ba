#include "f_flag.h"

#include "picture_box.h"
#include "ui_resources.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace kav {

namespace {
constexpr QSize kFlagSize(241, 193);
constexpr int kMargin = 12;
} // namespace

TFFlag::TFFlag(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_flag(new TPictureBox),
      m_redFlag(ResourcePicture(QStringLiteral("red_flag.svg"))),
      m_yellowFlag(ResourcePicture(QStringLiteral("yellow_flag.svg")))
{
    setWindowTitle(QStringLiteral("Flag"));
    m_flag->setMinimumSize(kFlagSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(m_flag);
    // Sized by its picture, not by the outer size of a window with a title bar: the flag keeps its shape.
    resize(kFlagSize + QSize(2 * kMargin, 2 * kMargin));
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
