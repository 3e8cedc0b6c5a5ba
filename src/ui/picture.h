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
class TPicture {
public:
    TPicture() = default;

    static TPicture FromSvg(const QByteArray& svg);

    // BMP, PNG, JPEG, SVG or Windows metafile. On failure the picture becomes empty and false is
    // returned; a bad file never ends the program.
    bool LoadFromFile(const QString& fileName);
    bool LoadFromData(const QByteArray& data);

    bool IsEmpty() const { return !m_svg && m_image.isNull(); }
    QSize NaturalSize() const;
    void Draw(QPainter& painter, const QRectF& target) const;
    void Clear();

    // Changes whenever different content is loaded; lets painters cache what they drew.
    quint64 Serial() const { return m_serial; }

private:
    bool LoadSvg(const QByteArray& svg);

    std::shared_ptr<QSvgRenderer> m_svg;
    QImage m_image;
    quint64 m_serial = 0;
};

} // namespace kav
