// The script played in memory, to know every set the child program can have left on disk.
#include "crash/play_script.h"
#include "fakes/memory_store.h"
#include "session/saver.h"

namespace crashtest {

std::vector<FileSet> replay(const FileSet& start, std::uint64_t seed, int steps)
{
    fakes::MemoryStore store;
    for (const auto& [name, bytes] : start) {
        store.put(name, bytes);
    }
    ScriptRandom random(seed);
    ScriptDialogs dialogs;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    std::vector<FileSet> sets{gameFiles(store)};
    PlayScript script(session, random, seed);
    for (int i = 0; i < steps; ++i) {
        script.step();
        saver.settle();
        sets.push_back(gameFiles(store));
    }
    return sets;
}

} // namespace crashtest
