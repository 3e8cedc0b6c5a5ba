#pragma once

#include "picture.h"

#include <QWidget>

namespace kav {

// Shows one picture stretched over the whole widget.
class TPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit TPictureBox(QWidget* parent = nullptr);

    const TPicture& Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPicture m_picture;
};

} // namespace kav
