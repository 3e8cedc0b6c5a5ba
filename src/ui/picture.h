#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QSvgRenderer;

namespace kav {

// A picture drawn stretched into a rectangle: a vector picture (SVG, or a Windows metafile turned into
// SVG) that stays crisp at any size, or a bitmap. Copies share the loaded picture.
class Picture {
public:
    Picture() = default;

    static Picture fromSvg(const QByteArray& svg);

    // BMP, PNG, JPEG, SVG or Windows metafile. On failure the picture becomes empty and false is
    // returned; a bad file never ends the program.
    bool loadFromFile(const QString& fileName);
    bool loadFromData(const QByteArray& data);

    bool isEmpty() const { return !m_svg && m_image.isNull(); }
    QSize naturalSize() const;
    void draw(QPainter& painter, const QRectF& target) const;
    void clear();

    // Changes whenever different content is loaded; lets painters cache what they drew.
    quint64 serial() const { return m_serial; }

private:
    bool loadSvg(const QByteArray& svg);

    std::shared_ptr<QSvgRenderer> m_svg;
    QImage m_image;
    quint64 m_serial = 0;
};

} // namespace kav
