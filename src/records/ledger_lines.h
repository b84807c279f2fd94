// The ledger's side file line by line: the line the game writes for each event, and a reader that
// takes a whole file's bytes into the portfolio, bounded and checked.
#pragma once

#include "game/game_state.h"
#include "game/portfolio.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace records {

// The first line; then one line per event, each ending in LF, fields separated by ";":
//   D;<date>;<cash>;<17 prices, "F" for a failed company>     a day
//   T;<B|S>;<company 0-16>;<quantity>;<price>;<amount>;<cash after>   a trade on the last day
//   W;<net worth>                                  a win: the portfolio closes and starts again
//   G;<17 shares held>                             the files moved on without the ledger
//   E;<net worth>                                  a new game finished this ledger
inline constexpr std::string_view kLedgerHeader = "TolvStreet ledger 1\n";
// The game writes lines of at most a few hundred bytes: a longer line is not one of its.
inline constexpr std::size_t kLongestLedgerLine = 64 * 1024;
// The game's own texts are far shorter; a longer one (only a padded file's) is written as the
// game's text of its value, which reads back the same.
inline constexpr std::size_t kLongestLedgerField = 64;

// ---- Writing: one line for each of the player's events, without its LF ----
// The state is one the six files accept (or the game's own); the trade's company is 0..16 and
// its quantity above 0, as the session passes them.
std::string dayLine(const game::GameState& state);
// The cash it took or brought is the difference of the states around it.
std::string tradeLine(const game::GameState& before, const game::GameState& after, int company,
                      bool buy, std::int32_t quantity);
// With the state after the winning sale and before the reset.
std::string winLine(const game::GameState& state);
// The gap's line; the day's line of the same state follows it.
std::string gapLine(const game::GameState& state);
// Closes a finished game's ledger with its last day's net worth.
std::string endLine(const game::Portfolio& portfolio);

// ---- Reading ----

enum class LedgerFault {
    None,
    NotALedger,  // the first line is not the header (another release's, or not a ledger)
    CutShort,    // the last line has no LF
    LineTooLong, // over kLongestLedgerLine
    NotAscii,    // a byte that is not printable ASCII
    UnknownLine, // no known kind of line
    FieldCount,
    NotANumber,
    BadCompany,  // not 0..16
    BadQuantity, // not a whole number in 1..2147483647
    NotADate,    // not a date of the game's calendar
    DateBack,    // a day before the one before it, with no gap between
    BeforeFirstDay,
    DayExpected, // a gap not followed by its day
    WinAgain,    // a win right after a win
    AfterEnd,
    NoDay,
    TooLarge, // more days or trades than the counts hold
};

// The texts of the state the ledger ends with, for the start to compare with the six files.
struct LedgerTail {
    std::string date;
    std::string cash;
    std::array<std::string, game::kCompanyCount> prices; // as written: "F" for a failed company
    bool won = false; // the last event was a win: the files hold the starting prices and cash
};

struct KeptLedger {
    game::Portfolio portfolio;
    LedgerTail tail;
};

struct LedgerRead {
    std::optional<KeptLedger> ledger; // nothing when the bytes are not a whole ledger
    LedgerFault fault = LedgerFault::None;
    std::size_t line = 0; // with a fault: its line, the header being line 1
};

// Reads a side file's bytes. Memory: the days and trades are counted first and room made for
// them once; no line is copied.
LedgerRead readLedger(std::string_view bytes);

// One line the game adds as it plays (without its LF), with the same checks; a refused line
// changes nothing.
LedgerFault addLedgerLine(KeptLedger& ledger, std::string_view line);

// Whether the six files hold exactly the state the ledger ends with (else the start marks a gap).
bool ledgerMatches(const KeptLedger& ledger, const game::GameState& state);

} // namespace records
