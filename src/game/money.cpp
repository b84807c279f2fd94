// Checked arithmetic for the player's money and its texts: every figure handed out is finite.
#include "game/money.h"

#include "game/texts.h"

#include <cmath>
#include <cstdint>

namespace game {

namespace {

// Below this the value times 100 (or 10) fits a 64-bit integer many times over, so the rounding
// to whole hundredths (or tenths) cannot overflow; above it the game's number text is shown.
constexpr double kLargestFixed = 1e15;

enum class Sign { WhenNegative, Always };

// `value` in `decimals` (1 or 2) decimals with a comma.
std::string fixedText(double value, int decimals, Sign sign)
{
    if (!std::isfinite(value)) {
        return {};
    }
    if (std::fabs(value) >= kLargestFixed) {
        std::string text = numberText(value);
        return sign == Sign::Always && value > 0 ? "+" + text : text;
    }
    const double scale = decimals == 1 ? 10.0 : 100.0;
    const std::int64_t scaled = std::llround(value * scale); // |value * scale| < 1e17
    const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
    const auto unit = static_cast<std::int64_t>(scale);
    std::string part = std::to_string(magnitude % unit);
    if (decimals == 2 && part.size() < 2) {
        part.insert(part.begin(), '0');
    }
    const char* lead = scaled < 0 ? "-" : (sign == Sign::Always && scaled > 0 ? "+" : "");
    return lead + std::to_string(magnitude / unit) + "," + part;
}

} // namespace

Figure finite(double value)
{
    return std::isfinite(value) ? Figure(value) : std::nullopt;
}

Figure plus(Figure a, Figure b)
{
    return a && b ? finite(*a + *b) : std::nullopt;
}

Figure minus(Figure a, Figure b)
{
    return a && b ? finite(*a - *b) : std::nullopt;
}

Figure times(Figure a, Figure b)
{
    return a && b ? finite(*a * *b) : std::nullopt;
}

Figure dividedBy(Figure a, Figure b)
{
    return a && b && *b != 0 ? finite(*a / *b) : std::nullopt;
}

Figure percentOf(Figure part, Figure whole)
{
    if (!whole || !(*whole > 0)) {
        return std::nullopt;
    }
    return times(dividedBy(part, whole), 100.0);
}

std::string moneyText(double value)
{
    return fixedText(value, 2, Sign::WhenNegative);
}

std::string signedMoneyText(double value)
{
    return fixedText(value, 2, Sign::Always);
}

std::string percentText(double value)
{
    return fixedText(value, 2, Sign::WhenNegative);
}

std::string signedPercentText(double value)
{
    return fixedText(value, 2, Sign::Always);
}

} // namespace game
