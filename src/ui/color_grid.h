#pragma once

#include "system_colors.h"

#include <QWidget>
#include <optional>

namespace kav {

// The sixteen-colour picker: a left click puts the text mark ("FG") on a colour, a right click the
// background mark ("BG"). From the keyboard the arrow keys move a frame among the colours, T or Space
// puts the text mark there and B the background mark. Either mark may be on no colour at all.
class ColorGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColorCount = 16;
    static constexpr int kNoIndex = 16;

    explicit ColorGrid(QWidget* parent = nullptr);

    // The colour of an index 0 to 15; none for any other index.
    static std::optional<ColorValue> colorOfIndex(int index);
    // The index of a colour, kNoIndex when it is not one of the sixteen.
    static int indexOfColor(ColorValue color);

    int foregroundIndex() const { return m_foreground; }
    int backgroundIndex() const { return m_background; }
    void setForegroundIndex(int index);
    void setBackgroundIndex(int index);
    QRect cellRect(int index) const;
    // The colour the keyboard frame is on.
    int cursorIndex() const { return m_cursor; }

    QSize sizeHint() const override;

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int indexAt(QPoint point) const;
    void paintCell(QPainter& painter, int index) const;
    void moveCursor(int columns, int rows);

    int m_foreground = 0;
    int m_background = 15;
    int m_cursor = 0;
};

} // namespace kav
