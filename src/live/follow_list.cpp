#include "follow_list.h"

namespace kav {

bool FollowList::contains(std::string_view regNo) const
{
    for (const std::string& followed : m_entries) {
        if (followed.empty())
            return false;
        if (followed == regNo)
            return true;
    }
    return false;
}

void FollowList::set(const FollowedCompetitors& entries)
{
    if (entries == m_entries)
        return;
    m_entries = entries;
    emit changed();
}

} // namespace kav
