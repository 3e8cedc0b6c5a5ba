#pragma once

#include "picture.h"

#include <QWidget>

namespace kav {

class TPictureBox;

// Shows the red or the yellow flag large, on top of all other windows. Escape minimises it.
class TFFlag : public QWidget {
    Q_OBJECT
public:
    explicit TFFlag(QWidget* parent = nullptr);

    const TPicture& RedFlag() const { return m_redFlag; }
    const TPicture& YellowFlag() const { return m_yellowFlag; }
    void ShowRedFlag();
    void ShowYellowFlag();
    // The picture shown now.
    const TPicture& Shown() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TPictureBox* m_flag;
    TPicture m_redFlag;
    TPicture m_yellowFlag;
};

} // namespace kav
