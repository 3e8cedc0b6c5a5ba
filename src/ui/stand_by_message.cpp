#include "stand_by_message.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kav {

StandByMessage::StandByMessage(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_panel(new QLabel)
{
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setLineWidth(2);
    m_panel->setAlignment(Qt::AlignCenter);
    QFont font = m_panel->font();
    font.setPointSize(font.pointSize() + 2);
    font.setBold(true);
    m_panel->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    setFixedSize(316, 54);
}

void StandByMessage::setMessage(const QString& text)
{
    m_panel->setText(text);
}

QString StandByMessage::message() const
{
    return m_panel->text();
}

} // namespace kav
