// Fuzzes the whole start over a folder in memory: any six files, Hall of Fame, journal and ledger. The
// start never crashes, a damaged file is always kept before the new game is saved over it, and
// whatever state the start gives saves and reads back exactly.
#include "fakes/memory_store.h"
#include "fakes/queued_saves.h"
#include "records/game_files.h"

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

// The input is up to nine files separated by a NUL and a '|': Data1 … Data5, data7, data6,
// Data.journal, Data.ledger. A file whose text is "-" is missing.
constexpr std::string_view kSeparator("\0|", 2);
const char* const kNames[] = {"Data1", "Data2", "Data3", "Data4", "Data5", "data7", "data6", "Data.journal", "Data.ledger"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    fakes::MemoryStore store;
    for (const char* name : kNames) {
        const std::size_t end = input.find(kSeparator);
        const std::string_view bytes = input.substr(0, end);
        if (bytes != "-") {
            store.put(name, std::string(bytes));
        }
        if (end == std::string_view::npos) {
            break;
        }
        input.remove_prefix(end + kSeparator.size());
    }
    const fakes::MemoryStore before = store;

    records::GameFiles files(store);
    const records::StartReport start = files.start();
    const game::GameState state =
        start.read.kind == records::AutosaveRead::Kind::Loaded ? start.read.state : game::startingState();
    if (start.read.kind == records::AutosaveRead::Kind::Damaged) {
        // Every file the start moved holds its bytes under the backup name.
        for (const auto& [name, backup] : start.kept.moved) {
            require(store.get(backup) == before.get(name));
        }
    }
    fakes::QueuedSaves saves(store, files);
    const records::SaveReport saved = saves.save(state, records::WriteOrder::DataFirst);
    require(static_cast<bool>(saved));
    const records::AutosaveRead read = records::readAutosave(store);
    require(read.kind == records::AutosaveRead::Kind::Loaded && read.state == state);
    require(!store.get(std::string(records::kJournalName)));
    // No win happened: the Hall of Fame is as the start found it, or as a journal left it.
    if (start.journal == records::Recovery::Kind::Nothing) {
        require(store.get("data6") == before.get("data6"));
    }
    return 0;
}
