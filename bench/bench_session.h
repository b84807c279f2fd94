// A game started in a folder, its saves run by hand: what the benchmarks of a day and of the
// ledger play with.
#pragma once

#include "bench_support.h"
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "session/saver.h"
#include "session/session.h"

#include <QString>

namespace bench {

struct LoadedGame {
    explicit LoadedGame(const QString& folder) : store(platform::localPath(folder))
    {
        session.load();
        saver.settle();
    }

    platform::FolderStore store;
    SilentDialogs dialogs;
    BenchRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};
};

} // namespace bench
