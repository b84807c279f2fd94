// The day advance's random source, seeded from the clock.
#pragma once

#include "game/random_source.h"

#include <random>

namespace platform {

class ClockRandom final : public game::RandomSource {
public:
    void seedFromClock() override;
    double next() override;

private:
    std::mt19937_64 m_engine{0x746f6c76};
};

} // namespace platform
