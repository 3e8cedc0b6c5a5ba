#pragma once

#include "picture.h"

#include <QWidget>

namespace kav {

class PictureBox;

// Shows the red or the yellow flag large, on top of all other windows. Escape minimises it.
class FlagWindow : public QWidget {
    Q_OBJECT
public:
    explicit FlagWindow(QWidget* parent = nullptr);

    const Picture& redFlag() const { return m_redFlag; }
    const Picture& yellowFlag() const { return m_yellowFlag; }
    void showRedFlag();
    void showYellowFlag();
    // The picture shown now.
    const Picture& shownFlag() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    PictureBox* m_flag;
    Picture m_redFlag;
    Picture m_yellowFlag;
};

} // namespace kav
