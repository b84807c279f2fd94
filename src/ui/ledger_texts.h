// The ledger window's texts and colours: money, per cents, counts and dates as a portfolio tracker
// shows them, the same in both languages, and gains and losses in colours that stay readable.
#pragma once

#include "game/money.h"
#include "game/texts.h"

#include <QColor>
#include <QString>

#include <cstdint>

class QPalette;

namespace ui::ledger {

// What the ledger cannot know (a cost after a gap) or compute finitely.
QString unknown();

// Two decimals and a decimal comma as the game rounds them, thousands grouped with a narrow
// no-break space, a true minus sign: "12 345,67", "−3,10"; unknown as "—".
QString money(game::Figure value);
// The same with a plus on gains: "+12,00", "0,00", "−3,10".
QString signedMoney(game::Figure value);
// A per cent with two decimals: signed ("+12,35%", "−0,40%") or plain ("42,35%").
QString signedPercent(game::Figure value);
QString percent(game::Figure value);
// Shares as the game counts them ("1 200", "12,5"), and counts of days or trades ("3 650").
QString shares(double value);
QString count(std::int64_t value);

// +1 for a gain, -1 for a loss, 0 for what shows as zero or is unknown.
int sign(game::Figure value);

QString date(const game::Date& date);
QString company(int index);

// Why a cost is unknown, for the tooltip on each figure it leaves out.
QString unknownCostTip();

// Text colours for gains and losses on the palette's base, alternate base and window faces,
// each at least 4.5 : 1 against all three.
struct Tones {
    QColor gain;
    QColor loss;
};
Tones tones(const QPalette& palette);

} // namespace ui::ledger
