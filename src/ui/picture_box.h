#pragma once

#include "picture.h"

#include <QWidget>

namespace kav {

// Shows one picture stretched over the whole widget.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    const Picture& shownPicture() const { return m_picture; }
    void setPicture(const Picture& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture m_picture;
};

} // namespace kav
