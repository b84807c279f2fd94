// The player's portfolio over the ledger's events: holdings at average cost, realised gains, net
// worth, and each day and trade kept compactly for the statistics and the charts.
#include "game/portfolio.h"

#include <cmath>
#include <limits>

namespace game {

namespace {

// Days, trades and portfolios are counted in 32 bits: four billion lines are far beyond any
// file the game reads.
constexpr std::size_t kMostKept = std::numeric_limits<std::uint32_t>::max() - 1;

bool validDate(const Date& date)
{
    if (date.month < 0 || date.month > 11 || date.year < 0 || date.year > kLastYear ||
        date.day < 1 || date.day > 31) {
        return false;
    }
    return dateOfDay(dayNumber(date)) == date; // 30 Feb comes back as 01 Mar
}

bool allFinite(const std::array<double, kCompanyCount>& values, std::uint32_t skipped = 0)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if ((skipped >> i & 1U) == 0 && !std::isfinite(values[i])) {
            return false;
        }
    }
    return true;
}

double startCash()
{
    return readNumber(kStartCash).value_or(0);
}

// Cash plus shares times prices; a failed company's price is kept as 0.
Figure worthAt(double cash, const std::array<Holding, kCompanyCount>& holdings,
               const std::array<double, kCompanyCount>& prices)
{
    Figure worth = finite(cash);
    for (std::size_t i = 0; i < holdings.size(); ++i) {
        if (holdings[i].shares != 0 && prices[i] != 0) {
            worth = plus(worth, times(holdings[i].shares, prices[i]));
        }
    }
    return worth;
}

std::uint32_t index32(std::size_t n)
{
    return static_cast<std::uint32_t>(n); // every count was checked against kMostKept
}

} // namespace

double sharesAfterTrade(double shares, bool buy, std::int32_t quantity)
{
    const double after = buy ? shares + quantity : shares - quantity;
    if (std::fabs(after) <= kSharesTolerance || (!buy && after < 0)) {
        return 0;
    }
    // The rules keep the new count as a number text of 15 digits: so does the ledger, or a
    // count of more digits would drift away from the files' by more than the tolerance.
    return readNumber(numberText(after)).value_or(after);
}

Figure Holding::averageCost() const
{
    return shares > 0 ? dividedBy(cost, shares) : std::nullopt;
}

void Portfolio::reserve(std::size_t days, std::size_t trades, std::size_t portfolios,
                        std::size_t gaps)
{
    m_days.reserve(days);
    m_trades.reserve(trades);
    m_spans.reserve(portfolios);
    m_gapShares.reserve(gaps);
}

EventFault Portfolio::refuseAfterDay() const
{
    if (m_ended) {
        return EventFault::AfterEnd;
    }
    if (m_days.empty()) {
        return EventFault::BeforeFirstDay;
    }
    return m_gapPending ? EventFault::DayExpected : EventFault::None;
}

void Portfolio::closeSpan(PortfolioSpan::End end, Figure closing)
{
    PortfolioSpan& span = m_spans.back();
    span.end = end;
    span.closingKnown = closing.has_value();
    span.closing = closing.value_or(0);
}

void Portfolio::openSpan(PortfolioSpan::Start start)
{
    PortfolioSpan span;
    span.start = start;
    span.firstDay = span.endDay = index32(m_days.size());
    span.firstTrade = span.endTrade = index32(m_trades.size());
    m_spans.push_back(span);
    m_realised = 0.0;
    m_unknownSales = 0;
}

EventFault Portfolio::add(const DayEvent& event)
{
    if (!validDate(event.date) || !std::isfinite(event.cash) ||
        !allFinite(event.prices, event.failed)) {
        return EventFault::BadValue;
    }
    if (m_ended) {
        return EventFault::AfterEnd;
    }
    if (m_days.size() >= kMostKept || m_spans.size() >= kMostKept) {
        return EventFault::TooMany;
    }
    std::int64_t number = 1;
    if (!m_days.empty()) {
        const LedgerDay& last = m_days.back();
        const std::int64_t step = dayNumber(event.date) - dayNumber(last.date);
        if (step < 0 && !m_gapPending) {
            return EventFault::DateBack;
        }
        // After a gap the files' date may lie before the last one: the count goes on by one. Two
        // days of one date (never written by the game) still get numbers of their own.
        const std::int64_t by = step > 0 ? step : 1;
        if (last.number > std::numeric_limits<std::int64_t>::max() - by) {
            return EventFault::TooMany;
        }
        number = last.number + by;
    }
    if (m_spans.empty()) {
        openSpan(PortfolioSpan::Start::Ledger);
    }
    LedgerDay day;
    day.date = event.date;
    day.portfolio = index32(m_spans.size() - 1);
    day.number = number;
    day.cash = event.cash;
    day.failed = event.failed & ((1U << kCompanyCount) - 1);
    for (std::size_t i = 0; i < day.prices.size(); ++i) {
        day.prices[i] = day.hasFailed(static_cast<int>(i)) ? 0 : event.prices[i];
    }
    const Figure worth = worthAt(day.cash, m_holdings, day.prices);
    day.worthKnown = worth.has_value();
    day.worth = worth.value_or(0);
    day.afterGap = m_gapPending;
    m_days.push_back(day);
    m_spans.back().endDay = index32(m_days.size());
    m_cash = event.cash;
    m_gapPending = false;
    m_lastWasWin = false;
    return EventFault::None;
}

EventFault Portfolio::add(const TradeEvent& event)
{
    if (event.company < 0 || event.company >= kCompanyCount || event.quantity < 1 ||
        !std::isfinite(event.price) || !std::isfinite(event.amount) ||
        !std::isfinite(event.cashAfter)) {
        return EventFault::BadValue;
    }
    if (const EventFault fault = refuseAfterDay(); fault != EventFault::None) {
        return fault;
    }
    if (m_trades.size() >= kMostKept) {
        return EventFault::TooMany;
    }
    LedgerTrade trade;
    trade.day = index32(m_days.size() - 1);
    trade.portfolio = index32(m_spans.size() - 1);
    trade.quantity = event.quantity;
    trade.company = static_cast<std::uint8_t>(event.company);
    trade.buy = event.buy;
    trade.price = event.price;
    trade.amount = event.amount;
    trade.cashAfter = event.cashAfter;

    Holding& holding = m_holdings[trade.company];
    const double quantity = event.quantity;
    if (event.buy) {
        holding.cost = plus(holding.cost, event.amount);
    } else {
        // The shares sold cost the average; selling all of them takes the whole cost, exactly.
        // Shares never bought (none, or fewer than nothing) have no cost to take.
        Figure sold;
        if (holding.cost && holding.shares > 0) {
            sold = quantity >= holding.shares
                       ? holding.cost
                       : times(dividedBy(holding.cost, holding.shares), quantity);
        }
        const Figure gain = minus(event.amount, sold);
        trade.gainKnown = gain.has_value();
        trade.gain = gain.value_or(0);
        if (gain) {
            m_realised = plus(m_realised, gain);
        } else {
            ++m_unknownSales;
        }
        holding.cost = minus(holding.cost, sold);
    }
    holding.shares = sharesAfterTrade(holding.shares, event.buy, event.quantity);
    // Once no share is left the holding's cost is known again: nothing.
    if (holding.shares == 0) {
        holding = {};
    }
    m_trades.push_back(trade);
    m_spans.back().endTrade = index32(m_trades.size());
    m_cash = event.cashAfter;
    m_lastWasWin = false;
    return EventFault::None;
}

EventFault Portfolio::add(const WinEvent& event)
{
    if (!std::isfinite(event.netWorth)) {
        return EventFault::BadValue;
    }
    if (const EventFault fault = refuseAfterDay(); fault != EventFault::None) {
        return fault;
    }
    if (m_lastWasWin) {
        return EventFault::WinAgain;
    }
    if (m_spans.size() >= kMostKept) {
        return EventFault::TooMany;
    }
    m_days.back().win = true;
    closeSpan(PortfolioSpan::End::Win, event.netWorth);
    openSpan(PortfolioSpan::Start::Win);
    m_holdings = {};
    m_cash = startCash();
    m_lastWasWin = true;
    return EventFault::None;
}

EventFault Portfolio::add(const GapEvent& event)
{
    if (!allFinite(event.shares)) {
        return EventFault::BadValue;
    }
    if (m_ended) {
        return EventFault::AfterEnd;
    }
    if (m_gapPending) {
        return EventFault::DayExpected;
    }
    if (m_spans.size() >= kMostKept || m_gapShares.size() >= kMostKept) {
        return EventFault::TooMany;
    }
    const bool emptySpan = !m_spans.empty() && m_spans.back().firstDay == m_days.size() &&
                           m_spans.back().firstTrade == m_trades.size();
    if (emptySpan) {
        m_spans.back().start = PortfolioSpan::Start::Gap; // a win's portfolio that never began
    } else {
        if (!m_spans.empty()) {
            closeSpan(PortfolioSpan::End::Gap, currentNetWorth(*this));
        }
        openSpan(PortfolioSpan::Start::Gap);
    }
    std::array<double, kCompanyCount> held{};
    for (std::size_t i = 0; i < m_holdings.size(); ++i) {
        Holding& holding = m_holdings[i];
        const double shares = event.shares[i];
        // A holding that changed without the ledger: its cost is not known.
        if (std::fabs(shares - holding.shares) > kSharesTolerance) {
            holding.shares = shares;
            holding.cost = std::nullopt;
        }
        if (std::fabs(holding.shares) <= kSharesTolerance) {
            holding = {};
        }
        held[i] = holding.shares;
    }
    m_gapShares.push_back(held);
    m_spans.back().gap = index32(m_gapShares.size() - 1);
    m_gapPending = true;
    m_lastWasWin = false;
    return EventFault::None;
}

EventFault Portfolio::add(const EndEvent& event)
{
    if (!std::isfinite(event.netWorth)) {
        return EventFault::BadValue;
    }
    if (const EventFault fault = refuseAfterDay(); fault != EventFault::None) {
        return fault;
    }
    closeSpan(PortfolioSpan::End::Finished, event.netWorth);
    m_ended = true;
    return EventFault::None;
}

Figure currentNetWorth(const Portfolio& portfolio)
{
    if (portfolio.days().empty() || portfolio.gapPending()) {
        return std::nullopt;
    }
    return worthAt(portfolio.cash(), portfolio.holdings(), portfolio.days().back().prices);
}

Figure previousNetWorth(const Portfolio& portfolio)
{
    const std::vector<LedgerDay>& days = portfolio.days();
    if (days.size() < 2 || days.back().portfolio != days[days.size() - 2].portfolio) {
        return std::nullopt;
    }
    return days[days.size() - 2].netWorth();
}

namespace {

double priceOf(const Company& company)
{
    return company.price == kFailedMark ? 0 : readNumber(company.price).value_or(0);
}

} // namespace

Figure netWorthOf(const GameState& state)
{
    Figure worth = readNumber(state.cash);
    for (const Company& company : state.companies) {
        const double shares = readNumber(company.shares).value_or(0);
        const double price = priceOf(company);
        if (shares != 0 && price != 0) {
            worth = plus(worth, times(shares, price));
        }
    }
    return worth;
}

namespace {

// The table over each company's shares and price as given: a holding the ledger does not know
// whole has no cost to show.
template <typename SharesOf, typename PriceOf>
HoldingsTable tableOf(const Portfolio& portfolio, SharesOf sharesOf, PriceOf priceOf)
{
    HoldingsTable table;
    Figure cost = 0.0;
    Figure gain = 0.0;
    Figure market = 0.0;
    for (std::size_t i = 0; i < portfolio.holdings().size(); ++i) {
        const double shares = sharesOf(i);
        if (shares == 0) {
            continue;
        }
        const Holding& holding = portfolio.holdings()[i];
        HoldingRow row;
        row.company = static_cast<int>(i);
        row.shares = shares;
        row.costKnown =
            holding.cost.has_value() && std::fabs(holding.shares - shares) <= kSharesTolerance;
        row.totalCost = row.costKnown ? holding.cost : std::nullopt;
        row.averageCost = shares > 0 ? dividedBy(row.totalCost, shares) : std::nullopt;
        row.price = finite(priceOf(i));
        row.marketValue = times(shares, row.price);
        row.gain = minus(row.marketValue, row.totalCost);
        row.percent = percentOf(row.gain, row.totalCost);
        market = plus(market, row.marketValue);
        if (row.gain) {
            cost = plus(cost, row.totalCost);
            gain = plus(gain, row.gain);
        } else {
            ++table.totals.leftOut;
        }
        table.rows.push_back(row);
    }
    for (HoldingRow& row : table.rows) {
        row.weight = percentOf(row.marketValue, market);
    }
    const bool anyKnown = table.totals.leftOut < table.rows.size() || table.rows.empty();
    table.totals.marketValue = market;
    table.totals.totalCost = anyKnown ? cost : std::nullopt;
    table.totals.gain = anyKnown ? gain : std::nullopt;
    table.totals.percent = percentOf(table.totals.gain, table.totals.totalCost);
    return table;
}

} // namespace

HoldingsTable holdingsTable(const Portfolio& portfolio, const GameState& today)
{
    return tableOf(
        portfolio,
        [&today](std::size_t i) { return readNumber(today.companies[i].shares).value_or(0); },
        [&today](std::size_t i) { return priceOf(today.companies[i]); });
}

HoldingsTable holdingsAtEnd(const Portfolio& portfolio)
{
    const std::vector<LedgerDay>& days = portfolio.days();
    return tableOf(
        portfolio, [&portfolio](std::size_t i) { return portfolio.holdings()[i].shares; },
        [&days](std::size_t i) { return days.empty() ? 0.0 : days.back().prices[i]; });
}

} // namespace game
