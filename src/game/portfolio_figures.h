// What the ledger's statistics and charts show, computed on demand from the kept days and trades:
// per portfolio (since the last win or gap), over the whole ledger, and as series by day number.
#pragma once

#include "game/portfolio.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace game {

struct DayChange {
    std::uint32_t day = 0; // index into days(): the day whose net worth changed
    double change = 0;     // from the day before it
};

struct Drawdown {
    double fall = 0; // the largest fall of net worth from a peak, at least 0
    Figure percent;  // of the peak, when the peak is above 0
    std::uint32_t peakDay = 0, troughDay = 0; // indices into days()
};

struct PortfolioFigures {
    Figure startWorth;        // 10000 after a win; else the net worth its first day began with
    std::optional<std::uint32_t> winDay; // a win's portfolio: the day of that win
    Figure worth;             // now (the open portfolio) or when it closed
    Figure gain, gainPercent; // worth against startWorth
    Figure progress;          // worth as a per cent of the 100000 that wins
    std::optional<Drawdown> drawdown;
    // Daily changes of net worth between two days that both began in this portfolio: the day
    // after a win and the day after a gap have none.
    std::optional<DayChange> bestDay, worstDay;
    std::size_t salesWon = 0, salesLost = 0, salesEven = 0;
    // Sales of unknown gain, left out of the counts above and of `realised`.
    std::size_t salesUnknown = 0;
    Figure realised;
    std::size_t trades = 0, days = 0;
    std::array<std::size_t, kCompanyCount> daysHeld{}; // days ending with shares above 0
};

// The figures of one portfolio, `which` indexing portfolios().
PortfolioFigures portfolioFigures(const Portfolio& portfolio, std::size_t which);

struct LedgerFigures {
    std::size_t days = 0, trades = 0, sales = 0, wins = 0;
    std::size_t salesUnknown = 0;          // left out of best and worst
    std::optional<std::uint32_t> bestSale; // index into trades(): the highest known realised gain
    std::optional<std::uint32_t> worstSale;
    Figure highest;               // the highest net worth, a win's closing included
    std::uint32_t highestDay = 0; // index into days()
};

LedgerFigures ledgerFigures(const Portfolio& portfolio);

// ---- Series for the charts ----

struct SeriesPoint {
    std::int64_t day = 0; // the ledger's day number
    double value = 0;
    bool breakBefore = false; // the line breaks before this point: a gap, or an unknown value
};

// Each day's net worth as it began (days of unknown net worth are left out, with a break).
std::vector<SeriesPoint> netWorthSeries(const Portfolio& portfolio);
// One company's price each day (0 once it has failed).
std::vector<SeriesPoint> priceSeries(const Portfolio& portfolio, int company);

struct TradeMark {
    std::int64_t day = 0;    // the ledger's day number
    std::uint32_t trade = 0; // index into trades()
};
// The trades of one company (or of all, with company -1), in order, for markers on a chart.
std::vector<TradeMark> tradeMarks(const Portfolio& portfolio, int company);

// The trades made on one day (index into days()): [first, second) into trades().
std::pair<std::size_t, std::size_t> tradesOnDay(const Portfolio& portfolio, std::size_t day);

// ---- Per day and per trade, for the tables ----

struct Change {
    Figure amount;
    Figure percent; // of the day before's value, when that is above 0
};
// A day's change of net worth from the day before: only between two days of one portfolio, so the
// day after a win or a gap has none.
Change netWorthChange(const Portfolio& portfolio, std::size_t day);
// A company's price change from the day before, in per cent: none after a gap, for a failed
// company, or from a price of 0.
Figure priceChange(const Portfolio& portfolio, std::size_t day, int company);
// What a trade's amount differs from quantity times price by, to the hundredth: the whole-cash
// rounding of the cash before it and the cut to hundredths after it. Positive when the amount is
// the larger (a purchase cost more, a sale brought more).
Figure tradeRounding(const LedgerTrade& trade);

struct WinDay {
    std::uint32_t day = 0; // index into days(): the day the winning sale was made
    Figure netWorth;       // what the portfolio closed with
};
std::vector<WinDay> winDays(const Portfolio& portfolio);

// A whole ledger at a glance, for the list of finished games.
struct LedgerSummary {
    std::optional<Date> firstDate, lastDate;
    std::size_t days = 0, trades = 0, wins = 0;
    Figure finalWorth; // the end's net worth (a finished game), else today's
    bool finished = false;
};
LedgerSummary ledgerSummary(const Portfolio& portfolio);

} // namespace game
