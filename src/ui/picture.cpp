#include "picture.h"

#include "wmf_converter.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <atomic>

namespace kav {

namespace {

quint64 NextSerial()
{
    static std::atomic<quint64> serial{0};
    return ++serial;
}

bool LooksLikeSvg(const QByteArray& data)
{
    const QByteArray head = data.left(1024);
    return head.contains("<svg") || (head.trimmed().startsWith("<?xml") && data.contains("<svg"));
}

} // namespace

TPicture TPicture::FromSvg(const QByteArray& svg)
{
    TPicture picture;
    picture.LoadSvg(svg);
    return picture;
}

bool TPicture::LoadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        Clear();
        return false;
    }
    return LoadFromData(file.readAll());
}

bool TPicture::LoadFromData(const QByteArray& data)
{
    if (IsWindowsMetafile(data)) {
        const std::optional<QByteArray> svg = ConvertWmfToSvg(data);
        if (svg)
            return LoadSvg(*svg);
        Clear();
        return false;
    }
    if (LooksLikeSvg(data))
        return LoadSvg(data);
    QImage image;
    if (!image.loadFromData(data)) {
        Clear();
        return false;
    }
    Clear();
    m_image = image;
    m_serial = NextSerial();
    return true;
}

bool TPicture::LoadSvg(const QByteArray& svg)
{
    Clear();
    auto renderer = std::make_shared<QSvgRenderer>(svg);
    if (!renderer->isValid())
        return false;
    renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
    m_svg = std::move(renderer);
    m_serial = NextSerial();
    return true;
}

QSize TPicture::NaturalSize() const
{
    if (m_svg)
        return m_svg->defaultSize();
    return m_image.size();
}

void TPicture::Draw(QPainter& painter, const QRectF& target) const
{
    if (m_svg) {
        m_svg->render(&painter, target);
        return;
    }
    if (!m_image.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_image);
        painter.restore();
    }
}

void TPicture::Clear()
{
    m_svg.reset();
    m_image = QImage();
    m_serial = 0;
}

} // namespace kav
