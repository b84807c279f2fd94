// The ledger's days as the time chart takes them: the stretches between gaps on the game's
// calendar, net worth with its wins, and prices with their purchases and sales.
#pragma once

#include "game/portfolio.h"
#include "ui/time_chart.h"

#include <cstdint>
#include <vector>

namespace ui::ledger {

// Where each day of the ledger lies on a chart: at its day number, in stretches that break at
// every gap. A ledger whose day numbers jump far more than it has days (only a file the game did
// not write) is drawn a day beside the other instead, breaking at each jump, so that a chart's
// memory stays in proportion to the days.
struct ChartDays {
    std::vector<ChartStretch> stretches;
    std::vector<std::int64_t> x; // per index into days()
};
ChartDays chartDays(const game::Portfolio& portfolio);

// Net worth each day, a star on each win.
ChartData netWorthChart(const game::Portfolio& portfolio, const ChartDays& days);
// The companies' prices each day (none after one fails), each with its purchases and sales; a
// company keeps its own colour in every chart.
ChartData priceChart(const game::Portfolio& portfolio, const ChartDays& days,
                     const std::vector<int>& companies);

// What a trade was, in a line: "Acquisto di 20 Tolva Image a 50,00: 1 000,00".
QString tradeLine(const game::LedgerTrade& trade);

} // namespace ui::ledger
