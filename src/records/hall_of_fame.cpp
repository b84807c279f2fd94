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
    return file.size() >= 4 && file.front() == '"' && file.substr(file.size() - 3) == "\"\r\n";
}

std::string hallOfFameShown(const std::string* file)
{
    return wellFormed(file) ? *file : std::string(kEmptyHallOfFame);
}

std::string_view hallOfFameList(std::string_view file)
{
    // The game's own form is read by position: a quote typed into an earlier name stays part
    // of the list.
    if (isQuotedLine(file)) {
        return file.substr(1, file.size() - 4);
    }
    // Another editor's file: what the window showed of it, without the bytes that only frame
    // the line (a byte-order mark, line ends of any kind, the quotes).
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
    return file;
}

std::string appendWinner(const std::string* file, std::string_view name, std::string_view date)
{
    const std::string_view list = file != nullptr ? hallOfFameList(*file) : std::string_view();
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
