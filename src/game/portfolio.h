// The player's portfolio over the ledger's events: holdings at average cost, realised gains, net
// worth, and each day and trade kept compactly for the statistics and the charts.
#pragma once

#include "game/game_state.h"
#include "game/money.h"
#include "game/texts.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace game {

// ---- The events, as the ledger tells them ----

// A day, as the save that covers it left the files.
struct DayEvent {
    Date date;
    double cash = 0;
    std::array<double, kCompanyCount> prices{}; // a failed company's price is not looked at
    std::uint32_t failed = 0;                   // bit i: company i has failed
};

// A purchase or sale on the last day.
struct TradeEvent {
    bool buy = true;
    int company = 0;
    std::int32_t quantity = 1;
    double price = 0;
    double amount = 0; // the cash it took (a purchase) or brought (a sale), rounding included
    double cashAfter = 0;
};

// A win on the last day: the portfolio closes with this net worth and a new one starts.
struct WinEvent {
    double netWorth = 0;
};

// The files moved on without the ledger: the shares they hold. A new stretch starts.
struct GapEvent {
    std::array<double, kCompanyCount> shares{};
};

// The game is finished; nothing follows.
struct EndEvent {
    double netWorth = 0;
};

// Why an event was refused; a refused event changes nothing.
enum class EventFault {
    None,
    // A number not finite, a date not of the calendar, a company or quantity out of range.
    BadValue,
    BeforeFirstDay, // a trade, win or end before any day
    DayExpected,    // after a gap only a day may come
    DateBack,       // a day earlier than the day before it, in one stretch
    WinAgain,       // a win right after a win: the reset leaves no cash to win with
    AfterEnd,       // anything after the end
    TooMany,        // more days or trades than the counts can hold
};

// ---- What is kept ----

struct LedgerDay {
    Date date;
    std::uint32_t portfolio = 0; // the portfolio the day began in
    std::int64_t number = 1;     // counted from the ledger's first day by the calendar
    double cash = 0;
    double worth = 0;                           // see netWorth()
    std::array<double, kCompanyCount> prices{}; // 0 for a failed company
    std::uint32_t failed = 0;
    bool worthKnown = false;
    bool afterGap = false; // the files moved on without the ledger just before this day
    bool win = false;      // a win closed the portfolio on this day

    // Cash plus every holding at the day's prices, as the day began.
    Figure netWorth() const { return worthKnown ? Figure(worth) : std::nullopt; }
    bool hasFailed(int company) const { return (failed >> company & 1U) != 0; }
};

struct LedgerTrade {
    std::uint32_t day = 0; // index into days()
    std::uint32_t portfolio = 0;
    std::int32_t quantity = 0;
    std::uint8_t company = 0;
    bool buy = true;
    bool gainKnown = false;
    double price = 0;
    double amount = 0;
    double cashAfter = 0;
    double gain = 0; // see realised()

    // A sale: what it brought minus the average cost of the shares sold; unknown for a purchase
    // and for a sale from a holding of unknown cost.
    Figure realised() const { return gainKnown ? Figure(gain) : std::nullopt; }
};

// One portfolio: from the ledger's start, a win or a gap, to the next of them or today. Its days
// are those that began in it; a win's day is the last of the portfolio it closes.
struct PortfolioSpan {
    enum class Start : std::uint8_t { Ledger, Win, Gap };
    enum class End : std::uint8_t { Open, Win, Gap, Finished };
    static constexpr std::uint32_t kNoGap = 0xFFFFFFFFU;

    std::uint32_t firstDay = 0, endDay = 0;     // days [firstDay, endDay)
    std::uint32_t firstTrade = 0, endTrade = 0; // trades [firstTrade, endTrade)
    std::uint32_t gap = kNoGap;                 // with Start::Gap: index into gapShares()
    Start start = Start::Ledger;
    End end = End::Open;
    bool closingKnown = false;
    double closing = 0;

    // The net worth it closed with: a win's or the end's, or its value when a gap came.
    Figure closingWorth() const { return closingKnown ? Figure(closing) : std::nullopt; }
};

// One company's holding: its shares and the cash they took. After a gap a holding whose shares
// changed has no known cost, and under average cost shares bought later cannot be told apart
// from those: its cost stays unknown until its shares reach 0.
struct Holding {
    double shares = 0;
    Figure cost = 0.0;
    Figure averageCost() const;
};

// Shares within this of each other are the same holding (the files round them to 15 digits).
inline constexpr double kSharesTolerance = 1e-6;

// The shares a holding has after a trade, rounded as the rules round them: none once they come
// within the tolerance of 0, or below it by a sale.
double sharesAfterTrade(double shares, bool buy, std::int32_t quantity);

class Portfolio {
public:
    // Room for a ledger's days and trades counted before reading it: no growth while it reads.
    void reserve(std::size_t days, std::size_t trades, std::size_t portfolios, std::size_t gaps);

    EventFault add(const DayEvent& event);
    EventFault add(const TradeEvent& event);
    EventFault add(const WinEvent& event);
    EventFault add(const GapEvent& event);
    EventFault add(const EndEvent& event);

    const std::vector<LedgerDay>& days() const { return m_days; }
    const std::vector<LedgerTrade>& trades() const { return m_trades; }
    const std::vector<PortfolioSpan>& portfolios() const { return m_spans; }
    const std::vector<std::array<double, kCompanyCount>>& gapShares() const { return m_gapShares; }

    // Today's figures: the holdings, the cash the last event left, and the realised gains of the
    // current portfolio with the count of its sales of unknown gain (left out of them).
    const std::array<Holding, kCompanyCount>& holdings() const { return m_holdings; }
    double cash() const { return m_cash; }
    Figure realised() const { return m_realised; }
    std::size_t unknownSales() const { return m_unknownSales; }
    bool gapPending() const { return m_gapPending; }
    bool lastWasWin() const { return m_lastWasWin; }
    bool ended() const { return m_ended; }

private:
    EventFault refuseAfterDay() const;
    void closeSpan(PortfolioSpan::End end, Figure closing);
    void openSpan(PortfolioSpan::Start start);

    std::vector<LedgerDay> m_days;
    std::vector<LedgerTrade> m_trades;
    std::vector<PortfolioSpan> m_spans;
    std::vector<std::array<double, kCompanyCount>> m_gapShares;
    std::array<Holding, kCompanyCount> m_holdings{};
    double m_cash = 0;
    Figure m_realised = 0.0;
    std::size_t m_unknownSales = 0;
    bool m_gapPending = false;
    bool m_lastWasWin = false;
    bool m_ended = false;
};

// Cash plus every holding at the last day's prices: the portfolio's value now.
Figure currentNetWorth(const Portfolio& portfolio);
// The net worth the day before the last began with, when both days are of one portfolio.
Figure previousNetWorth(const Portfolio& portfolio);
// A state's net worth: its cash plus every holding at today's prices (a failed company, "0" and
// a text that is no number count 0).
Figure netWorthOf(const GameState& state);

// ---- The holdings table at today's state ----

struct HoldingRow {
    int company = 0;
    double shares = 0;
    // False for shares of unknown cost: after a gap, or found without a ledger.
    bool costKnown = false;
    Figure price; // today's (0 for a failed company)
    Figure averageCost, totalCost, marketValue, gain, percent;
    Figure weight; // the market value as a per cent of all holdings' (when that is above 0)
};

struct HoldingTotals {
    Figure totalCost, marketValue, gain, percent;
    std::size_t leftOut = 0; // holdings whose gain is unknown, left out of cost, gain and per cent
};

struct HoldingsTable {
    std::vector<HoldingRow> rows; // the companies held, in the table's order
    HoldingTotals totals;
};

// The shares and prices come from the state (what the main window shows); a holding whose shares
// the ledger does not know whole has no known cost.
HoldingsTable holdingsTable(const Portfolio& portfolio, const GameState& today);
// The table as the ledger ends: its own holdings at its last day's prices (a finished game's).
HoldingsTable holdingsAtEnd(const Portfolio& portfolio);

} // namespace game
