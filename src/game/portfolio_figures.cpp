// What the ledger's statistics and charts show, computed on demand from the kept days and trades:
// per portfolio (since the last win or gap), over the whole ledger, and as series by day number.
#include "game/portfolio_figures.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {

// Follows the largest fall from a peak over values in time order.
class FallFinder {
public:
    void see(double value, std::uint32_t day)
    {
        if (!m_peak || value > *m_peak) {
            m_peak = value;
            m_peakDay = day;
        }
        const Figure fall = minus(m_peak, value);
        if (fall && (!m_best || *fall > m_best->fall)) {
            m_best = Drawdown{*fall, percentOf(fall, m_peak), m_peakDay, day};
        }
    }
    std::optional<Drawdown> result() const { return m_best; }

private:
    Figure m_peak;
    std::uint32_t m_peakDay = 0;
    std::optional<Drawdown> m_best;
};

// The day a portfolio's last value belongs to: its last day, or (a win's portfolio with no day of
// its own yet) the day of that win.
std::optional<std::uint32_t> lastDayOf(const PortfolioSpan& span)
{
    if (span.endDay > span.firstDay) {
        return span.endDay - 1;
    }
    return span.firstDay > 0 ? std::optional<std::uint32_t>(span.firstDay - 1) : std::nullopt;
}

void countDaysHeld(const Portfolio& portfolio, const PortfolioSpan& span, PortfolioFigures& figures)
{
    std::array<double, kCompanyCount> shares{};
    if (span.gap != PortfolioSpan::kNoGap) {
        shares = portfolio.gapShares()[span.gap];
    }
    const std::vector<LedgerTrade>& trades = portfolio.trades();
    std::size_t t = span.firstTrade;
    const auto tradeUpTo = [&](std::uint32_t day) {
        for (; t < span.endTrade && trades[t].day <= day; ++t) {
            double& held = shares[trades[t].company];
            held = sharesAfterTrade(held, trades[t].buy, trades[t].quantity);
        }
    };
    if (span.firstDay > 0) {
        tradeUpTo(span.firstDay - 1); // a win's day: the trades after the win
    }
    for (std::uint32_t day = span.firstDay; day < span.endDay; ++day) {
        tradeUpTo(day);
        for (std::size_t i = 0; i < shares.size(); ++i) {
            figures.daysHeld[i] += shares[i] > 0 ? 1 : 0;
        }
    }
}

} // namespace

PortfolioFigures portfolioFigures(const Portfolio& portfolio, std::size_t which)
{
    PortfolioFigures figures;
    const std::vector<PortfolioSpan>& spans = portfolio.portfolios();
    if (which >= spans.size()) {
        return figures;
    }
    const PortfolioSpan& span = spans[which];
    const std::vector<LedgerDay>& days = portfolio.days();
    const std::vector<LedgerTrade>& trades = portfolio.trades();
    figures.days = span.endDay - span.firstDay;
    figures.trades = span.endTrade - span.firstTrade;

    if (span.start == PortfolioSpan::Start::Win) {
        figures.startWorth = readNumber(kStartCash);
        figures.winDay = which > 0 ? lastDayOf(spans[which - 1]) : std::nullopt;
    } else if (figures.days > 0) {
        figures.startWorth = days[span.firstDay].netWorth();
    }
    figures.worth =
        span.end == PortfolioSpan::End::Open ? currentNetWorth(portfolio) : span.closingWorth();
    figures.gain = minus(figures.worth, figures.startWorth);
    figures.gainPercent = percentOf(figures.gain, figures.startWorth);
    figures.progress = percentOf(figures.worth, kWinningCash);

    FallFinder falls;
    if (span.start == PortfolioSpan::Start::Win && figures.startWorth && span.firstDay > 0) {
        falls.see(*figures.startWorth, span.firstDay - 1);
    }
    for (std::uint32_t day = span.firstDay; day < span.endDay; ++day) {
        if (const Figure worth = days[day].netWorth()) {
            falls.see(*worth, day);
        }
        if (day > span.firstDay) {
            const Figure change = minus(days[day].netWorth(), days[day - 1].netWorth());
            if (change && (!figures.bestDay || *change > figures.bestDay->change)) {
                figures.bestDay = DayChange{day, *change};
            }
            if (change && (!figures.worstDay || *change < figures.worstDay->change)) {
                figures.worstDay = DayChange{day, *change};
            }
        }
    }
    if (const std::optional<std::uint32_t> last = lastDayOf(span); last && figures.worth) {
        falls.see(*figures.worth, *last);
    }
    figures.drawdown = falls.result();

    figures.realised = 0.0;
    for (std::uint32_t t = span.firstTrade; t < span.endTrade; ++t) {
        if (trades[t].buy) {
            continue;
        }
        const Figure gain = trades[t].realised();
        if (!gain) {
            ++figures.salesUnknown;
            continue;
        }
        figures.realised = plus(figures.realised, gain);
        ++(*gain > 0 ? figures.salesWon : *gain < 0 ? figures.salesLost : figures.salesEven);
    }
    countDaysHeld(portfolio, span, figures);
    return figures;
}

LedgerFigures ledgerFigures(const Portfolio& portfolio)
{
    LedgerFigures figures;
    const std::vector<LedgerDay>& days = portfolio.days();
    const std::vector<LedgerTrade>& trades = portfolio.trades();
    figures.days = days.size();
    figures.trades = trades.size();
    for (std::size_t t = 0; t < trades.size(); ++t) {
        if (trades[t].buy) {
            continue;
        }
        ++figures.sales;
        const Figure gain = trades[t].realised();
        if (!gain) {
            ++figures.salesUnknown;
            continue;
        }
        const auto index = static_cast<std::uint32_t>(t);
        if (!figures.bestSale || *gain > trades[*figures.bestSale].gain) {
            figures.bestSale = index;
        }
        if (!figures.worstSale || *gain < trades[*figures.worstSale].gain) {
            figures.worstSale = index;
        }
    }
    const auto consider = [&figures](Figure worth, std::uint32_t day) {
        if (worth && (!figures.highest || *worth > *figures.highest)) {
            figures.highest = worth;
            figures.highestDay = day;
        }
    };
    for (std::size_t d = 0; d < days.size(); ++d) {
        consider(days[d].netWorth(), static_cast<std::uint32_t>(d));
    }
    for (const PortfolioSpan& span : portfolio.portfolios()) {
        if (span.end == PortfolioSpan::End::Win) {
            ++figures.wins;
            if (const std::optional<std::uint32_t> day = lastDayOf(span)) {
                consider(span.closingWorth(), *day);
            }
        }
    }
    return figures;
}

std::vector<SeriesPoint> netWorthSeries(const Portfolio& portfolio)
{
    std::vector<SeriesPoint> points;
    points.reserve(portfolio.days().size());
    bool broken = false;
    for (const LedgerDay& day : portfolio.days()) {
        broken = broken || day.afterGap;
        if (const Figure worth = day.netWorth()) {
            points.push_back({day.number, *worth, broken && !points.empty()});
            broken = false;
        } else {
            broken = true;
        }
    }
    return points;
}

std::vector<SeriesPoint> priceSeries(const Portfolio& portfolio, int company)
{
    std::vector<SeriesPoint> points;
    if (company < 0 || company >= kCompanyCount) {
        return points;
    }
    points.reserve(portfolio.days().size());
    for (const LedgerDay& day : portfolio.days()) {
        points.push_back({day.number, day.prices[static_cast<std::size_t>(company)],
                          day.afterGap && !points.empty()});
    }
    return points;
}

std::vector<TradeMark> tradeMarks(const Portfolio& portfolio, int company)
{
    std::vector<TradeMark> marks;
    const std::vector<LedgerTrade>& trades = portfolio.trades();
    for (std::size_t t = 0; t < trades.size(); ++t) {
        if (company < 0 || trades[t].company == company) {
            marks.push_back(
                {portfolio.days()[trades[t].day].number, static_cast<std::uint32_t>(t)});
        }
    }
    return marks;
}

std::pair<std::size_t, std::size_t> tradesOnDay(const Portfolio& portfolio, std::size_t day)
{
    const std::vector<LedgerTrade>& trades = portfolio.trades();
    const auto byDay = [](const LedgerTrade& trade, std::size_t d) { return trade.day < d; };
    const auto first = std::lower_bound(trades.begin(), trades.end(), day, byDay);
    const auto last = std::lower_bound(first, trades.end(), day + 1, byDay);
    return {static_cast<std::size_t>(first - trades.begin()),
            static_cast<std::size_t>(last - trades.begin())};
}

Change netWorthChange(const Portfolio& portfolio, std::size_t day)
{
    const std::vector<LedgerDay>& days = portfolio.days();
    if (day == 0 || day >= days.size() || days[day].portfolio != days[day - 1].portfolio) {
        return {};
    }
    const Figure before = days[day - 1].netWorth();
    const Figure amount = minus(days[day].netWorth(), before);
    return {amount, percentOf(amount, before)};
}

Figure priceChange(const Portfolio& portfolio, std::size_t day, int company)
{
    const std::vector<LedgerDay>& days = portfolio.days();
    if (day == 0 || day >= days.size() || days[day].afterGap || company < 0 ||
        company >= kCompanyCount || days[day].hasFailed(company) ||
        days[day - 1].hasFailed(company)) {
        return std::nullopt;
    }
    const auto i = static_cast<std::size_t>(company);
    const double before = days[day - 1].prices[i];
    return percentOf(minus(days[day].prices[i], before), before);
}

Figure tradeRounding(const LedgerTrade& trade)
{
    const Figure difference = minus(trade.amount, times(trade.quantity, trade.price));
    // Hundredths, so that a product one bit away from the amount differs by nothing.
    return difference ? finite(std::round(*difference * 100) / 100 + 0.0) : std::nullopt;
}

std::vector<WinDay> winDays(const Portfolio& portfolio)
{
    std::vector<WinDay> wins;
    for (const PortfolioSpan& span : portfolio.portfolios()) {
        if (span.end == PortfolioSpan::End::Win) {
            if (const std::optional<std::uint32_t> day = lastDayOf(span)) {
                wins.push_back({*day, span.closingWorth()});
            }
        }
    }
    return wins;
}

LedgerSummary ledgerSummary(const Portfolio& portfolio)
{
    LedgerSummary summary;
    const std::vector<LedgerDay>& days = portfolio.days();
    if (!days.empty()) {
        summary.firstDate = days.front().date;
        summary.lastDate = days.back().date;
    }
    summary.days = days.size();
    summary.trades = portfolio.trades().size();
    for (const PortfolioSpan& span : portfolio.portfolios()) {
        summary.wins += span.end == PortfolioSpan::End::Win ? 1 : 0;
    }
    summary.finished = portfolio.ended();
    summary.finalWorth = summary.finished && !portfolio.portfolios().empty()
                             ? portfolio.portfolios().back().closingWorth()
                             : currentNetWorth(portfolio);
    return summary;
}

} // namespace game
