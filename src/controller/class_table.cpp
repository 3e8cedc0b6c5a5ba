#include "class_table.h"

#include "text_helpers.h"

namespace kav {

namespace {
const std::string kEmpty;
} // namespace

void TClassTable::Set(int classNo, std::string_view description)
{
    if (!InRange(classNo))
        return;
    m_descriptions[static_cast<std::size_t>(classNo - 1)] =
        CutText(description, kDescriptionLength, IsValidUtf8(description));
}

const std::string& TClassTable::Get(int classNo) const
{
    return InRange(classNo) ? m_descriptions[static_cast<std::size_t>(classNo - 1)] : kEmpty;
}

void TClassTable::Clear()
{
    for (std::string& description : m_descriptions)
        description.clear();
}

} // namespace kav
