// The day advance's random source: a 64-bit Mersenne Twister seeded from the clock.
#include "platform/clock_random.h"

#include <chrono>
#include <cstdint>

namespace platform {

void ClockRandom::seedFromClock()
{
    // The wall clock differs between runs; the steady clock adds the fine ticks since boot,
    // so two starts within one wall-clock tick still get different games.
    const auto wall = static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count());
    const auto steady = static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    std::seed_seq seq{static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32),
                      static_cast<std::uint32_t>(steady),
                      static_cast<std::uint32_t>(steady >> 32)};
    m_engine.seed(seq);
}

double ClockRandom::next()
{
    // The top 53 bits over 2^53: every value is exact and the largest is 1 - 2^-53, below 1.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

} // namespace platform
