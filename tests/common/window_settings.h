#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "result_window_settings.h"

namespace kav {

// The columns in the given order, kNoCode after them.
inline ColumnOrder columnOrder(const std::vector<std::uint8_t>& ids)
{
    ColumnOrder order = emptyColumnOrder();
    std::copy(ids.begin(), ids.end(), order.begin());
    return order;
}

// A result window of the kind showing the columns; number 0 lets the layout choose one.
inline ResultWindowSettings windowSettings(std::uint8_t kind, const std::vector<std::uint8_t>& columns = {0},
                                           std::uint8_t number = 0)
{
    ResultWindowSettings rec;
    rec.Number = number;
    rec.Layout = kind;
    rec.ColRel = columnOrder(columns);
    return rec;
}

} // namespace kav
