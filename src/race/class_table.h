#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kav {

// The class descriptions by class number 1 to 99; other numbers store nothing and read empty.
class ClassDescriptionTable {
public:
    static constexpr int kClasses = 99;
    static constexpr std::size_t kDescriptionLength = 40;

    void set(int classNo, std::string_view description);
    const std::string& get(int classNo) const;
    void clear();
    // Grows with every change of a description.
    std::uint64_t generation() const { return m_generation; }

private:
    static bool inRange(int classNo) { return classNo >= 1 && classNo <= kClasses; }

    std::array<std::string, kClasses> m_descriptions;
    std::uint64_t m_generation = 1;
};

} // namespace kav
