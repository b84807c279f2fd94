// The six autosave files: the game state to and from their bytes, and their start-up read.
#pragma once

#include "game/game_state.h"
#include "platform/text_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// The six files in the order a new game and a win write them.
inline constexpr std::array<std::string_view, 6> kAutosaveNames = {"Data1", "Data2", "Data3",
                                                                   "Data4", "Data5", "data7"};

// One file's whole new content.
struct FileContent {
    std::string name;
    std::string bytes;
    friend bool operator==(const FileContent&, const FileContent&) = default;
};

// A quoted record: a double quote, the text, a double quote, CR LF.
std::string quotedLine(std::string_view value);

enum class WriteOrder {
    DataFirst, // Data1 .. Data5, then data7: a new game and a win
    DateFirst, // data7, then Data1 .. Data5: the day advance
};

// The six files' contents for a state, in the given order.
std::vector<FileContent> autosaveFiles(const game::GameState& state, WriteOrder order);

enum class Damage {
    Missing,      // the file is not there (while some of the others are)
    Unreadable,   // it could not be read
    BadRecord,    // a record is not a quoted text on its own line
    TooFewRecords,
    NotANumber,   // a record where a number belongs does not read as one
    NotADate,     // data7 does not hold a date
};

struct FileProblem {
    std::string name;
    Damage damage = Damage::Missing;
    int record = -1; // 0-based record index where it applies
    friend bool operator==(const FileProblem&, const FileProblem&) = default;
};

// The values of one file's records, in order; nothing when the bytes are not a run of quoted
// records. A record may also end with LF alone, a lone CR or (the last one) nothing, and may
// have blanks or tabs around its quotes. Whatever follows the first `count` records is ignored.
// `badRecord` gets the index of the damaged or missing record, -1 when all are whole.
std::optional<std::vector<std::string>> readRecords(std::string_view bytes, std::size_t count,
                                                    int* badRecord = nullptr);

struct AutosaveRead {
    enum class Kind { Loaded, NoFiles, Damaged } kind = Kind::NoFiles;
    game::GameState state;              // with Loaded
    std::vector<FileProblem> problems;  // with Damaged: every damaged file
};

// Parses the six files' bytes (nullopt: missing) into a state, all or nothing.
AutosaveRead parseAutosave(const std::array<std::optional<std::string>, 6>& files);

// Reads the six files from the store and parses them.
AutosaveRead readAutosave(platform::TextStore& store);

// Keeps every autosave file that is there under a backup name ("Data4.bak1", the first number
// free for all six), so that a new game can be written without losing it. Returns the pairs
// (name, backup name) it moved, and the first error.
struct BackupResult {
    std::vector<std::pair<std::string, std::string>> moved;
    platform::StoreError error;
};
BackupResult keepDamagedFiles(platform::TextStore& store);

} // namespace records
