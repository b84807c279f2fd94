// The six autosave files: the game state to and from their bytes, and their start-up read.
#pragma once

#include "game/game_state.h"
#include "records/names.h"
#include "records/store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

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
    TooLarge,     // the file is far larger than any the game writes
    TooLong,      // a record is far longer than any the game writes
};

// Bounds of what the start reads: the game writes records of a few dozen bytes, so a record
// above 64 KiB (or a file that could not hold 17 of them) is not one of its files. They keep a
// start's memory within a small multiple of the files' size.
inline constexpr std::size_t kLongestRecord = 64 * 1024;
inline constexpr std::size_t kLargestAutosaveFile = 2 * 1024 * 1024;

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
AutosaveRead readAutosave(records::TextStore& store);

} // namespace records
