#pragma once

#include <cstdint>
#include <random>

namespace kav {

// Seeded random numbers made only from the engine's raw output, which the standard fixes, so that a
// seed gives the same session with every standard library.
class SimRandom {
public:
    explicit SimRandom(std::uint64_t seed) : m_engine(seed) {}

    // A whole number in [low, high].
    std::int64_t between(std::int64_t low, std::int64_t high)
    {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<std::int64_t>(m_engine() % span);
    }
    // True with the given chance in percent.
    bool chance(int percent) { return between(0, 99) < percent; }
    // Roughly bell-shaped around 0 within [-spread, spread]: the sum of three even draws.
    std::int64_t noise(std::int64_t spread)
    {
        return (between(-spread, spread) + between(-spread, spread) + between(-spread, spread)) / 3;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace kav
