#pragma once

#include <QWidget>

class QMdiArea;
class QMdiSubWindow;

namespace kav {

class TPictureBox;

// The operator's logo, stretched over a window without title bar or border. Inside a main window
// it is an MDI child; without one it stands alone.
class TFLogo : public QWidget {
    Q_OBJECT
public:
    explicit TFLogo(QMdiArea* area = nullptr);

    // False when the file is missing or not a picture; the window then shows no picture.
    bool LoadPicture(const QString& fileName);
    const TPictureBox& Box() const { return *m_logo; }
    QWidget* Frame() const;

private:
    QMdiSubWindow* m_host = nullptr;
    TPictureBox* m_logo;
};

} // namespace kav
