// The Hall of Fame file data6: one quoted line holding the list of winners.
#pragma once

#include <string>
#include <string_view>

namespace records {

inline constexpr std::string_view kHallOfFameName = "data6";

// The file as installed: the quoted empty list.
inline constexpr std::string_view kEmptyHallOfFame = "\"\"\r\n";

// True for one quoted line as the game writes it: a double quote first, then a double quote,
// CR and LF last. Any other file's list is still taken by position, which can cut bytes off its
// last record.
bool isQuotedLine(std::string_view file);

// The file's bytes as the window shows them: the file itself, or the empty list when it is
// missing or shorter than the four bytes of a quoted line.
std::string hallOfFameShown(const std::string* file);

// The new file after a win: the list T of the old file (taken by position, between the first
// byte and the last three), then CR, the name, ":  " and the date, all quoted on one line.
// A missing or too short file counts as the empty list. Control characters in the name become
// "?", so a name can never split the list into false records.
std::string appendWinner(const std::string* file, std::string_view name, std::string_view date);

} // namespace records
