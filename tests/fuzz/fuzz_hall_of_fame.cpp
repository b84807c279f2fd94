// Fuzzes the Hall of Fame: any data6, any name, any date. The window shows the file itself or
// the empty list, and a win always leaves one quoted line that keeps every earlier winner.
#include "records/hall_of_fame.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// The list text T between the opening quote and the closing quote, CR, LF.
std::string_view listOf(const std::string& file) { return std::string_view(file).substr(1, file.size() - 4); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The input: first byte 0 for a missing file, then file, name and date split at 0x00.
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const bool missing = data[0] == 0;
    const std::size_t first = std::min(input.find('\0'), input.size());
    const std::size_t second = first < input.size() ? std::min(input.find('\0', first + 1), input.size()) : input.size();
    const std::string file(input.substr(0, first));
    const std::string name(first < input.size() ? input.substr(first + 1, second - first - 1) : std::string_view());
    const std::string date(second < input.size() ? input.substr(second + 1) : std::string_view());

    const std::string* old = missing ? nullptr : &file;
    const std::string shown = records::hallOfFameShown(old);
    require(shown.size() >= 4);
    require(old == nullptr || file.size() < 4 || shown == file);

    const std::string next = records::appendWinner(old, name, date);
    require(next.size() >= 4 && next.front() == '"' && next.substr(next.size() - 3) == "\"\r\n");
    require(records::hallOfFameShown(&next) == next);
    // The earlier list comes first, as the window showed it; a file in the game's own form keeps
    // every byte of it, and a file in another form loses only its line's frame and line ends.
    const std::string earlier = old != nullptr ? records::hallOfFameList(*old) : std::string();
    const std::string_view list = listOf(next);
    require(list.substr(0, earlier.size()) == earlier && list.size() > earlier.size() && list[earlier.size()] == '\r');
    if (old != nullptr && records::isQuotedLine(*old)) {
        require(earlier == listOf(*old));
    }
    require(earlier.find('\n') == std::string::npos);
    // A second win keeps the first, whole, when the game wrote it in its own form.
    if (records::isQuotedLine(next)) {
        const std::string third = records::appendWinner(&next, name, date);
        require(std::string_view(third).substr(0, next.size() - 3) == std::string_view(next).substr(0, next.size() - 3));
    }
    return 0;
}
