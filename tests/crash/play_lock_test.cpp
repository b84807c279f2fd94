// One game per folder: a second copy is refused while the first runs, and a lock left behind
// by a copy that died blocks nobody.
#include "crash/crash_support.h"
#include "platform/play_lock.h"

#include <QProcess>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using Outcome = platform::PlayLock::Outcome;

TEST(PlayLock, ASecondCopyInTheSameFolderIsRefusedUntilTheFirstEnds)
{
    crashtest::PlayFolder folder;
    crashtest::PlayFolder other;
    platform::PlayLock first(folder.path());
    ASSERT_EQ(first.acquire(), Outcome::Locked);
    EXPECT_TRUE(folder.get(platform::PlayLock::kFileName));

    platform::PlayLock second(folder.path());
    EXPECT_EQ(second.acquire(), Outcome::HeldByAnother);
    EXPECT_FALSE(second.isLocked());
    platform::PlayLock elsewhere(other.path());
    EXPECT_EQ(elsewhere.acquire(), Outcome::Locked) << "another folder is another game";

    first.release();
    EXPECT_FALSE(folder.get(platform::PlayLock::kFileName));
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

    platform::PlayLock mine(folder.path());
    EXPECT_EQ(mine.acquire(), Outcome::HeldByAnother);

    child.kill(); // a crash: the lock file stays behind
    ASSERT_TRUE(child.waitForFinished(30000));
    ASSERT_TRUE(folder.get(platform::PlayLock::kFileName));
    EXPECT_EQ(mine.acquire(), Outcome::Locked);
}

// A power cut between the lock file's creation and its first write leaves it empty: it names no
// process, and only a holder that still has it locked keeps it.
TEST(PlayLock, AnEmptyLockFileBlocksOnlyWhileItsHolderLives)
{
    crashtest::PlayFolder folder;
    folder.put(platform::PlayLock::kFileName, "");
    {
        platform::PlayLock lock(folder.path());
        EXPECT_EQ(lock.acquire(), Outcome::Locked);
    }
    EXPECT_FALSE(folder.get(platform::PlayLock::kFileName));

    // A copy caught between creating the file and writing its name holds the system lock on it.
    folder.put(platform::PlayLock::kFileName, "");
    const std::string path = folder.pathText() + "/" + platform::PlayLock::kFileName;
    const int held = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    platform::PlayLock lock(folder.path());
    EXPECT_EQ(lock.acquire(), Outcome::HeldByAnother);
    ::close(held);
    EXPECT_EQ(lock.acquire(), Outcome::Locked);
}
