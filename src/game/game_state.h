// The game state: the texts the main window shows and the autosave files hold, and the company table.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace game {

inline constexpr int kCompanyCount = 17;

inline constexpr std::string_view kStartCash = "10000,00";
inline constexpr std::string_view kStartDate = "01 Gen 2002";
// A failed company's price text: a leading blank, then the word.
inline constexpr std::string_view kFailedMark = " Fallita";
inline constexpr double kWinningCash = 100000.0;

// One row of the portfolio. Every field is a text in the files' single-byte code page,
// kept exactly as read so that what was loaded is shown and written back unchanged.
struct Company {
    std::string shares;    // shares held ("Azioni Aquistate")
    std::string yesterday; // yesterday's price ("Valore Ieri"), empty until the first move
    std::string change;    // latest change in percent ("Incr."), empty until the first move
    std::string price;     // today's price ("Valore Oggi"), "0" or the failed mark
    friend bool operator==(const Company&, const Company&) = default;
};

struct GameState {
    std::array<Company, kCompanyCount> companies;
    std::string cash;
    std::string date;
    friend bool operator==(const GameState&, const GameState&) = default;
};

struct CompanyListing {
    std::string_view name;       // caption of the option button, UTF-8
    std::string_view startPrice; // price text a new game puts back
};

const std::array<CompanyListing, kCompanyCount>& companyTable();

// The state of a new game: starting prices and cash, the start date.
GameState startingState();

// New game: every per-company text and the cash back to the start, and the start date.
void newGame(GameState& state);

// The reset after a win: like a new game, but the date stays.
void resetAfterWin(GameState& state);

} // namespace game
