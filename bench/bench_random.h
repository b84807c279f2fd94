// A cheap, repeatable random source for the benchmarks, of the standard library only: they
// measure the game, not the generator.
#pragma once

#include "game/random_source.h"

#include <random>

namespace bench {

class BenchRandom final : public game::RandomSource {
public:
    void seedFromClock() override {}
    double next() override { return m_dist(m_engine); }

private:
    std::mt19937_64 m_engine{42};
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};

} // namespace bench
