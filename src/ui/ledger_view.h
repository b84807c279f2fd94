// What the ledger window shows: the game being played, or a finished game read-only.
#pragma once

#include "game/portfolio.h"

#include <memory>
#include <string>

namespace ui::ledger {

struct View {
    // The portfolio shown. The game being played: the session's own, which changes with every
    // event (so a view is made afresh after each); a finished game: its own copy, held here.
    const game::Portfolio* portfolio = nullptr;
    std::shared_ptr<const game::Portfolio> finished;
    // The holdings: today's state for the game being played, as the ledger ends for a finished one.
    game::HoldingsTable holdings;
    int number = 0;   // the finished game's (Data.ledger.gameN)
    std::string name; // its file's

    bool live() const { return !finished; }
    // Rows of a table made from an older view may still be asked for once a new game emptied
    // the portfolio: they show nothing.
    bool hasDay(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < portfolio->days().size();
    }
    bool hasTrade(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < portfolio->trades().size();
    }
};

using ViewPtr = std::shared_ptr<const View>;

} // namespace ui::ledger
