// The saver: writes the game's saves beside the window, one at a time and in order, so that a
// press shows its result at once whatever the disk does; and waits for them when the game ends.
#pragma once

#include "platform/dialogs.h"
#include "records/game_files.h"
#include "records/save_queue.h"
#include "records/store.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

namespace session {

class Saver {
public:
    // Told on the window's thread, once per save written, in the order they were written.
    using Done = std::function<void(const records::SaveJob&, const records::SaveReport&)>;

    enum class Run {
        Thread, // a thread of its own writes the saves
        ByHand, // nothing runs until step() is called: tests drive each save
    };

    // The question at the end is asked through `dialogs`.
    Saver(records::TextStore& store, platform::Dialogs& dialogs, Run run = Run::Thread);
    // Writes every save still queued, then stops. (A program that leaves without its saves ends
    // the process instead: a thread stuck in a disk that hangs is never waited for.)
    ~Saver();
    Saver(const Saver&) = delete;
    Saver& operator=(const Saver&) = delete;

    void setDone(Done done) { m_done = std::move(done); }

    // Queues a save; it replaces a waiting older one when the queue's rules allow.
    void queue(records::SaveJob job);
    // Saves queued whose end has not yet been told.
    bool busy() const;

    // ByHand: writes the next save and tells its end. False when none was waiting.
    bool step();
    // ByHand: writes every save waiting, telling each end; how many were written.
    int settle();

    enum class Ending {
        Saved,     // every queued save ended (well or not)
        Abandoned, // the player chose to leave without the saves still under way
    };
    // The end of the program: waits for the saves queued, with the events still served. A save
    // not finished after the patience asks "Aspetta" or "Esci senza salvare"; waiting again
    // asks again after the same time. The box closes itself when the saves end meanwhile.
    Ending finish();
    void setPatience(std::chrono::milliseconds patience) { m_patience = patience; }

    // The end of the program, once its last window has gone: finish(), and when the player
    // leaves without the saves, the process ends here with `code`, never waiting for a thread
    // stuck in the disk. Otherwise returns `code`. The application must not quit when the box
    // that may ask closes.
    int endOfProgram(int code);

    static QString stillSavingPrompt();
    static QString waitButton();
    static QString leaveButton();

private:
    struct Ended {
        records::SaveJob job;
        records::SaveReport report;
    };
    void work();
    void writeNext(std::unique_lock<std::mutex>& lock, records::SaveJob job);
    void deliver();
    bool askToWait();

    records::TextStore& m_store;
    platform::Dialogs& m_dialogs;
    const Run m_run;
    Done m_done;
    std::chrono::milliseconds m_patience{5000};
    std::function<void()> m_settled; // while the ending waits: called when nothing is left

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    records::SaveQueue m_queue;
    std::deque<Ended> m_ended; // written, not yet told
    bool m_stopping = false;

    QObject m_context; // lives on the window's thread: the ends are told there
    std::thread m_thread;
};

} // namespace session
