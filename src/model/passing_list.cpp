#include "passing_list.h"

namespace kav {

void TPassingList::UpdateOrAppend(const TJRec& record)
{
    const int found = FindByRegNo(record.RegNo);
    if (found >= 0)
        Replace(found, record);
    else
        Append(record);
}

} // namespace kav
