#include "picture_box.h"

#include <QPainter>

namespace kav {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const Picture& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_picture.draw(painter, QRectF(rect()));
}

} // namespace kav
