// The finished games read beside the window: listed newest first, read once each within the
// reader's bound, damaged, odd and huge files told apart, and an open that does not wait for a
// list of thousands.
#include "fakes/memory_store.h"
#include "game/game_state.h"
#include "records/ledger_lines.h"
#include "records/names.h"
#include "session/finished_games.h"

#include "platform/folder_store.h"
#include "platform/local_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using session::FinishedGame;

// A finished game of `days` days that ended on its last.
std::string finishedLedger(int days)
{
    game::GameState state = game::startingState();
    std::string text(records::kLedgerHeader);
    for (int d = 0; d < days; ++d) {
        text += records::dayLine(state) + "\n";
        state.date = game::dateText(*game::nextDay(*game::readDate(state.date)));
    }
    records::LedgerRead read = records::readLedger(text);
    return text + records::endLine(read.ledger->portfolio) + "\n";
}

struct Heard {
    std::vector<session::FinishedList> lists;
    std::vector<std::vector<FinishedGame>> batches;
    std::vector<session::OpenedGame> opened;
};

struct FinishedGamesTest : ::testing::Test {
    void SetUp() override
    {
        QObject::connect(
            &games, &session::FinishedGames::listed,
            [this](const session::FinishedList& list) { heard.lists.push_back(list); });
        QObject::connect(
            &games, &session::FinishedGames::summarised,
            [this](const std::vector<FinishedGame>& batch) { heard.batches.push_back(batch); });
        QObject::connect(&games, &session::FinishedGames::opened,
                         [this](const session::OpenedGame& game) { heard.opened.push_back(game); });
    }
    // Carries out every ask and delivers what it posted.
    void settle()
    {
        while (games.step()) {
        }
        QCoreApplication::sendPostedEvents(&games);
    }
    std::vector<FinishedGame> summaries() const
    {
        std::vector<FinishedGame> all;
        for (const auto& batch : heard.batches) {
            all.insert(all.end(), batch.begin(), batch.end());
        }
        return all;
    }

    fakes::MemoryStore store;
    session::FinishedGames games{store, session::FinishedGames::Run::ByHand, 4096};
    Heard heard;
};

} // namespace

TEST_F(FinishedGamesTest, ListsNewestFirstAndTellsEachFileForWhatItIs)
{
    store.put("Data.ledger.game2", finishedLedger(3));
    store.put("Data.ledger.game10", finishedLedger(1));
    store.put("Data.ledger.game4", "TolvStreet ledger 1\nD;31 Feb 2002\n");
    store.put("Data.ledger.game5", std::string(5000, 'x')); // over the bound: never parsed
    store.putOdd("Data.ledger.game6", records::EntryKind::Link);
    store.putOdd("Data.ledger.game7", records::EntryKind::Other); // a pipe
    store.put("Data.ledger.game8", "");
    store.put("Data.ledger", finishedLedger(2));
    store.put("Data.ledger.game3.tolvstreet-new", finishedLedger(2));
    store.put("Data.ledger.bak1", finishedLedger(2));
    games.list();
    EXPECT_TRUE(heard.lists.empty()); // nothing is read before the worker runs
    settle();

    ASSERT_EQ(heard.lists.size(), 1u);
    std::vector<int> numbers;
    for (const FinishedGame& game : heard.lists[0].games) {
        numbers.push_back(game.number);
        EXPECT_EQ(game.state, FinishedGame::State::Waiting);
    }
    EXPECT_EQ(numbers, (std::vector<int>{10, 8, 7, 6, 5, 4, 2}));
    const std::vector<FinishedGame> read = summaries();
    ASSERT_EQ(read.size(), 7u);
    EXPECT_EQ(read[0].state, FinishedGame::State::Read);
    EXPECT_EQ(read[0].summary.days, 1u);
    EXPECT_EQ(read[1].state, FinishedGame::State::Damaged); // empty
    EXPECT_EQ(read[2].state, FinishedGame::State::NotAFile);
    EXPECT_EQ(read[3].state, FinishedGame::State::NotAFile);
    EXPECT_EQ(read[4].state, FinishedGame::State::TooLarge);
    EXPECT_EQ(read[5].state, FinishedGame::State::Damaged);
    EXPECT_EQ(read[5].line, 2u);
    EXPECT_EQ(read[6].name, "Data.ledger.game2");
    EXPECT_EQ(read[6].summary.days, 3u);
    EXPECT_TRUE(read[6].summary.finished);
    EXPECT_EQ(game::dateText(*read[6].summary.lastDate), "03 Gen 2002");
    EXPECT_EQ(store.reads("Data.ledger"), 0);

    // Listed again, the games read are not read again; a new one is.
    store.put("Data.ledger.game11", finishedLedger(2));
    games.list();
    settle();
    EXPECT_EQ(store.reads("Data.ledger.game2"), 1);
    EXPECT_EQ(store.reads("Data.ledger.game11"), 1);
    ASSERT_EQ(heard.lists.size(), 2u);
    EXPECT_EQ(heard.lists[1].games[1].state, FinishedGame::State::Read); // game10, from memory
}

TEST_F(FinishedGamesTest, ThousandsAreToldInBatchesAndAnOpenIsAnsweredBeforeTheRest)
{
    const std::string small = finishedLedger(2);
    for (int n = 1; n <= 2000; ++n) {
        store.put(records::ledgerArchiveName(n), small);
    }
    store.put(records::ledgerArchiveName(2001), finishedLedger(5));
    games.list();
    games.open(1);             // asked while the list waits
    games.open(2001);          // replaces the open still waiting
    ASSERT_TRUE(games.step()); // the list, with the open taken between two files
    QCoreApplication::sendPostedEvents(&games);
    ASSERT_EQ(heard.opened.size(), 1u);
    EXPECT_EQ(heard.opened[0].game.number, 2001);
    ASSERT_TRUE(heard.opened[0].portfolio);
    EXPECT_EQ(heard.opened[0].portfolio->days().size(), 5u);
    EXPECT_TRUE(heard.opened[0].portfolio->ended());
    EXPECT_FALSE(games.step());
    EXPECT_EQ(summaries().size(), 2001u);
    for (const auto& batch : heard.batches) {
        EXPECT_LE(batch.size(), session::FinishedGames::kBatch);
    }
    EXPECT_EQ(summaries().back().number, 1);

    // A list asked again while one waits replaces it; an open of a game gone says so.
    games.list();
    games.list();
    games.open(9999);
    settle();
    EXPECT_EQ(heard.lists.size(), 2u);
    EXPECT_EQ(heard.opened.back().game.state, FinishedGame::State::Missing);
    EXPECT_FALSE(heard.opened.back().portfolio);
}

TEST(FinishedGamesThread, ClosingWhileReadingWaitsForTheFileAndTellsNothingAfter)
{
    fakes::MemoryStore store;
    for (int n = 1; n <= 50; ++n) {
        store.put(records::ledgerArchiveName(n), finishedLedger(30));
    }
    int told = 0;
    {
        session::FinishedGames games(store);
        QObject::connect(&games, &session::FinishedGames::summarised, [&told] { ++told; });
        games.list();
    } // joined here, the answers posted are dropped with the object
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(told, 0);
}

#ifndef _WIN32
// On a real folder: a link to a whole ledger elsewhere, a folder, a pipe nobody writes to and a
// huge file at finished games' names are told for what they are, none read, none waited for.
TEST(FinishedGamesFolder, LinksFoldersPipesAndHugeFilesAreNeverReadNorWaitedFor)
{
    QTemporaryDir play;
    QTemporaryDir elsewhere;
    const auto at = [&play](const char* name) {
        return QFile::encodeName(play.filePath(QString::fromLatin1(name)));
    };
    const std::string whole = finishedLedger(3);
    QFile outside(elsewhere.filePath(QStringLiteral("game.ledger")));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write(whole.data(), static_cast<qint64>(whole.size()));
    outside.close();
    ASSERT_EQ(::symlink(QFile::encodeName(outside.fileName()).constData(),
                        at("Data.ledger.game1").constData()),
              0);
    ASSERT_TRUE(QDir(play.path()).mkdir(QStringLiteral("Data.ledger.game2")));
    ASSERT_EQ(::mkfifo(at("Data.ledger.game3").constData(), 0644), 0);
    QFile huge(play.filePath(QStringLiteral("Data.ledger.game4")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(
        huge.resize(static_cast<qint64>(records::kLargestRead) + 1)); // sparse: no disk taken
    huge.close();
    QFile real(play.filePath(QStringLiteral("Data.ledger.game5")));
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.write(whole.data(), static_cast<qint64>(whole.size()));
    real.close();

    platform::FolderStore store(platform::localPath(play.path()));
    session::FinishedGames games(store, session::FinishedGames::Run::ByHand);
    std::vector<FinishedGame> read;
    QObject::connect(&games, &session::FinishedGames::summarised,
                     [&read](const std::vector<FinishedGame>& batch) {
                         read.insert(read.end(), batch.begin(), batch.end());
                     });
    games.list();
    while (games.step()) {
    }
    QCoreApplication::sendPostedEvents(&games);
    ASSERT_EQ(read.size(), 5u);
    EXPECT_EQ(read[0].state, FinishedGame::State::Read);
    EXPECT_EQ(read[1].state, FinishedGame::State::TooLarge);
    EXPECT_EQ(read[2].state, FinishedGame::State::NotAFile);
    EXPECT_EQ(read[3].state, FinishedGame::State::NotAFile);
    EXPECT_EQ(read[4].state, FinishedGame::State::NotAFile);
}
#endif
