#include "result_columns.h"

namespace kav {

QString resultWindowCaption(std::uint8_t kind)
{
    switch (kind) {
    case 1: return QStringLiteral("Completed lap results");
    case 2: return QStringLiteral("Practice results");
    case 3: return QStringLiteral("Track positions");
    case 4: return QStringLiteral("Current Race results");
    default: return {};
    }
}

QString columnDialogKindName(std::uint8_t kind)
{
    return kind == 4 ? QStringLiteral("Current race results") : resultWindowCaption(kind);
}

} // namespace kav
