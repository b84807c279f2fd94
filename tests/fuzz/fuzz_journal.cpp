// Fuzzes the save journal's reader: anything it accepts is exactly a journal the game writes,
// names only plain files, and any set the game can write reads back from its journal.
#include "records/save_set.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    if (const auto files = records::readJournal(input)) {
        require(records::journalBytes(*files) == input);
        for (const records::FileContent& file : *files) {
            require(!file.name.empty() && file.name.find('/') == std::string::npos &&
                    file.name.find('\\') == std::string::npos && file.name != "." && file.name != "..");
        }
    }

    // A set made from the input: lines are files, "name=bytes".
    std::vector<records::FileContent> set;
    std::size_t start = 0;
    while (start < input.size() && set.size() < 8) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string_view line = input.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            set.push_back({std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))});
        }
        start = end + 1;
    }
    const std::string journal = records::journalBytes(set);
    const auto back = records::readJournal(journal);
    bool plain = true;
    for (const records::FileContent& file : set) {
        // Only the game's own files: a journal never rewrites a player's file or the lock.
        plain = plain && records::isJournalFileName(file.name);
    }
    require(back.has_value() == plain);
    if (back) {
        require(*back == set);
        // Cut anywhere, the journal is refused: a torn journal never rewrites a file.
        for (std::size_t cut = 0; cut < journal.size(); cut += 1 + journal.size() / 64) {
            require(!records::readJournal(std::string_view(journal).substr(0, cut)).has_value());
        }
    }
    return 0;
}
