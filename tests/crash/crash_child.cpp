// The child program of the crash tests: plays in a real folder until it is killed, or stops
// itself just before a chosen step of one save.
//
//   crash_child play <folder> <seed> <steps>   the script, a line on stdout after each action;
//                                              the saves are written beside it, as in the game
//   crash_child act <folder> <action> <point>  start, day, new, win or recover; killed just before
//                                              the point-th disk step of that action (0: never)
//   crash_child hold-lock <folder>             takes the play lock and waits to be killed
//   crash_child end <folder> <slow|hang>       plays five days on a disk whose syncs take 30 ms
//                                              or never end, then ends as the game does; over
//                                              the hanging disk it answers "Esci senza salvare"
//   crash_child export <folder> <file>         loads the game and exports its history from the
//                                              ledger window to <file>
#include "crash/play_script.h"
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "platform/play_lock.h"
#include "platform/widgets/qt_dialogs.h"
#include "records/store.h"
#include "session/saver.h"
#include "session/session.h"
#include "ui/ledger_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// Straight to the pipe, unbuffered: a line the test reads was written before the kill.
void say(const std::string& line)
{
    const std::string out = line + "\n";
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, out.data() + done, out.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

std::string oneLine(const QString& text)
{
    QString flat = text;
    flat.replace(QLatin1Char('\n'), QLatin1String(" / "));
    return flat.toStdString();
}

void sayBoxes(crashtest::ScriptDialogs& dialogs)
{
    dialogs.onMessage = [](const QString& title, const QString& prompt) {
        say("box " + oneLine(title) + ": " + oneLine(prompt));
    };
}

const char* stepName(platform::FileStep step)
{
    switch (step) {
    case platform::FileStep::Open:
        return "open";
    case platform::FileStep::Write:
        return "write";
    case platform::FileStep::Sync:
        return "sync";
    case platform::FileStep::Commit:
        return "commit";
    case platform::FileStep::Remove:
        return "remove";
    case platform::FileStep::Rename:
        return "rename";
    case platform::FileStep::SyncFolder:
        return "sync-folder";
    }
    return "?";
}

int play(const QString& folder, std::uint64_t seed, int steps)
{
    // Like the game: one copy per folder. The lock of the copy killed before is stale.
    platform::PlayLock lock(platform::localPath(folder));
    if (lock.acquire() != platform::PlayLock::Outcome::Locked) {
        say("lock refused");
        return 4;
    }
    platform::FolderStore store(platform::localPath(folder));
    crashtest::ScriptRandom random(seed);
    crashtest::ScriptDialogs dialogs;
    sayBoxes(dialogs);
    session::Saver saver(store, dialogs);
    session::Session session(store, dialogs, random, saver);
    session.load();
    say("loaded");
    crashtest::PlayScript script(session, random, seed);
    for (int i = 0; i < steps; ++i) {
        const std::string what = script.step();
        say("step " + std::to_string(i) + " " + what);
        // The ends of the saves are told between the player's actions, as between events.
        QCoreApplication::processEvents();
    }
    while (saver.busy()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    say("end");
    return 0;
}

int act(const QString& folder, const std::string& action, int point)
{
    platform::FolderStore store(platform::localPath(folder));
    bool armed = false;
    int steps = 0;
    store.setStepHook([&](platform::FileStep step, const std::string& name) {
        if (!armed) {
            return;
        }
        ++steps;
        say("op " + std::to_string(steps) + " " + stepName(step) + " " + name);
        if (steps == point) {
            ::raise(SIGKILL);
        }
    });
    crashtest::ScriptRandom random(crashtest::kActSeed);
    crashtest::ScriptDialogs dialogs;
    sayBoxes(dialogs);
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    const bool atStart = action == "start" || action == "recover";
    if (!atStart) {
        session.load();
        saver.settle();
    }
    armed = true;
    if (atStart) {
        session.load();
        saver.settle();
    } else if (action == "day") {
        session.advanceDay();
        saver.settle();
    } else if (action == "new") {
        session.newGame();
        saver.settle();
    } else if (action == "win") {
        session.sell(std::nullopt, QStringLiteral("0"));
        saver.settle();
    } else {
        say("unknown action " + action);
        return 2;
    }
    say("done " + std::to_string(steps));
    return 0;
}

// The system's calls with every file sync slowed down, or stuck for good.
class SlowDisk final : public platform::ForwardingFolderCalls {
public:
    SlowDisk(std::unique_ptr<platform::FolderCalls> inner, bool hang)
        : ForwardingFolderCalls(std::move(inner)), m_hang(hang)
    {
    }
    int sync(Handle handle) override
    {
        do {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        } while (m_hang);
        return ForwardingFolderCalls::sync(handle);
    }

private:
    bool m_hang;
};

int end(const QString& folder, bool hang)
{
    platform::FolderStore store(
        std::make_unique<SlowDisk>(platform::systemFolderCalls(platform::localPath(folder)), hang));
    crashtest::ScriptRandom random(crashtest::kActSeed);
    crashtest::ScriptDialogs dialogs;
    sayBoxes(dialogs);
    // The question at the end is the game's own box, answered by the poll below.
    platform::QtDialogs boxes;
    session::Saver saver(store, boxes);
    session::Session session(store, dialogs, random, saver);
    session.load();
    for (int day = 0; day < 5; ++day) {
        session.advanceDay();
        say("day " + session.state().date);
    }
    saver.setPatience(hang ? std::chrono::milliseconds(0) : std::chrono::hours(1));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        say("asked: " + oneLine(box->text()));
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == session::Saver::leaveButton()) {
                button->click();
            }
        }
    });
    poll.start(0);
    say("ending");
    const int code = saver.endOfProgram(0);
    say("saved");
    return code;
}

int exportHistory(const QString& folder, const QString& file)
{
    platform::FolderStore store(platform::localPath(folder));
    crashtest::ScriptRandom random(crashtest::kActSeed);
    crashtest::ScriptDialogs dialogs;
    sayBoxes(dialogs);
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();
    const QTemporaryDir settings; // the user's own settings stay as they are
    ui::LedgerWindowSeams seams;
    seams.settingsFile = settings.filePath(QStringLiteral("settings.ini"));
    seams.finishedGames = session::FinishedGames::Run::ByHand;
    ui::LedgerWindow window(session, seams);
    say(window.exportHistory(file) ? "exported" : "not exported");
    return 0;
}

int holdLock(const QString& folder)
{
    platform::PlayLock lock(platform::localPath(folder));
    if (lock.acquire() != platform::PlayLock::Outcome::Locked) {
        say("lock refused");
        return 4;
    }
    say("locked");
    // Until killed: the test ends it with SIGKILL, as a crash would.
    for (;;) {
        ::pause();
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    // Only the end shows a box and only the export a window: a window system for those alone.
    std::unique_ptr<QCoreApplication> app;
    if (mode == "end" || mode == "export") {
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (mode == "play" && argc == 5) {
        return play(folder, std::strtoull(argv[3], nullptr, 10), std::atoi(argv[4]));
    }
    if (mode == "act" && argc == 5) {
        return act(folder, argv[3], std::atoi(argv[4]));
    }
    if (mode == "export" && argc == 4) {
        return exportHistory(folder, QString::fromLocal8Bit(argv[3]));
    }
    if (mode == "hold-lock" && argc == 3) {
        return holdLock(folder);
    }
    if (mode == "end" && argc == 4) {
        return end(folder, std::string(argv[3]) == "hang");
    }
    say("usage: crash_child play <folder> <seed> <steps> | act <folder> <action> <point> | "
        "hold-lock <folder> | end <folder> <slow|hang> | export <folder> <file>");
    return 2;
}
