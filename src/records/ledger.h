// The player's ledger: the side file beside the six that grows by one line per event, and the
// portfolio those lines make (what each holding cost, the gains of sales, the history).
#pragma once

#include "game/game_state.h"
#include "game/portfolio.h"
#include "records/ledger_lines.h"

#include <cstdint>
#include <optional>
#include <string>

namespace records {

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

    // Reads a side file's bytes, which it keeps as its text; nothing when they are not a whole
    // ledger of the game that goes on (a finished game's, ending with its last line, does not).
    static std::optional<Ledger> parse(std::string bytes);
    // A new ledger that starts from a saved game found without one (or with a bad one): the
    // holdings as the files have them, no cost known.
    static Ledger startingFrom(const game::GameState& state);

    // Whether the files hold exactly the state the ledger ends with.
    bool matches(const game::GameState& state) const { return ledgerMatches(m_kept, state); }
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
    // The days, trades and holdings its lines make.
    const game::Portfolio& portfolio() const { return m_kept.portfolio; }
    // Grows with every change: the window redraws only when it moved.
    std::uint64_t revision() const { return m_revision; }

    LedgerNote note;

private:
    // Every change is a line: applied to the figures and added to the text, so that the figures
    // read back from the file are the ones shown live. False (and nothing added) for a line the
    // reader would refuse.
    bool add(const std::string& line);
    // A line was refused: the history goes on from the state after a gap, as a start would.
    void goOnFrom(const game::GameState& state);

    std::string m_text;
    KeptLedger m_kept;
    std::uint64_t m_revision = 0;
};

} // namespace records
