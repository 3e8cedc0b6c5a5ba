#pragma once

#include "colour_value.h"
#include "system_colors.h"

#include <QHash>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <cstdint>

namespace kav {

class Picture;

// How a grid wants its cells drawn; the cells' own texts, colours, alignment and markers come from
// the model.
struct CellLook {
    ColorValue background = kClWindow; // rows the model leaves uncoloured
    ColorValue text = kClBlack;
    ColorValue headerBackground = kClBtnFace;
    ColorValue headerText = kClBlack;
    bool alternateRows = false; // every second uncoloured row a shade apart
    bool raised = true;         // header cells drawn raised
    bool blank = false;         // the grid shows no model column: its one column stays empty
    int graphicMargin = 0;
};

// Paints a results cell from what the model's roles say of it: its text with the row's colours and
// the column's alignment, or its marker picture stretched into it. Selection and focus are not shown.
// Printing draws a picture straight onto the device instead of through the cached bitmap, and keeps
// the font's screen size in pixels whatever the device's resolution.
class ResultsCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ResultsCellDelegate(QObject* parent);

    CellLook& look() { return m_look; }
    const CellLook& look() const { return m_look; }
    // The font's text widths are kept; a new font must say so.
    void forgetTextWidths() { m_textWidths.clear(); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // A data cell of grid row `row` (counted from 1); an invalid index paints an empty cell.
    void paintCell(QPainter& painter, const QModelIndex& index, int row, const QRect& rect, const QFont& font,
                   const QPalette& palette, bool printing) const;
    void paintHeader(QPainter& painter, const QString& text, const QVariant& alignment, const QRect& rect,
                     const QFont& font, const QPalette& palette, bool printing) const;

    // Where a text of the given width starts in its cell.
    static int textLeft(std::uint8_t alignment, const QRect& cell, int textWidth);

private:
    void useFont(QPainter& painter, const QFont& font, bool printing) const;
    int textWidth(const QFontMetrics& metrics, const QString& text, bool printing) const;
    void drawText(QPainter& painter, const QString& text, const QVariant& alignment, const QColor& color,
                  const QRect& rect, bool printing) const;
    void drawRaisedFrame(QPainter& painter, const QRect& rect, const QPalette& palette) const;
    void drawPicture(QPainter& painter, const Picture& picture, const QColor& background, const QRect& rect,
                     bool vector) const;
    QPixmap workBitmap(const Picture& picture, QSize size, const QColor& background, qreal ratio) const;

    CellLook m_look;
    // Pictures composed at one size on one background, so that repainting does not render them again.
    mutable QHash<QString, QPixmap> m_workBitmaps;
    mutable QHash<QString, int> m_textWidths; // on screen the same texts come again and again
};

} // namespace kav
