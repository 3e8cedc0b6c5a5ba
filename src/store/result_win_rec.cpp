#include "result_win_rec.h"

namespace kav {

TColRel EmptyColRel()
{
    TColRel codes;
    codes.fill(kNoCode);
    return codes;
}

void TResultWinRec::RebuildColPos()
{
    ColPos.fill(kNoCode);
    for (std::size_t p = 0; p < kColumnSlots && ColRel[p] != kNoCode; ++p) {
        if (ColRel[p] < kColumnIds)
            ColPos[ColRel[p]] = static_cast<std::uint8_t>(p);
    }
}

} // namespace kav
