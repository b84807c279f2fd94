// Ways a hostile or unlucky play folder tried to get past the saving rules: a hard link at the
// lock, a foreign file or a damaged journal at the journal's name, a journal naming files that are
// not the game's.
#include "records/names.h"
#include "crash/crash_support.h"
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "platform/play_lock.h"
#include "records/game_files.h"
#include "records/save_set.h"

#include <QDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Outcome = platform::PlayLock::Outcome;

const std::string kJournal(records::kJournalName);

game::GameState dayOf(const char* cash, const char* date)
{
    game::GameState state = game::startingState();
    state.cash = cash;
    state.date = date;
    return state;
}

} // namespace

// A hard link at the lock's name shares its bytes with a file elsewhere: taking the lock must
// not write the holder's process number into that file.
TEST(FolderAttack, TheLockNeverWritesIntoAFileOutsideTheFolder)
{
    crashtest::PlayFolder folder;
    crashtest::PlayFolder outside;
    outside.put("notes.txt", "the player's own notes\n");
    const std::string target = outside.pathText() + "/notes.txt";
    const std::string lockName = folder.pathText() + "/" + std::string(records::kLockName);
    ASSERT_EQ(::link(target.c_str(), lockName.c_str()), 0);

    platform::PlayLock lock(platform::localPath(folder.path()));
    lock.acquire();
    EXPECT_EQ(outside.get("notes.txt"), "the player's own notes\n");
}

// A file that is not a journal of the game (a player's note saved under that name) is neither
// deleted nor silently dropped: it is kept, as an unreadable journal is.
TEST(FolderAttack, AForeignFileAtTheJournalsNameIsKept)
{
    crashtest::PlayFolder folder;
    folder.put(crashtest::setOf(dayOf("77777,00", "05 Gen 2002")));
    const std::string note = "Le mie note: comprare Carloil\n";
    folder.put(kJournal, note);

    platform::FolderStore store(platform::localPath(folder.path()));
    records::GameFiles files(store);
    files.start();
    EXPECT_TRUE(folder.get(kJournal) == note || folder.get(kJournal + ".bak1") == note)
        << "the note is gone from the folder";
}

// The game's journal is renamed into place whole, so a journal that ends properly but fails its
// check was damaged after it was written, maybe after some files were rewritten: the set is not
// played as if nothing had happened.
TEST(FolderAttack, AWholeJournalDamagedLaterIsNotTakenForOneCutShort)
{
    crashtest::PlayFolder folder;
    const game::GameState before = dayOf("77777,00", "05 Gen 2002");
    game::GameState after = dayOf("99999,00", "06 Gen 2002");
    after.companies[0].shares = "5";
    folder.put(crashtest::setOf(before));
    std::vector<records::FileContent> next =
        records::autosaveFiles(after, records::WriteOrder::DataFirst);
    std::string journal = records::journalBytes(next);
    journal[journal.find("99999")] = '8';
    folder.put(kJournal, journal);
    // The save had rewritten Data1 before it was killed.
    for (const records::FileContent& file : next) {
        if (file.name == "Data1") {
            folder.put(file.name, file.bytes);
        }
    }

    platform::FolderStore store(platform::localPath(folder.path()));
    records::GameFiles files(store);
    const records::StartReport start = files.start();
    EXPECT_NE(start.read.kind, records::AutosaveRead::Kind::Loaded)
        << "a set of two days is played: shares from the new day, cash from the old";
}

// A journal names the files it rewrites; whatever it says, the start rewrites only the game's own
// files, never a player's file in the folder nor the lock another copy may be holding.
TEST(FolderAttack, AJournalNeverWritesOverFilesThatAreNotTheGames)
{
    crashtest::PlayFolder folder;
    folder.put("Data1.copia1", "mia copia\n");
    folder.put(std::string(records::kLockName), "");
    std::vector<records::FileContent> set =
        records::autosaveFiles(dayOf("77777,00", "05 Gen 2002"), records::WriteOrder::DataFirst);
    set.push_back({"Data1.copia1", "overwritten"});
    set.push_back({std::string(records::kLockName), "overwritten"});
    folder.put(kJournal, records::journalBytes(set));

    platform::PlayLock lock(platform::localPath(folder.path()));
    ASSERT_EQ(lock.acquire(), Outcome::Locked);
    platform::FolderStore store(platform::localPath(folder.path()));
    records::GameFiles files(store);
    files.start();
    EXPECT_EQ(folder.get("Data1.copia1"), "mia copia\n");
    platform::PlayLock second(platform::localPath(folder.path()));
    EXPECT_EQ(second.acquire(), Outcome::HeldByAnother)
        << "the lock file was replaced under the running copy";
}
