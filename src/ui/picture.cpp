#include "picture.h"

#include "wmf_converter.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <atomic>

namespace kav {

namespace {

quint64 nextSerial()
{
    static std::atomic<quint64> serial{0};
    return ++serial;
}

bool looksLikeSvg(const QByteArray& data)
{
    const QByteArray head = data.left(1024);
    return head.contains("<svg") || (head.trimmed().startsWith("<?xml") && data.contains("<svg"));
}

} // namespace

Picture Picture::fromSvg(const QByteArray& svg)
{
    Picture picture;
    picture.loadSvg(svg);
    return picture;
}

bool Picture::loadFromFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        clear();
        return false;
    }
    return loadFromData(file.readAll());
}

bool Picture::loadFromData(const QByteArray& data)
{
    if (isWindowsMetafile(data)) {
        const std::optional<QByteArray> svg = convertWmfToSvg(data);
        if (svg)
            return loadSvg(*svg);
        clear();
        return false;
    }
    if (looksLikeSvg(data))
        return loadSvg(data);
    QImage image;
    if (!image.loadFromData(data)) {
        clear();
        return false;
    }
    clear();
    m_image = image;
    m_serial = nextSerial();
    return true;
}

bool Picture::loadSvg(const QByteArray& svg)
{
    clear();
    auto renderer = std::make_shared<QSvgRenderer>(svg);
    if (!renderer->isValid())
        return false;
    renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
    m_svg = std::move(renderer);
    m_serial = nextSerial();
    return true;
}

QSize Picture::naturalSize() const
{
    if (m_svg)
        return m_svg->defaultSize();
    return m_image.size();
}

void Picture::draw(QPainter& painter, const QRectF& target) const
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

void Picture::clear()
{
    m_svg.reset();
    m_image = QImage();
    m_serial = 0;
}

} // namespace kav
