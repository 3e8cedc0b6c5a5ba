#include "color_swatch.h"

#include <QPainter>

namespace kav {

TColorSwatch::TColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
}

void TColorSwatch::SetColor(TColorValue color)
{
    m_color = color;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(contentsRect(), ToQColor(m_color, palette()));
    }
    QFrame::paintEvent(event);
}

void TColorSwatch::mousePressEvent(QMouseEvent* /*event*/)
{
    emit Pressed();
}

} // namespace kav
