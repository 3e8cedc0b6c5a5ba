#pragma once

#include <QWidget>

#include "system_colors.h"

namespace kav {

// A round lamp of one colour: the busy lamps and the flag lamp of the general information panel.
class TStatusLamp : public QWidget {
    Q_OBJECT
public:
    explicit TStatusLamp(TColorValue color, QWidget* parent = nullptr);

    TColorValue Color() const { return m_color; }
    // Paints at once: the lamps must show a burst even while the event loop is busy with lines.
    void SetColor(TColorValue color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColorValue m_color;
};

} // namespace kav
