// The player's ledger: what each holding cost, the gains of sales, net worth, and the history of
// every day and trade, kept in a side file beside the six that grows by one line per event.
#pragma once

#include "game/game_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// Money as the ledger shows it: two decimals, a decimal comma, no grouping ("1234,56", "-0,50").
std::string moneyText(double value);
// A gain as a per cent of its cost, one decimal ("12,5"); nothing when the cost is 0.
std::optional<std::string> percentText(double gain, double cost);

// Today's price of one share as a number: a failed company, "0" and a text that is no number
// count 0.
double priceValue(std::string_view price);
// Cash plus every holding at today's price.
double netWorth(const game::GameState& state);

// One company's holding: the shares and the cash they took (whole-cash rounding included).
struct Holding {
    double shares = 0;
    double cost = 0;
    double averageCost() const { return shares > 0 ? cost / shares : 0; }
};

struct DayRecord {
    int number = 0;   // counted from the ledger's first day, by the game's calendar
    std::string date; // the game's date text
    std::string cash;
    std::array<std::string, game::kCompanyCount> prices; // as shown, " Fallita" included
    double netWorth = 0;
    bool afterGap = false; // the files moved on without the ledger just before this day
    bool win = false;      // a win closed the portfolio on this day
};

struct TradeRecord {
    int day = 0; // the day's number
    std::string date;
    bool buy = true;
    int company = 0;
    double quantity = 0;
    std::string price;
    double amount = 0;   // the cash the trade took (a purchase) or brought (a sale)
    double realised = 0; // a sale: what it brought minus the average cost of the shares sold
};

struct WinRecord {
    int day = 0;
    std::string date;
    double netWorth = 0; // the portfolio's final net worth
};

// What a new ledger lacks, or why it is not kept, for the window to say.
struct LedgerNote {
    enum class Kind {
        None,
        Missing,  // saves of an earlier release: the history starts from the files' day
        Damaged,  // the file was damaged or not the game's: kept as `file`
        Gap,      // the six files moved on without the ledger: a gap, then the files' day
        NotSaved, // the side file cannot be kept or written: the ledger lives for this run only
    } kind = Kind::None;
    std::string date; // the day the history starts again
    std::string file; // where a damaged file was kept
};

class Ledger {
public:
    Ledger();

    // Reads a side file's bytes; nothing when they are not a whole ledger of the game.
    static std::optional<Ledger> parse(std::string_view bytes);
    // A new ledger that starts from a saved game found without one (or with a bad one): the
    // holdings as the files have them, no cost known.
    static Ledger startingFrom(const game::GameState& state);

    // Whether the files hold exactly the state the ledger ends with.
    bool matches(const game::GameState& state) const;
    // The files moved on without the ledger: marks the gap and goes on from the files' day.
    void markGap(const game::GameState& state);

    // The player's events. `before` and `after` are the states around a trade that went
    // through; the cash it took or brought is their difference.
    void trade(const game::GameState& before, const game::GameState& after, int company, bool buy,
               std::int32_t quantity);
    void day(const game::GameState& state);
    // A win, with the state after the winning sale and before the reset.
    void win(const game::GameState& state);
    // A new game: this ledger is finished and a new one starts. Gives the finished ledger's
    // text, closed with its last figures, to be kept as an archive; nothing when it held no day.
    std::optional<std::string> newGame(const game::GameState& state);

    // The ledger's whole text, as its side file holds it once every save is written.
    const std::string& text() const { return m_text; }
    // ---- What the window shows ----
    const std::vector<DayRecord>& days() const { return m_days; }
    const std::vector<TradeRecord>& trades() const { return m_trades; }
    const std::vector<WinRecord>& wins() const { return m_wins; }
    const std::array<Holding, game::kCompanyCount>& holdings() const { return m_holdings; }
    // Realised gains of the portfolio since it started (a win starts a new one).
    double realised() const { return m_realised; }
    // Net worth at the day before the current one, if the history has it.
    std::optional<double> previousNetWorth() const;
    // Grows with every change: the window redraws only when it moved.
    std::uint64_t revision() const { return m_revision; }

    LedgerNote note;

private:
    // Every change is a line: applied to the figures and added to what the next save writes,
    // so that the figures read back from the file are the ones shown live.
    void add(const std::string& line);
    bool apply(std::string_view line);

    std::string m_text;

    std::vector<DayRecord> m_days;
    std::vector<TradeRecord> m_trades;
    std::vector<WinRecord> m_wins;
    std::array<Holding, game::kCompanyCount> m_holdings{};
    double m_realised = 0;
    std::string m_cash; // the cash the files must hold
    bool m_won = false; // the last line was a win: the files hold the starting portfolio
    bool m_gap = false;
    std::uint64_t m_revision = 0;
};

// One line of the holdings table, at today's prices.
struct HoldingRow {
    int company = -1; // -1: the totals
    double shares = 0;
    double averageCost = 0;
    double totalCost = 0;
    double marketValue = 0;
    double gain = 0;
    std::optional<std::string> percent; // none where the cost is 0
};
// The companies held, then the totals.
std::vector<HoldingRow> holdingRows(const Ledger& ledger, const game::GameState& state);

struct LedgerStats {
    int days = 0;
    int trades = 0;
    std::optional<TradeRecord> best;  // the sale with the highest realised gain
    std::optional<TradeRecord> worst; // and with the lowest
    double highest = 0;               // the highest net worth in the history (a win's included)
    std::string highestDate;
    int highestDay = 0;
};
LedgerStats ledgerStats(const Ledger& ledger);

// The trade journal and the history as a spreadsheet reads them: UTF-8 with a byte-order mark,
// ";" between fields (the numbers have decimal commas), a header row, CR LF line ends.
std::string tradesCsv(const Ledger& ledger);
std::string historyCsv(const Ledger& ledger);

} // namespace records
