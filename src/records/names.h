// Every name the game owns in its play folder, with their backup, archive and temporary forms.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace records {

// The six autosave files in the order a new game and a win write them.
inline constexpr std::array<std::string_view, 6> kAutosaveNames = {"Data1", "Data2", "Data3",
                                                                   "Data4", "Data5", "data7"};
inline constexpr std::string_view kHallOfFameName = "data6";
// The write-ahead record beside the autosave files.
inline constexpr std::string_view kJournalName = "Data.journal";
// The ledger of the game being played; the finished games' ledgers are its archive forms.
inline constexpr std::string_view kLedgerName = "Data.ledger";
// The note of a backup under way: the one number its files take, written before the first of
// them moves, so that a start after a cut part-way moves the rest to the same number.
inline constexpr std::string_view kBackupNoteName = "Data.backups";
// The lock that keeps a second copy of the game out of the folder.
inline constexpr std::string_view kLockName = "TolvStreet.lock";

// "<name>.bak<n>": a file kept as it was (damaged, foreign, or a Hall of Fame rewritten).
std::string backupName(std::string_view name, int n);
// "Data.ledger.game<n>": the ledger of a finished game.
std::string ledgerArchiveName(int n);
// "<name>.tolvstreet-new": where a replace writes the new bytes before they take the name; a
// form of the game's own, so that no player's file is ever taken for one.
std::string temporaryName(std::string_view name);

// Backups and finished games are numbered 1 .. kHighestNumber: nine digits, the most a journal
// names.
inline constexpr int kHighestNumber = 999999999;

// What a name in the play folder is to the game.
struct NameForm {
    enum class Kind {
        Foreign,    // not one of the game's names: never touched
        Autosave,   // one of the six
        HallOfFame,
        Journal,
        Ledger,
        BackupNote,
        Lock,
        Backup,     // "<one of the names above but the lock>.bak<number>"
        Archive,    // "Data.ledger.game<number>"
        Temporary,  // "<a name of the game's but the lock>.tolvstreet-new"
    } kind = Kind::Foreign;
    std::string_view base; // Backup, Temporary: the name it is a form of
    int number = 0;        // Backup, Archive
};
NameForm whatIs(std::string_view name);

// The files a journal may name: the six, the Hall of Fame and its copies, the ledger and its
// archives. A journal naming any other is not one the game wrote.
bool isJournalFileName(std::string_view name);

} // namespace records
