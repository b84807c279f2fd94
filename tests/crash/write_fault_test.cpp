// Faults on write: a read-only folder, a full disk, a folder standing where a file belongs, an
// I/O error. The player is told in Italian what could not be saved, nothing already on disk is
// damaged, play goes on, and the next save succeeds once the cause is gone.
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "crash/crash_support.h"
#include "fakes/fake_dialogs.h"
#include "fakes/memory_store.h"
#include "platform/play_lock.h"
#include "records/autosave.h"
#include "records/hall_of_fame.h"
#include "records/ledger.h"
#include "records/save_set.h"
#include "session/saver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using crashtest::FileSet;
using records::StoreFailure;

const std::string kJournal(records::kJournalName);
const QString kNotSaved = QStringLiteral("Non è stato possibile salvare la partita: ");

// The Italian words that name each kind of fault.
QString reasonOf(StoreFailure kind, const std::string& file)
{
    const QString name = QString::fromStdString(file);
    switch (kind) {
    case StoreFailure::Permission:
        return QStringLiteral("la cartella di gioco non permette di scrivere il file \"%1\"").arg(name);
    case StoreFailure::NoSpace:
        return QStringLiteral("il disco è pieno (file \"%1\")").arg(name);
    case StoreFailure::NotAFile:
        return QStringLiteral("al posto del file \"%1\" c'è una cartella o un altro oggetto").arg(name);
    default:
        return QStringLiteral("errore di scrittura del file \"%1\"").arg(name);
    }
}

FileSet storeSet(fakes::MemoryStore& store) { return crashtest::withoutLedgers(crashtest::gameFiles(store)); }

// What a fresh start finds in the store: the recovered set.
FileSet startFinds(const fakes::MemoryStore& disk)
{
    fakes::MemoryStore copy = disk;
    copy.heal();
    fakes::FakeDialogs dialogs;
    crashtest::ScriptRandom random(1);
    session::Saver saver{copy, dialogs, session::Saver::Run::ByHand};
    session::Session session(copy, dialogs, random, saver);
    session.load();
    saver.settle();
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();
    return storeSet(copy);
}

} // namespace

// Every kind of fault at every file of every kind of save, in memory.
TEST(WriteFaults, EveryFailedSaveIsToldKeepsTheDiskWholeAndTheNextSaveWritesAll)
{
    const FileSet game = crashtest::replay({}, 3, 40).back();
    const std::vector<StoreFailure> kinds = {StoreFailure::Permission, StoreFailure::NoSpace,
                                             StoreFailure::NotAFile, StoreFailure::Other};
    const std::vector<std::string> saves = {"day", "new", "win"};
    const std::vector<std::string> files = {kJournal, "data6", "Data1", "Data4", "data7"};
    int cases = 0;
    for (const std::string& save : saves) {
        for (const std::string& file : files) {
            for (const StoreFailure kind : kinds) {
                SCOPED_TRACE(save + ", " + file + " fails with kind " + std::to_string(static_cast<int>(kind)));
                fakes::MemoryStore store;
                FileSet before = game;
                before.erase("data6");
                if (save == "win") {
                    before["Data5"] = "\"150000\"\r\n";
                    before["data6"] = "\"\"\r\n";
                }
                for (const auto& [name, bytes] : before) {
                    store.put(name, bytes);
                }
                fakes::FakeDialogs dialogs;
                crashtest::ScriptRandom random(5);
                session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
                session::Session session(store, dialogs, random, saver);
                session.load();
                saver.settle();
                ASSERT_TRUE(dialogs.boxes().empty());
                if (file == "data6" && save != "win") {
                    continue; // only a win writes the Hall of Fame
                }
                ++cases;
                // The same action with nothing failing, for what play must have done.
                fakes::MemoryStore twinStore = store;
                crashtest::ScriptRandom twinRandom(5);
                crashtest::ScriptDialogs twinDialogs;
                session::Saver twinSaver{twinStore, twinDialogs, session::Saver::Run::ByHand};
                session::Session twin(twinStore, twinDialogs, twinRandom, twinSaver);
                twin.load();
                twinSaver.settle();
                store.failWrites(file, kind);
                if (save == "day") {
                    session.advanceDay();
                    saver.settle();
                    twin.advanceDay();
                    twinSaver.settle();
                } else if (save == "new") {
                    session.newGame();
                    saver.settle();
                    twin.newGame();
                    twinSaver.settle();
                } else {
                    dialogs.answerText(QStringLiteral("Anna"));
                    session.sell(std::nullopt, QStringLiteral("0"));
                    saver.settle();
                    twin.sell(std::nullopt, QStringLiteral("0"));
                    twinSaver.settle();
                }
                const game::GameState played = session.state();
                EXPECT_EQ(played, twin.state()) << "play goes on";

                // Told, in Italian, naming the file and the cause.
                const QString told = dialogs.boxes().back().prompt;
                EXPECT_EQ(dialogs.boxes().back().title, QStringLiteral("Tolv Street"));
                EXPECT_TRUE(told.startsWith(kNotSaved + reasonOf(kind, file))) << told.toStdString();

                // The disk holds a whole set: the old one, or the new one once its journal was
                // whole; never a mix.
                const FileSet found = startFinds(store);
                EXPECT_TRUE(crashtest::tornFiles(found).empty());
                FileSet after = crashtest::setOf(played, before.count("data6") ? std::optional(before.at("data6"))
                                                                                : std::nullopt);
                if (save == "win") {
                    after["data6"] = "\"\rAnna:  " + played.date + "\"\r\n";
                }
                EXPECT_EQ(found, file == kJournal ? crashtest::withoutLedgers(before) : after) << crashtest::describe(found);

                // The cause gone, the next save writes the whole set, the win's record with it.
                store.heal();
                dialogs.clear();
                session.advanceDay();
                saver.settle();
                EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();
                FileSet next = crashtest::setOf(session.state(), after.count("data6") ? std::optional(after.at("data6"))
                                                                                     : std::nullopt);
                EXPECT_EQ(storeSet(store), next);
                EXPECT_FALSE(store.get(kJournal));
                if (::testing::Test::HasFailure()) {
                    return;
                }
            }
        }
    }
    EXPECT_EQ(cases, 3 * 4 * 4 + 4);
}

// Real folders standing where the journal or a save file belongs.
TEST(WriteFaults, AFolderStandingAtTheJournalsNameStopsEverySaveUntilItGoes)
{
    crashtest::PlayFolder folder;
    platform::FolderStore store(platform::localPath(folder.path()));
    fakes::FakeDialogs dialogs;
    crashtest::ScriptRandom random(9);
    session::Saver firstSaver{store, dialogs, session::Saver::Run::ByHand};
    session::Session first(store, dialogs, random, firstSaver);
    first.load();
    firstSaver.settle();
    const FileSet saved = folder.gameSet();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromStdString(kJournal)));

    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};

    session::Session session(store, dialogs, random, saver);
    session.load(); // the saved game loads, and the player hears of the folder
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains(reasonOf(StoreFailure::NotAFile, kJournal)))
        << dialogs.boxes()[0].prompt.toStdString();
    EXPECT_EQ(session.state().date, "01 Gen 2002");
    session.advanceDay();
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 2u);
    EXPECT_TRUE(dialogs.boxes()[1].prompt.startsWith(kNotSaved + reasonOf(StoreFailure::NotAFile, kJournal)))
        << dialogs.boxes()[1].prompt.toStdString();
    EXPECT_EQ(session.state().date, "02 Gen 2002");
    EXPECT_EQ(folder.gameSet(), saved);

    ASSERT_TRUE(QDir(folder.path()).rmdir(QString::fromStdString(kJournal)));
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(dialogs.boxes().size(), 2u);
    EXPECT_EQ(folder.gameSet(), crashtest::setOf(session.state()));
    EXPECT_EQ(session.state().date, "03 Gen 2002");
}

TEST(WriteFaults, AFolderStandingAtData3IsNamedAndTheGameGoesOnFromItsJournal)
{
    crashtest::PlayFolder folder;
    const FileSet game = crashtest::replay({}, 4, 30).back();
    folder.put(game);
    ASSERT_TRUE(QFile::remove(folder.path() + QStringLiteral("/Data3")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Data3")));

    platform::FolderStore store(platform::localPath(folder.path()));
    fakes::FakeDialogs dialogs;
    crashtest::ScriptRandom random(9);
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    // Told that Data3 is unreadable, the others kept, and that the new game could not be saved.
    ASSERT_EQ(dialogs.boxes().size(), 2u) << dialogs.prompts().join(" | ").toStdString();
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains(QStringLiteral("\"Data3\" non si può leggere")))
        << dialogs.boxes()[0].prompt.toStdString();
    EXPECT_TRUE(dialogs.boxes()[1].prompt.startsWith(kNotSaved + reasonOf(StoreFailure::NotAFile, "Data3")))
        << dialogs.boxes()[1].prompt.toStdString();
    for (const auto& [name, bytes] : game) {
        if (name != "Data3" && name != "data6" && name != records::kLedgerName) {
            EXPECT_EQ(folder.get(name + ".bak1"), bytes) << name << " kept byte for byte";
        }
    }
    EXPECT_EQ(session.state(), game::startingState());

    // Play goes on, and saving still fails: the player was told already. A start meanwhile
    // plays the journal's set.
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(dialogs.boxes().size(), 2u);
    fakes::FakeDialogs laterDialogs;
    session::Saver laterSaver{store, laterDialogs, session::Saver::Run::ByHand};
    session::Session later(store, laterDialogs, random, laterSaver);
    later.load();
    laterSaver.settle();
    EXPECT_EQ(later.state(), session.state());
    ASSERT_EQ(laterDialogs.boxes().size(), 1u);
    EXPECT_TRUE(laterDialogs.boxes()[0].prompt.contains(QStringLiteral("\"Data3\"")));

    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("Data3")));
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(dialogs.boxes().size(), 2u) << dialogs.prompts().join(" | ").toStdString();
    FileSet expected = crashtest::setOf(session.state());
    if (game.count("data6")) {
        expected["data6"] = game.at("data6");
    }
    EXPECT_EQ(folder.gameSet(), expected);
    EXPECT_FALSE(folder.get(kJournal));
}

namespace {

// A mount made for one test and undone after it; needs root (CAP_SYS_ADMIN).
class Mount {
public:
    Mount() = default;
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;
    ~Mount() { undo(); }
    bool tmpfs(const std::string& at, const char* options)
    {
        m_at = at;
        m_done = ::mount("tolv-test", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options) == 0;
        m_error = errno;
        return m_done;
    }
    bool readOnlyBind(const std::string& at)
    {
        m_at = at;
        m_done = ::mount(at.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) == 0;
        m_error = errno;
        if (m_done && ::mount(nullptr, at.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            m_error = errno;
            undo();
        }
        return m_done;
    }
    void undo()
    {
        if (m_done) {
            ::umount2(m_at.c_str(), MNT_DETACH);
            m_done = false;
        }
    }
    std::string why() const { return std::strerror(m_error); }

private:
    std::string m_at;
    bool m_done = false;
    int m_error = 0;
};

const char* kNeedsRoot = "needs root to mount a small or read-only file system (run ./test as root)";

} // namespace

TEST(WriteFaults, AReadOnlyFolderIsToldAndTheNextSaveAfterItWritesAll)
{
    crashtest::PlayFolder folder;
    folder.put(crashtest::replay({}, 6, 25).back());
    const FileSet saved = folder.gameSet();
    Mount mount;
    if (::geteuid() != 0 || !mount.readOnlyBind(folder.pathText())) {
        GTEST_SKIP() << kNeedsRoot << " (" << mount.why() << ")";
    }
    // A read-only folder takes no lock: the game plays on, unlocked.
    platform::PlayLock lock(platform::localPath(folder.path()));
    EXPECT_EQ(lock.acquire(), platform::PlayLock::Outcome::NotPossible);

    platform::FolderStore store(platform::localPath(folder.path()));
    fakes::FakeDialogs dialogs;
    crashtest::ScriptRandom random(10);
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    ASSERT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();
    const std::string date = session.state().date;
    session.advanceDay();
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.startsWith(kNotSaved + reasonOf(StoreFailure::Permission, kJournal)))
        << dialogs.boxes()[0].prompt.toStdString();
    EXPECT_NE(session.state().date, date);
    EXPECT_EQ(folder.gameSet(), saved);

    mount.undo();
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    FileSet expected = crashtest::setOf(session.state());
    if (saved.count("data6")) {
        expected["data6"] = saved.at("data6");
    }
    EXPECT_EQ(folder.gameSet(), expected);
}

TEST(WriteFaults, AFullDiskIsToldNothingOnItIsDamagedAndTheNextSaveAfterItWritesAll)
{
    crashtest::PlayFolder folder;
    Mount mount;
    if (::geteuid() != 0 || !mount.tmpfs(folder.pathText(), "size=64k,mode=0700")) {
        GTEST_SKIP() << kNeedsRoot << " (" << mount.why() << ")";
    }
    platform::FolderStore store(platform::localPath(folder.path()));
    fakes::FakeDialogs dialogs;
    crashtest::ScriptRandom random(12);
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    ASSERT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();
    const FileSet saved = folder.gameSet();

    // Fills the disk to the last byte, then frees `room` bytes.
    QFile filler(folder.path() + QStringLiteral("/filler"));
    auto fill = [&filler](qint64 room) {
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered | QIODevice::Truncate));
        const std::string block(4096, 'f');
        while (filler.write(block.data(), 4096) == 4096) {
        }
        while (filler.write(block.data(), 1) == 1) {
        }
        const qint64 size = filler.size();
        filler.close();
        ASSERT_TRUE(filler.resize(std::max<qint64>(0, size - room)));
    };

    // No room even for the journal: nothing is touched.
    fill(0);
    session.advanceDay();
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.startsWith(kNotSaved + reasonOf(StoreFailure::NoSpace, kJournal)))
        << dialogs.boxes()[0].prompt.toStdString();
    EXPECT_EQ(folder.gameSet(), saved);
    EXPECT_FALSE(folder.get(kJournal));

    // Room for the journal, not for the files: the old files stay whole, and a start made
    // meanwhile plays the journal's newer set, saying that it could not write it out. The
    // player, told already that saving fails, is not told again.
    fill(4096);
    session.advanceDay();
    saver.settle();
    ASSERT_EQ(dialogs.boxes().size(), 1u) << dialogs.prompts().join(" | ").toStdString();
    EXPECT_TRUE(crashtest::tornFiles(folder.gameSet()).empty());
    if (folder.get(kJournal)) {
        fakes::FakeDialogs laterDialogs;
        session::Saver laterSaver{store, laterDialogs, session::Saver::Run::ByHand};
        session::Session later(store, laterDialogs, random, laterSaver);
        later.load();
        laterSaver.settle();
        EXPECT_EQ(later.state(), session.state());
        EXPECT_EQ(laterDialogs.boxes().size(), 1u);
    } else {
        EXPECT_EQ(folder.gameSet(), saved);
    }

    ASSERT_TRUE(filler.remove());
    session.advanceDay();
    saver.settle();
    EXPECT_EQ(dialogs.boxes().size(), 1u) << dialogs.prompts().join(" | ").toStdString();
    EXPECT_EQ(folder.gameSet(), crashtest::setOf(session.state()));
    EXPECT_FALSE(folder.get(kJournal));
}

// An I/O error on a real sync, injected into the child program's system calls.
namespace {

// Why failed system calls cannot be injected here; empty when they can.
std::string whyNoStrace()
{
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty()) {
        return "strace is not installed";
    }
    if (QProcess::execute(QStringLiteral("strace"), {QStringLiteral("-qq"), QStringLiteral("-o"),
                                                      QStringLiteral("/dev/null"), QStringLiteral("true")}) != 0) {
        return "strace cannot trace here (no ptrace in this container?)";
    }
    return {};
}

// The child's output, run under strace with one failed call injected.
QString underStrace(const QString& call, const QString& injected, const QStringList& childArguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The leak checker cannot run under a tracer.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral("strace"), QStringList{QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"),
                                                      QStringLiteral("/dev/null"), QStringLiteral("-e"),
                                                      QStringLiteral("trace=") + call, QStringLiteral("-e"),
                                                      QStringLiteral("inject=") + injected, QStringLiteral(TOLV_CRASH_CHILD)} +
                                              childArguments);
    EXPECT_TRUE(child.waitForStarted(30000));
    EXPECT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0);
    return QString::fromUtf8(child.readAllStandardOutput());
}

} // namespace

TEST(WriteFaults, AnExportWhoseSyncFailsIsToldNotTakenForWritten)
{
    if (const std::string why = whyNoStrace(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    crashtest::PlayFolder folder;
    folder.put(crashtest::replay({}, 8, 20).back());
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("cronologia.csv"));
    // Loading a whole set syncs nothing: the first sync is the export's.
    const QString output = underStrace(QStringLiteral("fsync,fdatasync"), QStringLiteral("fsync:error=EIO:when=1"),
                                       {QStringLiteral("export"), folder.path(), file});
    EXPECT_TRUE(output.contains(QStringLiteral("not exported"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("box Registro del giocatore: Non è stato possibile scrivere il file «%1»")
                                    .arg(file)))
        << output.toStdString();
    EXPECT_FALSE(QFile::exists(file));
}

TEST(WriteFaults, AFailedSyncIsToldAndTheNextStartFindsAWholeSet)
{
    if (const std::string why = whyNoStrace(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const FileSet game = crashtest::replay({}, 8, 20).back();
    // Which fsync is whose: the child's disk steps of a day advance, where a file's "sync" and a
    // "sync-folder" are each one fsync (the rename's own sync is an fdatasync).
    std::vector<std::string> syncs;
    {
        crashtest::PlayFolder folder;
        folder.put(game);
        const crashtest::ChildRun run = crashtest::runChild(
            {QStringLiteral("act"), folder.path(), QStringLiteral("day"), QStringLiteral("0")});
        for (const std::string& line : run.linesWith("op ")) {
            const std::size_t kind = line.find(' ', 3) + 1;
            if (line.compare(kind, 5, "sync ") == 0 || line.compare(kind, 12, "sync-folder ") == 0) {
                syncs.push_back(line.substr(line.rfind(' ') + 1));
            }
        }
    }
    // The journal's own sync, the first folder sync, and data7's (a day writes data7 first).
    std::vector<int> chosen;
    for (const std::string& name : {kJournal, std::string("."), std::string("data7")}) {
        const auto at = std::find(syncs.begin(), syncs.end(), name);
        ASSERT_NE(at, syncs.end()) << name;
        chosen.push_back(static_cast<int>(at - syncs.begin()) + 1);
    }
    for (const int failing : chosen) {
        const std::string& failingFile = syncs[static_cast<std::size_t>(failing - 1)];
        SCOPED_TRACE("fsync number " + std::to_string(failing) + " (" + failingFile + ") fails");
        crashtest::PlayFolder folder;
        folder.put(game);
        // Told, and played on.
        const QString output = underStrace(QStringLiteral("fsync"), QStringLiteral("fsync:error=EIO:when=%1").arg(failing),
                                           {QStringLiteral("act"), folder.path(), QStringLiteral("day"), QStringLiteral("0")});
        const QString reason = failingFile == "."
                                   ? QStringLiteral("errore di scrittura nella cartella di gioco")
                                   : QStringLiteral("errore di scrittura del file \"%1\"")
                                         .arg(QString::fromStdString(failingFile));
        EXPECT_TRUE(output.contains(QStringLiteral("box Tolv Street: ") + kNotSaved + reason)) << output.toStdString();

        platform::FolderStore store(platform::localPath(folder.path()));
        fakes::FakeDialogs dialogs;
        crashtest::ScriptRandom random(1);
        session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
        session::Session session(store, dialogs, random, saver);
        session.load();
        saver.settle();
        EXPECT_TRUE(dialogs.boxes().empty());
        const FileSet found = folder.fullSet();
        EXPECT_TRUE(crashtest::tornFiles(found).empty());
        // A journal that failed leaves the old set; once it is whole the start completes it.
        fakes::MemoryStore memory;
        for (const auto& [name, bytes] : game) {
            memory.put(name, bytes);
        }
        crashtest::ScriptRandom same(crashtest::kActSeed);
        crashtest::ScriptDialogs quiet;
        session::Saver playedSaver{memory, quiet, session::Saver::Run::ByHand};
        session::Session played(memory, quiet, same, playedSaver);
        played.load();
        playedSaver.settle();
        played.advanceDay();
        playedSaver.settle();
        EXPECT_EQ(found, failingFile == kJournal ? game : crashtest::gameFiles(memory));
    }
}
