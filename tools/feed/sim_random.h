#pragma once

#include <cstdint>
#include <random>

namespace kav {

// Seeded random numbers made only from the engine's raw output, which the standard fixes, so that a
// seed gives the same session with every standard library.
class TSimRandom {
public:
    explicit TSimRandom(std::uint64_t seed) : m_engine(seed) {}

    // A whole number in [low, high].
    std::int64_t Between(std::int64_t low, std::int64_t high)
    {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<std::int64_t>(m_engine() % span);
    }
    // True with the given chance in percent.
    bool Chance(int percent) { return Between(0, 99) < percent; }
    // Roughly bell-shaped around 0 within [-spread, spread]: the sum of three even draws.
    std::int64_t Noise(std::int64_t spread)
    {
        return (Between(-spread, spread) + Between(-spread, spread) + Between(-spread, spread)) / 3;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace kav
