#include "f_logo.h"

#include "picture_box.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace kav {

TFLogo::TFLogo(QMdiArea* area) : m_logo(new TPictureBox)
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

QWidget* TFLogo::Frame() const
{
    return m_host ? static_cast<QWidget*>(m_host) : const_cast<TFLogo*>(this);
}

bool TFLogo::LoadPicture(const QString& fileName)
{
    TPicture picture;
    const bool loaded = picture.LoadFromFile(fileName);
    m_logo->SetPicture(picture);
    return loaded;
}

} // namespace kav
