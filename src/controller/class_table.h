#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kav {

// The class descriptions by class number 1 to 99; other numbers store nothing and read empty.
class TClassTable {
public:
    static constexpr int kClasses = 99;
    static constexpr std::size_t kDescriptionLength = 40;

    void Set(int classNo, std::string_view description);
    const std::string& Get(int classNo) const;
    void Clear();

private:
    static bool InRange(int classNo) { return classNo >= 1 && classNo <= kClasses; }

    std::array<std::string, kClasses> m_descriptions;
};

} // namespace kav
