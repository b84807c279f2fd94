// The finished games of the play folder, listed and read on a thread of their own.
#include "session/finished_games.h"

#include "records/names.h"

#include <QMetaObject>

#include <algorithm>
#include <functional>

namespace session {

FinishedGames::FinishedGames(records::TextStore& store, Run run, std::size_t limit, QObject* parent)
    : QObject(parent), m_store(store), m_limit(limit), m_run(run)
{
    if (m_run == Run::Thread) {
        m_thread = std::thread([this] { work(); });
    }
}

FinishedGames::~FinishedGames()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_asks.clear();
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void FinishedGames::list()
{
    {
        const std::lock_guard lock(m_mutex);
        const std::uint64_t generation = ++m_listGeneration;
        std::erase_if(m_asks, [](const Ask& ask) { return ask.kind == Ask::Kind::List; });
        m_asks.push_back({Ask::Kind::List, 0, generation});
    }
    m_wake.notify_all();
}

void FinishedGames::open(int number)
{
    {
        const std::lock_guard lock(m_mutex);
        std::erase_if(m_asks, [](const Ask& ask) { return ask.kind == Ask::Kind::Open; });
        m_asks.push_back({Ask::Kind::Open, number, 0});
    }
    m_wake.notify_all();
}

bool FinishedGames::step()
{
    Ask ask;
    {
        const std::lock_guard lock(m_mutex);
        if (m_run != Run::ByHand || m_asks.empty()) {
            return false;
        }
        ask = m_asks.front();
        m_asks.pop_front();
    }
    carryOut(ask);
    return true;
}

void FinishedGames::work()
{
    for (;;) {
        Ask ask;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_asks.empty(); });
            if (m_stopping) {
                return;
            }
            ask = m_asks.front();
            m_asks.pop_front();
        }
        carryOut(ask);
    }
}

void FinishedGames::carryOut(const Ask& ask)
{
    if (ask.kind == Ask::Kind::List) {
        listAll(ask.generation);
    } else {
        openOne(ask.number);
    }
}

// Posts to the object's thread: the answer is dropped if the object is gone by then.
template <typename Tell> void FinishedGames::tell(Tell tell)
{
    QMetaObject::invokeMethod(this, std::move(tell), Qt::QueuedConnection);
}

bool FinishedGames::takeOpen(Ask& ask)
{
    const std::lock_guard lock(m_mutex);
    const auto it = std::find_if(m_asks.begin(), m_asks.end(),
                                 [](const Ask& a) { return a.kind == Ask::Kind::Open; });
    if (it == m_asks.end()) {
        return false;
    }
    ask = *it;
    m_asks.erase(it);
    return true;
}

bool FinishedGames::listStillWanted(std::uint64_t generation)
{
    const std::lock_guard lock(m_mutex);
    return !m_stopping && generation == m_listGeneration;
}

void FinishedGames::listAll(std::uint64_t generation)
{
    FinishedList list;
    std::vector<int> numbers;
    list.error = m_store.eachName([&numbers](std::string_view name) {
        const records::NameForm form = records::whatIs(name);
        if (form.kind == records::NameForm::Kind::Archive) {
            numbers.push_back(form.number);
        }
    });
    std::sort(numbers.begin(), numbers.end(), std::greater<>());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    for (const int number : numbers) {
        const auto known = m_known.find(number);
        if (known != m_known.end()) {
            list.games.push_back(known->second);
        } else {
            FinishedGame game;
            game.number = number;
            game.name = records::ledgerArchiveName(number);
            list.games.push_back(std::move(game));
        }
    }
    tell([this, list] { emit listed(list); });

    std::vector<FinishedGame> batch;
    const auto flush = [&] {
        if (!batch.empty()) {
            tell([this, games = std::move(batch)] { emit summarised(games); });
            batch.clear();
        }
    };
    for (const int number : numbers) {
        if (m_known.count(number) != 0) {
            continue;
        }
        // An open asked meanwhile is answered first; a newer list takes over.
        if (Ask open; takeOpen(open)) {
            flush();
            openOne(open.number);
        }
        if (!listStillWanted(generation)) {
            return;
        }
        FinishedGame game = readOne(number, nullptr);
        // A file that may come back (the system refused it, or it was gone) is read again next
        // time; the others are what they are.
        if (game.state != FinishedGame::State::Unreadable &&
            game.state != FinishedGame::State::Missing) {
            m_known[number] = game;
        }
        batch.push_back(std::move(game));
        if (batch.size() == kBatch) {
            flush();
        }
    }
    flush();
}

void FinishedGames::openOne(int number)
{
    OpenedGame opened;
    opened.game = readOne(number, &opened.portfolio);
    tell([this, opened] { emit this->opened(opened); });
}

FinishedGame FinishedGames::readOne(int number, std::shared_ptr<const game::Portfolio>* keep)
{
    FinishedGame game;
    game.number = number;
    game.name = records::ledgerArchiveName(number);
    records::ReadResult read = m_store.readUpTo(game.name, m_limit);
    if (read.error) {
        switch (read.error.kind) {
        case records::StoreFailure::Missing:
            game.state = FinishedGame::State::Missing;
            break;
        case records::StoreFailure::NotAFile:
            game.state = FinishedGame::State::NotAFile;
            break;
        case records::StoreFailure::TooLarge:
            game.state = FinishedGame::State::TooLarge;
            break;
        default:
            game.state = FinishedGame::State::Unreadable;
            game.detail = read.error.detail;
            break;
        }
        return game;
    }
    records::LedgerRead ledger = records::readLedger(read.bytes);
    read.bytes = std::string(); // the figures hold no view into the bytes: they go at once
    if (!ledger.ledger) {
        game.state = FinishedGame::State::Damaged;
        game.fault = ledger.fault;
        game.line = ledger.line;
        return game;
    }
    game.state = FinishedGame::State::Read;
    game.summary = game::ledgerSummary(ledger.ledger->portfolio);
    if (keep != nullptr) {
        *keep = std::make_shared<const game::Portfolio>(std::move(ledger.ledger->portfolio));
    }
    return game;
}

} // namespace session
