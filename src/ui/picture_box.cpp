#include "picture_box.h"

#include <QPainter>

namespace kav {

TPictureBox::TPictureBox(QWidget* parent) : QWidget(parent) {}

void TPictureBox::SetPicture(const TPicture& picture)
{
    m_picture = picture;
    update();
}

void TPictureBox::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_picture.Draw(painter, QRectF(rect()));
}

} // namespace kav
