// The rules that change the game state: trading, the day advance and the win.
#pragma once

#include "game/game_state.h"
#include "game/random_source.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace game {

enum class TradeOutcome {
    Done,            // traded (or nothing selected); the cents step ran
    NotEnoughCash,   // "Non hai abbastanza soldi!"; the cents step still ran
    NotEnoughShares, // "Non puoi vendere più azioni di quelle che hai!"; the cents step still ran
    BadQuantity,     // the quantity is no whole number in range; nothing changed
    CompanyFailed,   // the selected company has failed; nothing changed
    BadCash,         // the cash text is no number in range; nothing changed
    BadPrice,        // the selected company's price text is no number; nothing changed
    BadShares,       // the selected company's shares held are no number; nothing changed
};

// Buy and sell for the selected company (nullopt: none selected) and the quantity text.
TradeOutcome buy(GameState& state, std::optional<int> selected, std::string_view quantity);
TradeOutcome sell(GameState& state, std::optional<int> selected, std::string_view quantity);

// The quantity entry's key filter: digits and codes up to 32 pass, anything else is refused.
bool quantityKeyAccepted(std::int32_t code);

// The win check: cash of at least 100000.
bool hasWon(const GameState& state);

enum class AdvanceOutcome {
    Done,
    BadDate,     // the date text does not read as a date; nothing changed
    CalendarEnd, // the date is 31 Dic 32767; nothing changed
    BadPrice,    // a price text does not read as a number; nothing changed
};

struct AdvanceResult {
    AdvanceOutcome outcome = AdvanceOutcome::Done;
    int company = -1; // with BadPrice: which company
};

// One day: the date moves on, then every company draws three values and moves, fails or stays.
AdvanceResult advanceDay(GameState& state, RandomSource& random);

} // namespace game
