// The real file store in a fresh temporary folder.
#include "platform/folder_store.h"
#include "platform/play_lock.h"
#include "platform/local_path.h"
#include "records/store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using platform::FolderStore;
using records::StoreFailure;

std::string fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return "<unreadable>";
    }
    return f.readAll().toStdString();
}

bool isFile(FolderStore& store, const std::string& name) { return store.entry(name) == records::EntryKind::File; }

QStringList entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
}

TEST(FolderStore, ReplacesAndReadsBytesExactly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FolderStore store(platform::localPath(dir.path()));

    const std::string bytes("\"10000,00\"\r\n\"\"\r\nline\n\0\xff\x80 end", 27);
    EXPECT_FALSE(isFile(store, "Data5"));
    ASSERT_FALSE(store.replace("Data5", bytes));
    EXPECT_TRUE(isFile(store, "Data5"));
    EXPECT_EQ(fileBytes(dir.filePath("Data5")), bytes); // no CR LF translation on any system
    const records::ReadResult read = store.read("Data5");
    EXPECT_FALSE(read.error);
    EXPECT_EQ(read.bytes, bytes);

    // A shorter content replaces the whole file, an empty one leaves an empty file.
    ASSERT_FALSE(store.replace("Data5", "\"0\"\r\n"));
    EXPECT_EQ(store.read("Data5").bytes, "\"0\"\r\n");
    ASSERT_FALSE(store.replace("Data5", ""));
    EXPECT_TRUE(isFile(store, "Data5"));
    EXPECT_EQ(store.read("Data5").bytes, "");

    // No temporary file is left behind.
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("Data5")});
    EXPECT_FALSE(store.syncFolder());
}

TEST(FolderStore, MissingFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FolderStore store(platform::localPath(dir.path()));

    const records::ReadResult read = store.read("data6");
    EXPECT_EQ(read.error.kind, StoreFailure::Missing);
    EXPECT_EQ(read.error.file, "data6");
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_FALSE(store.remove("data6")) << "removing a missing file succeeds";
    EXPECT_EQ(store.rename("data6", "data6.bak1").kind, StoreFailure::Missing);
    EXPECT_TRUE(entries(dir).isEmpty());
}

TEST(FolderStore, AFolderStandingAtTheNameIsNeverTouched)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Data1")));
    {
        QFile inner(dir.filePath(QStringLiteral("Data1/keep")));
        ASSERT_TRUE(inner.open(QIODevice::WriteOnly));
        inner.write("kept");
    }
    FolderStore store(platform::localPath(dir.path()));

    EXPECT_FALSE(isFile(store, "Data1"));
    EXPECT_EQ(store.read("Data1").error.kind, StoreFailure::NotAFile);
    const records::StoreError replaced = store.replace("Data1", "\"0\"\r\n");
    EXPECT_EQ(replaced.kind, StoreFailure::NotAFile);
    EXPECT_EQ(replaced.file, "Data1");
    EXPECT_EQ(store.remove("Data1").kind, StoreFailure::NotAFile);
    EXPECT_EQ(store.rename("Data1", "Data1.bak1").kind, StoreFailure::NotAFile);

    EXPECT_TRUE(QFileInfo(dir.filePath("Data1")).isDir());
    EXPECT_EQ(fileBytes(dir.filePath("Data1/keep")), "kept");
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("Data1")});
}

TEST(FolderStore, RenameNeverReplacesAndRemoveDeletes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FolderStore store(platform::localPath(dir.path()));
    ASSERT_FALSE(store.replace("Data4", "new"));
    ASSERT_FALSE(store.replace("Data4.bak1", "old backup"));

    const records::StoreError clash = store.rename("Data4", "Data4.bak1");
    EXPECT_TRUE(clash);
    EXPECT_EQ(store.read("Data4").bytes, "new");
    EXPECT_EQ(store.read("Data4.bak1").bytes, "old backup");

    ASSERT_FALSE(store.rename("Data4", "Data4.bak2"));
    EXPECT_FALSE(isFile(store, "Data4"));
    EXPECT_EQ(store.read("Data4.bak2").bytes, "new");

    ASSERT_FALSE(store.remove("Data4.bak1"));
    EXPECT_FALSE(isFile(store, "Data4.bak1"));
    EXPECT_EQ(entries(dir), QStringList{QStringLiteral("Data4.bak2")});
    EXPECT_FALSE(store.syncFolder());
}

TEST(FolderStore, AFolderThatIsGoneFailsWithoutCreatingIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString gone = dir.filePath(QStringLiteral("gone"));
    FolderStore store(platform::localPath(gone));
    EXPECT_TRUE(store.replace("Data1", "x"));
    EXPECT_EQ(store.read("Data1").error.kind, StoreFailure::Missing);
    EXPECT_TRUE(store.syncFolder());
    EXPECT_FALSE(QFileInfo::exists(gone));
}

// A folder that may not be written. As root a folder's mode does not stop writes, so a root
// run needs a read-only mount named by TOLV_TEST_READONLY_DIR (a read-only bind mount made in
// `unshare -r -m`) holding a file "Data1".
TEST(FolderStore, ReadOnlyFolderGivesPermission)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString folder;
    if (const char* mounted = std::getenv("TOLV_TEST_READONLY_DIR")) {
        folder = QString::fromLocal8Bit(mounted);
    } else if (::geteuid() != 0) {
        FolderStore writable(platform::localPath(dir.path()));
        ASSERT_FALSE(writable.replace("Data1", "old"));
        ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        folder = dir.path();
    } else {
        GTEST_SKIP() << "running as root without TOLV_TEST_READONLY_DIR";
    }
    FolderStore store(platform::localPath(folder));
    const std::string before = store.read("Data1").bytes;
    const records::StoreError error = store.replace("Data1", "new");
    EXPECT_EQ(error.kind, StoreFailure::Permission) << error.detail;
    EXPECT_FALSE(error.detail.empty());
    EXPECT_EQ(store.read("Data1").bytes, before);
    EXPECT_EQ(store.remove("Data1").kind, StoreFailure::Permission);
    EXPECT_TRUE(isFile(store, "Data1"));
    // No lock can be made there, and the player hears why: the folder, not a missing file.
    platform::PlayLock lock(platform::localPath(folder));
    EXPECT_EQ(lock.acquire(), platform::PlayLock::Outcome::NotPossible);
    EXPECT_EQ(lock.reason(), std::strerror(std::getenv("TOLV_TEST_READONLY_DIR") ? EROFS : EACCES));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A full disk: TOLV_TEST_FULL_DIR names a small, empty tmpfs (`mount -t tmpfs -o size=16k`,
// in `unshare -r -m` without root). The store fills it, then a bigger file must fail whole.
TEST(FolderStore, FullDiskGivesNoSpaceAndKeepsTheOldFile)
{
    const char* full = std::getenv("TOLV_TEST_FULL_DIR");
    if (full == nullptr) {
        GTEST_SKIP() << "TOLV_TEST_FULL_DIR names no small file system";
    }
    FolderStore store(platform::localPath(QString::fromLocal8Bit(full)));
    ASSERT_FALSE(store.replace("Data5", "\"10000,00\"\r\n"));
    const std::string big(1 << 20, 'x');
    const records::StoreError error = store.replace("Data5", big);
    EXPECT_EQ(error.kind, StoreFailure::NoSpace) << error.detail;
    EXPECT_EQ(store.read("Data5").bytes, "\"10000,00\"\r\n");

    // Then a small file on a disk filled to the last block: it would sit in the write buffer
    // until the commit, which is where a full disk used to pass unnoticed.
    {
        QFile filler(QString::fromLocal8Bit(full) + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const std::string block(512, 'f');
        while (filler.write(block.data(), 512) == 512) {
        }
        while (filler.write(block.data(), 1) == 1) {
        }
    }
    const records::StoreError small = store.replace("Data5", "\"99999,99\"\r\n");
    EXPECT_EQ(small.kind, StoreFailure::NoSpace) << small.detail;
    EXPECT_EQ(store.read("Data5").bytes, "\"10000,00\"\r\n");
    EXPECT_FALSE(store.remove("filler"));
    EXPECT_EQ(QDir(QString::fromLocal8Bit(full)).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

} // namespace

TEST(FolderStore, AnAppendCutsBackToTheLengthItFollowsAndNeverWritesThroughALink)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FolderStore store(platform::localPath(dir.path()));
    const QString ledger = dir.filePath(QStringLiteral("Data.ledger"));

    ASSERT_FALSE(store.append("Data.ledger", 0, "day 1\n"));
    EXPECT_EQ(fileBytes(ledger), "day 1\n");
    // Bytes past the length (a cut append) go before the new ones are written.
    ASSERT_FALSE(store.append("Data.ledger", 6, "da"));
    ASSERT_FALSE(store.append("Data.ledger", 6, "day 2\n"));
    EXPECT_EQ(fileBytes(ledger), "day 1\nday 2\n");
    EXPECT_EQ(store.append("Data.ledger", 100, "x").kind, records::StoreFailure::Missing);
    EXPECT_EQ(store.append("Data.other", 3, "x").kind, records::StoreFailure::Missing);
    EXPECT_EQ(fileBytes(ledger), "day 1\nday 2\n");

    // A link at the name is refused and what it points to stays as it was.
    const QString target = dir.filePath(QStringLiteral("elsewhere"));
    QFile out(target);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("mine");
    out.close();
    ASSERT_EQ(::symlink("elsewhere", dir.filePath(QStringLiteral("Data.link")).toLocal8Bit().constData()), 0);
    EXPECT_EQ(store.append("Data.link", 0, "x").kind, records::StoreFailure::NotAFile);
    EXPECT_EQ(store.append("Data.link", 4, "x").kind, records::StoreFailure::NotAFile);
    EXPECT_EQ(fileBytes(target), "mine");
    EXPECT_EQ(entries(dir), (QStringList{"Data.ledger", "Data.link", "elsewhere"}));
}
