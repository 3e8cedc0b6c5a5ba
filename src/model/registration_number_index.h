#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kav {

inline constexpr std::size_t kRegNoLength = 8;

// A registration number as every list stores and compares it: its first 8 characters.
std::string_view cutRegNo(std::string_view regNo);

// Where each registration number stands in a list, so the first match is found without a walk.
class RegistrationNumberIndex {
public:
    void add(std::string_view regNo, int index);
    void remove(std::string_view regNo, int index);
    // The lowest index holding regNo, or -1.
    int first(std::string_view regNo) const;
    void clear() { m_indexes.clear(); }

private:
    // FNV-1a: registration numbers are a few characters, where it beats the general string hash.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const
        {
            std::uint64_t hash = 14695981039346656037ull;
            for (char c : text)
                hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
            return static_cast<std::size_t>(hash);
        }
    };
    std::unordered_map<std::string, std::set<int>, Hash, std::equal_to<>> m_indexes;
};

} // namespace kav
