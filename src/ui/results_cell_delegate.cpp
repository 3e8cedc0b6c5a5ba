// Results cells on screen and on paper: texts, header cells, raised frames and the marker pictures.

#include "results_cell_delegate.h"

#include "cell_attributes.h"
#include "picture.h"
#include "result_roles.h"
#include "status_pictures.h"

#include <QFontInfo>
#include <QPainter>

namespace kav {

namespace {

constexpr int kTextInset = 2;
constexpr qsizetype kMaxWorkBitmaps = 512;
constexpr qsizetype kMaxTextWidths = 8192;
const QString kBlank = QStringLiteral(" ");

std::uint8_t horizontalAlignment(const QVariant& alignment)
{
    const Qt::Alignment flags = alignment.value<Qt::Alignment>();
    if (flags & Qt::AlignRight)
        return kAlignRight;
    return flags & Qt::AlignHCenter ? kAlignCenter : kAlignLeft;
}

} // namespace

ResultsCellDelegate::ResultsCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

int ResultsCellDelegate::textLeft(std::uint8_t alignment, const QRect& cell, int textWidth)
{
    const int right = cell.x() + cell.width();
    int left = cell.left();
    if (alignment == kAlignLeft) {
        left = cell.left() + kTextInset;
    } else if (alignment == kAlignRight) {
        left = right - textWidth - kTextInset;
        if (left < cell.left())
            left = cell.left() + kTextInset;
    } else if (alignment == kAlignCenter) {
        const int half = (cell.width() - textWidth) / 2;
        left = cell.left() + std::max(half, 0);
    }
    return left > right ? cell.left() + kTextInset : left;
}

void ResultsCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->save();
    paintCell(*painter, m_look.blank ? QModelIndex() : index, index.row() + 1, option.rect, option.font, option.palette,
              false);
    painter->restore();
}

void ResultsCellDelegate::useFont(QPainter& painter, const QFont& font, bool printing) const
{
    if (printing) { // a printer's resolution is not the screen's: keep the size the screen shows
        QFont cellFont = font;
        cellFont.setPixelSize(QFontInfo(font).pixelSize());
        painter.setFont(cellFont);
    } else if (painter.font() != font) {
        painter.setFont(font);
    }
}

void ResultsCellDelegate::paintCell(QPainter& painter, const QModelIndex& index, int row, const QRect& rect,
                                    const QFont& font, const QPalette& palette, bool printing) const
{
    useFont(painter, font, printing);
    const QVariant rowBackground = index.data(kBackgroundColourValueRole);
    const bool coloured = rowBackground.isValid();
    const ColorValue backgroundValue = coloured ? static_cast<ColorValue>(rowBackground.toInt()) : m_look.background;
    QColor background = toQColor(backgroundValue, palette);
    // Rows of their own colour, the followed drivers', stand out unshaded.
    if (m_look.alternateRows && row % 2 == 0 && (!coloured || backgroundValue == m_look.background))
        background = alternateRowColor(background, toQColor(m_look.text, palette));
    // Rows below the field are room to grow: no marker picture there, on a public screen it reads as
    // cars that are not in the race.
    const QVariant marker = index.data(kMarkerRole);
    if (marker.isValid() && index.data(kRowInFieldRole).toBool()) {
        if (const Picture* picture = statusPictures().forCode(static_cast<std::uint8_t>(marker.toInt()))) {
            drawPicture(painter, *picture, background, rect, printing);
            return;
        }
    }
    painter.fillRect(rect, background);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (index.isValid() && text != kBlank) {
        const QVariant rowText = index.data(kTextColourValueRole);
        const ColorValue textValue = rowText.isValid() ? static_cast<ColorValue>(rowText.toInt()) : m_look.text;
        drawText(painter, text, index.data(Qt::TextAlignmentRole), toQColor(textValue, palette), rect, printing);
    }
}

void ResultsCellDelegate::paintHeader(QPainter& painter, const QString& text, const QVariant& alignment,
                                      const QRect& rect, const QFont& font, const QPalette& palette,
                                      bool printing) const
{
    useFont(painter, font, printing);
    painter.fillRect(rect, toQColor(m_look.headerBackground, palette));
    if (text != kBlank)
        drawText(painter, text, alignment, toQColor(m_look.headerText, palette), rect, printing);
    if (m_look.raised)
        drawRaisedFrame(painter, rect, palette);
}

int ResultsCellDelegate::textWidth(const QFontMetrics& metrics, const QString& text, bool printing) const
{
    if (printing)
        return metrics.horizontalAdvance(text);
    const auto found = m_textWidths.constFind(text);
    if (found != m_textWidths.constEnd())
        return *found;
    if (m_textWidths.size() >= kMaxTextWidths)
        m_textWidths.clear();
    return *m_textWidths.insert(text, metrics.horizontalAdvance(text));
}

void ResultsCellDelegate::drawText(QPainter& painter, const QString& text, const QVariant& alignment,
                                   const QColor& color, const QRect& rect, bool printing) const
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = textWidth(metrics, text, printing);
    const int left = textLeft(horizontalAlignment(alignment), rect, width);
    const int top = rect.top() + kTextInset;
    painter.setPen(color);
    // Clipping costs more than the text itself; only a text that does not fit needs it.
    const bool fits = left >= rect.left() && left + width <= rect.x() + rect.width() &&
                      top + metrics.height() <= rect.y() + rect.height();
    if (fits) {
        painter.drawText(left, top + metrics.ascent(), text);
        return;
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawText(left, top + metrics.ascent(), text);
    painter.restore();
}

void ResultsCellDelegate::drawRaisedFrame(QPainter& painter, const QRect& rect, const QPalette& palette) const
{
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    painter.setPen(toQColor(kClBtnShadow, palette));
    painter.drawLine(left, bottom - 1, right - 1, bottom - 1);
    painter.drawLine(right - 1, bottom - 1, right - 1, top);
    painter.setPen(QColor(Qt::white));
    painter.drawLine(right - 1, top, left, top);
    painter.drawLine(left, top, left, bottom - 1);
}

void ResultsCellDelegate::drawPicture(QPainter& painter, const Picture& picture, const QColor& background,
                                      const QRect& rect, bool vector) const
{
    painter.fillRect(rect, background);
    const int margin = m_look.graphicMargin;
    const QRect inner(rect.left() + margin, rect.top() + margin, rect.width() - 2 * margin - 1,
                      rect.height() - 2 * margin - 1);
    if (inner.width() <= 0 || inner.height() <= 0 || picture.isEmpty())
        return;
    if (vector) {
        picture.draw(painter, inner);
        return;
    }
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(inner.topLeft(), workBitmap(picture, inner.size(), background, ratio));
}

QPixmap ResultsCellDelegate::workBitmap(const Picture& picture, QSize size, const QColor& background, qreal ratio) const
{
    const QString key = QStringLiteral("%1/%2x%3/%4/%5")
                            .arg(picture.serial())
                            .arg(size.width())
                            .arg(size.height())
                            .arg(background.rgba())
                            .arg(ratio);
    const auto found = m_workBitmaps.constFind(key);
    if (found != m_workBitmaps.constEnd())
        return *found;
    QPixmap bitmap(size * ratio);
    bitmap.setDevicePixelRatio(ratio);
    bitmap.fill(background);
    QPainter painter(&bitmap);
    picture.draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    if (m_workBitmaps.size() >= kMaxWorkBitmaps)
        m_workBitmaps.clear();
    m_workBitmaps.insert(key, bitmap);
    return bitmap;
}

} // namespace kav
