#pragma once

#include "picture.h"

#include <QWidget>

namespace kav {

class PictureBox;

// Shows the red or the yellow flag large, above every other window of the program but the boxes
// waiting for an answer, without taking the keyboard. Escape minimises it once it has been clicked.
class FlagWindow : public QWidget {
    Q_OBJECT
public:
    explicit FlagWindow(QWidget* parent = nullptr);

    // Shows the window (normal size) without activating it, above full-screen result windows and
    // below any open modal box.
    void showAboveResults();

    const Picture& redFlag() const { return m_redFlag; }
    const Picture& yellowFlag() const { return m_yellowFlag; }
    void showRedFlag();
    void showYellowFlag();
    // The picture shown now.
    const Picture& shownFlag() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool stayOnTopBesideBoxes();
    void belongToFullScreenWindow();
    void raiseOpenBoxes();

    PictureBox* m_flag;
    Picture m_redFlag;
    Picture m_yellowFlag;
};

} // namespace kav
