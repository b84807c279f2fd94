// How soon a press of the date button shows the next day when the disk is slow: the real main
// window over the real store, with every sync (of a file or of the folder) made to take the
// given milliseconds, as on a USB stick or a network home. Reported beside the save itself.
//
//   build/dev/bench/bench_press_to_render
//
// Counters: press_median_ms and press_worst_ms over 20 presses in a row; burst100_ms, the
// time for 100 presses until the window shows the 100th day; burst_saves, how many saves the
// disk wrote for them; catch_up_ms, from the 100th day shown until the disk holds it; save_ms
// and syncs_per_save for one day saved alone.
#include "game/random_source.h"
#include "platform/dialogs.h"
#include "platform/folder_calls.h"
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "ui/artwork.h"
#include "ui/main_window.h"
#include "session/saver.h"
#include "session/session.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The system's calls, with every sync slowed down and counted.
class SlowSyncCalls final : public platform::ForwardingFolderCalls {
public:
    SlowSyncCalls(std::unique_ptr<platform::FolderCalls> inner, std::chrono::milliseconds delay)
        : ForwardingFolderCalls(std::move(inner)), m_delay(delay)
    {
    }
    std::atomic<int> syncs{0};
    std::atomic<int> journals{0};

    int create(const std::string& name, Handle& handle) override
    {
        if (name.rfind("Data.journal", 0) == 0) {
            ++journals; // one per save
        }
        return ForwardingFolderCalls::create(name, handle);
    }
    int sync(Handle handle) override
    {
        slow();
        return ForwardingFolderCalls::sync(handle);
    }
    int syncFolder() override
    {
        slow();
        return ForwardingFolderCalls::syncFolder();
    }

private:
    void slow()
    {
        ++syncs;
        std::this_thread::sleep_for(m_delay);
    }
    std::chrono::milliseconds m_delay;
};

using bench::BenchRandom;
using bench::SilentDialogs;

// One press of the date button, until the window has painted the new date.
double press(ui::Form1& window, QPushButton& dateButton)
{
    const QString before =
        window.findChild<ui::PictureButton*>(QStringLiteral("Command4"))->caption();
    const Clock::time_point start = Clock::now();
    QTest::mouseClick(&dateButton, Qt::LeftButton);
    QApplication::processEvents(); // the repaint the click asked for
    const double elapsed = millisecondsSince(start);
    if (window.findChild<ui::PictureButton*>(QStringLiteral("Command4"))->caption() == before) {
        return -1;
    }
    return elapsed;
}

void waitUntilSaved(session::Saver& saver)
{
    while (saver.busy()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
}

std::string fileText(const QTemporaryDir& dir, const char* name)
{
    std::ifstream in(dir.filePath(QString::fromLatin1(name)).toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void PressToRender(benchmark::State& bench)
{
    const std::chrono::milliseconds delay(bench.range(0));
    QTemporaryDir dir;
    auto calls = std::make_unique<SlowSyncCalls>(
        platform::systemFolderCalls(platform::localPath(dir.path())), delay);
    SlowSyncCalls& counted = *calls;
    platform::FolderStore store(std::move(calls));
    SilentDialogs dialogs;
    session::Saver saver(store, dialogs);
    BenchRandom random;
    session::Session session(store, dialogs, random, saver);
    ui::Form1 window(session);
    window.show();
    auto* dateButton = window.findChild<QPushButton*>(QStringLiteral("Command4"));
    waitUntilSaved(saver);

    std::vector<double> presses;
    double burst = 0;
    double catchUp = 0;
    int burstSaves = 0;
    double save = 0;
    int syncsPerSave = 0;
    for (auto _ : bench) {
        presses.clear();
        for (int i = 0; i < 20; ++i) {
            presses.push_back(press(window, *dateButton));
        }
        waitUntilSaved(saver);

        const int journalsBefore = counted.journals;
        const Clock::time_point burstStart = Clock::now();
        for (int i = 0; i < 100; ++i) {
            if (press(window, *dateButton) < 0) {
                bench.SkipWithError("a press showed no new day");
                return;
            }
        }
        burst = millisecondsSince(burstStart);
        const Clock::time_point shown = Clock::now();
        waitUntilSaved(saver);
        catchUp = millisecondsSince(shown);
        burstSaves = counted.journals - journalsBefore;
        if (fileText(dir, "data7") != "\"" + session.state().date + "\"\r\n") {
            bench.SkipWithError("the disk does not hold the last day shown");
            return;
        }

        const int syncsBefore = counted.syncs;
        const Clock::time_point saveStart = Clock::now();
        press(window, *dateButton);
        waitUntilSaved(saver);
        save = millisecondsSince(saveStart);
        syncsPerSave = counted.syncs - syncsBefore;
    }
    if (std::find(presses.begin(), presses.end(), -1.0) != presses.end() || dialogs.messages != 0) {
        bench.SkipWithError("a press showed no new day, or a save failed");
        return;
    }
    std::vector<double> sorted = presses;
    std::sort(sorted.begin(), sorted.end());
    bench.counters["press_median_ms"] = (sorted[9] + sorted[10]) / 2;
    bench.counters["press_worst_ms"] = sorted.back();
    bench.counters["burst100_ms"] = burst;
    bench.counters["burst_saves"] = burstSaves;
    bench.counters["catch_up_ms"] = catchUp;
    bench.counters["save_ms"] = save;
    bench.counters["syncs_per_save"] = syncsPerSave;
}
BENCHMARK(PressToRender)
    ->ArgName("sync_ms")
    ->Arg(20)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return bench::runWindowBenchmarks(argc, argv, ui::installFontSubstitutions);
}
