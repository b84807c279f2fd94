// A random source that hands out a fixed sequence of values, for exact day advances.
#pragma once

#include "game/random_source.h"

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace fakes {

class FakeRandom final : public game::RandomSource {
public:
    FakeRandom() = default;
    explicit FakeRandom(std::vector<double> values) : m_values(std::move(values)) {}

    void push(std::vector<double> more) { m_values.insert(m_values.end(), more.begin(), more.end()); }
    // Three draws that give the whole part u, the decimal part h and the sign for one company.
    void pushMove(int whole, int decimal, bool negative)
    {
        m_values.push_back((whole + 0.5) / 10.0);
        m_values.push_back((decimal + 0.5) / 100.0);
        m_values.push_back(negative ? 0.75 : 0.25);
    }
    void seedFromClock() override { ++m_seeds; }
    double next() override
    {
        if (m_next >= m_values.size()) {
            throw std::logic_error("FakeRandom: asked for more values than it was given");
        }
        return m_values[m_next++];
    }
    std::size_t drawn() const { return m_next; }
    std::size_t left() const { return m_values.size() - m_next; }
    int seeds() const { return m_seeds; }

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
    int m_seeds = 0;
};

} // namespace fakes
