// Power cuts during every kind of save: the real folder store and the real start run over the
// power-cut disk (power_cut_disk.h states what it assumes of the disk). Each save is cut after
// every one of its disk steps; for each cut every folder the disk may then hold (or a sample of
// them where there are too many) is started again, and that start must end with the files and
// the game of a clean start from before the save or from after it: never a torn or mixed set,
// never a winner lost or a reset without its winner, never a stray file, and damaged files kept
// whole under one backup number.
//
// Here at most 60 folders per cut (a sample of 40 beyond). TOLV_POWERCUT_LONG=1 checks every
// folder up to 200000 per cut (a sample of 5000 beyond), and for one folder in a few hundred also
// cuts that start at each of its steps and starts again; TOLV_POWERCUT_SEED=n draws other samples.
#include "powercut/power_cut_disk.h"

#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "game/rules.h"
#include "platform/folder_store.h"
#include "records/autosave.h"
#include "records/hall_of_fame.h"
#include "records/save_set.h"
#include "session/saver.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>

namespace {

using powercut::Folder;
using powercut::PowerCutDisk;

long long environmentNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::atoll(text) : fallback;
}

bool longRun()
{
    return environmentNumber("TOLV_POWERCUT_LONG", 0) != 0;
}

// What a start ends with: the folder and the game it plays.
struct Ending {
    Folder folder;
    game::GameState state;
    friend bool operator==(const Ending&, const Ending&) = default;
};

// A player event after the start, run on the session.
using Action = std::function<void(session::Session&, fakes::FakeDialogs&, fakes::FakeRandom&)>;

// Starts the game on a folder (and plays `action`), over a disk that keeps its history when
// asked to.
Ending play(PowerCutDisk& disk, const Action& action = {})
{
    platform::FolderStore store(disk.calls());
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    if (action) {
        action(session, dialogs, random);
        saver.settle();
    }
    return {disk.current(), session.state()};
}

Ending startOn(const Folder& folder, const std::set<std::string>& unreadable)
{
    PowerCutDisk disk(folder, false);
    disk.setUnreadable(unreadable);
    return play(disk);
}

Folder filesOf(const game::GameState& state, std::optional<std::string> hallOfFame = {})
{
    Folder folder;
    for (records::FileContent& file :
         records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        folder[file.name] = std::move(file.bytes);
    }
    if (hallOfFame) {
        folder[std::string(records::kHallOfFameName)] = std::move(*hallOfFame);
    }
    return folder;
}

// A game some days in, with shares held and a failed company.
game::GameState midGame()
{
    game::GameState state = game::startingState();
    state.companies[3].price = "0";
    for (int day = 0; day < 3; ++day) {
        fakes::FakeRandom random;
        for (int i = 0; i < game::kCompanyCount; ++i) {
            random.pushMove(i % 10, (7 * i + day) % 100, (i + day) % 3 == 0);
        }
        EXPECT_EQ(game::advanceDay(state, random).outcome, game::AdvanceOutcome::Done);
    }
    EXPECT_EQ(game::buy(state, 10, "4"), game::TradeOutcome::Done);
    return state;
}

std::string shown(const Folder& folder)
{
    std::string out;
    for (const auto& [name, bytes] : folder) {
        out += "\n  " + name + " (" + std::to_string(bytes.size()) + " bytes): ";
        for (const char c : bytes.substr(0, 60)) {
            out += c == '\r'   ? std::string("\\r")
                   : c == '\n' ? std::string("\\n")
                   : c == '\0' ? std::string("\\0")
                               : std::string(1, c);
        }
    }
    return out;
}

struct SavePath {
    std::string what;
    Folder before;
    Action action;                    // none: the start itself is the save
    std::set<std::string> unreadable; // bytes the disk cannot read back
    bool losesSyncs = false; // file syncs (or, with `folderSyncs`, folder syncs) do nothing
    bool folderSyncs = false;
};

struct Tally {
    long long steps = 0;
    long long cuts = 0;
    long long folders = 0;
    long long sampledCuts = 0;
    long long before = 0;
    long long after = 0;
    long long nestedCuts = 0;
    long long nestedFolders = 0;
    long long other = 0; // neither: only a lying disk may leave these
};

// Cuts every step of `disk`'s history and starts on each folder the cut may leave; each start
// must end as `before` or `after` does. `nested`: also cut each of these starts at every step,
// for one folder in `nested`, and start again.
void cutEverywhere(const SavePath& path, const PowerCutDisk& disk, const Ending& before,
                   const Ending& after, long long nested, Tally& tally, std::mt19937_64& random)
{
    const powercut::CutLimits limits =
        longRun() ? powercut::CutLimits{200000, 5000} : powercut::CutLimits{60, 40};
    long long seen = 0;
    for (const powercut::DiskState& cut : disk.history()) {
        ++tally.cuts;
        const bool whole =
            powercut::foldersAfterCut(cut, limits, random, [&](const Folder& folder) {
                if (::testing::Test::HasFailure()) {
                    return;
                }
                ++tally.folders;
                PowerCutDisk again(folder, nested > 0 && ++seen % nested == 0);
                again.setUnreadable(path.unreadable);
                const Ending ending = play(again);
                if (ending == after) {
                    ++tally.after;
                } else if (ending == before) {
                    ++tally.before;
                } else {
                    ++tally.other;
                    if (path.losesSyncs) {
                        return;
                    }
                    ADD_FAILURE() << path.what << ", cut after: " << cut.step
                                  << "\nthe cut left:" << shown(folder)
                                  << "\nthe next start ended with:" << shown(ending.folder)
                                  << "\nexpected, before the save:" << shown(before.folder)
                                  << "\nor after it:" << shown(after.folder);
                    return;
                }
                // The start itself cut anywhere: the start after it ends the same way.
                for (std::size_t k = 1;
                     k < again.history().size() && !::testing::Test::HasFailure(); ++k) {
                    ++tally.nestedCuts;
                    powercut::foldersAfterCut(
                        again.history()[k], powercut::CutLimits{60, 30}, random,
                        [&](const Folder& inner) {
                            ++tally.nestedFolders;
                            const Ending next = startOn(inner, path.unreadable);
                            EXPECT_EQ(next, ending)
                                << path.what << ", cut after: " << cut.step
                                << ", its next start cut after: " << again.history()[k].step
                                << "\nthat cut left:" << shown(inner)
                                << "\nthe start after it ended with:" << shown(next.folder)
                                << "\nexpected:" << shown(ending.folder);
                        });
                }
            });
        tally.sampledCuts += whole ? 0 : 1;
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
}

Tally runPath(const SavePath& path, long long nested, std::mt19937_64& random)
{
    Tally tally;
    PowerCutDisk disk(path.before);
    disk.setUnreadable(path.unreadable);
    disk.loseSyncs(path.losesSyncs && !path.folderSyncs, path.losesSyncs && path.folderSyncs);
    play(disk, path.action);
    tally.steps = static_cast<long long>(disk.history().size()) - 1;
    EXPECT_GT(tally.steps, 0) << path.what << ": the save took no disk step";
    // A clean start on each side of the save: what every start after a cut must end as.
    const Ending before = startOn(path.before, path.unreadable);
    const Ending after = startOn(disk.current(), path.unreadable);
    EXPECT_EQ(after.folder, disk.current())
        << path.what << ": a start after the whole save changed the folder";
    cutEverywhere(path, disk, before, after, nested, tally, random);
    std::cout << "[ powercut ] " << path.what << ": " << tally.steps << " steps, " << tally.cuts
              << " cuts (" << tally.sampledCuts << " sampled), " << tally.folders
              << " folders started: " << tally.before << " before the save, " << tally.after
              << " after it";
    if (tally.other > 0) {
        std::cout << ", " << tally.other << " neither";
    }
    if (tally.nestedCuts > 0) {
        std::cout << "; the start cut " << tally.nestedCuts << " times, " << tally.nestedFolders
                  << " folders";
    }
    std::cout << std::endl;
    return tally;
}

void runPaths(const std::vector<SavePath>& paths, long long nested)
{
    std::mt19937_64 random(static_cast<std::uint64_t>(environmentNumber("TOLV_POWERCUT_SEED", 14)));
    Tally total;
    for (const SavePath& path : paths) {
        const Tally tally = runPath(path, nested, random);
        total.cuts += tally.cuts;
        total.folders += tally.folders;
        total.before += tally.before;
        total.after += tally.after;
        total.nestedFolders += tally.nestedFolders;
        if (::testing::Test::HasFailure()) {
            return;
        }
    }
    std::cout << "[ powercut ] " << paths.size() << " paths, " << total.cuts << " cuts, "
              << total.folders << " folders started: " << total.before << " before, " << total.after
              << " after, 0 other; " << total.nestedFolders << " after a cut start" << std::endl;
    ::testing::Test::RecordProperty("folders", static_cast<int>(total.folders));
    EXPECT_EQ(total.before + total.after, total.folders);
}

Action dayAdvance()
{
    return [](session::Session& session, fakes::FakeDialogs&, fakes::FakeRandom& random) {
        for (int i = 0; i < game::kCompanyCount; ++i) {
            random.pushMove(9 - i % 10, 3 * i, i % 2 == 0);
        }
        session.advanceDay();
    };
}

Action win(const char* name)
{
    return [name](session::Session& session, fakes::FakeDialogs& dialogs, fakes::FakeRandom&) {
        dialogs.answerText(QString::fromUtf8(name));
        session.sell(std::nullopt, QStringLiteral("0"));
    };
}

game::GameState rich()
{
    game::GameState state = midGame();
    state.cash = "123456,78";
    return state;
}

const std::string kHallOfFame = "\"I campioni\rAnna:  05 Gen 2002\"\r\n";

} // namespace

TEST(PowerCut, EverySaveCutAnywhereStartsFromTheSetBeforeOrAfterIt)
{
    const Folder mid = filesOf(midGame(), kHallOfFame);
    std::vector<SavePath> paths = {
        {"the first start writes a new game", {}, {}, {}},
        {"a day advance", mid, dayAdvance(), {}},
        {"a new game",
         mid,
         [](session::Session& s, fakes::FakeDialogs&, fakes::FakeRandom&) { s.newGame(); },
         {}},
        {"a win added to the Hall of Fame", filesOf(rich(), kHallOfFame), win("Bice"), {}},
        {"the first win, which makes the Hall of Fame", filesOf(rich()), win("Carla"), {}},
    };
    // A Hall of Fame not in the game's form is copied whole beside the first free backup name.
    Folder odd = filesOf(rich(), std::string("I campioni\nAnna\n"));
    odd["data6.bak1"] = "an older copy";
    paths.push_back({"a win over a Hall of Fame not in the game's form", odd, win("Dario"), {}});
    runPaths(paths, longRun() ? 1999 : 0);
}

TEST(PowerCut, AStartCutWhileCompletingAJournalOrKeepingDamagedFiles)
{
    const game::GameState mid = midGame();
    std::vector<SavePath> paths;

    // A save that stopped after its journal and three of its files.
    {
        game::GameState next = mid;
        next.date = "09 Gen 2002";
        next.cash = "777,5";
        const std::vector<records::FileContent> files =
            records::autosaveFiles(next, records::WriteOrder::DateFirst);
        Folder folder = filesOf(mid, kHallOfFame);
        folder[std::string(records::kJournalName)] = records::journalBytes(files);
        for (std::size_t i = 0; i < 3; ++i) {
            folder[files[i].name] = files[i].bytes;
        }
        paths.push_back({"a start that completes an interrupted save", folder, {}, {}});
    }
    // Damaged files, kept under backup names before a new game takes their place.
    Folder damaged = filesOf(mid, kHallOfFame);
    damaged["Data4"] = "\"755\"\r\n\"molto\"\r\n";
    paths.push_back({"a start that keeps damaged files", damaged, {}, {}});
    damaged["Data1.bak1"] = "kept by an earlier start\r\n";
    damaged.erase("Data2");
    paths.push_back({"a start that keeps damaged files beside an older backup", damaged, {}, {}});
    // A journal the disk cannot read: the six may be mixed, so all of them and the journal are
    // kept.
    {
        Folder folder = filesOf(mid, kHallOfFame);
        const std::string journal =
            records::journalBytes(records::autosaveFiles(mid, records::WriteOrder::DateFirst));
        folder[std::string(records::kJournalName)] = journal;
        paths.push_back(
            {"a start that keeps the files of an unreadable journal", folder, {}, {journal}});
    }
    runPaths(paths, longRun() ? 499 : 0);
}

// The checks can fail: on a disk whose file syncs do nothing a cut can tear a file the folder
// already names, and on one whose folder syncs do nothing it can keep new files without the
// journal that completes them. Both kinds of save are caught.
TEST(PowerCut, ASaveWithoutItsSyncsIsCaught)
{
    std::mt19937_64 random(1);
    for (const bool folderSyncs : {false, true}) {
        SavePath path{folderSyncs ? "a day advance on a disk that loses folder syncs"
                                  : "a day advance on a disk that loses file syncs",
                      filesOf(midGame(), kHallOfFame),
                      dayAdvance(),
                      {},
                      true,
                      folderSyncs};
        EXPECT_GT(runPath(path, 0, random).other, 0) << path.what;
    }
}
