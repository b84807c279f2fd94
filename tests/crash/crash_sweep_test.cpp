// Stops the child program just before each disk step of one save, for every kind of save, and
// proves that the next start finds the set from before the save or the one after it: before
// while the journal has not taken its name, after from then on.
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "crash/crash_support.h"
#include "fakes/fake_dialogs.h"
#include "fakes/memory_store.h"
#include "records/autosave.h"
#include "records/ledger.h"
#include "records/save_set.h"
#include "session/saver.h"

#include <gtest/gtest.h>
#include <iostream>

namespace {

using crashtest::FileSet;

const std::string kJournal(records::kJournalName);

// A game some way in, from the script itself, so the files hold moved prices and trades.
FileSet midGame()
{
    return crashtest::replay({}, 11, 60).back();
}

game::GameState stateOf(const FileSet& set)
{
    fakes::MemoryStore store;
    for (const auto& [name, bytes] : set) {
        store.put(name, bytes);
    }
    const records::AutosaveRead read = records::readAutosave(store);
    EXPECT_EQ(read.kind, records::AutosaveRead::Kind::Loaded);
    return read.state;
}

// The files after the child's action, played in memory: what a save that ran to its end leaves.
FileSet afterAction(const FileSet& before, const std::string& action)
{
    fakes::MemoryStore store;
    for (const auto& [name, bytes] : before) {
        store.put(name, bytes);
    }
    crashtest::ScriptRandom random(crashtest::kActSeed);
    crashtest::ScriptDialogs dialogs;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    if (action == "day") {
        session.advanceDay();
        saver.settle();
    } else if (action == "new") {
        session.newGame();
        saver.settle();
    } else if (action == "win") {
        session.sell(std::nullopt, QStringLiteral("0"));
        saver.settle();
    }
    EXPECT_FALSE(store.get(kJournal));
    return crashtest::gameFiles(store);
}

struct Sweep {
    const char* what;
    std::string action;        // the child's action
    FileSet before;            // the folder before it
    FileSet after;             // the game's files once it has run to its end
    std::string extraJournal;  // with "recover": a journal and part of its set already there
};

struct Tally {
    int points = 0;
    int recoveries = 0;
    int before = 0;
    int after = 0;
};

// Runs the action unhindered and returns the disk steps it takes, as the child names them.
std::vector<std::string> stepsOf(const Sweep& sweep, const crashtest::PlayFolder& folder)
{
    folder.put(sweep.before);
    const crashtest::ChildRun run = crashtest::runChild(
        {QStringLiteral("act"), folder.path(), QString::fromStdString(sweep.action), QStringLiteral("0")});
    EXPECT_FALSE(run.killed);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.linesWith("done ").size(), 1u);
    EXPECT_EQ(sweep.after.count(std::string(records::kLedgerName)) ? folder.fullSet() : folder.gameSet(), sweep.after) << sweep.what << ": the uncut action";
    return run.linesWith("op ");
}

void runSweep(const Sweep& sweep, Tally& tally)
{
    SCOPED_TRACE(sweep.what);
    std::vector<std::string> steps;
    {
        crashtest::PlayFolder folder;
        steps = stepsOf(sweep, folder);
    }
    ASSERT_FALSE(steps.empty());
    // The save becomes the new set when the journal takes its name.
    std::size_t journalCommit = steps.size() + 1;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].find(" commit " + kJournal) != std::string::npos) {
            journalCommit = i + 1;
        }
    }
    for (std::size_t point = 1; point <= steps.size(); ++point) {
        SCOPED_TRACE("stopped before " + steps[point - 1]);
        crashtest::PlayFolder folder;
        folder.put(sweep.before);
        const crashtest::ChildRun run = crashtest::runChild(
            {QStringLiteral("act"), folder.path(), QString::fromStdString(sweep.action), QString::number(point)});
        ASSERT_TRUE(run.killed) << "the child was not stopped";
        ASSERT_FALSE(run.lines.empty());
        ASSERT_EQ(run.lines.back(), steps[point - 1]) << "the child took other steps this time";
        ++tally.points;

        // The next start.
        platform::FolderStore store(platform::localPath(folder.path()));
        fakes::FakeDialogs dialogs;
        crashtest::ScriptRandom random(crashtest::kActSeed + 1);
        session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
        session::Session session(store, dialogs, random, saver);
        session.load();
        saver.settle();
        ++tally.recoveries;
        EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.prompts().join(" | ").toStdString();
        const FileSet recovered = folder.fullSet();
        EXPECT_TRUE(crashtest::tornFiles(recovered).empty());
        const bool stillBefore = point <= journalCommit && sweep.action != "recover";
        const FileSet& expected = stillBefore && !sweep.before.empty() ? sweep.before : sweep.after;
        EXPECT_EQ(recovered, expected) << crashtest::describe(recovered);
        (stillBefore ? tally.before : tally.after) += 1;
        EXPECT_FALSE(folder.get(kJournal));
        for (const QString& name : folder.entries()) {
            EXPECT_TRUE(recovered.count(name.toStdString())) << "stray file " << name.toStdString();
        }

        // The game plays on from the recovered set.
        session.advanceDay();
        saver.settle();
        EXPECT_TRUE(dialogs.boxes().empty());
        EXPECT_TRUE(crashtest::tornFiles(folder.fullSet()).empty());
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
}

} // namespace

TEST(CrashSweep, AStopBeforeAnyDiskStepOfASaveLeavesTheSetBeforeOrAfterIt)
{
    const FileSet game = midGame();
    game::GameState rich = stateOf(game);
    rich.cash = "123456,78";
    const std::string hall = "\"I campioni\rAnna:  05 Gen 2002\"\r\n";

    std::vector<Sweep> sweeps = {
        {"the first start writes a new game", "start", {}, {}, {}},
        {"a day advance", "day", game, {}, {}},
        {"a new game", "new", game, {}, {}},
        {"a win added to the Hall of Fame", "win", crashtest::setOf(rich, hall), {}, {}},
        {"the first win, which makes the Hall of Fame", "win", crashtest::setOf(rich), {}, {}},
    };
    for (Sweep& sweep : sweeps) {
        sweep.after = afterAction(sweep.before, sweep.action);
    }

    // A start that finds a save cut after its journal and three of its files: the recovery
    // itself is stopped at every step, and the start after that finishes it.
    Sweep recover{"a recovery at start-up", "recover", game, {}, {}};
    {
        fakes::MemoryStore store;
        for (const auto& [name, bytes] : game) {
            store.put(name, bytes);
        }
        crashtest::ScriptRandom random(crashtest::kActSeed);
        crashtest::ScriptDialogs dialogs;
        session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
        session::Session session(store, dialogs, random, saver);
        session.load();
        saver.settle();
        session.advanceDay();
        saver.settle();
        recover.after = crashtest::gameFiles(store);
        const std::vector<records::FileContent> files =
            records::autosaveFiles(session.state(), records::WriteOrder::DateFirst);
        // The day's lines of the ledger go in the same journal, as an append.
        const std::string ledgerName(records::kLedgerName);
        const std::string oldLedger = game.count(ledgerName) ? game.at(ledgerName) : std::string();
        const std::string& newLedger = recover.after.at(ledgerName);
        ASSERT_EQ(newLedger.substr(0, oldLedger.size()), oldLedger);
        recover.before[kJournal] = records::journalBytes(
            files, {{ledgerName, oldLedger.size(), newLedger.substr(oldLedger.size())}});
        for (std::size_t i = 0; i < 3; ++i) {
            recover.before[files[i].name] = files[i].bytes;
        }
    }
    sweeps.push_back(recover);

    Tally tally;
    for (const Sweep& sweep : sweeps) {
        const int points = tally.points;
        runSweep(sweep, tally);
        std::cout << "[ sweep    ] " << sweep.what << ": " << tally.points - points << " stop points"
                  << std::endl;
    }
    std::cout << "[ sweep    ] " << tally.points << " stop points, " << tally.recoveries
              << " recoveries: " << tally.before << " found the set before, " << tally.after
              << " the set after" << std::endl;
    RecordProperty("points", tally.points);
    RecordProperty("recoveries", tally.recoveries);
    EXPECT_GT(tally.before, 0);
    EXPECT_GT(tally.after, 0);
}

// A start that finds damaged files keeps them under backup names and writes a new game. Stopped
// before any of its steps, the next start still ends with a new game, and every damaged file's
// bytes are kept under some backup name.
TEST(CrashSweep, AStopWhileKeepingDamagedFilesLosesNoneOfThem)
{
    FileSet damaged = midGame();
    damaged["Data4"] = "\"755\"\r\n\"molto\"\r\n";
    const FileSet fresh = crashtest::setOf(game::startingState(),
                                           damaged.count("data6") ? std::optional(damaged.at("data6"))
                                                                  : std::nullopt);
    Sweep sweep{"a start with a damaged Data4", "start", damaged, fresh, {}};
    std::vector<std::string> steps;
    {
        crashtest::PlayFolder folder;
        steps = stepsOf(sweep, folder);
    }
    ASSERT_GT(steps.size(), 6u);
    for (std::size_t point = 1; point <= steps.size(); ++point) {
        SCOPED_TRACE("stopped before " + steps[point - 1]);
        crashtest::PlayFolder folder;
        folder.put(damaged);
        const crashtest::ChildRun run = crashtest::runChild(
            {QStringLiteral("act"), folder.path(), QStringLiteral("start"), QString::number(point)});
        ASSERT_TRUE(run.killed);

        platform::FolderStore store(platform::localPath(folder.path()));
        fakes::FakeDialogs dialogs;
        crashtest::ScriptRandom random(crashtest::kActSeed);
        session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
        session::Session session(store, dialogs, random, saver);
        session.load();
        saver.settle();
        EXPECT_EQ(folder.gameSet(), fresh);
        EXPECT_FALSE(folder.get(kJournal));
        // Each damaged file, byte for byte, under one of the backup names.
        const QStringList entries = folder.entries();
        for (const auto& [name, bytes] : damaged) {
            if (name == "data6") {
                continue;
            }
            bool kept = false;
            for (const QString& entry : entries) {
                kept = kept || (entry.startsWith(QString::fromStdString(name + ".bak")) &&
                                folder.get(entry.toStdString()) == bytes);
                // The lost game's whole ledger goes on as a finished game's.
                kept = kept || (name == records::kLedgerName &&
                                entry.startsWith(QString::fromStdString(name + ".game")) &&
                                folder.get(entry.toStdString())->rfind(bytes, 0) == 0);
            }
            EXPECT_TRUE(kept) << name << " was lost; the folder holds " << entries.join(", ").toStdString();
        }
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
    std::cout << "[ sweep    ] a start with damaged files: " << steps.size() << " stop points" << std::endl;
}
