#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kav {

// What a fuzz smoke test varies: how many inputs, how many edits each, and which bytes it inserts.
struct Mutation {
    unsigned seed;
    int rounds;
    int maxEdits;
    int maxErase;
    std::string insertable;
};

// Hands `run` each seed text after random byte changes, cuts, insertions and repeats; `make fuzz`
// runs the coverage-guided version for longer.
inline void runMutated(const std::vector<std::string>& seeds, const Mutation& how,
                       const std::function<void(const std::uint8_t*, std::size_t)>& run)
{
    std::mt19937 rng(how.seed);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    for (int round = 0; round < how.rounds; ++round) {
        std::string text = seeds[pick(seeds.size())];
        const int edits = static_cast<int>(pick(static_cast<std::size_t>(how.maxEdits)));
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = pick(text.size());
            switch (pick(4)) {
            case 0: text[at] = static_cast<char>(pick(256)); break;
            case 1: text.erase(at, 1 + pick(static_cast<std::size_t>(how.maxErase))); break;
            case 2: text.insert(at, 1, how.insertable[pick(how.insertable.size())]); break;
            default: text += text.substr(at); break;
            }
        }
        run(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
}

} // namespace kav
