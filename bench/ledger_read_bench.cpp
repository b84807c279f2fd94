// The ledger without its window: reading ten years of a side file, and every figure, series and
// export the window takes from it.
#include "game/portfolio_figures.h"
#include "records/ledger_csv.h"
#include "records/ledger_lines.h"

#include "ledger_support.h"

#include <benchmark/benchmark.h>

namespace {

void LedgerRead(benchmark::State& bench)
{
    const std::string bytes = bench::playedLedger(static_cast<int>(bench.range(0)));
    std::size_t trades = 0;
    for (auto _ : bench) {
        const records::LedgerRead read = records::readLedger(bytes);
        if (!read.ledger) {
            bench.SkipWithError("the ledger did not read");
            return;
        }
        trades = read.ledger->portfolio.trades().size();
        benchmark::DoNotOptimize(read.ledger->portfolio.days().data());
    }
    bench.counters["bytes"] = static_cast<double>(bytes.size());
    bench.counters["trades"] = static_cast<double>(trades);
}
BENCHMARK(LedgerRead)->Arg(3650)->Unit(benchmark::kMillisecond);

// What opening the window asks of the arithmetic: holdings, statistics of every portfolio, the
// net worth and one company's series with its markers, and the three exports.
void LedgerViews(benchmark::State& bench)
{
    const std::string bytes = bench::playedLedger(static_cast<int>(bench.range(0)));
    const records::LedgerRead read = records::readLedger(bytes);
    if (!read.ledger) {
        bench.SkipWithError("the ledger did not read");
        return;
    }
    const game::Portfolio& p = read.ledger->portfolio;
    const game::GameState state = game::startingState();
    const records::TradesCsvTexts trades = {
        {"a", "b", "c", "d", "e", "f", "g", "h", "i"}, "B", "S"};
    const records::HistoryCsvTexts history = {{"a", "b", "c", "d", "e"}, "n", "F", "g", "w"};
    const records::HoldingsCsvTexts holdings = {{"a", "b", "c", "d", "e", "f", "g", "h", "i"}, "T"};
    for (auto _ : bench) {
        const game::HoldingsTable table = game::holdingsTable(p, state);
        benchmark::DoNotOptimize(game::ledgerFigures(p));
        for (std::size_t i = 0; i < p.portfolios().size(); ++i) {
            benchmark::DoNotOptimize(game::portfolioFigures(p, i));
        }
        benchmark::DoNotOptimize(game::netWorthSeries(p).data());
        benchmark::DoNotOptimize(game::priceSeries(p, 3).data());
        benchmark::DoNotOptimize(game::tradeMarks(p, 3).data());
        benchmark::DoNotOptimize(records::tradesCsv(p, trades).size());
        benchmark::DoNotOptimize(records::historyCsv(p, history).size());
        benchmark::DoNotOptimize(
            records::holdingsCsv(table, p.days().back().date, holdings).size());
    }
}
BENCHMARK(LedgerViews)->Arg(3650)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
