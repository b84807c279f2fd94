// What every benchmark plays with: a repeatable random source and boxes that answer nothing.
#pragma once

#include "game/random_source.h"
#include "platform/dialogs.h"

#include <random>

namespace bench {

// A cheap, repeatable source: the benchmarks measure the game, not the generator.
class BenchRandom final : public game::RandomSource {
public:
    void seedFromClock() override {}
    double next() override { return m_dist(m_engine); }

private:
    std::mt19937_64 m_engine{42};
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};

class SilentDialogs final : public platform::Dialogs {
public:
    void message(const QString&, const QString&) override { ++messages; }
    bool question(const QString&, const QString&) override { return false; }
    QString input(const QString&, const QString&) override { return {}; }
    bool choose(const QString&, const QString&, const QString&, const QString&,
                const std::function<void(Press)>&) override
    {
        return true;
    }
    int messages = 0;
};

} // namespace bench
