#include "comp_list.h"

#include <algorithm>

#include "text_helpers.h"

namespace kav {
namespace {

// Characters are code points in valid UTF-8 and bytes otherwise, as the records cut them.
std::size_t CharacterCount(std::string_view text)
{
    if (!IsValidUtf8(text))
        return text.size();
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u; }));
}

} // namespace

void TCompList::AddOrUpdate(TCompRec record)
{
    record.RegNo.resize(CutRegNo(record.RegNo).size());
    const int found = m_uniqueRegNo ? m_index.First(record.RegNo) : -1;
    if (found >= 0) {
        m_entries[static_cast<std::size_t>(found)].SetData(std::move(record));
        return;
    }
    m_index.Add(record.RegNo, Count());
    m_entries.emplace_back(std::move(record));
}

TCompRec TCompList::GetByIndex(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_entries[static_cast<std::size_t>(index)].Data();
}

TCompRec TCompList::FindByRegNo(std::string_view regNo) const
{
    if (regNo.empty())
        return {};
    return GetByIndex(m_index.First(CutRegNo(regNo)));
}

void TCompList::Clear()
{
    m_entries.clear();
    m_index.Clear();
}

std::uint8_t MaxNumberLength(const TCompList& list)
{
    std::size_t longest = 0;
    for (int i = 0; i < list.Count(); ++i)
        longest = std::max(longest, CharacterCount(list.GetByIndex(i).Number));
    return static_cast<std::uint8_t>(std::min<std::size_t>(longest, UINT8_MAX));
}

} // namespace kav
