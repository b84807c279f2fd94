// Damaged and odd files at start-up, through the whole start over a real folder: a damaged set
// starts a new game, names the damaged file and keeps every file's exact bytes; odd but whole
// files load and keep playing. (The reader's own cases are in tests/records.)
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "crash/crash_support.h"
#include "fakes/fake_dialogs.h"
#include "records/autosave.h"
#include "records/hall_of_fame.h"
#include "session/saver.h"

#include <gtest/gtest.h>

namespace {

using crashtest::FileSet;

std::string repeat(const std::string& line, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += line;
    }
    return out;
}

// Record k of a file replaced by `line` (CR LF included).
std::string withLine(std::string file, int record, const std::string& line)
{
    std::size_t pos = 0;
    for (int k = 0; k < record; ++k) {
        pos = file.find('\n', pos) + 1;
    }
    return file.replace(pos, file.find('\n', pos) + 1 - pos, line);
}

struct Start {
    fakes::FakeDialogs dialogs;
    crashtest::ScriptRandom random{3};
    platform::FolderStore store;
    session::Saver saver;
    session::Session session;
    explicit Start(const crashtest::PlayFolder& folder)
        : store(platform::localPath(folder.path())), saver(store, dialogs, session::Saver::Run::ByHand),
          session(store, dialogs, random, saver)
    {
        session.load();
        saver.settle();
    }
};

} // namespace

TEST(BadFiles, ADamagedSetStartsANewGameNamesTheFileAndKeepsEveryByte)
{
    FileSet game = crashtest::replay({}, 21, 50).back();
    game["data6"] = "\"I campioni\rAnna:  05 Gen 2002\"\r\n";
    const std::string data4 = game.at("Data4");
    struct Case {
        const char* what;
        std::string file;
        std::optional<std::string> bytes; // nullopt: the file is missing
        const char* told;                  // how the message names the damage
    };
    const Case cases[] = {
        {"Data3 missing", "Data3", std::nullopt, "\"Data3\" manca"},
        {"data7 missing", "data7", std::nullopt, "\"data7\" manca"},
        {"Data1 empty", "Data1", "", "\"Data1\" è incompleto"},
        {"Data4 one record short", "Data4", data4.substr(0, data4.rfind('"', data4.size() - 4)), "\"Data4\" è incompleto"},
        {"Data5 without quotes", "Data5", "10000,00\r\n", "\"Data5\" contiene una riga non valida"},
        {"Data2 with a quote inside", "Data2", withLine(game.at("Data2"), 3, "\"12\"3\"\r\n"),
         "\"Data2\" contiene una riga non valida"},
        {"Data4 price not a number", "Data4", withLine(data4, 8, "\"seicento\"\r\n"),
         "\"Data4\" contiene un valore che non è un numero"},
        {"Data4 price with a byte outside ASCII", "Data4", withLine(data4, 2, "\"7\xe9" "0\"\r\n"),
         "\"Data4\" contiene un valore che non è un numero"},
        {"Data5 cash not a number", "Data5", "\"diecimila\"\r\n", "\"Data5\" contiene un valore che non è un numero"},
        {"Data1 shares not a number", "Data1", withLine(game.at("Data1"), 0, "\"1 2\"\r\n"),
         "\"Data1\" contiene un valore che non è un numero"},
        {"data7 bad month", "data7", "\"01 Xyz 2002\"\r\n", "\"data7\" non contiene una data valida"},
        {"data7 day 0", "data7", "\"00 Gen 2002\"\r\n", "\"data7\" non contiene una data valida"},
        {"data7 day 40", "data7", "\"40 Gen 2002\"\r\n", "\"data7\" non contiene una data valida"},
        {"data7 with bytes outside ASCII", "data7", "\"01 G\xe9n 2002\"\r\n", "\"data7\" non contiene una data valida"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileSet damaged = game;
        if (c.bytes) {
            damaged[c.file] = *c.bytes;
        } else {
            damaged.erase(c.file);
        }
        crashtest::PlayFolder folder;
        folder.put(damaged);
        Start start(folder);

        ASSERT_EQ(start.dialogs.boxes().size(), 1u) << start.dialogs.prompts().join(" | ").toStdString();
        const QString told = start.dialogs.boxes()[0].prompt;
        EXPECT_TRUE(told.contains(QString::fromUtf8(c.told))) << told.toStdString();
        EXPECT_TRUE(told.endsWith(QStringLiteral("Inizia una nuova partita."))) << told.toStdString();
        EXPECT_EQ(start.session.state(), game::startingState());
        // The new game is saved; the Hall of Fame is not touched; every autosave file that was
        // there is kept, byte for byte, and the message says where.
        EXPECT_EQ(folder.gameSet(), crashtest::setOf(game::startingState(), game.at("data6")));
        for (const auto& [name, bytes] : damaged) {
            if (name == "data6" || name.rfind("Data.ledger", 0) == 0) {
                continue; // a whole ledger of the lost game goes on as a finished game's
            }
            EXPECT_EQ(folder.get(name + ".bak1"), bytes) << name;
            EXPECT_TRUE(told.contains(QString::fromStdString("\"" + name + "\" come \"" + name + ".bak1\"")))
                << told.toStdString();
        }
        // A second damaged start keeps its files beside the first ones, not over them.
        folder.put("Data5", "\"rotto\"\r\n");
        Start again(folder);
        EXPECT_EQ(folder.get("Data5.bak2"), "\"rotto\"\r\n");
        EXPECT_EQ(folder.get("Data5.bak1"), damaged.count("Data5") ? std::optional(damaged.at("Data5")) : std::nullopt);
    }
}

TEST(BadFiles, OddButWholeFilesLoadAndPlayOn)
{
    FileSet game = crashtest::replay({}, 21, 50).back();
    game["data6"] = "\"\"\r\n";
    const std::string longName(5000, 'N');
    struct Case {
        const char* what;
        FileSet changes;
        std::function<void(const game::GameState&)> check;
    };
    const Case cases[] = {
        {"extreme prices and no cash",
         {{"Data4", "\"1E+300\"\r\n\"0,01\"\r\n\" Fallita\"\r\n\"0\"\r\n" + repeat("\"1,5E-10\"\r\n", 13)},
          {"Data5", "\"0\"\r\n"}},
         [](const game::GameState& s) {
             EXPECT_EQ(s.companies[0].price, "1E+300");
             EXPECT_EQ(s.companies[1].price, "0,01");
             EXPECT_EQ(s.cash, "0");
         }},
        {"extra records",
         {{"Data1", repeat("\"7\"\r\n", 20)}, {"data7", "\"28 Feb 2100\"\r\n\"01 Gen 2002\"\r\n"}},
         [](const game::GameState& s) {
             EXPECT_EQ(s.companies[16].shares, "7");
             EXPECT_EQ(s.date, "28 Feb 2100");
         }},
        {"carriage returns without line feeds",
         {{"Data3", repeat("\"+1,5\"\r", 17)}, {"Data5", "\"321,5\"\r"}},
         [](const game::GameState& s) {
             EXPECT_EQ(s.companies[5].change, "+1,5");
             EXPECT_EQ(s.cash, "321,5");
         }},
        {"shown texts with bytes outside ASCII",
         {{"Data2", repeat("\"\xe9\xff\x80\"\r\n", 17)}},
         [](const game::GameState& s) { EXPECT_EQ(s.companies[0].yesterday, "\xe9\xff\x80"); }},
        {"a Hall of Fame with a name thousands of characters long",
         {{"data6", "\"\r" + longName + ":  01 Gen 2002\"\r\n"}},
         [](const game::GameState&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileSet odd = game;
        for (const auto& [name, bytes] : c.changes) {
            odd[name] = bytes;
        }
        crashtest::PlayFolder folder;
        folder.put(odd);
        Start start(folder);
        EXPECT_TRUE(start.dialogs.boxes().empty()) << start.dialogs.prompts().join(" | ").toStdString();
        c.check(start.session.state());
        EXPECT_EQ(folder.entries().size(), odd.size()) << "nothing moved aside";

        // Play goes on, and the next save writes the same texts back in the game's own form.
        const game::GameState loaded = start.session.state();
        start.session.advanceDay();
        start.saver.settle();
        EXPECT_TRUE(start.dialogs.boxes().empty()) << start.dialogs.prompts().join(" | ").toStdString();
        const FileSet saved = folder.gameSet();
        EXPECT_TRUE(crashtest::tornFiles(saved).empty());
        EXPECT_EQ(saved, crashtest::setOf(start.session.state(), odd.at("data6")));
        for (std::size_t i = 0; i < loaded.companies.size(); ++i) {
            EXPECT_EQ(start.session.state().companies[i].shares, loaded.companies[i].shares);
        }
        EXPECT_EQ(start.session.state().cash, loaded.cash);
        EXPECT_EQ(start.session.hallOfFameText().size(), static_cast<qsizetype>(odd.at("data6").size()));
    }
}

TEST(BadFiles, AHallOfFameTooShortForAListShowsTheEmptyOneAndAWinMakesAProperFile)
{
    const FileSet game = crashtest::replay({}, 21, 50).back();
    for (const std::string& shortFile : {std::string(), std::string("\""), std::string("\"\""), std::string("\"\"\r")}) {
        SCOPED_TRACE("data6 of " + std::to_string(shortFile.size()) + " bytes");
        FileSet rich = game;
        rich["Data5"] = "\"100000\"\r\n";
        rich["data6"] = shortFile; // too short to hold a single record
        crashtest::PlayFolder folder;
        folder.put(rich);
        Start start(folder);
        EXPECT_TRUE(start.dialogs.boxes().empty());
        EXPECT_EQ(start.session.hallOfFameText(), QStringLiteral("\"\"\r\n"));

        start.dialogs.answerText(QStringLiteral("Anna"));
        start.session.sell(std::nullopt, QStringLiteral("0"));
        start.saver.settle();
        const std::string date = start.session.state().date;
        EXPECT_EQ(folder.get("data6"), "\"\rAnna:  " + date + "\"\r\n");
        EXPECT_EQ(start.session.hallOfFameText(), QString::fromStdString("\"\rAnna:  " + date + "\"\r\n"));
        EXPECT_EQ(folder.gameSet(), crashtest::setOf(start.session.state(), folder.get("data6")));
    }
}

// A Hall of Fame saved by another editor (line feed alone, no quotes, a lone CR): every winner
// reaches the new file, and a copy of its exact bytes is kept with the win.
TEST(BadFiles, AHallOfFameNotInTheGamesFormIsKeptAsItWasByTheWinThatRewritesIt)
{
    const FileSet game = crashtest::replay({}, 21, 50).back();
    for (const std::string& odd : {std::string("\"Campioni\rAnna:  01 Gen 2002\"\n"),
                                   std::string("Campioni\r\nAnna:  01 Gen 2002\r\n"),
                                   std::string("\"Campioni\rAnna:  01 Gen 2002\"\r")}) {
        SCOPED_TRACE(odd);
        FileSet rich = game;
        rich["Data5"] = "\"100000\"\r\n";
        rich["data6"] = odd;
        crashtest::PlayFolder folder;
        folder.put(rich);
        folder.put("data6.bak1", "an older copy");
        Start start(folder);
        start.dialogs.answerText(QStringLiteral("Bea"));
        start.session.sell(std::nullopt, QStringLiteral("0"));
        start.saver.settle();
        const std::string date = start.session.state().date;

        EXPECT_EQ(folder.get("data6.bak2"), odd);
        EXPECT_EQ(folder.get("data6.bak1"), "an older copy");
        EXPECT_EQ(folder.get("data6"), records::appendWinner(&odd, "Bea", date));
        ASSERT_EQ(start.dialogs.boxes().size(), 2u); // the name, then where the copy is
        EXPECT_TRUE(start.dialogs.boxes()[1].prompt.contains(QStringLiteral("\"data6.bak2\"")))
            << start.dialogs.boxes()[1].prompt.toStdString();

        // The next win appends to the game's own file and needs no copy.
        game::GameState state = start.session.state();
        state.cash = "100000";
        folder.put(crashtest::setOf(state, folder.get("data6")));
        Start next(folder);
        next.dialogs.answerText(QStringLiteral("Zoë"));
        next.session.sell(std::nullopt, QStringLiteral("0"));
        next.saver.settle();
        EXPECT_EQ(next.dialogs.boxes().size(), 1u);
        EXPECT_FALSE(folder.get("data6.bak3"));
    }
}
