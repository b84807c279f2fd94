// The one owner of the saving rules: what the start does with the files it finds, and what
// every save must carry (a win not yet on disk, a copy of a Hall of Fame to keep, damaged files
// still to keep under backup names).
#pragma once

#include "game/game_state.h"
#include "records/autosave.h"
#include "records/ledger.h"
#include "records/save_set.h"
#include "records/store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace records {

// Files moved to backup names: (name, backup name) pairs, and the first error.
struct Backups {
    std::vector<std::pair<std::string, std::string>> moved;
    StoreError error;
};

// What the start found and did.
struct StartReport {
    Recovery::Kind journal = Recovery::Kind::Nothing;
    StoreError journalError; // why a journal could not be read or completed
    AutosaveRead read;       // Loaded: the state to play; NoFiles; Damaged: every damaged file
    Backups kept;            // the files kept under backup names (damage or an unreadable journal)
    int resumedBackup = 0;   // the number of a backup a crash cut short, finished by this start
    bool keptLater = false;  // they could not all be kept yet: no save until they are
    int leftovers = 0;       // temporary files of an interrupted save that were removed
};

// What a win did to the Hall of Fame the next save writes.
struct WinReport {
    std::optional<std::string> copyName; // data6 was not in the game's form: kept byte-exact
    StoreError unreadable;               // data6 could not be read: the win is not recorded
    bool replacesLink = false;           // a link stood at data6: the new list replaces it
};

enum class SaveOutcome {
    Saved,
    Failed,      // the store failed: nothing is lost, the next save writes everything again
    NotKept,     // damaged files could not be kept under backup names: nothing was written
    TooLarge,    // the set is larger than a journal may be: nothing was written
};

struct SaveReport {
    SaveOutcome outcome = SaveOutcome::Saved;
    StoreError error;
    std::optional<std::string> copyName; // where the Hall of Fame's copy went, when it did
    explicit operator bool() const { return outcome == SaveOutcome::Saved; }
};

// One save as it was queued: the state the window showed and everything the save still owed
// at that moment, so that it can be written later, on another thread, without looking back.
struct SaveJob {
    game::GameState state;
    WriteOrder order = WriteOrder::DataFirst;
    std::optional<std::string> hallOfFame;     // a win's Hall of Fame not yet on disk
    std::optional<std::string> hallOfFameCopy; // a data6 not in the game's form, to keep
    std::uint64_t hallOfFameVersion = 0;       // which change of the two above it carries
    std::vector<std::string> toKeep;           // damaged files to keep under backup names first
    bool ledger = false;                       // the ledger's side file is written with it
    Ledger::Snapshot ledgerWrites;             // what of the ledger it carries
    std::vector<FileContent> ledgerOwed;       // finished ledgers an interrupted save owed

    // True when this (newer) save carries every Hall of Fame change the older one does, so that
    // the older one, not yet begun, may be dropped for it: a win never leaves the disk's future.
    bool carriesAllOf(const SaveJob& older) const;
    // A save before this one has ended; what it wrote need not be written again.
    void dropWritten(const SaveJob& saved, const SaveReport& report);
};

class GameFiles {
public:
    explicit GameFiles(TextStore& store) : m_store(store) {}

    // The start: removes what an interrupted save of the game's own left, completes or sets
    // aside its journal, then reads the six files. Damaged files, and every file of a set that
    // an unreadable journal was rewriting, are kept under backup names before anything writes
    // over them. The state to play comes back in `read`; with NoFiles or Damaged the caller
    // starts a new game and saves it.
    StartReport start();

    // The Hall of Fame as its window shows it: the one the next save writes, or data6 itself.
    std::string hallOfFameShown();

    // A win by `name` on `date`: the next save writes the Hall of Fame with the new record.
    WinReport recordWin(std::string_view name, std::string_view date);

    // Saves the state as one set, with everything still owed: backups first, then the Hall of
    // Fame's copy, the Hall of Fame and the six files in `order`.
    SaveReport save(const game::GameState& state, WriteOrder order);

    // The same save in three steps, for a save written beside the window: the job taken now
    // (touches no file), written later by `write` (touches nothing but the store and the job),
    // and its end told back here, in the order the jobs were taken.
    SaveJob nextSave(const game::GameState& state, WriteOrder order) const;
    static SaveReport write(TextStore& store, const SaveJob& job);
    void saved(const SaveJob& job, const SaveReport& report);

    // Something a failed save still owes the disk (a win, a copy, backups, or the state itself).
    bool owesASave() const { return m_lastSaveFailed || m_pendingHallOfFame || m_hallOfFameCopy || !m_toKeep.empty(); }

    // The first number n free for "<name>.bakN" of every name given that is there. A number is
    // free only where nothing at all (no file, folder or link, dangling or not) has that name.
    static int freeBackupNumber(TextStore& store, const std::vector<std::string>& names);

    // The player's ledger. The start reads it beside the six files and checks it against them;
    // every save carries what was added to it since the last one, in the same set.
    Ledger& ledger() { return m_ledger; }
    const Ledger& ledger() const { return m_ledger; }
    // Whether the ledger's side file is written (not when something that is not a file stands at
    // its name, or a damaged one could not be kept).
    bool ledgerSaved() const { return m_ledgerWritable; }

private:
    // Moves the names of `names` that are there to backup names with one free number, under a
    // note on the disk that a start cut short finishes with the same number; the ones moved
    // leave `names`.
    static Backups keepFiles(TextStore& store, std::vector<std::string>& names);
    void resumeBackups(StartReport& report);
    void startLedger(const StartReport& report, const Recovery& recovery);
    // The ledger on disk as a whole journal left it, or the file itself; nothing when there is
    // none or it is no ledger of the game (then kept under a backup name).
    std::optional<Ledger> readLedger(const Recovery& recovery);
    // The first `count` names free for finished ledgers.
    static std::vector<std::string> archiveNames(TextStore& store, std::size_t count);

    Ledger m_ledger;
    bool m_ledgerWritable = true;
    std::vector<FileContent> m_ledgerOwed; // finished ledgers an interrupted save still owes

    TextStore& m_store;
    std::optional<std::string> m_pendingHallOfFame;
    std::optional<std::string> m_hallOfFameCopy; // the bytes of a data6 not in the game's form
    std::uint64_t m_hallOfFameVersion = 0;       // counts the changes of the two above
    std::vector<std::string> m_toKeep;           // damaged files waiting for their backup
    bool m_lastSaveFailed = false;
};

} // namespace records
