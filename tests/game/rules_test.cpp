// Trading, the win check and the day advance with exact random sequences.
#include "fakes/fake_random.h"
#include "game/rules.h"
#include "game/texts.h"

#include <gtest/gtest.h>

using namespace game;

namespace {

GameState withCash(const char* cash)
{
    GameState state = startingState();
    state.cash = cash;
    return state;
}

// Draws that leave every company alone but the one given, moved by the given change.
fakes::FakeRandom movesFor(int company, int whole, int decimal, bool negative)
{
    fakes::FakeRandom random;
    for (int i = 0; i < kCompanyCount; ++i) {
        if (i == company) {
            random.pushMove(whole, decimal, negative);
        } else {
            random.pushMove(0, 0, false);
        }
    }
    return random;
}

struct Move {
    const char* price;
    int whole;
    int decimal;
    bool negative;
    const char* change;
    const char* after;
};

} // namespace

TEST(NewGame, PutsBackTheStartingValuesAndTheDate)
{
    GameState state = startingState();
    state.companies[3].price = std::string(kFailedMark);
    state.companies[3].yesterday = "0,01";
    state.companies[3].change = "-0,1";
    state.companies[5].shares = "12";
    state.cash = "55";
    state.date = "03 Mar 2003";
    resetAfterWin(state);
    EXPECT_EQ(state.date, "03 Mar 2003"); // a win keeps the date
    EXPECT_EQ(state.companies[3].price, "66");
    EXPECT_EQ(state.companies[3].yesterday, "");
    EXPECT_EQ(state.companies[5].shares, "0");
    EXPECT_EQ(state.cash, "10000,00");
    newGame(state);
    EXPECT_EQ(state, startingState());
    EXPECT_EQ(state.date, "01 Gen 2002");
    EXPECT_EQ(state.companies[8].price, "605");
}

TEST(Trading, BuysAndSellsAtTheWholeCashValueThenCutsToCents)
{
    // No company selected: only the cents step.
    GameState state = startingState();
    EXPECT_EQ(buy(state, std::nullopt, ""), TradeOutcome::Done);
    EXPECT_EQ(state.cash, "10000");

    // Quantity 0 turns the cash into its whole-cash value.
    state = withCash("1234,56");
    EXPECT_EQ(buy(state, 0, "0"), TradeOutcome::Done);
    EXPECT_EQ(state.cash, "1235");

    // 1234,56 counts as 1235: one share at 1235 is allowed and leaves 0; one more is refused.
    state = withCash("1234,56");
    state.companies[2].price = "1235";
    EXPECT_EQ(buy(state, 2, "1"), TradeOutcome::Done);
    EXPECT_EQ(state.cash, "0");
    EXPECT_EQ(state.companies[2].shares, "1");
    EXPECT_EQ(buy(state, 2, "1"), TradeOutcome::NotEnoughCash);
    EXPECT_EQ(state.companies[2].shares, "1");

    // Shares are summed as numbers, never joined as texts.
    state = startingState();
    state.companies[1].shares = "5";
    EXPECT_EQ(buy(state, 1, "3"), TradeOutcome::Done);
    EXPECT_EQ(state.companies[1].shares, "8");
    EXPECT_EQ(state.cash, "9889"); // 10000 - 3 x 37

    // Selling exactly the shares held leaves 0; one more is refused but the cents step runs.
    EXPECT_EQ(sell(state, 1, "8"), TradeOutcome::Done);
    EXPECT_EQ(state.companies[1].shares, "0");
    EXPECT_EQ(state.cash, "10185");
    state.cash = "2,3";
    EXPECT_EQ(sell(state, 1, "1"), TradeOutcome::NotEnoughShares);
    EXPECT_EQ(state.cash, "2,29"); // floor(2,3 x 100) in doubles is 229
    state.cash = "1,15";
    EXPECT_EQ(buy(state, std::nullopt, "1"), TradeOutcome::Done);
    EXPECT_EQ(state.cash, "1,14");

    // A price with cents leaves cents in the cash.
    state = startingState();
    state.companies[0].price = "517,25";
    EXPECT_EQ(buy(state, 0, "2"), TradeOutcome::Done);
    EXPECT_EQ(state.cash, "8965,5");
}

TEST(Trading, RefusesUnreadableInputAndFailedCompaniesWithoutChangingAnything)
{
    const GameState start = withCash("1234,56");
    for (const char* quantity : {"", "1 2", "-5", "+5", "abc", "2147483648", "1,5"}) {
        GameState state = start;
        EXPECT_EQ(buy(state, 0, quantity), TradeOutcome::BadQuantity) << quantity;
        EXPECT_EQ(sell(state, 0, quantity), TradeOutcome::BadQuantity) << quantity;
        EXPECT_EQ(state, start) << quantity; // not even the cents step
    }
    GameState failed = start;
    failed.companies[4].price = std::string(kFailedMark);
    failed.companies[4].shares = "10";
    GameState state = failed;
    EXPECT_EQ(buy(state, 4, "1"), TradeOutcome::CompanyFailed);
    EXPECT_EQ(sell(state, 4, "1"), TradeOutcome::CompanyFailed);
    EXPECT_EQ(state, failed);

    GameState badCash = withCash("lots");
    state = badCash;
    EXPECT_EQ(buy(state, 0, "1"), TradeOutcome::BadCash);
    EXPECT_EQ(sell(state, std::nullopt, "1"), TradeOutcome::BadCash);
    EXPECT_EQ(state, badCash);
    GameState hugeCash = withCash("3000000000");
    state = hugeCash;
    EXPECT_EQ(buy(state, 0, "1"), TradeOutcome::BadCash);
    EXPECT_EQ(state, hugeCash);
}

TEST(Trading, KeyFilterLetsDigitsAndControlKeysThrough)
{
    for (int code : {int('0'), int('5'), int('9'), 8, 13, 32, 0}) {
        EXPECT_TRUE(quantityKeyAccepted(code)) << code;
    }
    for (int code : {int('-'), int(','), int('.'), int('a'), int('+'), 127, 0xF2, 0x8000, -1, -32768}) {
        EXPECT_FALSE(quantityKeyAccepted(code)) << code;
    }
}

TEST(Winning, NeedsCashOfAtLeastOneHundredThousand)
{
    EXPECT_TRUE(hasWon(withCash("100000")));
    EXPECT_TRUE(hasWon(withCash("1E+300")));
    EXPECT_FALSE(hasWon(withCash("99999,99")));
    EXPECT_FALSE(hasWon(withCash("")));
    // A purchase of 0 shares rounds 99999,5 up to the winning cash.
    GameState state = withCash("99999,5");
    buy(state, 0, "0");
    EXPECT_EQ(state.cash, "100000");
    EXPECT_TRUE(hasWon(state));
}

TEST(DayAdvance, MovesPricesByTheWorkedValues)
{
    const Move moves[] = {
        {"500", 3, 45, false, "+3,45", "517,25"}, {"500", 3, 45, true, "-3,45", "482,75"},
        {"80", 9, 9, true, "-9,9", "72,08"},      {"1100", 7, 25, true, "-7,25", "1020,25"},
        {"10000", 9, 99, false, "+9,99", "10999"}, {"0,29", 0, 0, false, "+0,0", "0,28"},
        {"37", 0, 5, false, "+0,5", "37,18"},     {"0,01", 0, 1, true, "-0,1", "0"},
        {"0,01", 0, 0, false, "+0,0", "0,01"},    {"0,01", 0, 0, true, "-0,0", "0,01"},
        {"1E+300", 9, 99, false, "+9,99", "1,0999E+300"},
    };
    for (const Move& move : moves) {
        GameState state = startingState();
        state.companies[6].price = move.price;
        fakes::FakeRandom random = movesFor(6, move.whole, move.decimal, move.negative);
        ASSERT_EQ(advanceDay(state, random).outcome, AdvanceOutcome::Done);
        EXPECT_EQ(state.companies[6].yesterday, move.price);
        EXPECT_EQ(state.companies[6].change, move.change);
        EXPECT_EQ(state.companies[6].price, move.after) << move.price << " " << move.change;
    }
}

TEST(DayAdvance, DrawsThreeValuesForEveryCompanyAndFailsAtZero)
{
    GameState state = startingState();
    state.companies[0].price = "0,01";
    state.companies[0].shares = "40";
    state.cash = "1234,56";
    const GameState before = state;

    fakes::FakeRandom random;
    random.pushMove(0, 1, true); // company 0: 0,01 -0,1 -> 0
    for (int i = 1; i < kCompanyCount; ++i) {
        random.pushMove(i % 10, (i * 7) % 100, i % 2 == 1);
    }
    ASSERT_EQ(advanceDay(state, random).outcome, AdvanceOutcome::Done);
    EXPECT_EQ(random.drawn(), 51u);
    EXPECT_EQ(state.date, "02 Gen 2002");
    EXPECT_EQ(state.companies[0].price, "0");
    EXPECT_EQ(state.companies[1].change, "-1,7");
    EXPECT_EQ(state.companies[2].change, "+2,14");
    EXPECT_EQ(state.cash, before.cash);
    for (int i = 0; i < kCompanyCount; ++i) {
        EXPECT_EQ(state.companies[i].shares, before.companies[i].shares);
    }

    // Zero fails at the next advance, keeping the move that brought it there; then nothing moves.
    for (int day = 0; day < 3; ++day) {
        fakes::FakeRandom again = movesFor(0, 9, 99, false);
        ASSERT_EQ(advanceDay(state, again).outcome, AdvanceOutcome::Done);
        EXPECT_EQ(again.drawn(), 51u);
        EXPECT_EQ(state.companies[0].price, " Fallita");
        EXPECT_EQ(state.companies[0].yesterday, "0,01");
        EXPECT_EQ(state.companies[0].change, "-0,1");
    }
    EXPECT_EQ(state.date, "05 Gen 2002");
}

TEST(DayAdvance, RefusesUnreadableStateWithoutChangingAnything)
{
    GameState state = startingState();
    state.date = "31 Feb 2002";
    fakes::FakeRandom random = movesFor(0, 1, 1, false);
    GameState before = state;
    EXPECT_EQ(advanceDay(state, random).outcome, AdvanceOutcome::BadDate);
    EXPECT_EQ(state, before);

    state = startingState();
    state.companies[9].price = "molto";
    before = state;
    const AdvanceResult result = advanceDay(state, random);
    EXPECT_EQ(result.outcome, AdvanceOutcome::BadPrice);
    EXPECT_EQ(result.company, 9);
    EXPECT_EQ(state, before);

    state = startingState();
    state.date = "31 Dic 32767";
    before = state;
    EXPECT_EQ(advanceDay(state, random).outcome, AdvanceOutcome::CalendarEnd);
    EXPECT_EQ(state, before);
    EXPECT_EQ(random.drawn(), 0u);
}
