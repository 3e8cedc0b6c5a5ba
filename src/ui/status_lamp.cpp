#include "status_lamp.h"

#include <QPainter>

namespace kav {

namespace {
constexpr int kLampSize = 13;
} // namespace

StatusLamp::StatusLamp(ColorValue color, QWidget* parent) : QWidget(parent), m_color(color)
{
    setFixedSize(kLampSize, kLampSize);
}

void StatusLamp::setColor(ColorValue color)
{
    m_color = color;
    repaint();
}

void StatusLamp::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(toQColor(m_color, palette()));
    painter.drawEllipse(rect().adjusted(0, 0, -1, -1));
}

} // namespace kav
