// The session over a store in memory: start-up, saves as whole sets, trades, the win.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "records/autosave.h"
#include "records/save_set.h"
#include "session/saver.h"
#include "session/session.h"

#include <gtest/gtest.h>

using fakes::Box;
using records::StoreFailure;

namespace {

const std::vector<std::string> kDataFirst = {"Data1", "Data2", "Data3", "Data4", "Data5", "data7"};

struct SessionTest : ::testing::Test {
    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};

    // The autosave files as the store holds them now.
    std::vector<std::string> savedFiles() const
    {
        std::vector<std::string> out;
        for (const std::string& name : kDataFirst) {
            out.push_back(store.get(name).value_or("<missing>"));
        }
        return out;
    }
    std::vector<std::string> filesOf(const game::GameState& state) const
    {
        std::vector<std::string> out;
        for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
            out.push_back(file.bytes);
        }
        return out;
    }
    void quietDays(int days)
    {
        for (int d = 0; d < days * game::kCompanyCount; ++d) {
            random.pushMove(0, 0, false);
        }
    }
    void startFrom(const game::GameState& state)
    {
        for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
            store.put(file.name, file.bytes);
        }
        session.load();
        saver.settle();
        store.clearLog();
        dialogs.clear();
    }
};

} // namespace

TEST_F(SessionTest, FirstStartWritesANewGameAsOneSet)
{
    session.load();
    saver.settle();
    EXPECT_EQ(random.seeds(), 1);
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(session.state(), game::startingState());
    const std::vector<std::size_t> sizes = {85, 68, 68, 112, 12, 15};
    for (std::size_t i = 0; i < kDataFirst.size(); ++i) {
        ASSERT_TRUE(store.get(kDataFirst[i])) << kDataFirst[i];
        EXPECT_EQ(store.get(kDataFirst[i])->size(), sizes[i]) << kDataFirst[i];
    }
    EXPECT_EQ(*store.get("Data5"), "\"10000,00\"\r\n");
    EXPECT_FALSE(store.get(std::string(records::kJournalName))); // the journal is gone after a save
    EXPECT_FALSE(store.get("data6"));                            // never created by a start
}

TEST_F(SessionTest, StartUpShowsTheSavedGameExactly)
{
    game::GameState saved = game::startingState();
    saved.companies[2].price = " Fallita";
    saved.companies[2].yesterday = "0,01";
    saved.companies[2].change = "-0,1";
    saved.companies[7].shares = "120";
    saved.cash = "1234,56";
    saved.date = "29 Feb 2004";
    startFrom(saved);
    EXPECT_EQ(session.state(), saved);
    EXPECT_TRUE(store.log().empty()); // a clean start writes nothing

    quietDays(1);
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(session.state().date, "01 Mar 2004");
}

TEST_F(SessionTest, DamagedFilesAreKeptAndANewGameStarts)
{
    game::GameState saved = game::startingState();
    saved.cash = "777";
    for (const auto& file : records::autosaveFiles(saved, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
    store.put("Data4", "\"755\"\r\n\"molto\"\r\n"); // not a number, and too short
    session.load();
    saver.settle();

    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title, "Tolv Street");
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains("\"Data4\"")) << dialogs.boxes()[0].prompt.toStdString();
    EXPECT_EQ(session.state(), game::startingState());
    EXPECT_EQ(savedFiles(), filesOf(game::startingState()));
    // Nothing is lost: the whole old set is kept under backup names.
    EXPECT_EQ(*store.get("Data4.bak1"), "\"755\"\r\n\"molto\"\r\n");
    EXPECT_EQ(*store.get("Data5.bak1"), "\"777\"\r\n");
}

// A power cut kept only the journal's move of a start that was keeping the files of an
// unreadable journal: the six left at their names may mix two days and are never played. They
// join the journal under the number the start wrote down, not the first one free now.
TEST_F(SessionTest, AStartCutWhileKeepingFilesFinishesUnderTheSameNumber)
{
    game::GameState saved = game::startingState();
    saved.cash = "777";
    for (const auto& file : records::autosaveFiles(saved, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
    store.put("Data1.bak1", "older");
    store.put("Data.journal.bak2", "unreadable journal");
    store.put("Data.backups", "TolvStreet backups 1\n2\nData1\nData2\nData3\nData4\nData5\ndata7\nData.journal\nend\n");
    session.load();
    saver.settle();

    EXPECT_EQ(session.state(), game::startingState());
    EXPECT_EQ(savedFiles(), filesOf(game::startingState()));
    EXPECT_EQ(*store.get("Data5.bak2"), "\"777\"\r\n");
    EXPECT_EQ(*store.get("Data1.bak1"), "older");
    EXPECT_FALSE(store.exists("Data2.bak1"));
    EXPECT_FALSE(store.exists("Data.backups"));
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains("\"Data1.bak2\"")) << dialogs.boxes()[0].prompt.toStdString();
}

TEST_F(SessionTest, SavesKeepTheirOrderAndTheirContent)
{
    startFrom(game::startingState());
    session.buy(0, "3");
    saver.settle();
    quietDays(1);
    session.advanceDay();
    saver.settle();
    const std::vector<std::string> dateFirst = {"Data.journal", "data7", "Data1", "Data2",
                                                "Data3",        "Data4", "Data5"};
    EXPECT_EQ(store.replaced(), dateFirst);
    EXPECT_EQ(savedFiles(), filesOf(session.state())); // the trade reaches the files with the day
    EXPECT_EQ(*store.get("Data1"), std::string("\"3\"\r\n") + [] {
        std::string rest;
        for (int i = 1; i < 17; ++i) {
            rest += "\"0\"\r\n";
        }
        return rest;
    }());

    store.clearLog();
    store.put("data6", "\"\"\r\n");
    session.newGame();
    saver.settle();
    // The finished game's ledger is kept as an archive in the same set, and a new one starts.
    const std::vector<std::string> dataFirst = {"Data.journal", "Data1", "Data2", "Data3", "Data4",
                                                "Data5",        "data7", "Data.ledger.game1", "Data.ledger"};
    EXPECT_EQ(store.replaced(), dataFirst);
    EXPECT_EQ(savedFiles(), filesOf(game::startingState()));
    EXPECT_EQ(*store.get("data6"), "\"\"\r\n"); // a new game leaves the Hall of Fame alone
}

TEST_F(SessionTest, AFailedSaveTellsThePlayerAndTheNextOneWritesTheWholeSet)
{
    startFrom(game::startingState());
    const std::vector<std::string> before = savedFiles();
    store.failAllWrites(StoreFailure::NoSpace);
    quietDays(1);
    session.advanceDay();
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains("disco è pieno"));
    EXPECT_EQ(session.state().date, "02 Gen 2002"); // play goes on
    EXPECT_EQ(savedFiles(), before);                 // nothing on disk was touched

    store.heal();
    quietDays(1);
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(savedFiles(), filesOf(session.state()));
    EXPECT_EQ(session.state().date, "03 Gen 2002");
}

TEST_F(SessionTest, AnInterruptedSaveIsCompletedAtTheNextStart)
{
    startFrom(game::startingState());
    // A save that stopped after the journal and two of its files.
    game::GameState after = game::startingState();
    after.date = "05 Gen 2002";
    after.cash = "12,5";
    const auto files = records::autosaveFiles(after, records::WriteOrder::DateFirst);
    store.put(std::string(records::kJournalName), records::journalBytes(files));
    store.put(files[0].name, files[0].bytes);
    store.put(files[1].name, files[1].bytes);

    fakes::MemoryStore& disk = store;
    session::Saver nextSaver{disk, dialogs, session::Saver::Run::ByHand};
    session::Session next(disk, dialogs, random, nextSaver);
    next.load();
    nextSaver.settle();
    EXPECT_EQ(next.state(), after);
    EXPECT_EQ(savedFiles(), filesOf(after));
    EXPECT_FALSE(store.get(std::string(records::kJournalName)));
}

TEST_F(SessionTest, TradesTellThePlayerWhyTheyAreRefused)
{
    startFrom(game::startingState());
    session.buy(0, "100"); // 75500 > 10000
    saver.settle();
    session.sell(0, "1");
    saver.settle();
    session.buy(0, "-5");
    saver.settle();
    const QStringList expected = {"Non hai abbastanza soldi!",
                                  "Non puoi vendere più azioni di quelle che hai!",
                                  "Solo numeri interi!"};
    EXPECT_EQ(dialogs.prompts(), expected);
    for (const Box& box : dialogs.boxes()) {
        EXPECT_EQ(box.title, "Errore");
    }
    EXPECT_EQ(session.state().cash, "10000"); // only the cents steps of the first two presses
    EXPECT_TRUE(store.log().empty());         // trades are saved with the next day

    EXPECT_TRUE(session.quantityKey('7'));
    EXPECT_TRUE(session.quantityKey(' '));
    EXPECT_TRUE(session.quantityPaste("123"));
    dialogs.clear();
    EXPECT_FALSE(session.quantityKey('-'));
    EXPECT_FALSE(session.quantityPaste("-5"));
    EXPECT_EQ(dialogs.prompts(), QStringList({"Solo numeri interi!", "Solo numeri interi!"}));
}

TEST_F(SessionTest, AWinJoinsTheHallOfFameAndResetsInOneSave)
{
    game::GameState rich = game::startingState();
    rich.cash = "99999,5";
    rich.date = "01 Gen 2002";
    rich.companies[3].shares = "4";
    startFrom(rich);
    store.put("data6", "\"\"\r\n");

    session.buy(0, "0"); // 99999,5 counts as 100000; buying never wins by itself

    saver.settle();
    EXPECT_EQ(session.state().cash, "100000");
    EXPECT_TRUE(dialogs.boxes().empty());

    dialogs.answerText("Anna");
    session.sell(std::nullopt, "1");
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].kind, Box::Kind::Input);
    EXPECT_EQ(dialogs.boxes()[0].title, "HAI VINTO !!!!");
    EXPECT_EQ(dialogs.boxes()[0].prompt,
              "Hai decuplicato i tuoi soldi e sei il nuovo campione di Tolv Street! Inserisci il tuo nome");
    EXPECT_EQ(*store.get("data6"), "\"\rAnna:  01 Gen 2002\"\r\n");
    EXPECT_EQ(store.get("data6")->size(), 23u);
    game::GameState reset = game::startingState();
    EXPECT_EQ(session.state(), reset);
    EXPECT_EQ(savedFiles(), filesOf(reset));
    const std::vector<std::string> order = {"Data.journal", "data6", "Data1", "Data2",
                                            "Data3",        "Data4", "Data5", "data7"};
    EXPECT_EQ(store.replaced(), order);

    // A cancelled name still counts, after the first record; the date is kept.
    quietDays(3);
    session.advanceDay();
    saver.settle();
    session.advanceDay();
    saver.settle();
    session.advanceDay();
    saver.settle();
    dialogs.clear();
    game::GameState again = session.state();
    again.cash = "100000";
    startFrom(again);
    dialogs.answerText("");
    session.sell(std::nullopt, "");
    saver.settle();
    EXPECT_EQ(*store.get("data6"), "\"\rAnna:  01 Gen 2002\r:  04 Gen 2002\"\r\n");
    EXPECT_EQ(session.state().date, "04 Gen 2002");
}

// Two wins in one run, each saved before the next: the second grows the list the first saved.
TEST_F(SessionTest, EveryWinOfARunKeepsTheWinnersBeforeIt)
{
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    startFrom(rich);
    dialogs.answerText("Anna");
    session.sell(std::nullopt, "0");
    saver.settle();
    // Rich again: nine shares of the dearest company, then 25 days of the highest rise.
    session.buy(10, "9");
    for (int d = 0; d < 25 * game::kCompanyCount; ++d) {
        random.pushMove(9, 99, false);
    }
    for (int d = 0; d < 25; ++d) {
        session.advanceDay();
        saver.settle();
    }
    dialogs.answerText("Bea");
    session.sell(10, "9");
    saver.settle();
    EXPECT_EQ(*store.get("data6"), "\"\rAnna:  01 Gen 2002\rBea:  26 Gen 2002\"\r\n");
    EXPECT_EQ(session.wins(), 2);
}

// The Hall of Fame is read when the game starts and when its window opens, never at a press.
TEST_F(SessionTest, NoPressReadsTheHallOfFame)
{
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    store.put("data6", "\"\"\r\n");
    startFrom(rich);
    const int atStart = store.reads("data6");
    quietDays(2);
    session.advanceDay();
    session.buy(0, "1");
    dialogs.answerText("Anna");
    session.sell(0, "1");
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(session.wins(), 1);
    EXPECT_EQ(store.reads("data6"), atStart);
    EXPECT_EQ(session.hallOfFameText(), QStringLiteral("\"\rAnna:  02 Gen 2002\"\r\n"));
    EXPECT_EQ(store.reads("data6"), atStart + 1);
}

// A Hall of Fame not in the game's form is said to be kept once, when it is, under the name the
// save wrote: here a file of the player's took the number the start had found free.
TEST_F(SessionTest, TheCopyOfAHallOfFameIsToldOnceUnderTheNameWritten)
{
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    store.put("data6", "I campioni\n");
    startFrom(rich);
    store.put("data6.bak1", "a player's file");
    store.failWrites("Data1", StoreFailure::NoSpace, 1);
    dialogs.answerText("Anna");
    session.sell(std::nullopt, "1");
    saver.settle();
    quietDays(2);
    session.advanceDay();
    session.advanceDay();
    saver.settle();
    const QStringList prompts = dialogs.prompts();
    ASSERT_EQ(prompts.size(), 3) << prompts.join(" | ").toStdString();
    EXPECT_TRUE(prompts[1].contains("il disco è pieno"));
    EXPECT_TRUE(prompts[2].contains("\"data6.bak2\"")) << prompts[2].toStdString();
    EXPECT_EQ(store.get("data6.bak2"), "I campioni\n");
    EXPECT_EQ(store.get("data6.bak1"), "a player's file");
}

// A win's save cut short after its journal (a kill) is completed by the next start, which says
// where the copy of the Hall of Fame is kept, as the save would have.
TEST_F(SessionTest, TheCopyOfAHallOfFameAStartCompletesIsTold)
{
    for (const auto& file : records::autosaveFiles(game::startingState(), records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
    store.put("data6", "I campioni\n");
    store.put("Data.journal", records::journalBytes({{"data6.bak1", "I campioni\n"},
                                                     {"data6", "\"\rAnna:  01 Gen 2002\"\r\n"}}));
    session.load();
    saver.settle();
    const QStringList prompts = dialogs.prompts();
    ASSERT_EQ(prompts.size(), 1) << prompts.join(" | ").toStdString();
    EXPECT_TRUE(prompts[0].contains("\"data6.bak1\"")) << prompts[0].toStdString();
    EXPECT_EQ(store.get("data6.bak1"), "I campioni\n");
    EXPECT_FALSE(store.exists("Data.journal"));
}

TEST_F(SessionTest, NoWinIsLostWhenTheHallOfFameIsMissingOrTheSaveFails)
{
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    startFrom(rich);
    // No data6 at all: the win creates it.
    store.failWrites("data6", StoreFailure::Permission, 1);
    dialogs.answerText("Bea");
    session.sell(std::nullopt, "1");
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 2u); // the name, then the failed save
    EXPECT_TRUE(dialogs.boxes()[1].prompt.contains("data6"));
    EXPECT_FALSE(store.get("data6"));
    EXPECT_EQ(session.state().cash, "10000,00"); // the reset happened: no second win
    EXPECT_EQ(session.hallOfFameText(), QString("\"\rBea:  01 Gen 2002\"\r\n"));

    // The next save carries the record along.
    quietDays(1);
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(*store.get("data6"), "\"\rBea:  01 Gen 2002\"\r\n");
    EXPECT_EQ(savedFiles(), filesOf(session.state()));
}

TEST_F(SessionTest, MenusOnlyTalkAndTheExitAsks)
{
    startFrom(game::startingState());
    session.saveMenu();
    session.loadMenu();
    dialogs.answerNo();
    EXPECT_FALSE(session.confirmExit());
    dialogs.answerYes();
    EXPECT_TRUE(session.confirmExit());
    const std::vector<Box> expected = {
        {Box::Kind::Message, "Questo gioco salva da solo!", "Tolv Street"},
        {Box::Kind::Message, "Se salva da solo vuol dire anche che carica da solo!!", "Tolv Street"},
        {Box::Kind::Question, "Ma sei sicuro di uscire da questo APPASSIONANTISSIMO gioco?",
         "Uscita dal Programma"},
        {Box::Kind::Question, "Ma sei sicuro di uscire da questo APPASSIONANTISSIMO gioco?",
         "Uscita dal Programma"},
    };
    EXPECT_EQ(dialogs.boxes(), expected);
    EXPECT_TRUE(store.log().empty());
    EXPECT_EQ(session.state(), game::startingState());
}

TEST_F(SessionTest, AWinnersNameIsStoredInTheFilesCodePage)
{
    game::GameState rich = game::startingState();
    rich.cash = "100000";
    startFrom(rich);
    store.put("data6", "\"\"\r\n");
    // ë and € exist in the code page; the ideographs and the emoji do not, one "?" each, and a
    // carriage return would split the list, so it becomes "?" too.
    dialogs.answerText(QStringLiteral("Zo\u00eb \u20ac \u65e5\u672c \U0001F600\r\"X\""));
    session.sell(std::nullopt, "1");
    saver.settle();
    EXPECT_EQ(*store.get("data6"), "\"\rZo\xeb \x80 ?? ??\"X\":  01 Gen 2002\"\r\n"); // emoji, then CR
    // The window shows it back as typed, but for what the files cannot hold.
    EXPECT_EQ(session.hallOfFameText(),
              QStringLiteral("\"\rZo\u00eb \u20ac ?? ??\"X\":  01 Gen 2002\"\r\n"));
}

// Loaded again while the save still fails, the game goes on from what the window showed: the
// winner waits for the next save that succeeds, and the old cash never comes back.
TEST_F(SessionTest, AnUnsavedWinSurvivesAReloadWhoseSaveFailsToo)
{
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    startFrom(rich);
    store.failAllWrites(StoreFailure::NoSpace);
    dialogs.answerText("Dora");
    session.sell(std::nullopt, "1");
    saver.settle();
    session.load(); // the producer window brings the main window back; the disk is still full
    saver.settle();
    EXPECT_EQ(session.state().cash, "10000,00");
    store.heal();
    quietDays(1);
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(store.get("data6"), "\"\rDora:  01 Gen 2002\"\r\n");
    EXPECT_EQ(savedFiles(), filesOf(session.state()));
}

TEST_F(SessionTest, AnUnsavedWinIsSavedBeforeTheMainWindowLoadsAgain)
{
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    rich.date = "07 Lug 2005";
    startFrom(rich);
    store.put("data6", "\"\"\r\n");
    store.failAllWrites(StoreFailure::NoSpace);
    dialogs.answerText("Ciro");
    session.sell(std::nullopt, "1");
    saver.settle();
    store.heal();

    session.load(); // the main window closed and loaded again

    saver.settle();
    EXPECT_EQ(*store.get("data6"), "\"\rCiro:  07 Lug 2005\"\r\n");
    game::GameState reset = game::startingState();
    reset.date = "07 Lug 2005";
    EXPECT_EQ(session.state(), reset); // no second win from the old cash
    EXPECT_EQ(savedFiles(), filesOf(reset));
}
