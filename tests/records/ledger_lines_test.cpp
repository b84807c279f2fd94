// The ledger's lines: files of the current release read back with the same figures, what the
// reader refuses as damaged, and every line the game writes read back and matched to its state.
#include "game/rules.h"
#include "records/ledger.h"
#include "records/ledger_lines.h"

#include <gtest/gtest.h>

using records::LedgerFault;
using records::readLedger;

namespace {

std::string ledgerOf(const std::vector<std::string>& lines)
{
    std::string bytes(records::kLedgerHeader);
    for (const std::string& line : lines) {
        bytes += line + "\n";
    }
    return bytes;
}

const std::string kDay = "D;01 Gen 2002;10000,00;755;F;0;1E+300;-5;1;1;1;1;1;1;1;1;1;1;1;1";

std::string dayOn(const std::string& date)
{
    return "D;" + date + ";10000,00;755;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1;1";
}

} // namespace

// A ledger written by the previous release for a short game (found without a ledger, three trades,
// a day with a failed company, a win): it reads with the same figures, and today's writer writes
// the same bytes for the same play.
TEST(LedgerLines, FilesOfTheCurrentReleaseReadWithTheSameFigures)
{
    const std::string written =
        "TolvStreet ledger 1\nG;4;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0\n"
        "D;01 Gen 2002;10000,00;755;37;70;66;562;332;117;24;605;441;1100;70;35;150;39;80;500\n"
        "T;B;1;7;37;259,00;9741\nT;S;1;3;37;111,00;9852\nT;S;0;1;755;755,00;10607\n"
        "D;02 Gen 2002;10607;755;37;F;66;562;332;117;24;605;441;1100;70;35;150;39;80;500\n"
        "W;202413,00\n";
    game::GameState state = game::startingState();
    state.companies[0].shares = "4"; // found without a ledger: no cost known
    records::Ledger today = records::Ledger::startingFrom(state);
    const auto press = [&](int company, bool buy, const char* quantity) {
        const game::GameState before = state;
        const auto outcome =
            buy ? game::buy(state, company, quantity) : game::sell(state, company, quantity);
        ASSERT_EQ(outcome, game::TradeOutcome::Done);
        today.trade(before, state, company, buy, *game::readQuantity(quantity));
    };
    press(1, true, "7");
    press(1, false, "3");
    press(0, false, "1");
    state.date = "02 Gen 2002";
    state.companies[2].price = " Fallita";
    today.day(state);
    state.cash = "200000";
    today.win(state);
    game::resetAfterWin(state);
    EXPECT_EQ(today.text(), written);

    const std::string text = written;
    const records::LedgerRead read = readLedger(text);
    ASSERT_TRUE(read.ledger) << static_cast<int>(read.fault) << " at line " << read.line;
    const game::Portfolio& p = read.ledger->portfolio;
    ASSERT_EQ(p.days().size(), 2u);
    ASSERT_EQ(p.trades().size(), 3u);
    EXPECT_EQ(p.days()[1].number, 2);
    EXPECT_TRUE(p.days()[1].hasFailed(2));
    EXPECT_EQ(p.trades()[1].realised(), 0.0);
    EXPECT_FALSE(p.trades()[2].realised()); // the previous release showed a gain for shares of no known cost
    EXPECT_EQ(p.portfolios().size(), 2u);
    EXPECT_TRUE(records::ledgerMatches(*read.ledger, state));
    EXPECT_TRUE(today.matches(state));

    // Line by line, the same.
    records::KeptLedger kept;
    std::string_view body = std::string_view(text).substr(records::kLedgerHeader.size());
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        ASSERT_EQ(records::addLedgerLine(kept, body.substr(0, end)), LedgerFault::None);
        body.remove_prefix(end + 1);
    }
    EXPECT_EQ(kept.tail.cash, read.ledger->tail.cash);
    EXPECT_EQ(kept.portfolio.trades().size(), p.trades().size());
}

TEST(LedgerLines, WhatNoStateCouldHaveWrittenIsDamaged)
{
    const std::string longDate = std::string(64 * 1024, ' ') + "01 Gen 2002";
    const std::pair<std::string, LedgerFault> cases[] = {
        {"", LedgerFault::NotALedger},
        {"TolvStreet ledger 2\n" + kDay + "\n", LedgerFault::NotALedger},
        {ledgerOf({}), LedgerFault::NoDay},
        {ledgerOf({kDay}).substr(0, 40), LedgerFault::CutShort},
        {ledgerOf({dayOn(longDate)}), LedgerFault::LineTooLong},
        {ledgerOf({dayOn("01 Gen 2002\xE2\x82\xAC")}), LedgerFault::NotAscii},
        {ledgerOf({dayOn("01\tGen 2002")}), LedgerFault::NotAscii},
        {ledgerOf({kDay + "\r"}), LedgerFault::NotAscii},
        {ledgerOf({kDay + ";1"}), LedgerFault::FieldCount},
        {ledgerOf({kDay, "X;1"}), LedgerFault::UnknownLine},
        {ledgerOf({kDay, ""}), LedgerFault::UnknownLine},
        {ledgerOf({kDay, "T;B;0;1;755;755,00"}), LedgerFault::FieldCount},
        {ledgerOf({kDay, "T;B;0;1;7.5;755,00;9245"}), LedgerFault::NotANumber},
        {ledgerOf({kDay, "T;B;17;1;755;755,00;9245"}), LedgerFault::BadCompany},
        {ledgerOf({kDay, "T;B;-1;1;755;755,00;9245"}), LedgerFault::BadCompany},
        {ledgerOf({kDay, "T;S;0;-5;755;755,00;9245"}), LedgerFault::BadQuantity},
        {ledgerOf({kDay, "T;S;0;0;755;755,00;9245"}), LedgerFault::BadQuantity},
        {ledgerOf({kDay, "T;S;0;1,5;755;755,00;9245"}), LedgerFault::BadQuantity},
        {ledgerOf({kDay, "T;S;0;2147483648;755;755,00;9245"}), LedgerFault::BadQuantity},
        {ledgerOf({dayOn("30 Feb 2002")}), LedgerFault::NotADate},
        {ledgerOf({dayOn("01 Gen 32768")}), LedgerFault::NotADate},
        {ledgerOf({dayOn("02 Gen 2002"), dayOn("01 Gen 2002")}), LedgerFault::DateBack},
        {ledgerOf({"T;B;0;1;755;755,00;9245", kDay}), LedgerFault::BeforeFirstDay},
        {ledgerOf({"W;1", kDay}), LedgerFault::BeforeFirstDay},
        {ledgerOf({kDay, "W;100000", "W;100000"}), LedgerFault::WinAgain},
        {ledgerOf({kDay, "G;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0"}), LedgerFault::DayExpected},
        {ledgerOf({kDay, "E;1", kDay}), LedgerFault::AfterEnd},
    };
    for (const auto& [bytes, fault] : cases) {
        const records::LedgerRead read = readLedger(bytes);
        EXPECT_FALSE(read.ledger) << bytes.substr(0, 120);
        EXPECT_EQ(read.fault, fault) << bytes.substr(0, 120);
    }

    // What the six files accept reads: shares of -5 or 1E+300, prices of 1E+300, a padded date,
    // and a date going back after a gap.
    const std::string good = ledgerOf({"G;-5;0;0;1E+300;0;0;0;0;0;0;0;0;0;0;0;0;0", kDay,
                                       dayOn(std::string(60000, ' ') + "02 Gen 2002"),
                                       "G;-5;0;0;1E+300;0;0;0;0;0;0;0;0;0;0;0;0;0",
                                       dayOn("01 Gen 1999"), "T;B;0;1;755;755,00;9245"});
    const records::LedgerRead read = readLedger(good);
    ASSERT_TRUE(read.ledger) << static_cast<int>(read.fault) << " at line " << read.line;
    EXPECT_EQ(read.ledger->portfolio.days().back().number, 3);
    EXPECT_FALSE(read.ledger->portfolio.days()[0].netWorth()); // 1E+300 shares at 1E+300
}

// Any state the six files accept gives lines the reader takes, however the files padded their
// texts, and the start finds the state the ledger ends with.
TEST(LedgerLines, WhatTheGameWritesReadsBackAndMatchesItsState)
{
    game::GameState state = game::startingState();
    const std::string pad(30000, ' '); // the six files take records up to 64 KiB
    state.date = pad + "29 Feb 1900" + pad;
    state.cash =
        pad + "0000000000000000000000000000000000000000000000000000000000000000000099999,5";
    state.companies[0] = {"3", "", "",
                          "000000000000000000000000000000000000000000000000000000000000000000001"};
    state.companies[1] = {"-5", "", "", std::string(game::kFailedMark)};
    state.companies[2] = {"1E+300", "", "", "1E+300"};
    state.companies[3].shares = "1234567890123456789"; // more digits than the rules keep

    std::vector<std::string> lines = {records::gapLine(state), records::dayLine(state)};
    game::GameState before = state;
    ASSERT_EQ(game::sell(state, 0, "1"), game::TradeOutcome::Done);
    lines.push_back(records::tradeLine(before, state, 0, false, 1));
    for (const std::string& line : lines) {
        EXPECT_LE(line.size(), 2000u);
    }
    records::LedgerRead read = readLedger(ledgerOf(lines));
    ASSERT_TRUE(read.ledger) << static_cast<int>(read.fault) << " at line " << read.line;
    EXPECT_TRUE(records::ledgerMatches(*read.ledger, state));
    EXPECT_EQ(read.ledger->portfolio.trades()[0].amount, 1.5); // from 99999,5 to 100001
    before = state;
    ASSERT_EQ(game::buy(state, 3, "1"), game::TradeOutcome::Done);
    ASSERT_EQ(records::addLedgerLine(*read.ledger, records::tradeLine(before, state, 3, true, 1)),
              LedgerFault::None);
    EXPECT_TRUE(records::ledgerMatches(*read.ledger, state));

    // A win, then the next day; the end closes it.
    ASSERT_EQ(records::addLedgerLine(*read.ledger, records::winLine(state)), LedgerFault::None);
    game::resetAfterWin(state);
    EXPECT_TRUE(records::ledgerMatches(*read.ledger, state));
    before = state;
    ASSERT_EQ(game::buy(state, 4, "2"), game::TradeOutcome::Done); // the same day, after the win
    ASSERT_EQ(records::addLedgerLine(*read.ledger, records::tradeLine(before, state, 4, true, 2)),
              LedgerFault::None);
    EXPECT_TRUE(records::ledgerMatches(*read.ledger, state));
    state.companies[0].shares = "1";
    EXPECT_FALSE(records::ledgerMatches(*read.ledger, state)); // shares moved without the ledger
    ASSERT_EQ(records::addLedgerLine(*read.ledger, records::endLine(read.ledger->portfolio)),
              LedgerFault::None);
    EXPECT_FALSE(records::ledgerMatches(*read.ledger, state));
}
