// Checked arithmetic for the player's money and its texts: every figure handed out is finite.
#pragma once

#include <optional>
#include <string>

namespace game {

// A figure that may be unknown: a cost the ledger never saw, or a value too large for a double.
using Figure = std::optional<double>;

// Each operation is done on its own and checked: a result that is not finite is unknown, so a
// sum of huge holdings never becomes "inf" and a ratio never divides by zero.
Figure finite(double value);
Figure plus(Figure a, Figure b);
Figure minus(Figure a, Figure b);
Figure times(Figure a, Figure b);
Figure dividedBy(Figure a, Figure b); // unknown when b is 0
// `part` as a per cent of `whole`; unknown unless `whole` is above 0 (a cost that the whole-cash
// rounding made 0 or negative has no per cent).
Figure percentOf(Figure part, Figure whole);

// Money as the ledger shows it: two decimals, a decimal comma, no grouping ("1234,56",
// "-0,50", "0,00"); from 1E+15 up the game's number text ("1,5E+20"). Empty when not finite.
std::string moneyText(double value);
// The same with a sign on gains: "+12,00", "0,00", "-3,10".
std::string signedMoneyText(double value);
// A per cent with two decimals, as the window shows it ("12,50", "-0,30"); the "%" is the caller's.
std::string percentText(double value);
std::string signedPercentText(double value);

} // namespace game
