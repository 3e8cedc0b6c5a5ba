#pragma once

#include "system_colors.h"

#include <QFrame>

namespace kav {

// A plain field of one colour; a mouse press on it is reported.
class TColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget* parent = nullptr);

    TColorValue Color() const { return m_color; }
    void SetColor(TColorValue color);

signals:
    void Pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TColorValue m_color = kClWhite;
};

} // namespace kav
