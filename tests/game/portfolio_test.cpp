// The portfolio's arithmetic against hand-worked cases: average cost, unknown cost after a gap,
// checked money, day numbers, the per-portfolio figures and the refused events.
#include "game/portfolio_figures.h"

#include <gtest/gtest.h>

#include <limits>

using namespace game;

namespace {

constexpr double kHuge = std::numeric_limits<double>::max();

DayEvent dayOn(const char* date, double cash, double price0 = 755)
{
    DayEvent day;
    day.date = *readDate(date);
    day.cash = cash;
    day.prices.fill(1);
    day.prices[0] = price0;
    return day;
}

TradeEvent trade(bool buy, int company, std::int32_t quantity, double price, double amount,
                 double cashAfter)
{
    return {buy, company, quantity, price, amount, cashAfter};
}

GapEvent gapHolding(int company, double shares)
{
    GapEvent gap;
    gap.shares[static_cast<std::size_t>(company)] = shares;
    return gap;
}

// Adds events that must all be taken.
template <typename... Events> void take(Portfolio& portfolio, const Events&... events)
{
    const auto one = [&portfolio](const auto& event) {
        EXPECT_EQ(portfolio.add(event), EventFault::None);
    };
    (one(events), ...);
}

std::string money(Figure value)
{
    return value ? moneyText(*value) : "unknown";
}

} // namespace

TEST(Money, TextsAndCheckedArithmeticNeverLeaveTheFiniteNumbers)
{
    const std::pair<double, const char*> texts[] = {
        {0, "0,00"},
        {-0.001, "0,00"},
        {-0.5, "-0,50"},
        {1234567.891, "1234567,89"},
        {3000.4, "3000,40"},
        {1e15, "1E+15"},
        {-9.3e18, "-9,3E+18"},
        {kHuge, "1,79769313486231E+308"},
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto& [value, text] : texts) {
        EXPECT_EQ(moneyText(value), text) << value;
    }
    EXPECT_EQ(signedMoneyText(12), "+12,00");
    EXPECT_EQ(signedMoneyText(0), "0,00");
    EXPECT_EQ(signedMoneyText(-3.1), "-3,10");
    EXPECT_EQ(percentText(-12.24), "-12,24");
    EXPECT_EQ(signedPercentText(0.04), "+0,04");
    EXPECT_EQ(signedPercentText(1e21), "+1E+21");
    EXPECT_EQ(percentText(-std::numeric_limits<double>::max()), "-1,79769313486231E+308");

    EXPECT_FALSE(plus(kHuge, kHuge));
    EXPECT_FALSE(minus(-kHuge, kHuge));
    EXPECT_FALSE(times(1e300, 1e300));
    EXPECT_FALSE(dividedBy(1, 0));
    EXPECT_FALSE(percentOf(1, 0));
    EXPECT_FALSE(percentOf(1, -0.4)); // a cost the rounding made negative has no per cent
    EXPECT_FALSE(percentOf(1e308, 1e-300));
    EXPECT_EQ(percentOf(-250.2, 2050.2), -250.2 / 2050.2 * 100.0);
}

TEST(Portfolio, CostIsTheCashTradesTookAndASaleRealisesAgainstTheAverage)
{
    Portfolio p;
    // 30 at 100 took 3000,40 (whole-cash rounding); 10 at 110 took 1100; 20 sold at 120.
    take(p, dayOn("01 Gen 2002", 7000.40), trade(true, 1, 30, 100, 3000.40, 4000),
         trade(true, 1, 10, 110, 1100, 2900), trade(false, 1, 20, 120, 2400, 5300));
    EXPECT_EQ(money(p.trades().back().realised()), "349,80");
    EXPECT_EQ(money(p.realised()), "349,80");
    EXPECT_EQ(money(p.holdings()[1].cost), "2050,20");

    GameState today = startingState();
    today.cash = "5300";
    today.companies[1] = {"20", "", "", "90"};
    const HoldingsTable table = holdingsTable(p, today);
    ASSERT_EQ(table.rows.size(), 1u);
    const HoldingRow& row = table.rows[0];
    EXPECT_EQ(money(row.averageCost), "102,51");
    EXPECT_EQ(money(row.marketValue), "1800,00");
    EXPECT_EQ(money(row.gain), "-250,20");
    EXPECT_EQ(percentText(*row.percent), "-12,20");
    EXPECT_EQ(table.totals.leftOut, 0u);
    EXPECT_EQ(money(table.totals.gain), "-250,20");

    // Selling the rest takes exactly the cost that is left.
    take(p, trade(false, 1, 20, 90, 1800, 7100));
    EXPECT_EQ(money(p.trades().back().realised()), "-250,20");
    EXPECT_EQ(p.holdings()[1].shares, 0);
    EXPECT_EQ(p.holdings()[1].cost, 0.0);
}

// After a gap 99 CarlOil have no known cost: no gain of +74745,00, and selling one is no
// +755,00 best trade. Their cost stays unknown until none is left.
TEST(Portfolio, SharesOfUnknownCostStayUnknownUntilNoneIsLeft)
{
    for (const bool withoutLedger : {false, true}) {
        SCOPED_TRACE(withoutLedger ? "found without a ledger" : "after a gap");
        Portfolio p;
        if (!withoutLedger) {
            take(p, dayOn("01 Gen 2002", 10000), trade(true, 3, 2, 10, 20, 9980));
        }
        take(p, gapHolding(0, 99), dayOn("05 Mar 2003", 10000));
        GameState today = startingState();
        today.companies[0].shares = "99";
        HoldingsTable table = holdingsTable(p, today);
        ASSERT_EQ(table.rows.size(), 1u);
        EXPECT_FALSE(table.rows[0].costKnown);
        EXPECT_EQ(money(table.rows[0].marketValue), "74745,00");
        EXPECT_FALSE(table.rows[0].gain || table.rows[0].averageCost || table.rows[0].percent);
        EXPECT_EQ(table.totals.leftOut, 1u);
        EXPECT_FALSE(table.totals.gain);

        // Bought shares mix with them; a sale from the mix has no known gain.
        take(p, trade(true, 0, 1, 755, 755, 9245), trade(false, 0, 1, 755, 755, 10000));
        EXPECT_FALSE(p.trades().back().realised());
        const LedgerFigures figures = ledgerFigures(p);
        EXPECT_FALSE(figures.bestSale || figures.worstSale);
        EXPECT_EQ(figures.salesUnknown, 1u);
        EXPECT_EQ(p.unknownSales(), 1u);
        EXPECT_EQ(money(p.realised()), "0,00");

        // Once all are sold, the next purchase has a cost again.
        take(p, trade(false, 0, 99, 800, 79200, 89200), trade(true, 0, 2, 800, 1600, 87600));
        EXPECT_EQ(money(p.holdings()[0].cost), "1600,00");
    }
}

TEST(Portfolio, FiguresTooLargeForADoubleAreUnknownNeverInfinite)
{
    Portfolio p;
    // One share bought for 0,01 that is now worth 1E+17; a holding of 1E+300 at 1E+300.
    DayEvent day = dayOn("01 Gen 2002", 10000, 0.01);
    take(p, day, trade(true, 0, 1, 0.01, 0.01, 9999.99));
    GameState today = startingState();
    today.companies[0] = {"1", "", "", "1E+17"};
    today.companies[1] = {"1E+300", "", "", "1E+300"};
    today.companies[2] = {"-5", "", "", "1E+300"};
    const HoldingsTable table = holdingsTable(p, today);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(percentText(*table.rows[0].percent), "1E+21");
    EXPECT_FALSE(table.rows[1].marketValue);
    EXPECT_FALSE(table.totals.marketValue);
    EXPECT_FALSE(netWorthOf(today));

    take(p, gapHolding(1, 1e300), dayOn("02 Gen 2002", kHuge, 1e300));
    EXPECT_FALSE(p.days().back().netWorth());
    EXPECT_FALSE(currentNetWorth(p));
    EXPECT_EQ(netWorthSeries(p).size(), 1u); // the unknown day is left out of the chart
}

TEST(Portfolio, DayNumbersFollowTheCalendarAndGoOnByOneWhenAGapGoesBack)
{
    Portfolio p;
    take(p, dayOn("01 Gen 2002", 1), dayOn("05 Gen 2002", 1), dayOn("05 Gen 2002", 1));
    EXPECT_EQ(p.days()[1].number, 5);
    EXPECT_EQ(p.days()[2].number, 6); // the same date again still counts on
    EXPECT_EQ(p.add(dayOn("04 Gen 2002", 1)), EventFault::DateBack);

    // The overflow ledger: dates jumping between the calendar's ends, through gaps.
    const std::int64_t span = dayNumber({31, 11, kLastYear});
    for (int i = 0; i < 2000; ++i) {
        take(p, GapEvent{}, dayOn(i % 2 == 0 ? "01 Gen 0" : "31 Dic 32767", 1));
    }
    EXPECT_EQ(p.days().back().number, 6 + 1000 * span + 1000);
    EXPECT_EQ(p.portfolios().size(), 2001u);
}

TEST(Portfolio, EventsTheGameCouldNotHaveWrittenAreRefusedAndChangeNothing)
{
    Portfolio fresh;
    EXPECT_EQ(fresh.add(trade(true, 0, 1, 1, 1, 1)), EventFault::BeforeFirstDay);
    EXPECT_EQ(fresh.add(WinEvent{1}), EventFault::BeforeFirstDay);
    DayEvent notADate = dayOn("01 Gen 2002", 1);
    notADate.date = {30, 1, 2002};
    EXPECT_EQ(fresh.add(notADate), EventFault::BadValue);

    Portfolio p;
    take(p, dayOn("01 Gen 2002", 1));
    const std::pair<TradeEvent, EventFault> trades[] = {
        {trade(true, 17, 1, 1, 1, 1), EventFault::BadValue},
        {trade(true, -1, 1, 1, 1, 1), EventFault::BadValue},
        {trade(true, 0, 0, 1, 1, 1), EventFault::BadValue},
        {trade(true, 0, 1, std::numeric_limits<double>::infinity(), 1, 1), EventFault::BadValue},
    };
    for (const auto& [event, fault] : trades) {
        EXPECT_EQ(p.add(event), fault);
    }
    take(p, WinEvent{100000});
    EXPECT_EQ(p.add(WinEvent{100000}), EventFault::WinAgain);
    take(p, GapEvent{});
    EXPECT_EQ(p.add(trade(true, 0, 1, 1, 1, 1)), EventFault::DayExpected);
    EXPECT_EQ(p.add(GapEvent{}), EventFault::DayExpected);
    take(p, dayOn("01 Gen 2001", 1), EndEvent{1}); // back in time: allowed after a gap
    EXPECT_EQ(p.add(dayOn("02 Gen 2001", 1)), EventFault::AfterEnd);
    EXPECT_EQ(p.days().size(), 2u);
    EXPECT_TRUE(p.trades().empty());
}

// A portfolio from 10000 that rises, falls, wins; the next starts at 10000; a gap starts another.
TEST(PortfolioFigures, ReturnDrawdownDaysAndSalesArePerPortfolio)
{
    DayEvent sixth = dayOn("06 Gen 2002", 9995, 1);
    sixth.prices[2] = 3; // 10010, against 10000 the day of the win
    Portfolio p;
    take(p, dayOn("01 Gen 2002", 10000, 100), trade(true, 0, 100, 100, 10000, 0),
         dayOn("02 Gen 2002", 0, 150), // 15000: +5000
         dayOn("03 Gen 2002", 0, 90),  // 9000: -6000, the trough after the peak of 15000
         dayOn("04 Gen 2002", 0, 120), // 12000
         trade(false, 0, 50, 120, 6000, 6000), trade(false, 0, 50, 80, 4000, 10000),
         trade(true, 1, 10, 1, 10, 9990), dayOn("05 Gen 2002", 9990),
         trade(false, 1, 10, 9009.1, 90091, 100081), WinEvent{100081},
         trade(true, 2, 5, 1, 5, 9995), sixth, dayOn("07 Gen 2002", 9995, 1));
    ASSERT_EQ(p.portfolios().size(), 2u);

    const PortfolioFigures first = portfolioFigures(p, 0);
    EXPECT_EQ(money(first.startWorth), "10000,00");
    EXPECT_EQ(money(first.worth), "100081,00");
    EXPECT_EQ(money(first.gain), "90081,00");
    EXPECT_EQ(percentText(*first.gainPercent), "900,81");
    ASSERT_TRUE(first.drawdown);
    EXPECT_EQ(first.drawdown->fall, 6000);
    EXPECT_EQ(percentText(*first.drawdown->percent), "40,00");
    EXPECT_EQ(first.drawdown->peakDay, 1u);
    EXPECT_EQ(first.drawdown->troughDay, 2u);
    EXPECT_EQ(first.bestDay->change, 5000);
    EXPECT_EQ(first.worstDay->change, -6000);
    EXPECT_EQ(first.salesWon, 2u);
    EXPECT_EQ(first.salesLost, 1u);
    EXPECT_EQ(first.trades, 5u);
    EXPECT_EQ(first.days, 5u);
    EXPECT_EQ(first.daysHeld[0], 3u);
    EXPECT_EQ(first.daysHeld[1], 1u);

    // The win's day is the first portfolio's last; the next began at the win with 10000.
    const PortfolioFigures second = portfolioFigures(p, 1);
    EXPECT_EQ(money(second.startWorth), "10000,00");
    EXPECT_EQ(second.days, 2u);
    EXPECT_EQ(second.trades, 1u);
    EXPECT_EQ(second.daysHeld[2], 2u);
    EXPECT_EQ(money(second.worth), "10000,00");
    EXPECT_EQ(percentText(*second.progress), "10,00");
    // Only 06 -> 07 (-10): the change into the 6th (+10) crosses the win.
    EXPECT_EQ(second.bestDay->change, -10);
    EXPECT_EQ(second.drawdown->fall, 10);
    EXPECT_EQ(previousNetWorth(p), 10010.0);

    // A gap closes the portfolio with the value it had and the next begins with the files' day.
    take(p, gapHolding(0, 3), dayOn("01 Feb 2002", 9995, 10));
    EXPECT_FALSE(previousNetWorth(p));
    EXPECT_EQ(money(p.portfolios()[1].closingWorth()), "10000,00");
    const PortfolioFigures third = portfolioFigures(p, 2);
    EXPECT_EQ(money(third.startWorth), "10025,00");
    EXPECT_FALSE(third.bestDay);
    EXPECT_EQ(third.daysHeld[0], 1u);

    const LedgerFigures all = ledgerFigures(p);
    EXPECT_EQ(all.wins, 1u);
    EXPECT_EQ(money(all.highest), "100081,00");
    EXPECT_EQ(p.trades()[*all.bestSale].gain, 90081);
    const std::vector<SeriesPoint> worth = netWorthSeries(p);
    ASSERT_EQ(worth.size(), 8u);
    EXPECT_TRUE(worth.back().breakBefore);
    EXPECT_EQ(worth.back().day, 32);
    EXPECT_EQ(tradeMarks(p, 0).size(), 3u);
    EXPECT_EQ(tradesOnDay(p, 3), std::make_pair(std::size_t{1}, std::size_t{4}));
}

TEST(PortfolioFigures, TheTablesChangesRoundingWinsAndSummaryStayWithinAPortfolio)
{
    DayEvent failed = dayOn("04 Gen 2002", 100081, 120);
    failed.failed = 1U << 3;
    Portfolio p;
    // Two purchases that took exactly quantity times price, a winning sale, a failed company.
    take(p, dayOn("01 Gen 2002", 10000, 100), trade(true, 0, 100, 100, 10000, 0),
         dayOn("02 Gen 2002", 0, 150), trade(true, 1, 20, 50.05, 1001, 0),
         dayOn("03 Gen 2002", 0, 0), trade(false, 0, 100, 1000.81, 100081, 100081),
         WinEvent{100081}, failed, gapHolding(1, 20), dayOn("05 Gen 2002", 9999, 30));

    EXPECT_EQ(money(netWorthChange(p, 1).amount), "5000,00");
    EXPECT_EQ(percentText(*netWorthChange(p, 1).percent), "50,00");
    EXPECT_FALSE(netWorthChange(p, 0).amount);
    EXPECT_FALSE(netWorthChange(p, 3).amount); // the day after the win
    EXPECT_FALSE(netWorthChange(p, 4).amount); // the day after the gap
    EXPECT_EQ(percentText(*priceChange(p, 1, 0)), "50,00");
    EXPECT_FALSE(priceChange(p, 3, 0)); // from a price of 0
    EXPECT_FALSE(priceChange(p, 3, 3)); // failed
    EXPECT_FALSE(priceChange(p, 4, 0)); // after the gap
    EXPECT_EQ(money(tradeRounding(p.trades()[0])), "0,00");
    EXPECT_EQ(money(tradeRounding(p.trades()[1])), "0,00");
    LedgerTrade rounded = p.trades()[1];
    rounded.amount = 1000.40;
    EXPECT_EQ(money(tradeRounding(rounded)), "-0,60");

    const std::vector<WinDay> wins = winDays(p);
    ASSERT_EQ(wins.size(), 1u);
    EXPECT_EQ(wins[0].day, 2u);
    EXPECT_EQ(money(wins[0].netWorth), "100081,00");

    // The holdings as the ledger ends: the gap's 20 shares at its last day's price, no cost.
    const HoldingsTable end = holdingsAtEnd(p);
    ASSERT_EQ(end.rows.size(), 1u);
    EXPECT_EQ(money(end.rows[0].marketValue), "20,00");
    EXPECT_EQ(money(end.rows[0].price), "1,00");
    EXPECT_EQ(money(end.rows[0].weight), "100,00");
    EXPECT_FALSE(end.rows[0].costKnown);
    take(p, EndEvent{10019});
    const LedgerSummary summary = ledgerSummary(p);
    EXPECT_EQ(dateText(*summary.firstDate), "01 Gen 2002");
    EXPECT_EQ(dateText(*summary.lastDate), "05 Gen 2002");
    EXPECT_EQ(summary.days, 5u);
    EXPECT_EQ(summary.trades, 3u);
    EXPECT_EQ(summary.wins, 1u);
    EXPECT_TRUE(summary.finished);
    EXPECT_EQ(money(summary.finalWorth), "10019,00");
    EXPECT_FALSE(ledgerSummary(Portfolio()).firstDate);
}
