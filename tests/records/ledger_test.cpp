// The ledger's arithmetic against hand-worked cases, its side file read back, and what the start
// does with a side file that is missing, damaged or not the game's.
#include "fakes/memory_store.h"
#include "fakes/queued_saves.h"
#include "game/rules.h"
#include "records/game_files.h"
#include "records/ledger.h"
#include "records/ledger_csv.h"
#include "game/portfolio_figures.h"

#include <gtest/gtest.h>

using records::Ledger;
using game::moneyText;

namespace {

// Trades through the real rules, and tells the ledger as the session does.
void trade(Ledger& ledger, game::GameState& state, int company, bool buy, int quantity)
{
    const game::GameState before = state;
    const auto outcome = buy ? game::buy(state, company, std::to_string(quantity))
                             : game::sell(state, company, std::to_string(quantity));
    ASSERT_EQ(outcome, game::TradeOutcome::Done);
    ledger.trade(before, state, company, buy, quantity);
}

game::HoldingRow rowOf(const Ledger& ledger, const game::GameState& state, int company)
{
    for (const game::HoldingRow& row : game::holdingsTable(ledger.portfolio(), state).rows) {
        if (row.company == company) {
            return row;
        }
    }
    ADD_FAILURE() << "no row for company " << company;
    return {};
}

void putGame(fakes::MemoryStore& store, const game::GameState& state)
{
    for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
}

} // namespace

TEST(Ledger, CostIsTheCashATradeTookAndASaleRealisesAgainstTheAverageCost)
{
    game::GameState state = game::startingState();
    state.cash = "7000,40";
    state.companies[1].price = "100";
    Ledger ledger;
    ledger.newGame(state);

    // 30 at 100 from a whole cash of 7000: the 0,40 the rounding took is part of the cost.
    trade(ledger, state, 1, true, 30);
    EXPECT_EQ(state.cash, "4000");
    EXPECT_DOUBLE_EQ(*ledger.portfolio().holdings()[1].cost, 3000.40);
    state.companies[1].price = "110";
    trade(ledger, state, 1, true, 10); // 1100 more: 40 shares for 4100,40, 102,51 each
    game::HoldingRow row = rowOf(ledger, state, 1);
    EXPECT_EQ(moneyText(*row.totalCost), "4100,40");
    EXPECT_EQ(moneyText(*row.averageCost), "102,51");

    // 20 sold at 120 bring 2400 against an average cost of 20 x 102,51 = 2050,20.
    state.companies[1].price = "120";
    trade(ledger, state, 1, false, 20);
    ASSERT_EQ(ledger.portfolio().trades().size(), 3u);
    EXPECT_EQ(moneyText(*ledger.portfolio().trades().back().realised()), "349,80");
    EXPECT_EQ(moneyText(*ledger.portfolio().realised()), "349,80");
    state.companies[1].price = "90";
    row = rowOf(ledger, state, 1);
    EXPECT_EQ(moneyText(*row.totalCost), "2050,20");
    EXPECT_EQ(moneyText(*row.marketValue), "1800,00");
    EXPECT_EQ(moneyText(*row.gain), "-250,20");
    EXPECT_EQ(game::percentText(*row.percent), "-12,20");

    // Read back from its file, the ledger shows the same figures.
    const std::optional<Ledger> read = Ledger::parse(ledger.text());
    ASSERT_TRUE(read);
    EXPECT_DOUBLE_EQ(*read->portfolio().holdings()[1].cost, *ledger.portfolio().holdings()[1].cost);
    EXPECT_DOUBLE_EQ(*read->portfolio().realised(), *ledger.portfolio().realised());
    EXPECT_EQ(read->portfolio().trades().size(), 3u);

    // Whole-cash rounding can also give: 1234,56 pays for a share at 1235.
    game::GameState tight = game::startingState();
    tight.cash = "1234,56";
    tight.companies[0].price = "1235";
    Ledger second;
    second.newGame(tight);
    trade(second, tight, 0, true, 1);
    EXPECT_EQ(tight.cash, "0");
    row = rowOf(second, tight, 0);
    EXPECT_EQ(moneyText(*row.totalCost), "1234,56");
    EXPECT_EQ(moneyText(*row.gain), "0,44");
    EXPECT_EQ(game::percentText(*row.percent), "0,04");
}

TEST(Ledger, NetWorthCountsAFailedCompanyAsNothingAndMoneyHasTwoDecimals)
{
    game::GameState state = game::startingState();
    state.cash = "500,5";
    state.companies[2] = {"10", "0,01", "-0,1", " Fallita"};
    state.companies[3] = {"5", "0,01", "-0,5", "0"};
    state.companies[4] = {"2", "10", "+2,5", "12,5"};
    EXPECT_EQ(moneyText(*game::netWorthOf(state)), "525,50");

    // Bought for 200 before it failed: all of it lost, -100 per cent.
    Ledger ledger = Ledger::startingFrom(game::startingState());
    game::GameState buying = game::startingState();
    buying.companies[2].price = "20";
    trade(ledger, buying, 2, true, 10);
    buying.companies[2].price = " Fallita";
    const game::HoldingRow row = rowOf(ledger, buying, 2);
    EXPECT_EQ(moneyText(*row.marketValue), "0,00");
    EXPECT_EQ(moneyText(*row.gain), "-200,00");
    EXPECT_EQ(game::percentText(*row.percent), "-100,00");

    EXPECT_EQ(moneyText(0), "0,00");
    EXPECT_EQ(moneyText(-0.5), "-0,50");
    EXPECT_EQ(moneyText(1234567.891), "1234567,89");
    EXPECT_EQ(game::percentOf(5.0, 0.0), std::nullopt); // no cost, no per cent
}

TEST(Ledger, AWinClosesThePortfolioAndTheNextOneStartsWithNoCost)
{
    game::GameState state = game::startingState();
    state.cash = "90000";
    state.companies[0].price = "100";
    Ledger ledger;
    ledger.newGame(state);
    trade(ledger, state, 0, true, 100); // 10000
    state.companies[0].price = "250";
    trade(ledger, state, 0, false, 100); // brings 25000: cash 105000, a win
    ASSERT_TRUE(game::hasWon(state));
    ledger.win(state);
    game::resetAfterWin(state);

    const game::Portfolio& portfolio = ledger.portfolio();
    ASSERT_EQ(portfolio.portfolios().size(), 2u);
    EXPECT_EQ(portfolio.portfolios()[0].end, game::PortfolioSpan::End::Win);
    EXPECT_EQ(moneyText(*portfolio.portfolios()[0].closingWorth()), "105000,00");
    EXPECT_TRUE(portfolio.days().back().win);
    EXPECT_EQ(portfolio.realised(), 0.0);
    EXPECT_EQ(portfolio.holdings()[0].shares, 0);
    EXPECT_TRUE(ledger.matches(state)); // the files after the win hold the starting portfolio
    const game::LedgerFigures stats = game::ledgerFigures(portfolio);
    EXPECT_EQ(moneyText(*stats.highest), "105000,00");
    ASSERT_TRUE(stats.bestSale);
    EXPECT_EQ(moneyText(*portfolio.trades()[*stats.bestSale].realised()), "15000,00");

    // The history goes on with the next day, in the same ledger.
    state.date = "02 Gen 2002";
    ledger.day(state);
    EXPECT_EQ(portfolio.days().back().number, 2);
    EXPECT_EQ(moneyText(*portfolio.days().back().netWorth()), "10000,00");
    EXPECT_TRUE(Ledger::parse(ledger.text())->matches(state));
}

TEST(Ledger, TheStartFindsTheSideFileAndSavesOnlyWhatIsNew)
{
    fakes::MemoryStore store;
    game::GameState state = game::startingState();
    state.date = "10 Mar 2003";
    state.companies[5].shares = "7";
    putGame(store, state);

    // A save of an earlier release: the history starts from the files' day, shares without cost.
    records::GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    ASSERT_EQ(files.start().read.kind, records::AutosaveRead::Kind::Loaded);
    EXPECT_EQ(files.ledger().note.kind, records::LedgerNote::Kind::Missing);
    EXPECT_EQ(files.ledger().note.date, "10 Mar 2003");
    EXPECT_FALSE(store.exists("Data.ledger")); // written with the next save, not by the start
    state.date = "11 Mar 2003";
    files.ledger().day(state);
    ASSERT_TRUE(saves.save(state, records::WriteOrder::DateFirst));
    const std::string first = *store.get("Data.ledger");

    // The next day adds its line and rewrites nothing before it.
    state.date = "12 Mar 2003";
    files.ledger().day(state);
    store.clearLog();
    ASSERT_TRUE(saves.save(state, records::WriteOrder::DateFirst));
    EXPECT_EQ(store.log().back(), "remove Data.journal");
    EXPECT_NE(std::find(store.log().begin(), store.log().end(), "append Data.ledger"),
              store.log().end());
    const std::string second = *store.get("Data.ledger");
    EXPECT_EQ(second.substr(0, first.size()), first);
    EXPECT_EQ(second.substr(first.size()).front(), 'D');

    // The files moved on without the ledger (an older copy put back): a gap, then the files' day.
    state.date = "20 Mar 2003";
    state.companies[5].shares = "9";
    putGame(store, state);
    records::GameFiles later(store);
    later.start();
    EXPECT_EQ(later.ledger().note.kind, records::LedgerNote::Kind::Gap);
    const auto& days = later.ledger().portfolio().days();
    ASSERT_EQ(days.size(), 4u);
    EXPECT_TRUE(days.back().afterGap);
    EXPECT_EQ(days.back().number, days[2].number + 8); // the calendar days the gap covers
    EXPECT_EQ(later.ledger().portfolio().holdings()[5].shares, 9);
    EXPECT_FALSE(later.ledger().portfolio().holdings()[5].cost); // bought without the ledger: no cost known
}

TEST(Ledger, ADamagedOrForeignSideFileIsKeptAndTheGameStillLoads)
{
    game::GameState state = game::startingState();
    state.date = "05 Gen 2002";
    const std::string good = [&] {
        Ledger ledger;
        ledger.newGame(state);
        return ledger.text();
    }();
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"not a ledger", "ciao\n"},
        {"empty", ""},
        {"only the first line", "TolvStreet ledger 1\n"},
        {"last line cut short", good.substr(0, good.size() - 4)},
        {"a trade before any day",
         "TolvStreet ledger 1\nT;B;0;1;755;755,00;9245\n" + good.substr(20)},
        {"a day with too few prices", "TolvStreet ledger 1\nD;05 Gen 2002;10000,00;755\n"},
        {"a later release", "TolvStreet ledger 2\n" + good.substr(20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fakes::MemoryStore store;
        putGame(store, state);
        store.put("Data.ledger", c.bytes);
        records::GameFiles files(store);
        fakes::QueuedSaves saves(store, files);
        EXPECT_EQ(files.start().read.kind, records::AutosaveRead::Kind::Loaded);
        EXPECT_EQ(files.ledger().note.kind, records::LedgerNote::Kind::Damaged);
        EXPECT_EQ(files.ledger().note.file, "Data.ledger.bak1");
        EXPECT_EQ(store.get("Data.ledger.bak1"), c.bytes);
        // The history starts again from that day, and the next save writes it.
        ASSERT_EQ(files.ledger().portfolio().days().size(), 1u);
        EXPECT_EQ(game::dateText(files.ledger().portfolio().days()[0].date), "05 Gen 2002");
        ASSERT_TRUE(saves.save(state, records::WriteOrder::DateFirst));
        EXPECT_TRUE(Ledger::parse(*store.get("Data.ledger")));
    }

    // A link is kept as a link under the backup name, never followed; a folder is left alone and
    // the game still saves, without a ledger file.
    fakes::MemoryStore linked;
    putGame(linked, state);
    linked.putOdd("Data.ledger", records::EntryKind::Link);
    records::GameFiles withLink(linked);
    fakes::QueuedSaves linkedSaves(linked, withLink);
    withLink.start();
    EXPECT_EQ(linked.entry("Data.ledger.bak1"), records::EntryKind::Link);
    EXPECT_TRUE(linkedSaves.save(state, records::WriteOrder::DateFirst));

    fakes::MemoryStore folder;
    putGame(folder, state);
    folder.putOdd("Data.ledger", records::EntryKind::Folder);
    records::GameFiles withFolder(folder);
    fakes::QueuedSaves folderSaves(folder, withFolder);
    EXPECT_EQ(withFolder.start().read.kind, records::AutosaveRead::Kind::Loaded);
    EXPECT_EQ(withFolder.ledger().note.kind, records::LedgerNote::Kind::NotSaved);
    withFolder.ledger().day(state);
    EXPECT_TRUE(folderSaves.save(state, records::WriteOrder::DateFirst));
    EXPECT_EQ(folder.entry("Data.ledger"), records::EntryKind::Folder);
}

TEST(Ledger, CsvHasAHeaderTheGamesDatesAndDayNumbers)
{
    game::GameState state = game::startingState();
    state.companies[11].price = "70,5";
    Ledger ledger;
    ledger.newGame(state);
    trade(ledger, state, 11, true, 2);
    state.date = "02 Gen 2002";
    ledger.day(state);

    const records::TradesCsvTexts tradeTexts{
        {"Giorno", "Data", "Data ISO", "Operazione", "Società", "Quantità", "Prezzo", "Importo", "Guadagno realizzato"},
        "Acquisto",
        "Vendita"};
    const std::string trades = records::tradesCsv(ledger.portfolio(), tradeTexts);
    EXPECT_EQ(trades, "\xEF\xBB\xBFGiorno;Data;Data ISO;Operazione;Società;Quantità;Prezzo;Importo;Guadagno "
                      "realizzato\r\n"
                      "1;01 Gen 2002;2002-01-01;Acquisto;Chez Carlettò;2;70,50;141,00;\r\n");
    const records::HistoryCsvTexts historyTexts{
        {"Giorno", "Data", "Data ISO", "Disponibilità liquida", "Patrimonio netto"}, "Note", "Fallita",
        "dopo un'interruzione", "vittoria"};
    const std::string history = records::historyCsv(ledger.portfolio(), historyTexts);
    const std::string header =
        "\xEF\xBB\xBFGiorno;Data;Data ISO;Disponibilità liquida;Patrimonio netto;CarlOil;";
    EXPECT_EQ(history.substr(0, header.size()), header);
    EXPECT_NE(history.find("\r\n2;02 Gen 2002;2002-01-02;9859,00;10000,00;755,00;"), std::string::npos)
        << history;
}

TEST(Ledger, AnInterruptedSaveThatTheStartCannotCompleteStillOwesItsLedgerLines)
{
    fakes::MemoryStore store;
    game::GameState state = game::startingState();
    Ledger ledger;
    ledger.newGame(state);
    putGame(store, state);
    store.put("Data.ledger", ledger.text());
    const std::size_t saved = ledger.text().size();

    // A day's save cut after its journal, and a start that cannot write Data1 either.
    state.date = "02 Gen 2002";
    ledger.day(state);
    const std::string day = ledger.text().substr(saved);
    store.put("Data.journal",
              records::journalBytes(records::autosaveFiles(state, records::WriteOrder::DateFirst),
                                    {{"Data.ledger", saved, day}}));
    store.put("Data.ledger", ledger.text().substr(0, saved) + "D;02 G"); // the append cut short
    store.failWrites("Data1", records::StoreFailure::NoSpace, 1);
    records::GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    const records::StartReport report = files.start();
    ASSERT_EQ(report.journal, records::Recovery::Kind::NotCompleted);
    EXPECT_EQ(files.ledger().portfolio().days().size(), 2u); // the journal's day is played
    EXPECT_EQ(files.ledger().note.kind, records::LedgerNote::Kind::None);

    // The next save writes that day's line with its own, each once.
    state.date = "03 Gen 2002";
    files.ledger().day(state);
    ASSERT_TRUE(saves.save(state, records::WriteOrder::DateFirst));
    const std::optional<Ledger> read = Ledger::parse(*store.get("Data.ledger"));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->portfolio().days().size(), 3u);
    EXPECT_EQ(game::dateText(read->portfolio().days()[1].date), "02 Gen 2002");
    EXPECT_TRUE(read->matches(state));
}

// Saves queued beside the window end in order, each telling back what it carried: what is owed
// of the ledger then begins exactly where the last of them reached, however many lines came
// meanwhile.
TEST(Ledger, SavesThatEndLateCountOnlyWhatTheyWrote)
{
    fakes::MemoryStore store;
    game::GameState state = game::startingState();
    putGame(store, state);
    records::GameFiles files(store);
    files.start();
    const records::SaveJob first = files.nextSave(state, records::WriteOrder::DateFirst);
    files.ledger().day(state);
    const records::SaveJob second = files.nextSave(state, records::WriteOrder::DateFirst);
    files.saved(first, records::GameFiles::write(store, first));
    for (int d = 0; d < 5; ++d) {
        files.ledger().day(state); // more than either save carried
    }
    files.saved(second, records::GameFiles::write(store, second));
    const records::SaveJob third = files.nextSave(state, records::WriteOrder::DateFirst);
    const records::LedgerOwed& owed = third.carries.ledger;
    EXPECT_FALSE(owed.whole);
    EXPECT_EQ(owed.from, second.carries.ledger.reach);
    ASSERT_TRUE(owed.bytes);
    EXPECT_EQ(owed.from + owed.bytes->size(), files.ledger().text().size());
    files.saved(third, records::GameFiles::write(store, third));
    EXPECT_EQ(store.get("Data.ledger"), files.ledger().text());
}
