#include "status_lamp.h"

#include <QPainter>

namespace kav {

namespace {
constexpr int kLampSize = 13;
} // namespace

TStatusLamp::TStatusLamp(TColorValue color, QWidget* parent) : QWidget(parent), m_color(color)
{
    setFixedSize(kLampSize, kLampSize);
}

void TStatusLamp::SetColor(TColorValue color)
{
    m_color = color;
    repaint();
}

void TStatusLamp::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(m_color, palette()));
    painter.drawEllipse(rect().adjusted(0, 0, -1, -1));
}

} // namespace kav
