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

#include "bench_session.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using bench::BenchRandom;
using bench::LoadedGame;

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
    LoadedGame game(dir.path());
    int days = 0;
    for (auto _ : bench) {
        if (++days == 3000) {
            game.session.newGame();
            game.saver.settle();
            days = 0;
        }
        game.session.advanceDay();
        game.saver.settle();
    }
    if (game.dialogs.messages != 0) {
        bench.SkipWithError("a save failed");
    }
}
BENCHMARK(FullDayAdvance)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
