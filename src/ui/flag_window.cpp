#include "flag_window.h"

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

FlagWindow::FlagWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_flag(new PictureBox),
      m_redFlag(resourcePicture(QStringLiteral("red_flag.svg"))),
      m_yellowFlag(resourcePicture(QStringLiteral("yellow_flag.svg")))
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

void FlagWindow::showRedFlag()
{
    m_flag->setPicture(m_redFlag);
}

void FlagWindow::showYellowFlag()
{
    m_flag->setPicture(m_yellowFlag);
}

const Picture& FlagWindow::shownFlag() const
{
    return m_flag->shownPicture();
}

void FlagWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        showMinimized();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kav
