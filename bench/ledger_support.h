// Ledgers for the benchmarks: years of play through the rules, in the lines the game writes.
#pragma once

#include "game/rules.h"
#include "game/texts.h"
#include "records/ledger_lines.h"

#include <random>
#include <string>

namespace bench {

// A repeatable source for the day advance, of the standard library only.
class LedgerRandom final : public game::RandomSource {
public:
    void seedFromClock() override {}
    double next() override { return m_dist(m_engine); }

private:
    std::mt19937_64 m_engine{42};
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};

// `days` days of a game with a trade on most days: on even days 3 shares of one company are
// bought, on odd days the previous day's are sold.
inline std::string playedLedger(int days)
{
    LedgerRandom random;
    game::GameState state = game::startingState();
    std::string bytes(records::kLedgerHeader);
    bytes += records::dayLine(state) + '\n';
    for (int day = 1; day < days; ++day) {
        const bool buy = day % 2 == 0;
        const int company = (buy ? day : day - 1) % game::kCompanyCount;
        const game::GameState before = state;
        const auto outcome = buy ? game::buy(state, company, "3") : game::sell(state, company, "3");
        if (outcome == game::TradeOutcome::Done) {
            bytes += records::tradeLine(before, state, company, buy, 3) + '\n';
        }
        game::advanceDay(state, random);
        bytes += records::dayLine(state) + '\n';
    }
    return bytes;
}

} // namespace bench
