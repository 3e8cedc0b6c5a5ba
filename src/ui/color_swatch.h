#pragma once

#include "system_colors.h"

#include <QFrame>

namespace kav {

// A plain field of one colour; a mouse press on it is reported.
class ColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ColorValue m_color = kClWhite;
};

} // namespace kav
