// The soak: a hundred thousand day advances through the session, with trades, new games and
// wins, under the sanitizers of the dev build. It prints the resident memory after the first
// thousand days and at the end, and fails when play went wrong or memory kept growing.
//
//   build/dev/tests/soak/soak_session [days] [--folder <empty folder>]
//
// By default the files live in memory; with --folder they are written to a real folder (each
// save syncs to the disk, so give fewer days).
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "crash/play_script.h"
#include "fakes/memory_store.h"
#include "records/autosave.h"
#include "records/save_set.h"
#include "session/saver.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

// A small quarantine for freed memory, so that the resident size shows the game's own use and
// not the sanitizer's stock of freed blocks; leaks are still reported at the end.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=4:detect_leaks=1"; }

namespace {

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    long long days = 100000;
    QString folder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--folder" && i + 1 < argc) {
            folder = QString::fromLocal8Bit(argv[++i]);
        } else {
            days = std::atoll(argv[i]);
        }
    }
    if (days < 1000) {
        std::fprintf(stderr, "usage: soak_session [days, at least 1000] [--folder <empty folder>]\n");
        return 2;
    }

    fakes::MemoryStore memory;
    std::unique_ptr<platform::FolderStore> disk;
    records::TextStore* store = &memory;
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        disk = std::make_unique<platform::FolderStore>(platform::localPath(folder));
        store = disk.get();
    }
    crashtest::ScriptRandom random(2002);
    crashtest::ScriptDialogs dialogs;
    session::Saver saver{*store, dialogs, session::Saver::Run::ByHand};
    session::Session session(*store, dialogs, random, saver);
    session.load();
    saver.settle();
    // A climb to a win about every thousand days: a keen player. (The Hall of Fame grows by a
    // record per win and is never shortened, so a win every few weeks would measure that.)
    crashtest::PlayScript script(session, random, 2002, 1);

    long atThousand = 0;
    long long lastShown = 0;
    long long steps = 0;
    while (script.days() < days) {
        script.step();
        ++steps;
        if (atThousand == 0 && script.days() >= 1000) {
            atThousand = residentKiB();
            std::printf("day %lld: resident memory %ld KiB\n", script.days(), atThousand);
        } else if (script.days() % 10000 == 0 && script.days() != lastShown) {
            lastShown = script.days();
            std::printf("day %lld: resident memory %ld KiB\n", script.days(), residentKiB());
        }
        if (steps % 1000 == 0) {
            memory.clearLog(); // the fake's own log of writes is no part of the game
        }
        if (!dialogs.messages().empty()) {
            std::printf("FAILED: the player was told: %s\n", dialogs.messages().front().toStdString().c_str());
            return 1;
        }
    }
    const long atEnd = residentKiB();
    std::printf("day %lld: resident memory %ld KiB (%lld player actions, %d wins)\n", script.days(), atEnd,
                steps, dialogs.wins());

    // The files on disk are the game's last save, whole.
    const std::vector<records::FileContent> expected =
        records::autosaveFiles(session.state(), records::WriteOrder::DataFirst);
    for (const records::FileContent& file : expected) {
        const records::ReadResult read = store->read(file.name);
        if (read.error || read.bytes != file.bytes) {
            // A trade since the last day is not saved yet; only the rest must match.
            if (file.name != "Data1" && file.name != "Data5") {
                std::printf("FAILED: %s does not hold the last save\n", file.name.c_str());
                return 1;
            }
        }
    }
    if (store->entry(std::string(records::kJournalName)) != records::EntryKind::Missing) {
        std::printf("FAILED: a journal was left behind\n");
        return 1;
    }
    if (dialogs.wins() == 0) {
        std::printf("FAILED: no win in %lld days\n", script.days());
        return 1;
    }
    // Growth after the first thousand days: a little for the allocator, nothing per day.
    const long growth = atEnd - atThousand;
    std::printf("growth after day 1000: %ld KiB\n", growth);
    if (growth > 4096) {
        std::printf("FAILED: memory grows with the days\n");
        return 1;
    }
    std::printf("soak passed\n");
    return 0;
}
