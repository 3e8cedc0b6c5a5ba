#include "passing_list.h"

namespace kav {

void PassingList::updateOrAppend(const PassingRecord& record)
{
    const int found = findByRegNo(record.RegNo);
    if (found >= 0)
        replace(found, record);
    else
        append(record);
}

} // namespace kav
