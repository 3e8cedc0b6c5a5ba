#include "result_columns.h"

namespace kav {

QString ResultWindowCaption(std::uint8_t kind)
{
    switch (kind) {
    case 1: return QStringLiteral("Completed lap results");
    case 2: return QStringLiteral("Practice results");
    case 3: return QStringLiteral("Track positions");
    case 4: return QStringLiteral("Current Race results");
    default: return {};
    }
}

QString ColumnDialogKindName(std::uint8_t kind)
{
    return kind == 4 ? QStringLiteral("Current race results") : ResultWindowCaption(kind);
}

} // namespace kav
