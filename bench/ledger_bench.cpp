// The ledger's costs: opening its window over ten years of days, a day's press with the window
// open on its heaviest page, a long finished game shown in it, a day's save with a long history
// against the same save without one, and the side file's bytes per day.
#include "game/rules.h"
#include "game/texts.h"
#include "platform/dialogs.h"
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "records/autosave.h"
#include "records/ledger.h"
#include "records/ledger_lines.h"
#include "session/finished_games.h"
#include "session/saver.h"
#include "session/session.h"
#include "ui/ledger_window.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "bench_session.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace {

using bench::BenchRandom;
using bench::LoadedGame;

// A play folder holding a game of `days` days, traded every few days, with its ledger.
// Plays `days` days from `state`, every seventh a trade of three shares, into the ledger.
void play(game::GameState& state, records::Ledger& ledger, int days)
{
    BenchRandom random;
    for (int day = 1; day < days; ++day) {
        if (day % 7 == 0) {
            const int company = day % game::kCompanyCount;
            const bool buy =
                game::readNumber(state.companies[static_cast<std::size_t>(company)].shares)
                    .value_or(0) == 0;
            const game::GameState before = state;
            const auto outcome =
                buy ? game::buy(state, company, "3") : game::sell(state, company, "3");
            if (outcome == game::TradeOutcome::Done) {
                ledger.trade(before, state, company, buy, 3);
            }
        }
        game::advanceDay(state, random);
        ledger.day(state);
    }
}

struct PlayedFolder {
    QTemporaryDir dir;
    std::size_t ledgerBytes = 0;

    explicit PlayedFolder(int days, bool withLedger = true)
    {
        game::GameState state = game::startingState();
        records::Ledger ledger;
        ledger.newGame(state);
        play(state, ledger, days);
        platform::FolderStore store(platform::localPath(dir.path()));
        for (const records::FileContent& file :
             records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
            store.replace(file.name, file.bytes);
        }
        if (withLedger) {
            store.replace(std::string(records::kLedgerName), ledger.text());
            ledgerBytes = ledger.text().size();
        } else {
            // Something that is not a file at the ledger's name: the save writes the six alone.
            QDir(dir.path())
                .mkdir(
                    QString::fromLatin1(records::kLedgerName.data(), records::kLedgerName.size()));
        }
    }
};

void LedgerWindowOpen(benchmark::State& bench)
{
    PlayedFolder folder(static_cast<int>(bench.range(0)));
    int messages = 0;
    for (auto _ : bench) {
        // The start reads the ledger; the window lays out and paints its first page.
        LoadedGame game(folder.dir.path());
        ui::LedgerWindow window(game.session);
        window.grab();
        benchmark::DoNotOptimize(game.session.ledger().portfolio().days().size());
        messages += game.dialogs.messages;
    }
    bench.counters["bytes_per_day"] =
        static_cast<double>(folder.ledgerBytes) /
        static_cast<double>(std::max<std::int64_t>(1, bench.range(0)));
    if (messages != 0) {
        bench.SkipWithError("the start told something");
    }
}
BENCHMARK(LedgerWindowOpen)->Arg(3650)->Unit(benchmark::kMillisecond)->UseRealTime();

// A day's press with the window open on the net worth page over ten years: the page made again
// and painted, chart and table.
void LedgerWindowDay(benchmark::State& bench)
{
    PlayedFolder folder(static_cast<int>(bench.range(0)));
    LoadedGame game(folder.dir.path());
    ui::LedgerWindow window(game.session);
    window.showTab(ui::LedgerWindow::Tab::Worth);
    window.resize(940, 660);
    window.grab();
    for (auto _ : bench) {
        game.session.advanceDay();
        window.grab();
        bench.PauseTiming();
        game.saver.settle();
        bench.ResumeTiming();
    }
}
BENCHMARK(LedgerWindowDay)->Arg(3650)->Unit(benchmark::kMillisecond)->UseRealTime();

// A finished game of range(0) days shown read-only, and each of its pages painted once.
void LedgerWindowFinished(benchmark::State& bench)
{
    game::GameState state = game::startingState();
    records::Ledger ledger;
    ledger.newGame(state);
    play(state, ledger, static_cast<int>(bench.range(0)));
    const std::string text = *ledger.newGame(state);
    records::LedgerRead read = records::readLedger(text);
    session::OpenedGame opened;
    opened.game.number = 1;
    opened.game.name = "Data.ledger.game1";
    opened.game.state = session::FinishedGame::State::Read;
    opened.portfolio = std::make_shared<const game::Portfolio>(std::move(read.ledger->portfolio));

    QTemporaryDir dir;
    LoadedGame game(dir.path());
    for (auto _ : bench) {
        ui::LedgerWindow window(game.session);
        window.resize(940, 660);
        window.showFinished(opened);
        for (const auto tab : {ui::LedgerWindow::Tab::Holdings, ui::LedgerWindow::Tab::Worth,
                               ui::LedgerWindow::Tab::Prices, ui::LedgerWindow::Tab::Trades,
                               ui::LedgerWindow::Tab::Statistics}) {
            window.showTab(tab);
            window.grab();
        }
    }
}
BENCHMARK(LedgerWindowFinished)
    ->Arg(3650)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A day's press and its save; range 0 is the days already in the history (-1: no ledger file).
void DaySave(benchmark::State& bench)
{
    const auto days = bench.range(0);
    PlayedFolder folder(days < 0 ? 10 : static_cast<int>(days), days >= 0);
    LoadedGame game(folder.dir.path());
    for (auto _ : bench) {
        game.session.advanceDay();
        game.saver.settle();
    }
    if (game.dialogs.messages != 0) {
        bench.SkipWithError("a save failed");
    }
}
BENCHMARK(DaySave)->Arg(-1)->Arg(10)->Arg(3650)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return bench::runWindowBenchmarks(argc, argv);
}
