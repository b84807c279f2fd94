// Trading, the win check and the day advance.
#include "game/rules.h"

#include "game/texts.h"

#include <cmath>

namespace game {

namespace {

// After every press of either trade button the cash is cut to whole hundredths. The product,
// floor and quotient are each rounded as doubles, so 2,3 becomes 2,29.
bool centsStep(GameState& state)
{
    const std::optional<double> cash = readNumber(state.cash);
    if (!cash) {
        return false;
    }
    state.cash = numberText(std::floor(*cash * 100.0) / 100.0);
    return true;
}

enum class Side { Buy, Sell };

TradeOutcome trade(GameState& state, std::optional<int> selected, std::string_view quantity, Side side)
{
    // Everything is read before anything changes, so a refusal leaves the state as it was.
    if (!readNumber(state.cash)) {
        return TradeOutcome::BadCash;
    }
    TradeOutcome outcome = TradeOutcome::Done;
    if (selected && *selected >= 0 && *selected < kCompanyCount) {
        Company& company = state.companies[static_cast<std::size_t>(*selected)];
        const std::optional<std::int32_t> q = readQuantity(quantity);
        if (!q) {
            return TradeOutcome::BadQuantity;
        }
        if (company.price == kFailedMark) {
            return TradeOutcome::CompanyFailed;
        }
        const std::optional<double> price = readNumber(company.price);
        if (!price) {
            return TradeOutcome::BadPrice;
        }
        const std::optional<double> shares = readNumber(company.shares);
        if (!shares) {
            return TradeOutcome::BadShares;
        }
        const std::optional<std::int32_t> wholeCash = readWhole(state.cash);
        if (!wholeCash) {
            return TradeOutcome::BadCash;
        }
        const double quantityValue = *q;
        if (side == Side::Buy) {
            const double rest = *wholeCash - *price * quantityValue;
            if (rest >= 0) {
                state.cash = numberText(rest);
                company.shares = numberText(*shares + quantityValue);
            } else {
                outcome = TradeOutcome::NotEnoughCash;
            }
        } else {
            const double newCash = *wholeCash + quantityValue * *price;
            if (quantityValue <= *shares) {
                state.cash = numberText(newCash);
                company.shares = numberText(*shares - quantityValue);
            } else {
                outcome = TradeOutcome::NotEnoughShares;
            }
        }
    }
    centsStep(state); // the cash was checked above and every cash written since is a number
    return outcome;
}

// The new price from the old one and the change, each operation rounded on its own, then cut
// (never rounded) to whole hundredths.
double movedPrice(double p, double c)
{
    const double t1 = p * c;
    const double t2 = t1 / 100.0;
    const double t3 = p + t2;
    const double t4 = t3 * 100.0;
    const double t5 = std::floor(t4);
    return t5 / 100.0;
}

int drawBelow(RandomSource& random, int limit)
{
    const int value = static_cast<int>(std::floor(random.next() * limit));
    return value < 0 ? 0 : (value >= limit ? limit - 1 : value);
}

} // namespace

TradeOutcome buy(GameState& state, std::optional<int> selected, std::string_view quantity)
{
    return trade(state, selected, quantity, Side::Buy);
}

TradeOutcome sell(GameState& state, std::optional<int> selected, std::string_view quantity)
{
    return trade(state, selected, quantity, Side::Sell);
}

bool quantityKeyAccepted(std::int32_t code)
{
    // Digits, and the control keys and the space (codes up to 32). A character code is never
    // negative here, so nothing outside that range slips through as a small number.
    return (code >= '0' && code <= '9') || (code >= 0 && code <= 32);
}

bool hasWon(const GameState& state)
{
    const std::optional<double> cash = readNumber(state.cash);
    return cash && *cash >= kWinningCash;
}

AdvanceResult advanceDay(GameState& state, RandomSource& random)
{
    const std::optional<Date> today = readDate(state.date);
    if (!today) {
        return {AdvanceOutcome::BadDate};
    }
    for (int i = 0; i < kCompanyCount; ++i) {
        const std::string& price = state.companies[static_cast<std::size_t>(i)].price;
        if (price != "0" && price != kFailedMark && !readNumber(price)) {
            return {AdvanceOutcome::BadPrice, i};
        }
    }
    const std::optional<Date> tomorrow = nextDay(*today);
    if (!tomorrow) {
        return {AdvanceOutcome::CalendarEnd};
    }
    state.date = dateText(*tomorrow);

    for (Company& company : state.companies) {
        // Three draws for every company, also for one that does not move today.
        const int whole = drawBelow(random, 10);
        const int decimal = drawBelow(random, 100);
        const bool negative = drawBelow(random, 2) == 1;
        if (company.price == "0") {
            company.price = std::string(kFailedMark);
        } else if (company.price != kFailedMark) {
            company.yesterday = company.price;
            company.change = changeText(negative, whole, decimal);
            const double p = *readNumber(company.price);
            const double c = *readNumber(company.change);
            company.price = numberText(movedPrice(p, c));
        }
    }
    return {};
}

} // namespace game
