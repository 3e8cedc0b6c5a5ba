#include "class_table.h"

#include "text_helpers.h"

namespace kav {

namespace {
const std::string kEmpty;
} // namespace

void ClassDescriptionTable::set(int classNo, std::string_view description)
{
    if (!inRange(classNo))
        return;
    std::string& kept = m_descriptions[static_cast<std::size_t>(classNo - 1)];
    std::string cut(cutText(description, kDescriptionLength, isValidUtf8(description)));
    if (cut != kept) {
        kept = std::move(cut);
        ++m_generation;
    }
}

const std::string& ClassDescriptionTable::get(int classNo) const
{
    return inRange(classNo) ? m_descriptions[static_cast<std::size_t>(classNo - 1)] : kEmpty;
}

void ClassDescriptionTable::clear()
{
    for (std::string& description : m_descriptions)
        description.clear();
    ++m_generation;
}

} // namespace kav
