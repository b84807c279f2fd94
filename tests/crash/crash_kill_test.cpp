// Kills the playing child program at random moments, over and over in the same folder, and
// proves that every next start finds one whole saved set that the child's window showed: the
// child saves beside its play, so the kill may fall while saves are still waiting, and only
// those are lost; never a mix, never a torn file, never a state after a win without its winner.
//
// TOLV_KILLS sets the number of kills (40 by default); the long run is
//   TOLV_KILLS=1000 build/dev/tests/crash/test_crash --gtest_filter='CrashKill.*'
// TOLV_KILL_SEED changes the scripts and the moments of the kills.
#include "records/names.h"
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "crash/crash_support.h"
#include "fakes/fake_dialogs.h"
#include "platform/play_lock.h"
#include "records/autosave.h"
#include "records/save_set.h"
#include "records/ledger.h"
#include "session/saver.h"

#include <QProcess>

#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace {

using crashtest::FileSet;

// Where the child had got to when it died, from the last line it wrote.
struct Progress {
    bool loaded = false;
    int lastStep = -1; // the last step it finished, -1 for none
};

Progress progressOf(const std::vector<std::string>& lines)
{
    Progress progress;
    for (const std::string& line : lines) {
        if (line == "loaded") {
            progress.loaded = true;
        } else if (line.rfind("step ", 0) == 0) {
            progress.lastStep = std::stoi(line.substr(5));
        }
    }
    return progress;
}

struct Tally {
    int kills = 0;
    int cutSaves = 0;   // kills that left a journal: a save was under way
    int setsChecked = 0;
    int tornFiles = 0;
    int mixedSets = 0;
    int staleLocks = 0; // lock files left by the killed child and taken over
    int temporaries = 0; // temporary files of a replace cut inside its rename, before the start
    int leftovers = 0;   // files other than the game's after the start
    int steps = 0;      // player actions the children finished
    int behind = 0;     // kills after which the set found was older than the last one shown
    int mostBehind = 0; // the most actions the waiting saves lost
};

// The folder's entries that are neither the game's files, nor its lock, nor the journal.
QStringList strays(const crashtest::PlayFolder& folder)
{
    QStringList others = folder.entries();
    others.removeOne(QString::fromLatin1(records::kLockName.data(), static_cast<qsizetype>(records::kLockName.size())));
    others.removeOne(QString::fromStdString(std::string(records::kJournalName)));
    for (const std::string& name : crashtest::gameFileNames()) {
        others.removeOne(QString::fromStdString(name));
    }
    for (const auto& entry : folder.fullSet()) {
        others.removeOne(QString::fromStdString(entry.first));
    }
    return others;
}

} // namespace

TEST(CrashKill, EveryStartAfterAKillFindsAWholeSetTheWindowShowed)
{
    const int kills = static_cast<int>(crashtest::environmentNumber("TOLV_KILLS", 40));
    const auto seed = static_cast<std::uint64_t>(crashtest::environmentNumber("TOLV_KILL_SEED", 20020101));
    std::mt19937_64 moments(seed);
    crashtest::PlayFolder folder;
    Tally tally;

    for (int round = 0; round < kills; ++round) {
        SCOPED_TRACE("kill " + std::to_string(round) + " (seed " + std::to_string(seed) + ")");
        const FileSet start = folder.fullSet();
        const std::uint64_t script = seed + static_cast<std::uint64_t>(round);

        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(TOLV_CRASH_CHILD),
                    {QStringLiteral("play"), folder.path(), QString::number(script), QStringLiteral("1000000")});
        ASSERT_TRUE(child.waitForStarted(30000));
        // The moment of the crash: the child starts, loads and then saves all the time.
        const int moment = static_cast<int>(moments() % 300);
        ASSERT_FALSE(child.waitForFinished(moment)) << "the child ended by itself";
        child.kill();
        ASSERT_TRUE(child.waitForFinished(30000));
        ++tally.kills;
        std::vector<std::string> lines;
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty()) {
                lines.push_back(line.toStdString());
            }
            ASSERT_FALSE(line.startsWith("box ")) << "the child was told: " << line.toStdString();
        }
        const Progress progress = progressOf(lines);
        tally.steps += progress.lastStep + 1;
        tally.cutSaves += folder.get(std::string(records::kJournalName)) ? 1 : 0;
        tally.staleLocks += folder.get(std::string(records::kLockName)) ? 1 : 0;
        tally.temporaries += static_cast<int>(strays(folder).size());

        // The next start: the dead copy's lock is no obstacle, and the load completes or
        // forgets the cut save without a word to the player.
        platform::PlayLock lock(platform::localPath(folder.path()));
        ASSERT_EQ(lock.acquire(), platform::PlayLock::Outcome::Locked);
        platform::FolderStore store(platform::localPath(folder.path()));
        fakes::FakeDialogs dialogs;
        crashtest::ScriptRandom random(script);
        session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
        session::Session session(store, dialogs, random, saver);
        session.load();
        saver.settle();
        EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();

        const FileSet recovered = crashtest::gameFiles(store);
        const std::vector<std::string> torn = crashtest::tornFiles(recovered);
        tally.tornFiles += static_cast<int>(torn.size());
        EXPECT_TRUE(torn.empty()) << "torn: " << torn.front();

        // Every set the window showed: element i of the replay is the set after step i - 1
        // (element 0 after the load), and the step under way may have queued its save. The
        // saves still waiting at the kill are lost, so any of them may be the one found.
        const int done = progress.loaded ? progress.lastStep + 1 : 0;
        const std::vector<FileSet> sets = crashtest::replay(start, script, done + 1);
        std::vector<FileSet> allowed;
        if (!progress.loaded && !start.empty()) {
            allowed.push_back(start);
        }
        allowed.insert(allowed.end(), sets.begin(),
                       sets.begin() + (progress.loaded ? done + 2 : 1));
        ++tally.setsChecked;
        const auto found = std::find(allowed.rbegin(), allowed.rend(), recovered);
        if (found == allowed.rend()) {
            ++tally.mixedSets;
            ADD_FAILURE() << "after " << done << " steps the folder holds\n  "
                          << crashtest::describe(recovered)
                          << "\nwhich the window never showed; the last was\n  "
                          << crashtest::describe(allowed.back());
        } else if (progress.loaded) {
            // How many actions back the set found lies from the last one the window showed.
            const int lost = std::max(0, static_cast<int>(found - allowed.rbegin()) - 1);
            tally.behind += lost > 0 ? 1 : 0;
            tally.mostBehind = std::max(tally.mostBehind, lost);
        }

        const QStringList others = strays(folder);
        tally.leftovers += static_cast<int>(others.size());
        EXPECT_TRUE(others.isEmpty()) << others.join(", ").toStdString();

        // The game plays on: one more day saves the whole set.
        session.advanceDay();
        saver.settle();
        EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();
        FileSet expected = crashtest::setOf(session.state(), recovered.count("data6")
                                                                 ? std::optional(recovered.at("data6"))
                                                                 : std::nullopt);
        FileSet played = folder.fullSet();
        // The history ends with the day the six files hold, once.
        const std::optional<records::Ledger> ledger = records::Ledger::parse(played[std::string(records::kLedgerName)]);
        ASSERT_TRUE(ledger);
        EXPECT_TRUE(ledger->matches(session.state()));
        const auto& days = ledger->portfolio().days();
        ASSERT_GE(days.size(), 2u);
        EXPECT_NE(days.back().date, days[days.size() - 2].date);
        for (const std::string& name : crashtest::ledgerArchives(played)) {
            played.erase(name);
        }
        played.erase(std::string(records::kLedgerName));
        EXPECT_EQ(played, expected);
        EXPECT_FALSE(folder.get(std::string(records::kJournalName)));
        if (HasFatalFailure() || tally.mixedSets + tally.tornFiles + tally.leftovers > 3) {
            break;
        }
    }

    std::cout << "[ kills    ] " << tally.kills << " kills, " << tally.cutSaves
              << " inside a save, " << tally.steps << " player actions; " << tally.setsChecked
              << " sets checked, " << tally.tornFiles << " torn files, " << tally.mixedSets
              << " mixed sets, " << tally.leftovers << " stray files (" << tally.temporaries
              << " temporary files removed by the start); " << tally.staleLocks
              << " stale locks taken over; " << tally.behind
              << " kills lost waiting saves, at most " << tally.mostBehind << " actions"
              << std::endl;
    RecordProperty("kills", tally.kills);
    RecordProperty("cut_saves", tally.cutSaves);
    RecordProperty("sets_checked", tally.setsChecked);
    RecordProperty("torn_files", tally.tornFiles);
    RecordProperty("mixed_sets", tally.mixedSets);
    EXPECT_EQ(tally.kills, kills);
    // The kills must land in saves often enough to prove something.
    EXPECT_GE(tally.cutSaves * 4, tally.kills) << "too few kills landed inside a save";
}

// A kill between a replace's temporary file and its rename over the file leaves that temporary
// file; the next start removes it. Only names in the game's own form go: every file a player
// may have named like a game file, and temporaries of earlier releases, stay.
TEST(CrashKill, ATemporaryFileLeftByAKillIsRemovedAtTheNextStartAndNothingElse)
{
    crashtest::PlayFolder folder;
    const FileSet before = crashtest::replay({}, 5, 30).back();
    folder.put(before);
    game::GameState after = game::startingState();
    after.date = "09 Mar 2003";
    const std::vector<records::FileContent> files = records::autosaveFiles(after, records::WriteOrder::DateFirst);
    folder.put(std::string(records::kJournalName), records::journalBytes(files));
    folder.put(records::temporaryName("data7"), files[0].bytes.substr(0, 3)); // cut in data7's
    folder.put(records::temporaryName("Data.journal"), "a journal cut short");
    const QStringList kept = {"Data1.bak1",   "Data1.bak123", "Data4.bakup1",       "Data5.notes",
                              "data7.PVkps",  "data7.PVkpsx", "Data.journal.a1B2c3", "Data1.copia1",
                              "Data5.salva2", "data7.ieri01", "Data.journal.mine01"};
    for (const QString& name : kept) {
        folder.put(name.toStdString(), "the player's own");
    }

    platform::FolderStore store(platform::localPath(folder.path()));
    fakes::FakeDialogs dialogs;
    crashtest::ScriptRandom random(1);
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(session.state(), after);
    QStringList expected = kept;
    for (const auto& entry : folder.fullSet()) {
        expected << QString::fromStdString(entry.first);
    }
    expected.sort();
    EXPECT_EQ(folder.entries(), expected);
    for (const QString& name : kept) {
        EXPECT_EQ(folder.get(name.toStdString()), "the player's own");
    }
}
