#include "competitor_list.h"

#include <algorithm>

#include "text_helpers.h"

namespace kav {
namespace {

// Characters are code points in valid UTF-8 and bytes otherwise, as the records cut them.
std::size_t characterCount(std::string_view text)
{
    if (!isValidUtf8(text))
        return text.size();
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u; }));
}

} // namespace

void CompetitorList::addOrUpdate(FullCompetitorRecord record)
{
    record.RegNo.resize(cutRegNo(record.RegNo).size());
    const int found = m_uniqueRegNo ? m_index.first(record.RegNo) : -1;
    if (found >= 0) {
        // The timing system sends the whole entry list again every few minutes: the same data is no change.
        CompetitorEntry& entry = m_entries[static_cast<std::size_t>(found)];
        if (entry.data() != record) {
            ++m_generation;
            entry.setData(std::move(record));
        }
        return;
    }
    ++m_generation;
    m_index.add(record.RegNo, count());
    m_entries.emplace_back(std::move(record));
}

FullCompetitorRecord CompetitorList::byIndex(int index) const
{
    if (index < 0 || index >= count())
        return {};
    return m_entries[static_cast<std::size_t>(index)].data();
}

FullCompetitorRecord CompetitorList::findByRegNo(std::string_view regNo) const
{
    if (regNo.empty())
        return {};
    return byIndex(m_index.first(cutRegNo(regNo)));
}

const FullCompetitorRecord* CompetitorList::find(std::string_view regNo) const
{
    if (regNo.empty())
        return nullptr;
    const int index = m_index.first(cutRegNo(regNo));
    return index < 0 || index >= count() ? nullptr : &m_entries[std::size_t(index)].data();
}

std::uint8_t CompetitorList::classOf(std::string_view regNo) const
{
    if (regNo.empty())
        return 0;
    const int index = m_index.first(cutRegNo(regNo));
    return index < 0 || index >= count() ? 0 : m_entries[std::size_t(index)].data().ClassNo;
}

void CompetitorList::clear()
{
    ++m_generation;
    m_entries.clear();
    m_index.clear();
}

std::uint8_t maxNumberLength(const CompetitorList& list)
{
    std::size_t longest = 0;
    for (int i = 0; i < list.count(); ++i)
        longest = std::max(longest, characterCount(list.byIndex(i).Number));
    return static_cast<std::uint8_t>(std::min<std::size_t>(longest, UINT8_MAX));
}

} // namespace kav
