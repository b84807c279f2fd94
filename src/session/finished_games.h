// The finished games of the play folder (Data.ledger.gameN), listed and read through the store on
// a thread of their own, so that the window never waits for the disk.
#pragma once

#include "game/portfolio_figures.h"
#include "records/ledger_lines.h"
#include "records/store.h"

#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace session {

struct FinishedGame {
    enum class State {
        Waiting,    // listed, not read yet
        Read,       // a ledger of the game: its summary holds
        Missing,    // gone since it was listed
        NotAFile,   // a link, a folder, a pipe: never read through
        TooLarge,   // larger than any ledger the game reads
        Damaged,    // not a ledger the game could have written: `fault` at `line`
        Unreadable, // the system refused it: `detail`
    };
    int number = 0;
    std::string name;
    State state = State::Waiting;
    game::LedgerSummary summary;
    records::LedgerFault fault = records::LedgerFault::None;
    std::size_t line = 0;
    std::string detail;
};

struct FinishedList {
    std::vector<FinishedGame> games; // newest (highest number) first, each Waiting or known
    records::StoreError error;       // the folder could not be listed
};

struct OpenedGame {
    FinishedGame game;                                // Read, or why it could not be read
    std::shared_ptr<const game::Portfolio> portfolio; // with Read
};

// Asks go to a thread of its own (or wait for step(), for tests) and answers come back as
// signals on the object's thread, in the order asked. A new list or open replaces one still
// waiting; a list under way gives way to an open between two files and stops when a newer list
// is asked. Each file is read whole within `limit`, as the ledger's reader bounds it, and one at
// a time: memory stays within one ledger's.
class FinishedGames final : public QObject {
    Q_OBJECT
public:
    enum class Run {
        Thread, // a thread of its own reads
        ByHand, // nothing is read until step(): tests drive each ask
    };

    explicit FinishedGames(records::TextStore& store, Run run = Run::Thread,
                           std::size_t limit = records::kLargestRead, QObject* parent = nullptr);
    // Waits for the file under way, if any; nothing is told afterwards.
    ~FinishedGames() override;
    FinishedGames(const FinishedGames&) = delete;
    FinishedGames& operator=(const FinishedGames&) = delete;

    // The folder's finished games: `listed` with their names, then `summarised` as they are read.
    // Games read before are not read again.
    void list();
    // One finished game whole: `opened`.
    void open(int number);

    // ByHand: carries out the next ask whole; false when none was waiting. Its answers are posted
    // to the object's thread like the thread's are.
    bool step();

    // How many games a `summarised` tells at most.
    static constexpr std::size_t kBatch = 32;

signals:
    void listed(const session::FinishedList& list);
    void summarised(const std::vector<session::FinishedGame>& games);
    void opened(const session::OpenedGame& game);

private:
    struct Ask {
        enum class Kind { List, Open } kind = Kind::List;
        int number = 0;
        std::uint64_t generation = 0;
    };
    void work();
    void carryOut(const Ask& ask);
    void listAll(std::uint64_t generation);
    void openOne(int number);
    // Under the lock: an open that waits, taken out of the queue.
    bool takeOpen(Ask& ask);
    bool listStillWanted(std::uint64_t generation);
    FinishedGame readOne(int number, std::shared_ptr<const game::Portfolio>* keep);
    template <typename Tell> void tell(Tell tell);

    records::TextStore& m_store;
    const std::size_t m_limit;
    const Run m_run;
    std::map<int, FinishedGame> m_known; // summaries read, by number (the reading side's own)

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Ask> m_asks;
    std::uint64_t m_listGeneration = 0;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace session
