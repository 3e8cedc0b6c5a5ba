#include "color_grid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>

namespace kav {

namespace {

constexpr std::array<ColorValue, ColorGrid::kColorCount> kColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};
constexpr int kColumns = 4;
constexpr int kCellSize = 30;

int validIndex(int index)
{
    return index >= 0 && index < ColorGrid::kColorCount ? index : ColorGrid::kNoIndex;
}

} // namespace

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(sizeHint());
    setFocusPolicy(Qt::StrongFocus);
}

std::optional<ColorValue> ColorGrid::colorOfIndex(int index)
{
    if (index < 0 || index >= kColorCount)
        return std::nullopt;
    return kColors[std::size_t(index)];
}

int ColorGrid::indexOfColor(ColorValue color)
{
    for (int i = 0; i < kColorCount; ++i)
        if (kColors[std::size_t(i)] == color)
            return i;
    return kNoIndex;
}

void ColorGrid::setForegroundIndex(int index)
{
    if (validIndex(index) == m_foreground)
        return;
    m_foreground = validIndex(index);
    update();
    emit changed();
}

void ColorGrid::setBackgroundIndex(int index)
{
    if (validIndex(index) == m_background)
        return;
    m_background = validIndex(index);
    update();
    emit changed();
}

QSize ColorGrid::sizeHint() const
{
    return {kColumns * kCellSize, kColumns * kCellSize};
}

QRect ColorGrid::cellRect(int index) const
{
    const int w = width() / kColumns;
    const int h = height() / kColumns;
    return {(index % kColumns) * w, (index / kColumns) * h, w, h};
}

int ColorGrid::indexAt(QPoint point) const
{
    for (int i = 0; i < kColorCount; ++i)
        if (cellRect(i).contains(point))
            return i;
    return kNoIndex;
}

void ColorGrid::mousePressEvent(QMouseEvent* event)
{
    const int index = indexAt(event->position().toPoint());
    if (index == kNoIndex)
        return;
    m_cursor = index;
    if (event->button() == Qt::LeftButton)
        setForegroundIndex(index);
    else if (event->button() == Qt::RightButton)
        setBackgroundIndex(index);
    update();
}

// Keys the picker does not use (Enter, Escape, Tab) go on to the dialog.
void ColorGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: moveCursor(-1, 0); break;
    case Qt::Key_Right: moveCursor(1, 0); break;
    case Qt::Key_Up: moveCursor(0, -1); break;
    case Qt::Key_Down: moveCursor(0, 1); break;
    case Qt::Key_T:
    case Qt::Key_Space: setForegroundIndex(m_cursor); break;
    case Qt::Key_B: setBackgroundIndex(m_cursor); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

// The frame starts on the text colour, where the operator most likely wants to begin.
void ColorGrid::focusInEvent(QFocusEvent* event)
{
    if (m_foreground != kNoIndex)
        m_cursor = m_foreground;
    QWidget::focusInEvent(event);
    update();
}

void ColorGrid::moveCursor(int columns, int rows)
{
    const int column = std::clamp(m_cursor % kColumns + columns, 0, kColumns - 1);
    const int row = std::clamp(m_cursor / kColumns + rows, 0, kColorCount / kColumns - 1);
    m_cursor = row * kColumns + column;
    update();
}

void ColorGrid::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    for (int i = 0; i < kColorCount; ++i)
        paintCell(painter, i);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cellRect(m_cursor).adjusted(1, 1, -1, -1));
    }
}

void ColorGrid::paintCell(QPainter& painter, int index) const
{
    const QRect cell = cellRect(index).adjusted(1, 1, -1, -1);
    const QColor color = toQColor(kColors[std::size_t(index)], palette());
    painter.fillRect(cell, color);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    QString mark;
    if (index == m_foreground)
        mark += QStringLiteral("FG");
    if (index == m_background)
        mark += mark.isEmpty() ? QStringLiteral("BG") : QStringLiteral("/BG");
    if (mark.isEmpty())
        return;
    painter.setPen(color.lightness() > 128 ? Qt::black : Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(8, cell.height() / 3));
    painter.setFont(font);
    painter.drawText(cell, Qt::AlignCenter, mark);
}

} // namespace kav
