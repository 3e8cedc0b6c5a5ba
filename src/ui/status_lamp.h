#pragma once

#include <QWidget>

#include "system_colors.h"

namespace kav {

// A round lamp of one colour: the busy lamps and the flag lamp of the general information panel.
class StatusLamp : public QWidget {
    Q_OBJECT
public:
    explicit StatusLamp(ColorValue color, QWidget* parent = nullptr);

    ColorValue color() const { return m_color; }
    // Paints at once: the lamps must show a burst even while the event loop is busy with lines.
    void setColor(ColorValue color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorValue m_color;
};

} // namespace kav
