// A play folder that fights back: links at every name the game uses, and a folder whose name is
// not UTF-8. The game never reads, creates or changes anything outside its folder.
#include "records/names.h"
#include "platform/folder_store.h"
#include "platform/play_lock.h"
#include "crash/crash_support.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "session/saver.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::vector<std::string> kNames = {"Data1", "Data2", "Data3", "Data4", "Data5",
                                         "data7", "data6", "Data.journal"};

bool isPlainFile(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Links at every game file's name, at the backup and temporary names, pointing outside (to
// files that are there, or dangling): saves, backups, recovery and a win replace the links and
// leave every target as it was, and no dangling target is ever created.
TEST(HostileFolder, LinksAtEveryNameAreReplacedAndNothingOutsideIsTouched)
{
    for (const bool dangling : {false, true}) {
        SCOPED_TRACE(dangling ? "dangling links" : "links to files");
        crashtest::PlayFolder outside;
        crashtest::PlayFolder folder;
        std::vector<std::string> linked = kNames;
        for (const std::string& name : kNames) {
            linked.push_back(name + ".bak1");
            linked.push_back(records::temporaryName(name));
        }
        for (const std::string& name : linked) {
            if (!dangling) {
                outside.put("to-" + name, "outside " + name);
            }
            const std::string target = outside.pathText() + "/to-" + name;
            ASSERT_EQ(::symlink(target.c_str(), (folder.pathText() + "/" + name).c_str()), 0) << name;
        }
        const QStringList outsideBefore = outside.entries();

        platform::FolderStore store(folder.pathText());
        fakes::FakeDialogs dialogs;
        fakes::FakeRandom random;
        session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
        session::Session session(store, dialogs, random, saver);
        session.load(); // links where the six belong: kept under backup names, a new game saved
        saver.settle();
        ASSERT_FALSE(dialogs.boxes().empty());
        for (int d = 0; d < game::kCompanyCount; ++d) {
            random.pushMove(0, 0, false);
        }
        session.advanceDay();
        saver.settle();
        session.buy(0, "1");
        saver.settle();
        session.sell(0, "1"); // no win: the cash is far from it
        saver.settle();
        EXPECT_EQ(session.state().cash, "10000");

        for (const char* name : {"Data1", "Data2", "Data3", "Data4", "Data5", "data7"}) {
            EXPECT_TRUE(isPlainFile(folder.pathText() + "/" + std::string(name))) << name;
        }
        EXPECT_EQ(outside.entries(), outsideBefore);
        for (const std::string& name : linked) {
            EXPECT_EQ(outside.get("to-" + name),
                      dangling ? std::nullopt : std::optional<std::string>("outside " + name))
                << name;
        }
    }
}

// A win over a link at data6 puts the new list in the link's place; the file it pointed to
// stays as it was.
TEST(HostileFolder, AWinOverALinkedHallOfFameLeavesItsTargetAlone)
{
    crashtest::PlayFolder outside;
    crashtest::PlayFolder folder;
    outside.put("winners", "\"\"\r\n");
    ASSERT_EQ(::symlink((outside.pathText() + "/winners").c_str(), (folder.pathText() + "/data6").c_str()), 0);
    game::GameState rich = game::startingState();
    rich.cash = "150000";
    folder.put(crashtest::setOf(rich));

    platform::FolderStore store(folder.pathText());
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    dialogs.answerText("Ada");
    session.sell(std::nullopt, "1");
    saver.settle();
    EXPECT_EQ(outside.get("winners"), "\"\"\r\n");
    EXPECT_TRUE(isPlainFile(folder.pathText() + "/data6"));
    EXPECT_EQ(folder.get("data6"), "\"\rAda:  01 Gen 2002\"\r\n");
}

// A hard link at the ledger's name shares its bytes with a file outside the folder: the day's
// lines go into the folder's own file, and the outside one stays as it was.
TEST(HostileFolder, AHardLinkAtTheLedgerNeverCarriesTheDaysOutside)
{
    crashtest::PlayFolder outside;
    crashtest::PlayFolder folder;
    platform::FolderStore store(folder.pathText());
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    {
        session::Saver firstSaver{store, dialogs, session::Saver::Run::ByHand};
        session::Session first(store, dialogs, random, firstSaver);
        first.load();
        firstSaver.settle();
    }
    const std::optional<std::string> ledger = folder.get("Data.ledger");
    ASSERT_TRUE(ledger);
    const std::string shared = outside.pathText() + "/shared";
    ASSERT_EQ(::link((folder.pathText() + "/Data.ledger").c_str(), shared.c_str()), 0);

    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};

    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    for (int d = 0; d < game::kCompanyCount; ++d) {
        random.pushMove(0, 0, false);
    }
    session.advanceDay();
    saver.settle();
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();
    EXPECT_EQ(outside.get("shared"), ledger);
    EXPECT_GT(folder.get("Data.ledger")->size(), ledger->size());
}

// A folder named in Latin-1 ("partitè"), as an older system or a copied disk may give: the saved
// game loads, the lock holds and every save lands there.
TEST(HostileFolder, AFolderWhoseNameIsNotUtf8PlaysLikeAnyOther)
{
    crashtest::PlayFolder parent;
    const std::string path = parent.pathText() + "/partit\xe8";
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    game::GameState saved = game::startingState();
    saved.date = "15 Mar 2003";
    for (const auto& [name, bytes] : crashtest::setOf(saved)) {
        FILE* file = std::fopen((path + "/" + name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    platform::PlayLock lock{std::filesystem::path(path)};
    ASSERT_EQ(lock.acquire(), platform::PlayLock::Outcome::Locked);
    platform::PlayLock second{std::filesystem::path(path)};
    EXPECT_EQ(second.acquire(), platform::PlayLock::Outcome::HeldByAnother);

    platform::FolderStore store{std::filesystem::path(path)};
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(session.state().date, "15 Mar 2003");
    for (int d = 0; d < game::kCompanyCount; ++d) {
        random.pushMove(0, 0, false);
    }
    session.advanceDay();
    saver.settle();
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(store.read("data7").bytes, "\"16 Mar 2003\"\r\n");
    lock.release();
    std::filesystem::remove_all(path); // the temporary folder's own clean-up reads names as UTF-8
}

} // namespace
