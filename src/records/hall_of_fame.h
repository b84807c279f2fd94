// The Hall of Fame file data6: one quoted line holding the list of winners.
#pragma once

#include "records/names.h"

#include <string>
#include <string_view>

namespace records {

// The file as installed: the quoted empty list.
inline constexpr std::string_view kEmptyHallOfFame = "\"\"\r\n";

// True for one quoted line as the game writes it: a double quote first, then a double quote,
// CR and LF last, and no other line feed.
bool isQuotedLine(std::string_view file);

// The list of winners in a data6 file: in the game's own form, the bytes between the first one
// and the last three; in any other form (other line ends, a byte-order mark, no line end, a
// short file) every winner whole, without the bytes that only frame the line, and with the
// line ends inside it made the game's CR.
std::string hallOfFameList(std::string_view file);

// The file's bytes as the window shows them: the file itself, or the empty list when it is
// missing or shorter than the four bytes of a quoted line.
std::string hallOfFameShown(const std::string* file);

// How many winners a Hall of Fame file lists.
int winnerCount(std::string_view hallOfFame);

// The new file after a win: the list of the old file, then CR, the name, ":  " and the date, all
// quoted on one line. A missing file counts as the empty list. Control characters in the name become
// "?", so a name can never split the list into false records.
std::string appendWinner(const std::string* file, std::string_view name, std::string_view date);

} // namespace records
