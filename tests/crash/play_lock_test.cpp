// One game per folder: a second copy is refused while the first runs, a lock left behind by a
// copy that died blocks nobody, and nothing but a plain file is ever taken for the lock.
#include "records/names.h"
#include "platform/local_path.h"
#include "crash/crash_support.h"
#include "platform/folder_store.h"
#include "platform/play_lock.h"
#include "records/store.h"

#include <QProcess>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using Outcome = platform::PlayLock::Outcome;

TEST(PlayLock, ASecondCopyInTheSameFolderIsRefusedUntilTheFirstEnds)
{
    crashtest::PlayFolder folder;
    crashtest::PlayFolder other;
    platform::PlayLock first(platform::localPath(folder.path()));
    ASSERT_EQ(first.acquire(), Outcome::Locked);
    EXPECT_TRUE(folder.get(std::string(records::kLockName)));

    platform::PlayLock second(platform::localPath(folder.path()));
    EXPECT_EQ(second.acquire(), Outcome::HeldByAnother);
    EXPECT_FALSE(second.isLocked());
    platform::PlayLock elsewhere(platform::localPath(other.path()));
    EXPECT_EQ(elsewhere.acquire(), Outcome::Locked) << "another folder is another game";

    first.release();
    EXPECT_TRUE(folder.get(std::string(records::kLockName))) << "the file stays: only its lock goes";
    EXPECT_EQ(second.acquire(), Outcome::Locked);
}

TEST(PlayLock, ALockHeldByARunningCopyHoldsAndOneLeftByAKilledCopyIsTakenOver)
{
    crashtest::PlayFolder folder;
    QProcess child;
    child.start(QStringLiteral(TOLV_CRASH_CHILD), {QStringLiteral("hold-lock"), folder.path()});
    ASSERT_TRUE(child.waitForStarted(30000));
    ASSERT_TRUE(child.waitForReadyRead(30000));
    ASSERT_EQ(child.readAllStandardOutput(), QByteArray("locked\n"));

    platform::PlayLock mine(platform::localPath(folder.path()));
    EXPECT_EQ(mine.acquire(), Outcome::HeldByAnother);

    child.kill(); // a crash: the lock file stays behind
    ASSERT_TRUE(child.waitForFinished(30000));
    ASSERT_TRUE(folder.get(std::string(records::kLockName)));
    EXPECT_EQ(mine.acquire(), Outcome::Locked);
}

// Only the system's lock counts: an empty lock file (a power cut before its first write, or a
// full disk) blocks only while some process holds it, whatever it says.
TEST(PlayLock, AnyLockFileBlocksOnlyWhileItsHolderLives)
{
    crashtest::PlayFolder folder;
    folder.put(std::string(records::kLockName), "");
    {
        platform::PlayLock lock(platform::localPath(folder.path()));
        EXPECT_EQ(lock.acquire(), Outcome::Locked);
    }
    // A copy caught between creating the file and writing into it already holds the lock.
    folder.put(std::string(records::kLockName), "");
    const std::string path = folder.pathText() + "/" + std::string(records::kLockName);
    const int held = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    platform::PlayLock lock(platform::localPath(folder.path()));
    EXPECT_EQ(lock.acquire(), Outcome::HeldByAnother);
    ::close(held);
    EXPECT_EQ(lock.acquire(), Outcome::Locked);
}

// A folder, a link (dangling or not) or a pipe at the lock's name is told at once: never taken
// for a running copy, never waited on, and nothing outside the folder is created or changed.
TEST(PlayLock, SomethingThatIsNotAPlainFileAtTheLocksNameIsToldAtOnce)
{
    crashtest::PlayFolder outside;
    const std::string target = outside.pathText() + "/target";
    const auto make = [&](const std::string& lockPath, int kind) {
        switch (kind) {
        case 0:
            return ::mkdir(lockPath.c_str(), 0755) == 0;
        case 1:
            return ::symlink(target.c_str(), lockPath.c_str()) == 0; // dangling
        case 2:
            outside.put("target", "someone else's");
            return ::symlink(target.c_str(), lockPath.c_str()) == 0;
        default:
            return ::mkfifo(lockPath.c_str(), 0644) == 0;
        }
    };
    for (int kind = 0; kind < 4; ++kind) {
        crashtest::PlayFolder folder;
        ASSERT_TRUE(make(folder.pathText() + "/" + std::string(records::kLockName), kind)) << kind;
        platform::PlayLock lock(platform::localPath(folder.path()));
        EXPECT_EQ(lock.acquire(), Outcome::NotAFile) << kind;
        EXPECT_FALSE(lock.isLocked());
        EXPECT_EQ(outside.get("target"), kind >= 2 ? std::optional<std::string>("someone else's") : std::nullopt)
            << kind;
    }
}

// A lock file removed or replaced by hand while the game runs lets another copy lock the folder:
// from then on the first copy writes nothing (and is told so by every save's failure), so that
// two copies never write over each other's saves.
TEST(PlayLock, ACopyWhoseLockFileWasTakenAwayWritesNoMore)
{
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "removed");
        crashtest::PlayFolder folder;
        const std::string lockName(records::kLockName);
        platform::PlayLock first(platform::localPath(folder.path()));
        ASSERT_EQ(first.acquire(), Outcome::Locked);
        platform::FolderStore disk(platform::localPath(folder.path()));
        records::LockedStore store(disk, [&first] { return first.stillHeld(); });
        EXPECT_FALSE(store.replace("Data5", "\"1\"\r\n"));

        ASSERT_EQ(::unlink((folder.path().toStdString() + "/" + lockName).c_str()), 0);
        if (replaced) {
            folder.put(lockName, "");
        }
        platform::PlayLock second(platform::localPath(folder.path()));
        ASSERT_EQ(second.acquire(), Outcome::Locked);
        EXPECT_EQ(store.replace("Data5", "\"2\"\r\n").kind, records::StoreFailure::NotLocked);
        EXPECT_EQ(store.remove("Data5").kind, records::StoreFailure::NotLocked);
        EXPECT_EQ(folder.get("Data5"), "\"1\"\r\n");
    }

    // The folder itself gone with its lock: nothing can be saved there, and the store says why
    // (not that the folder is not locked).
    crashtest::PlayFolder folder;
    const std::string path = folder.path().toStdString();
    platform::PlayLock lock(platform::localPath(folder.path()));
    ASSERT_EQ(lock.acquire(), Outcome::Locked);
    platform::FolderStore disk(platform::localPath(folder.path()));
    records::LockedStore store(disk, [&lock] { return lock.stillHeld(); });
    ASSERT_EQ(::unlink((path + "/" + std::string(records::kLockName)).c_str()), 0);
    ASSERT_EQ(::rmdir(path.c_str()), 0);
    const records::StoreError refused = store.replace("Data5", "\"2\"\r\n");
    EXPECT_TRUE(refused);
    EXPECT_EQ(refused.kind, disk.replace("Data5", "\"2\"\r\n").kind);
}
