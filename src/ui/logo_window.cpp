#include "logo_window.h"

#include "picture_box.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace kav {

LogoWindow::LogoWindow(QMdiArea* area) : m_logo(new PictureBox)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_logo);
    if (area) {
        m_host = area->addSubWindow(this, Qt::SubWindow | Qt::FramelessWindowHint);
        m_host->resize(258, 206);
    } else {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        resize(258, 206);
    }
}

QWidget* LogoWindow::borderWindow() const
{
    return m_host ? static_cast<QWidget*>(m_host) : const_cast<LogoWindow*>(this);
}

bool LogoWindow::loadPicture(const QString& fileName)
{
    Picture picture;
    const bool loaded = picture.loadFromFile(fileName);
    m_logo->setPicture(picture);
    return loaded;
}

} // namespace kav
