#pragma once

#include <QWidget>

class QMdiArea;
class QMdiSubWindow;

namespace kav {

class PictureBox;

// The operator's logo, stretched over a window without title bar or border. Inside a main window
// it is an MDI child; without one it stands alone.
class LogoWindow : public QWidget {
    Q_OBJECT
public:
    explicit LogoWindow(QMdiArea* area = nullptr);

    // False when the file is missing or not a picture; the window then shows no picture.
    bool loadPicture(const QString& fileName);
    const PictureBox& box() const { return *m_logo; }
    QWidget* borderWindow() const;

private:
    QMdiSubWindow* m_host = nullptr;
    PictureBox* m_logo;
};

} // namespace kav
