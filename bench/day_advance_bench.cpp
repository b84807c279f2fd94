// How long a day takes: the rules alone, the whole press with its save, and the cost of
// replacing six small files atomically on this machine, the floor the save cannot go below.
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "game/rules.h"
#include "platform/dialogs.h"
#include "records/store.h"
#include "records/autosave.h"
#include "session/saver.h"
#include "session/session.h"

#include <QTemporaryDir>

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using bench::BenchRandom;
using bench::SilentDialogs;

void RulesAlone(benchmark::State& bench)
{
    BenchRandom random;
    game::GameState state = game::startingState();
    int days = 0;
    for (auto _ : bench) {
        if (++days == 3000) { // keep prices away from failure and overflow
            state = game::startingState();
            days = 0;
        }
        benchmark::DoNotOptimize(game::advanceDay(state, random));
    }
}
BENCHMARK(RulesAlone);

void SixAtomicFiles(benchmark::State& bench)
{
    QTemporaryDir dir;
    platform::FolderStore store(platform::localPath(dir.path()));
    const auto files = records::autosaveFiles(game::startingState(), records::WriteOrder::DateFirst);
    for (auto _ : bench) {
        for (const records::FileContent& file : files) {
            if (store.replace(file.name, file.bytes)) {
                bench.SkipWithError("write failed");
                return;
            }
        }
    }
}
BENCHMARK(SixAtomicFiles)->Unit(benchmark::kMicrosecond)->UseRealTime();

void FullDayAdvance(benchmark::State& bench)
{
    QTemporaryDir dir;
    platform::FolderStore store(platform::localPath(dir.path()));
    SilentDialogs dialogs;
    BenchRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    int days = 0;
    for (auto _ : bench) {
        if (++days == 3000) {
            session.newGame();
            saver.settle();
            days = 0;
        }
        session.advanceDay();
        saver.settle();
    }
    if (dialogs.messages != 0) {
        bench.SkipWithError("a save failed");
    }
}
BENCHMARK(FullDayAdvance)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
