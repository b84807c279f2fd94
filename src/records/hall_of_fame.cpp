// The Hall of Fame file data6: one quoted line holding the list of winners.
#include "records/hall_of_fame.h"

#include <algorithm>
#include <cstddef>

namespace records {

namespace {

bool wellFormed(const std::string* file) { return file != nullptr && file->size() >= 4; }

} // namespace

bool isQuotedLine(std::string_view file)
{
    // One line: the game never writes a line feed inside the list (names cannot hold one).
    return file.size() >= 4 && file.front() == '"' && file.substr(file.size() - 3) == "\"\r\n" &&
           file.find('\n') == file.size() - 1;
}

std::string hallOfFameShown(const std::string* file)
{
    return wellFormed(file) ? *file : std::string(kEmptyHallOfFame);
}

std::string hallOfFameList(std::string_view file)
{
    // The game's own form is read by position: a quote typed into an earlier name stays part
    // of the list.
    if (isQuotedLine(file)) {
        return std::string(file.substr(1, file.size() - 4));
    }
    // Another editor's file: what the window showed of it, without the bytes that only frame
    // the line (a byte-order mark, the quotes, the last line end) and with every line end
    // inside it the game's own CR, so each winner stays on a line of its own.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (file.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        file.remove_prefix(kByteOrderMark.size());
    }
    while (!file.empty() && (file.back() == '\r' || file.back() == '\n')) {
        file.remove_suffix(1);
    }
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file.remove_suffix(1);
    }
    if (!file.empty() && file.front() == '"') {
        file.remove_prefix(1);
    }
    std::string list;
    list.reserve(file.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
            continue; // CR LF: its LF below ends the line
        }
        list += file[i] == '\n' ? '\r' : file[i];
    }
    return list;
}

int winnerCount(std::string_view hallOfFame)
{
    // Every winner's record in the list starts with a carriage return.
    const std::string list = hallOfFameList(hallOfFame);
    return static_cast<int>(std::count(list.begin(), list.end(), '\r'));
}

std::string appendWinner(const std::string* file, std::string_view name, std::string_view date)
{
    const std::string list = file != nullptr ? hallOfFameList(*file) : std::string();
    std::string out;
    out.reserve(list.size() + name.size() + date.size() + 5);
    out += '"';
    out += list;
    out += '\r';
    const std::size_t nameStart = out.size();
    out += name;
    // A CR would start a false record in the list; other control characters are no better.
    std::replace_if(out.begin() + static_cast<std::ptrdiff_t>(nameStart), out.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 32 || code == 127;
    }, '?');
    out += ":  ";
    out += date;
    out += "\"\r\n";
    return out;
}

} // namespace records
