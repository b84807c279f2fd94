// The one owner of the saving rules: what the start does with the files it finds, what every save
// must carry (a win not yet on disk, a copy of a Hall of Fame to keep, damaged files still to keep
// under backup names, the ledger), and the one rule of what a finished save no longer owes.
#pragma once

#include "game/game_state.h"
#include "records/autosave.h"
#include "records/ledger.h"
#include "records/names.h"
#include "records/save_set.h"
#include "records/store.h"

#include <cstdint>
#include <map>
#include <memory>
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
    std::string foreignNote; // where a file at the backup note's name that was not one was kept
    std::string hallOfFameCopy; // the name of a Hall of Fame's copy that a completed journal wrote
};

// What a win did to the Hall of Fame the next save writes.
struct WinReport {
    StoreError unreadable;     // data6 could not be read: the win is not recorded
    bool replacesLink = false; // a link stood at data6: the new list replaces it
};

// A file the game keeps under a number of its own: a Hall of Fame's copy ("data6.bakN") or a
// finished game's ledger ("Data.ledger.gameN"). Its number is given once, from memory, and
// travels with every save that carries it, so that a retry writes the same name.
struct NumberedFile {
    enum class Kind { HallOfFameCopy, Archive } kind = Kind::Archive;
    std::uint64_t id = 0; // which file, whatever number it ends up with
    int number = 0;       // 0: none was left below the ceiling; the save takes the lowest free
    std::shared_ptr<const std::string> bytes;
    // Its number was taken past the ceiling, as the lowest free one, by a save that failed: the
    // save that writes it still says so.
    bool pastCeiling = false;
    std::string name() const;
    // Its name once a save has ended, with the number that save gave it.
    std::string nameAfter(const struct SaveReport& report) const;
};

// The ledger's lines not yet on the disk.
struct LedgerOwed {
    bool kept = true;            // the side file is written at all
    std::uint64_t epoch = 0;     // which ledger (a new game starts another at the same name)
    bool whole = false;          // the file is written whole (a new ledger)
    std::uint64_t from = 0;      // otherwise: its length on the disk, where the lines owed begin
    std::uint64_t reach = 0;     // the ledger's length once the lines owed are written
    std::shared_ptr<const std::string> bytes; // in a save: the lines (or the whole text) it writes
};

// What the disk still lacks of what the game has shown. Every save carries all of it, and one
// rule, `dropWritten`, takes off what a finished save wrote.
struct Owed {
    std::uint64_t start = 0;                       // the start it belongs to
    std::vector<std::string> toKeep;               // damaged files to keep under backup names first
    int keepFrom = 1;                              // the lowest number their backups may take
    std::shared_ptr<const std::string> hallOfFame; // a win's Hall of Fame not yet on disk
    std::uint64_t hallOfFameVersion = 0;           // which win's
    std::optional<NumberedFile> hallOfFameCopy;    // a data6 not in the game's form, kept whole
    std::vector<NumberedFile> archives;            // finished games' ledgers
    LedgerOwed ledger;
};

enum class SaveOutcome {
    Saved,
    Failed,   // the store failed: nothing is lost, the next save writes everything again
    NotKept,  // damaged files could not be kept under backup names: nothing was written
    TooLarge, // the set is larger than a journal may be: nothing was written
};

struct SaveReport {
    SaveOutcome outcome = SaveOutcome::Saved;
    StoreError error;
    // The numbers the save gave its numbered files, where the one given was taken meanwhile or
    // there was none: they keep them for every later try.
    std::vector<std::pair<std::uint64_t, int>> renumbered;
    std::vector<std::string> fellBack; // names taken as the lowest free number, past the ceiling
    int keptNumber = 0;                // the number the damaged files' backups took
    explicit operator bool() const { return outcome == SaveOutcome::Saved; }
};

// One save as it was queued: the state the window showed and everything owed at that moment, so
// that it can be written later, on another thread, without looking back.
struct SaveJob {
    game::GameState state;
    WriteOrder order = WriteOrder::DataFirst;
    Owed carries;

    // True when this (newer) save carries everything the older one does, so that the older
    // one, not yet begun, may be dropped for it: a win never leaves the disk's future.
    bool carriesAllOf(const SaveJob& older) const;
};

// The one rule of what is owed: a save has ended, and what it wrote is no longer owed; the
// numbers it gave its files are theirs from now on. The game's own record of what is owed and
// every save still waiting are kept by it alike.
void dropWritten(Owed& owed, const Owed& written, const SaveReport& report);

class GameFiles {
public:
    explicit GameFiles(TextStore& store) : m_store(store) {}

    // The start: removes what an interrupted save of the game's own left, completes or sets
    // aside its journal, then reads the six files, the ledger and the Hall of Fame. Damaged
    // files, and every file of a set that an unreadable journal was rewriting, are kept under
    // backup names before anything writes over them. The state to play comes back in `read`;
    // with NoFiles or Damaged the caller starts a new game and saves it.
    StartReport start();

    // The Hall of Fame as its window shows it, from memory: the one the next save writes, or
    // data6 as last read.
    std::string hallOfFameShown() const;
    // Reads data6 afresh (when its window opens), unless a win not yet saved is the newer list.
    std::string readHallOfFame();
    // How many winners the Hall of Fame shown lists.
    int winners() const { return m_winners; }

    // A win by `name` on `date`: the next save writes the Hall of Fame with the new record.
    WinReport recordWin(std::string_view name, std::string_view date);

    // A new game: the ledger is finished and kept under the next archive number; a new one starts.
    void newGame(const game::GameState& state);

    // A save of the state with everything owed (touches no file), written later by `write`
    // (touches nothing but the store and the job), and its end told back here, in the order
    // the jobs were taken.
    SaveJob nextSave(const game::GameState& state, WriteOrder order) const;
    static SaveReport write(TextStore& store, const SaveJob& job);
    void saved(const SaveJob& job, const SaveReport& report);

    // Something a failed save still owes the disk (a win, a copy, backups, or the state itself).
    bool owesASave() const;

    // The player's ledger. The start reads it beside the six files and checks it against them;
    // every save carries what was added to it since the last one, in the same set.
    Ledger& ledger() { return m_ledger; }
    const Ledger& ledger() const { return m_ledger; }
    // Whether the ledger's side file is written (not when something that is not a file stands at
    // its name, or a damaged one could not be kept).
    bool ledgerSaved() const { return m_owed.ledger.kept; }
    // Where the last finished game's ledger was written, once its save has ended.
    const std::string& lastArchive() const { return m_lastArchive; }

private:
    void scanFolder(StartReport& report);
    void resumeBackups(StartReport& report);
    void startLedger(const StartReport& report, const Recovery& recovery);
    // The ledger on disk as a whole journal left it, or the file itself; nothing when there is
    // none or it is no ledger of the game (then kept under a backup name).
    std::optional<Ledger> readLedger(const Recovery& recovery);
    void readHallOfFameFromDisk();
    int nextNumber(std::string_view base);
    NumberedFile numbered(NumberedFile::Kind kind, std::string bytes);

    TextStore& m_store;
    Ledger m_ledger;
    Owed m_owed;
    bool m_lastSaveFailed = false;
    std::uint64_t m_nextId = 1;

    // The highest number each of the game's names has in a backup or archive form, found by the
    // start and raised by every number given since.
    std::map<std::string, int> m_highest;
    std::uint64_t m_ledgerEpoch = 0;
    std::string m_lastArchive;

    // data6 as last read (or as the last win made it), and what stood at its name.
    std::optional<std::string> m_hallOfFame; // nothing: missing or unreadable
    StoreError m_hallOfFameError;            // why it could not be read, when it could not
    bool m_hallOfFameLink = false;
    int m_winners = 0;
};

} // namespace records
