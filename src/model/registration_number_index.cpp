#include "registration_number_index.h"

#include "text_helpers.h"

namespace kav {

std::string_view cutRegNo(std::string_view regNo)
{
    if (regNo.size() <= kRegNoLength)
        return regNo;
    return cutText(regNo, kRegNoLength, isValidUtf8(regNo));
}

void RegistrationNumberIndex::add(std::string_view regNo, int index)
{
    auto found = m_indexes.find(regNo);
    if (found == m_indexes.end())
        found = m_indexes.emplace(std::string(regNo), std::set<int>{}).first;
    // Lists mostly grow at the end, where the hint makes the insertion constant time.
    found->second.emplace_hint(found->second.end(), index);
}

void RegistrationNumberIndex::remove(std::string_view regNo, int index)
{
    const auto found = m_indexes.find(regNo);
    if (found == m_indexes.end())
        return;
    found->second.erase(index);
    // Dropping emptied keys keeps a long feed of passing numbers from piling up.
    if (found->second.empty())
        m_indexes.erase(found);
}

int RegistrationNumberIndex::first(std::string_view regNo) const
{
    const auto found = m_indexes.find(regNo);
    return found == m_indexes.end() ? -1 : *found->second.begin();
}

} // namespace kav
