// Ledgers for the benchmarks: years of play through the rules, in the lines the game writes.
#pragma once

#include "bench_random.h"
#include "game/rules.h"
#include "game/texts.h"
#include "records/ledger_lines.h"

#include <string>

namespace bench {

// `days` days of a game with a trade on most days: on even days 3 shares of one company are
// bought, on odd days the previous day's are sold.
inline std::string playedLedger(int days)
{
    BenchRandom random;
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
