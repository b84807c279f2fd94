// The order of the saves written beside the window, driven one save at a time.
#include "fakes/memory_store.h"
#include "game/rules.h"
#include "records/autosave.h"
#include "records/game_files.h"
#include "records/save_queue.h"

#include <gtest/gtest.h>

#include <algorithm>

using records::SaveJob;
using records::WriteOrder;

namespace {

game::GameState onDate(const char* date)
{
    game::GameState state = game::startingState();
    state.date = date;
    return state;
}

struct SaveQueueTest : ::testing::Test {
    fakes::MemoryStore store;
    records::GameFiles files{store};
    records::SaveQueue queue;

    // Writes the next save as the saver does and tells its end; false when none waits.
    bool runNext()
    {
        std::optional<SaveJob> job = queue.begin();
        if (!job) {
            return false;
        }
        const records::SaveReport report = records::GameFiles::write(store, *job);
        queue.end(report);
        files.saved(*job, report);
        return true;
    }
    int journalWrites() const
    {
        const auto replaced = store.replaced();
        return static_cast<int>(std::count(replaced.begin(), replaced.end(), "Data.journal"));
    }
    std::string date() const { return store.get("data7").value_or("<missing>"); }
};

} // namespace

TEST_F(SaveQueueTest, ANewerDayTakesThePlaceOfTheOneWaitingNeverOfTheOneUnderWay)
{
    files.start();
    queue.push(files.nextSave(onDate("01 Gen 2002"), WriteOrder::DateFirst));
    ASSERT_TRUE(queue.begin()); // under way, as the saver holds it
    queue.push(files.nextSave(onDate("02 Gen 2002"), WriteOrder::DateFirst));
    queue.push(files.nextSave(onDate("03 Gen 2002"), WriteOrder::DateFirst));
    EXPECT_EQ(queue.waiting(), 1u);
    EXPECT_FALSE(queue.begin()) << "one save at a time";

    queue.end({});
    ASSERT_TRUE(runNext());
    EXPECT_FALSE(runNext());
    EXPECT_TRUE(queue.idle());
    EXPECT_EQ(date(), "\"03 Gen 2002\"\r\n");
    EXPECT_EQ(journalWrites(), 1); // the day under way was only marked, the merged one written
}

TEST_F(SaveQueueTest, AWinWaitingTravelsOnlyWithItsWinnerAndNothingAfterItReachesTheDiskWithout)
{
    store.put("data6", "\"\"\r\n");
    files.start();
    queue.push(files.nextSave(onDate("01 Gen 2002"), WriteOrder::DateFirst));
    const std::optional<SaveJob> underWay = queue.begin();
    ASSERT_TRUE(underWay);

    // The win and the days after it, queued while the day before is still being written.
    files.recordWin("Anna", "01 Gen 2002");
    queue.push(files.nextSave(onDate("01 Gen 2002"), WriteOrder::DataFirst));
    queue.push(files.nextSave(onDate("02 Gen 2002"), WriteOrder::DateFirst));
    EXPECT_EQ(queue.waiting(), 1u) << "the later day carries the winner, so it may carry the win";

    // A save without the winner may never take the win's place: it waits behind it.
    SaveJob withoutWinner = files.nextSave(onDate("03 Gen 2002"), WriteOrder::DateFirst);
    withoutWinner.carries.hallOfFame.reset();
    queue.push(withoutWinner);
    EXPECT_EQ(queue.waiting(), 2u);

    // The day under way fails: the win stays owed, and the next save writes it.
    store.failAllWrites(records::StoreFailure::NoSpace);
    const records::SaveReport failed = records::GameFiles::write(store, *underWay);
    ASSERT_FALSE(failed);
    queue.end(failed);
    files.saved(*underWay, failed);
    store.heal();
    EXPECT_TRUE(files.owesASave());
    ASSERT_TRUE(runNext());
    EXPECT_EQ(*store.get("data6"), "\"\rAnna:  01 Gen 2002\"\r\n");
    EXPECT_EQ(date(), "\"02 Gen 2002\"\r\n");
    EXPECT_FALSE(files.owesASave());
    ASSERT_TRUE(runNext());
    EXPECT_EQ(date(), "\"03 Gen 2002\"\r\n");
    EXPECT_EQ(*store.get("data6"), "\"\rAnna:  01 Gen 2002\"\r\n");
}

TEST_F(SaveQueueTest, DamagedFilesAreKeptOnceAndTheNewGamesFilesNeverTakenForThem)
{
    store.put("Data1", "not a record");
    store.failWrites("Data1", records::StoreFailure::Permission, 1); // the start cannot keep it
    const records::StartReport start = files.start();
    ASSERT_TRUE(start.keptLater);

    queue.push(files.nextSave(game::startingState(), WriteOrder::DataFirst));
    const std::optional<SaveJob> first = queue.begin();
    ASSERT_TRUE(first);
    queue.push(files.nextSave(onDate("02 Gen 2002"), WriteOrder::DateFirst));
    // The first save keeps the damaged file, then writes the new game.
    const records::SaveReport report = records::GameFiles::write(store, *first);
    ASSERT_TRUE(report);
    queue.end(report);
    // A day pressed before the game hears that the first save ended still owes the backup.
    queue.push(files.nextSave(onDate("03 Gen 2002"), WriteOrder::DateFirst));
    files.saved(*first, report);
    ASSERT_TRUE(runNext());

    EXPECT_EQ(*store.get("Data1.bak1"), "not a record");
    EXPECT_FALSE(store.get("Data1.bak2")) << "the new game's Data1 was kept as if damaged";
    EXPECT_EQ(date(), "\"03 Gen 2002\"\r\n");
}
