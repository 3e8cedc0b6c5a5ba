#include "ui_resources.h"

#include <QFile>

// The resources live in a static library, whose registration the linker would otherwise drop.
static void RegisterUiResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(ui_resources);
        return true;
    }();
    (void)registered;
}

namespace kav {

TPicture ResourcePicture(const QString& name)
{
    RegisterUiResources();
    QFile file(QStringLiteral(":/kavendor/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return TPicture::FromSvg(file.readAll());
}

} // namespace kav
