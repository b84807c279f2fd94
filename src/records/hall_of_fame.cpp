// The Hall of Fame file data6: one quoted line holding the list of winners.
#include "records/hall_of_fame.h"

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

std::string appendWinner(const std::string* file, std::string_view name, std::string_view date)
{
    const std::string_view old = wellFormed(file) ? std::string_view(*file) : kEmptyHallOfFame;
    // The list is taken by position: a quote typed into an earlier name stays part of it.
    std::string out;
    out.reserve(old.size() + name.size() + date.size() + 4);
    out += '"';
    out += old.substr(1, old.size() - 4);
    out += '\r';
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        // A CR would start a false record in the list; other control characters are no better.
        out += (code < 32 || code == 127) ? '?' : c;
    }
    out += ":  ";
    out += date;
    out += "\"\r\n";
    return out;
}

} // namespace records
