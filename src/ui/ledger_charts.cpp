// The ledger's days as the time chart takes them.
#include "ui/ledger_charts.h"

#include "game/portfolio_figures.h"
#include "ui/ledger_texts.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace ui::ledger {

namespace {

// One series over every day, NaN where it has no value.
ChartSeries seriesOver(const ChartDays& days, QString name)
{
    ChartSeries series;
    series.name = std::move(name);
    if (!days.x.empty()) {
        series.firstX = days.x.front();
        series.values.assign(static_cast<std::size_t>(days.x.back() - days.x.front() + 1),
                             std::numeric_limits<double>::quiet_NaN());
    }
    return series;
}

void put(ChartSeries& series, std::int64_t x, double value)
{
    series.values[static_cast<std::size_t>(x - series.firstX)] = value;
}

} // namespace

ChartDays chartDays(const game::Portfolio& portfolio)
{
    ChartDays chart;
    const std::vector<game::LedgerDay>& days = portfolio.days();
    if (days.empty()) {
        return chart;
    }
    // A history of n days spans about n day numbers; jumps far beyond that only a file the game
    // did not write has.
    const std::int64_t span = days.back().number - days.front().number;
    const auto count = static_cast<std::int64_t>(days.size());
    const bool dense = span <= 4 * count + 4096;
    chart.x.reserve(days.size());
    for (std::size_t i = 0; i < days.size(); ++i) {
        const game::LedgerDay& day = days[i];
        const std::int64_t calendar = game::dayNumber(day.date);
        std::int64_t x = dense ? day.number : static_cast<std::int64_t>(i) + 1;
        bool joined = false;
        if (i > 0 && !day.afterGap) {
            const std::int64_t step = calendar - game::dayNumber(days[i - 1].date);
            joined = dense ? x - chart.x.back() == step : step == 1;
        }
        if (joined) {
            chart.stretches.back().lastX = x;
        } else {
            chart.stretches.push_back({x, x, calendar});
        }
        chart.x.push_back(x);
    }
    return chart;
}

ChartData netWorthChart(const game::Portfolio& portfolio, const ChartDays& days)
{
    ChartData data;
    data.stretches = days.stretches;
    ChartSeries series =
        seriesOver(days, QCoreApplication::translate("ui::LedgerWindow", "Patrimonio netto"));
    const std::vector<game::LedgerDay>& all = portfolio.days();
    for (std::size_t i = 0; i < all.size() && i < days.x.size(); ++i) {
        if (const game::Figure worth = all[i].netWorth()) {
            put(series, days.x[i], *worth);
        }
    }
    for (const game::WinDay& win : game::winDays(portfolio)) {
        if (win.day < days.x.size()) {
            series.markers.push_back(
                {days.x[win.day], ChartMark::Win,
                 QCoreApplication::translate("ui::LedgerWindow",
                                             "Vittoria: il portafoglio si chiude con %1")
                     .arg(money(win.netWorth))});
        }
    }
    data.series.push_back(std::move(series));
    return data;
}

ChartData priceChart(const game::Portfolio& portfolio, const ChartDays& days,
                     const std::vector<int>& companies)
{
    ChartData data;
    data.stretches = days.stretches;
    const std::vector<game::LedgerDay>& all = portfolio.days();
    for (const int company : companies) {
        if (company < 0 || company >= game::kCompanyCount) {
            continue;
        }
        ChartSeries series = seriesOver(days, ledger::company(company));
        series.colour = company;
        for (std::size_t i = 0; i < all.size() && i < days.x.size(); ++i) {
            if (!all[i].hasFailed(company)) {
                put(series, days.x[i], all[i].prices[static_cast<std::size_t>(company)]);
            }
        }
        for (const game::TradeMark& mark : game::tradeMarks(portfolio, company)) {
            const game::LedgerTrade& trade = portfolio.trades()[mark.trade];
            if (trade.day < days.x.size()) {
                series.markers.push_back({days.x[trade.day],
                                          trade.buy ? ChartMark::Buy : ChartMark::Sell,
                                          tradeLine(trade)});
            }
        }
        data.series.push_back(std::move(series));
    }
    return data;
}

QString tradeLine(const game::LedgerTrade& trade)
{
    const QString what =
        trade.buy ? QCoreApplication::translate("ui::LedgerWindow", "Acquisto di %1 %2 a %3: %4")
                  : QCoreApplication::translate("ui::LedgerWindow", "Vendita di %1 %2 a %3: %4");
    return what.arg(count(trade.quantity), company(trade.company), money(trade.price),
                    money(trade.amount));
}

} // namespace ui::ledger
