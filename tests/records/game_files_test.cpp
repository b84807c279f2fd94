// The saving rules' one owner: backups that must happen before any save, journals the start
// cannot complete, the Hall of Fame's copy, and files far larger than the game writes.
#include "records/game_files.h"

#include "fakes/memory_store.h"
#include "fakes/queued_saves.h"
#include "records/hall_of_fame.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using records::EntryKind;
using records::GameFiles;
using records::SaveOutcome;
using records::StoreFailure;
using records::WriteOrder;

const std::string kJournal(records::kJournalName);

void putState(fakes::MemoryStore& store, const game::GameState& state)
{
    for (const auto& file : records::autosaveFiles(state, WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
}

bool holdsState(const fakes::MemoryStore& store, const game::GameState& state)
{
    for (const auto& file : records::autosaveFiles(state, WriteOrder::DataFirst)) {
        if (store.get(file.name) != file.bytes) {
            return false;
        }
    }
    return true;
}

// No save writes over a damaged file that has not been kept: a backup name taken by a dangling
// link is passed over, and while no backup can be made (a read-only folder at the start) every
// save tries it again first and writes nothing.
TEST(GameFiles, NoSaveOverwritesADamagedFileThatWasNotKept)
{
    fakes::MemoryStore store;
    putState(store, game::startingState());
    store.put("Data3", "\"damaged");
    store.putOdd("Data1.bak1", EntryKind::Link);
    store.failAllWrites(StoreFailure::Permission);

    GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    const records::StartReport start = files.start();
    EXPECT_EQ(start.read.kind, records::AutosaveRead::Kind::Damaged);
    EXPECT_TRUE(start.kept.error);
    EXPECT_TRUE(start.keptLater);
    const records::SaveReport refused = saves.save(game::startingState(), WriteOrder::DataFirst);
    EXPECT_EQ(refused.outcome, SaveOutcome::NotKept);
    EXPECT_EQ(store.get("Data3"), "\"damaged");
    EXPECT_TRUE(files.owesASave());

    store.heal(); // the folder may be written again
    game::GameState next = game::startingState();
    next.date = "02 Gen 2002";
    ASSERT_TRUE(saves.save(next, WriteOrder::DateFirst));
    EXPECT_EQ(store.get("Data3.bak2"), "\"damaged") << "kept, past the link at Data1.bak1";
    EXPECT_TRUE(store.get("Data1.bak2"));
    EXPECT_EQ(store.entry("Data1.bak1"), EntryKind::Link);
    EXPECT_TRUE(holdsState(store, next));
    EXPECT_FALSE(files.owesASave());
}

// A journal the start cannot read may have been rewriting the six files: none of them is
// played, and all of them and the journal are kept before the new game is written.
TEST(GameFiles, AJournalThatCannotBeReadIsKeptWithTheSetItWasRewriting)
{
    fakes::MemoryStore store;
    game::GameState half = game::startingState();
    half.date = "09 Mar 2003";
    putState(store, half);
    store.put(kJournal, "a journal the start cannot read");
    store.failReads(kJournal);

    GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    const records::StartReport start = files.start();
    EXPECT_EQ(start.journal, records::Recovery::Kind::Unreadable);
    EXPECT_EQ(start.read.kind, records::AutosaveRead::Kind::Damaged);
    EXPECT_FALSE(start.kept.error);
    EXPECT_EQ(start.kept.moved.size(), 7u);
    EXPECT_EQ(store.get("Data.journal.bak1"), "a journal the start cannot read");
    EXPECT_EQ(store.get("data7.bak1"), "\"09 Mar 2003\"\r\n");
    ASSERT_TRUE(saves.save(game::startingState(), WriteOrder::DataFirst));
    EXPECT_TRUE(holdsState(store, game::startingState()));
}

// Whatever a save writes, the start reads back: a win over a large Hall of Fame that is not in
// the game's form carries both the copy and the new list in its journal.
TEST(GameFiles, TheJournalOfAWinOverALargeHallOfFameIsReadBackAtTheStart)
{
    fakes::MemoryStore store;
    putState(store, game::startingState());
    const std::string big = "\"" + std::string(40u << 20, 'w') + "\"\n"; // LF only: not the game's form
    store.put("data6", big);

    GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    ASSERT_EQ(files.start().read.kind, records::AutosaveRead::Kind::Loaded);
    EXPECT_FALSE(files.recordWin("Anna", "01 Gen 2002").unreadable);
    store.failWrites("Data1", StoreFailure::NoSpace, 1); // the save stops after its journal
    ASSERT_EQ(saves.save(game::startingState(), WriteOrder::DataFirst).outcome, SaveOutcome::Failed);
    ASSERT_GT(store.get(kJournal)->size(), records::kLargestRead);

    GameFiles next(store);
    const records::StartReport start = next.start();
    EXPECT_EQ(start.journal, records::Recovery::Kind::Completed);
    EXPECT_EQ(store.get("data6.bak1"), big);
    EXPECT_EQ(*store.get("data6"), "\"" + std::string(40u << 20, 'w') + "\rAnna:  01 Gen 2002\"\r\n");
}

// A save whose journal would pass the bound the start reads is refused before anything is
// written.
TEST(GameFiles, ASaveLargerThanAJournalMayBeIsRefusedWithNothingWritten)
{
    fakes::MemoryStore store;
    const std::vector<records::FileContent> set = {{"data6", std::string(records::kLargestJournal, 'n')},
                                                   {"Data5", "\"1\"\r\n"}};
    EXPECT_EQ(records::saveSet(store, set).kind, StoreFailure::TooLarge);
    EXPECT_TRUE(store.files().empty());
    EXPECT_TRUE(store.log().empty());
}

// A journal the start could not complete: its whole set is played, and the next save carries
// everything it held, the Hall of Fame's copy included.
TEST(GameFiles, AJournalNotCompletedAtTheStartIsCarriedWholeByTheNextSave)
{
    fakes::MemoryStore store;
    putState(store, game::startingState());
    store.put("data6", "\"\"\n");
    {
        GameFiles files(store);
        fakes::QueuedSaves saves(store, files);
        files.start();
        files.recordWin("Bea", "01 Gen 2002");
        store.failWrites("Data1", StoreFailure::NoSpace, 1);
        ASSERT_FALSE(saves.save(game::startingState(), WriteOrder::DataFirst));
    }
    store.failWrites("data6", StoreFailure::Permission, 1); // the start cannot complete it
    GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    const records::StartReport start = files.start();
    ASSERT_EQ(start.journal, records::Recovery::Kind::NotCompleted);
    EXPECT_EQ(start.read.kind, records::AutosaveRead::Kind::Loaded);
    EXPECT_TRUE(files.owesASave());
    ASSERT_TRUE(saves.save(start.read.state, WriteOrder::DateFirst));
    EXPECT_EQ(store.get("data6.bak1"), "\"\"\n");
    EXPECT_EQ(store.get("data6"), "\"\rBea:  01 Gen 2002\"\r\n");
}

// Every Hall of Fame rewritten unlike the game's form is kept byte-exact first, short ones
// too; one in the game's form is not copied.
TEST(GameFiles, EveryHallOfFameNotInTheGamesFormIsKeptBeforeAWinRewritesIt)
{
    for (const std::string old : {"", "\"", "\"\"\r", "\xEF\xBB\xBF\"\"\r\n", "\"\"\r\n\r\n", "\"\"\r\n"}) {
        fakes::MemoryStore store;
        putState(store, game::startingState());
        store.put("data6", old);
        GameFiles files(store);
        fakes::QueuedSaves saves(store, files);
        files.start();
        EXPECT_FALSE(files.recordWin("Ugo", "01 Gen 2002").unreadable);
        ASSERT_TRUE(saves.save(game::startingState(), WriteOrder::DataFirst));
        EXPECT_EQ(*store.get("data6"), "\"\rUgo:  01 Gen 2002\"\r\n") << old.size();
        EXPECT_EQ(store.get("data6.bak1"), records::isQuotedLine(old) ? std::nullopt : std::optional(old))
            << old.size();
    }
}

// A record far longer than any the game writes is damage: it is kept, not loaded into memory
// for the window to lay out.
TEST(GameFiles, ARecordFarLongerThanTheGameWritesIsDamageAndIsKept)
{
    fakes::MemoryStore store;
    putState(store, game::startingState());
    std::string data2;
    for (int k = 0; k < game::kCompanyCount; ++k) {
        data2 += "\"" + std::string(k == 3 ? records::kLongestRecord + 1 : 2, '1') + "\"\r\n";
    }
    store.put("Data2", data2);
    store.put("Data3", std::string(records::kLargestAutosaveFile + 1, ' '));

    GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    const records::StartReport start = files.start();
    ASSERT_EQ(start.read.kind, records::AutosaveRead::Kind::Damaged);
    ASSERT_EQ(start.read.problems.size(), 2u);
    EXPECT_EQ(start.read.problems[0].damage, records::Damage::TooLong);
    EXPECT_EQ(start.read.problems[0].record, 3);
    EXPECT_EQ(start.read.problems[1].damage, records::Damage::TooLarge);
    EXPECT_EQ(store.get("Data2.bak1"), data2);
}

} // namespace

namespace {

game::GameState onDay(const char* date)
{
    game::GameState state = game::startingState();
    state.date = date;
    return state;
}

} // namespace

// The note of a backup is the last thing to go. One that cannot be removed keeps every save
// waiting, as the player is told, until it goes; one left behind by an earlier release next to
// later saves (every file it names already has its backup) is removed at the start, and the
// saved game plays.
TEST(GameFiles, ABackupNoteThatOutlivesItsBackupNeverLocksOutAGame)
{
    fakes::MemoryStore store;
    putState(store, onDay("05 Gen 2002"));
    store.put("Data1", "\"damaged");
    store.failRemoves("Data.backups");
    GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    const records::StartReport start = files.start();
    EXPECT_TRUE(start.kept.error);
    EXPECT_TRUE(start.keptLater);
    EXPECT_EQ(store.get("Data1.bak1"), "\"damaged");
    EXPECT_EQ(saves.save(game::startingState(), WriteOrder::DataFirst).outcome, SaveOutcome::NotKept);
    EXPECT_FALSE(store.exists("Data1")) << "a save wrote while the note stood";

    store.heal(); // the note can go now: the next save removes it first, then writes
    ASSERT_TRUE(saves.save(game::startingState(), WriteOrder::DataFirst));
    EXPECT_FALSE(store.exists("Data.backups"));
    EXPECT_TRUE(holdsState(store, game::startingState()));
    EXPECT_FALSE(store.exists("Data1.bak2"));

    // The folder an earlier release left: the backup whole, the note, and days saved since.
    store.put("Data.backups", "TolvStreet backups 1\n1\nData1\nData2\nData3\nData4\nData5\ndata7\nend\n");
    putState(store, onDay("09 Gen 2002"));
    GameFiles later(store);
    const records::StartReport again = later.start();
    EXPECT_EQ(again.read.kind, records::AutosaveRead::Kind::Loaded);
    EXPECT_EQ(again.read.state, onDay("09 Gen 2002"));
    EXPECT_TRUE(again.kept.moved.empty());
    EXPECT_EQ(again.resumedBackup, 0);
    EXPECT_FALSE(store.exists("Data.backups"));
    EXPECT_FALSE(store.exists("Data1.bak2"));

    // A file at the note's name that is no note of the game's is kept like any foreign file.
    store.put("Data.backups", "TolvStreet backups 1\n1\nData1\n");
    GameFiles third(store);
    EXPECT_EQ(third.start().foreignNote, "Data.backups.bak1");
    EXPECT_EQ(store.get("Data.backups.bak1"), "TolvStreet backups 1\n1\nData1\n");
}

// A finished game's ledger and a Hall of Fame's copy take one number above the highest in the
// folder, and keep it: a save that failed part-way writes the same name again, never a second
// copy. A name somebody else took meanwhile is passed over and told back; past the highest number
// a journal names, the lowest free one is taken, and said.
TEST(GameFiles, NumberedFilesKeepTheirNumberOnEveryTry)
{
    fakes::MemoryStore store;
    putState(store, game::startingState());
    store.put("Data.ledger.game2", "a finished game whose earlier one the player deleted");
    store.put("data6", "I campioni\n"); // not the game's form: a win copies it first
    store.put("data6.bak4", "an older copy");
    GameFiles files(store);
    fakes::QueuedSaves saves(store, files);
    files.start();
    files.newGame(game::startingState());
    store.failWrites("Data.ledger", StoreFailure::NoSpace, 1);
    ASSERT_FALSE(saves.save(game::startingState(), WriteOrder::DataFirst));
    ASSERT_TRUE(saves.save(game::startingState(), WriteOrder::DataFirst));
    EXPECT_TRUE(store.exists("Data.ledger.game3"));
    EXPECT_FALSE(store.exists("Data.ledger.game4"));
    EXPECT_FALSE(store.exists("Data.ledger.game1"));
    EXPECT_EQ(files.lastArchive(), "Data.ledger.game3");

    files.recordWin("Anna", "01 Gen 2002");
    store.failWrites("data6", StoreFailure::NoSpace, 1);
    ASSERT_FALSE(saves.save(game::startingState(), WriteOrder::DataFirst));
    ASSERT_TRUE(saves.save(game::startingState(), WriteOrder::DataFirst));
    EXPECT_EQ(store.get("data6.bak5"), "I campioni\n");
    EXPECT_FALSE(store.exists("data6.bak6"));

    // The next number (4) is somebody else's by the time the save writes.
    files.newGame(game::startingState());
    store.put("Data.ledger.game4", "a player's file");
    const records::SaveReport passedOver = saves.save(game::startingState(), WriteOrder::DataFirst);
    ASSERT_TRUE(passedOver);
    EXPECT_EQ(passedOver.renumbered.size(), 1u);
    EXPECT_EQ(store.get("Data.ledger.game4"), "a player's file");
    EXPECT_TRUE(store.exists("Data.ledger.game5"));
    EXPECT_EQ(files.lastArchive(), "Data.ledger.game5");

    // No number is left above the highest: the lowest free one, said in the report.
    store.put("Data.ledger.game999999999", "the last number");
    GameFiles later(store);
    fakes::QueuedSaves laterSaves(store, later);
    later.start();
    later.newGame(game::startingState());
    const records::SaveReport fellBack = laterSaves.save(game::startingState(), WriteOrder::DataFirst);
    ASSERT_TRUE(fellBack);
    EXPECT_EQ(fellBack.fellBack, std::vector<std::string>{"Data.ledger.game1"});
    EXPECT_TRUE(store.exists("Data.ledger.game1"));

    // The save that writes it says so, also when the one that took the number failed.
    GameFiles third(store);
    fakes::QueuedSaves thirdSaves(store, third);
    third.start();
    third.newGame(game::startingState());
    store.failWrites(kJournal, StoreFailure::NoSpace, 1);
    ASSERT_FALSE(thirdSaves.save(game::startingState(), WriteOrder::DataFirst));
    const records::SaveReport told = thirdSaves.save(game::startingState(), WriteOrder::DataFirst);
    ASSERT_TRUE(told);
    EXPECT_EQ(told.fellBack, std::vector<std::string>{"Data.ledger.game6"});
    EXPECT_EQ(third.lastArchive(), "Data.ledger.game6");
}

// A look at a name that fails (the disk did not answer) tells nothing about what stands there:
// it is never taken for a name with nothing there, nor for somebody else's object. A damaged set
// is still kept whole under one number, a backup cut short is finished under its own number,
// and a journal is never passed over for the files it was rewriting.
TEST(GameFiles, ANameThatCouldNotBeLookedAtIsNeverTakenForAnAnswer)
{
    for (const std::string name : {"Data1", "Data3", "data7"}) {
        SCOPED_TRACE(name);
        fakes::MemoryStore store;
        putState(store, onDay("05 Gen 2002"));
        store.put("Data3", "\"damaged");
        const std::map<std::string, std::string> damaged = store.files();
        store.failLooks(name, 1);
        GameFiles files(store);
        fakes::QueuedSaves saves(store, files);
        files.start();
        files.newGame(game::startingState());
        ASSERT_TRUE(saves.save(game::startingState(), WriteOrder::DataFirst));
        for (const auto& [file, bytes] : damaged) {
            EXPECT_EQ(store.get(file + ".bak1"), bytes) << file;
        }
        EXPECT_TRUE(holdsState(store, game::startingState()));
    }

    // A start cut short while keeping a set: three of its files are kept, three still at their
    // names, and the look at one of their backup names fails.
    {
        fakes::MemoryStore store;
        putState(store, onDay("05 Gen 2002"));
        store.put("Data.backups", "TolvStreet backups 1\n1\nData1\nData2\nData3\nData4\nData5\ndata7\nend\n");
        for (const std::string moved : {"Data1", "Data2", "Data3"}) {
            store.put(moved + ".bak1", *store.get(moved));
            ASSERT_FALSE(store.remove(moved));
        }
        store.failLooks("Data4.bak1", 1);
        GameFiles files(store);
        files.start();
        for (const std::string kept : {"Data4", "Data5", "data7"}) {
            EXPECT_TRUE(store.exists(kept + ".bak1")) << kept;
            EXPECT_FALSE(store.exists(kept + ".bak2")) << kept;
        }
    }

    // A day's save cut after its journal and its first file: the date is the new day's, the
    // cash still the old one's. The look at the journal fails: the start still plays the new day
    // whole, never the mix.
    {
        fakes::MemoryStore store;
        putState(store, onDay("05 Gen 2002"));
        game::GameState next = onDay("06 Gen 2002");
        next.cash = "9000";
        const std::vector<records::FileContent> set = records::autosaveFiles(next, WriteOrder::DateFirst);
        store.put(kJournal, records::journalBytes(set));
        ASSERT_EQ(set.front().name, "data7");
        store.put(set.front().name, set.front().bytes);
        store.failLooks(kJournal, 1);
        GameFiles files(store);
        const records::StartReport start = files.start();
        ASSERT_EQ(start.read.kind, records::AutosaveRead::Kind::Loaded);
        EXPECT_EQ(start.read.state, next);
        EXPECT_TRUE(holdsState(store, next));
        EXPECT_FALSE(store.exists(kJournal));
    }
}

// The ledger removed by hand during play, or a link put in its place: the day's lines have nothing
// to follow, that save says so, and the next one writes the ledger whole again (in the link's
// place) instead of failing for the rest of the run.
TEST(GameFiles, ALedgerRemovedDuringPlayIsWrittenWholeByTheNextSave)
{
    for (const bool link : {false, true}) {
        SCOPED_TRACE(link ? "a link" : "removed");
        fakes::MemoryStore store;
        GameFiles files(store);
        fakes::QueuedSaves saves(store, files);
        files.start();
        files.newGame(game::startingState());
        ASSERT_TRUE(saves.save(game::startingState(), WriteOrder::DataFirst));
        ASSERT_FALSE(store.remove("Data.ledger"));
        if (link) {
            store.putOdd("Data.ledger", EntryKind::Link);
        }
        files.ledger().day(onDay("02 Gen 2002"));
        EXPECT_FALSE(saves.save(onDay("02 Gen 2002"), WriteOrder::DateFirst));
        files.ledger().day(onDay("03 Gen 2002"));
        ASSERT_TRUE(saves.save(onDay("03 Gen 2002"), WriteOrder::DateFirst));
        EXPECT_EQ(store.get("Data.ledger"), files.ledger().text());
        EXPECT_EQ(store.entry("Data.ledger"), EntryKind::File);
        EXPECT_FALSE(store.exists(kJournal));
        EXPECT_TRUE(holdsState(store, onDay("03 Gen 2002")));
    }
}

// A disk that fails one read at the start: the journal and the six files are read again, and the
// saved game plays, nothing set aside.
TEST(GameFiles, OneFailedReadAtTheStartSetsNothingAside)
{
    fakes::MemoryStore store;
    putState(store, onDay("03 Gen 2002"));
    const game::GameState next = onDay("04 Gen 2002");
    store.put(kJournal, records::journalBytes(records::autosaveFiles(next, WriteOrder::DateFirst)));
    store.failReads(kJournal, 1);
    store.failReads("Data2", 1);
    store.put("Data.ledger", records::Ledger::startingFrom(next).text());
    store.failReads("Data.ledger", 1);
    GameFiles files(store);
    const records::StartReport start = files.start();
    EXPECT_EQ(start.journal, records::Recovery::Kind::Completed);
    ASSERT_EQ(start.read.kind, records::AutosaveRead::Kind::Loaded);
    EXPECT_EQ(start.read.state, next);
    EXPECT_TRUE(start.kept.moved.empty());
    EXPECT_TRUE(files.ledgerSaved());
    EXPECT_EQ(files.ledger().note.kind, records::LedgerNote::Kind::None);
}
