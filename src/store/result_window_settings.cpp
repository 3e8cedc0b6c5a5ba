#include "result_window_settings.h"

namespace kav {

ColumnOrder emptyColumnOrder()
{
    ColumnOrder codes;
    codes.fill(kNoCode);
    return codes;
}

void ResultWindowSettings::rebuildColumnPositions()
{
    ColPos.fill(kNoCode);
    for (std::size_t p = 0; p < kColumnSlots && ColRel[p] != kNoCode; ++p) {
        if (ColRel[p] < kColumnIds)
            ColPos[ColRel[p]] = static_cast<std::uint8_t>(p);
    }
}

} // namespace kav
