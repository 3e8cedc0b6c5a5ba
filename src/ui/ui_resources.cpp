#include "ui_resources.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources live in a static library, whose registration the linker would otherwise drop.
static void registerUiResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(ui_resources);
        return true;
    }();
    (void)registered;
}

namespace kav {

Picture resourcePicture(const QString& name)
{
    registerUiResources();
    QFile file(QStringLiteral(":/kavendor/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Picture::fromSvg(file.readAll());
}

// Drawn at the sizes title bars and task bars ask for, so that no size is scaled from another.
QIcon programIcon()
{
    registerUiResources();
    QSvgRenderer svg{QStringLiteral(":/kavendor/maker_logo.svg")};
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kav
