// The six autosave files byte for byte, their tolerant reading and the all-or-nothing load.
#include "records/autosave.h"

#include "fakes/memory_store.h"
#include "game/game_state.h"

#include "records/store.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace {

using records::AutosaveRead;
using records::Damage;
using records::FileProblem;

using Files = std::array<std::optional<std::string>, 6>;

std::string repeat(const std::string& line, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += line;
    }
    return out;
}

Files newGameFiles()
{
    Files files;
    const auto contents = records::autosaveFiles(game::startingState(), records::WriteOrder::DataFirst);
    for (std::size_t i = 0; i < files.size(); ++i) {
        files[i] = contents[i].bytes;
    }
    return files;
}

TEST(AutosaveFiles, NewGameSetIsByteExact)
{
    const auto files = records::autosaveFiles(game::startingState(), records::WriteOrder::DataFirst);
    ASSERT_EQ(files.size(), 6u);
    const std::array<std::string, 6> names = {"Data1", "Data2", "Data3", "Data4", "Data5", "data7"};
    const std::array<std::size_t, 6> sizes = {85, 68, 68, 112, 12, 15};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(files[i].name, names[i]);
        EXPECT_EQ(files[i].bytes.size(), sizes[i]) << names[i];
    }
    EXPECT_EQ(files[0].bytes, repeat("\"0\"\r\n", 17));
    EXPECT_EQ(files[1].bytes, repeat("\"\"\r\n", 17));
    EXPECT_EQ(files[2].bytes, repeat("\"\"\r\n", 17));
    EXPECT_EQ(files[3].bytes, "\"755\"\r\n\"37\"\r\n\"70\"\r\n\"66\"\r\n\"562\"\r\n\"332\"\r\n"
                              "\"117\"\r\n\"24\"\r\n\"605\"\r\n\"441\"\r\n\"1100\"\r\n\"70\"\r\n"
                              "\"35\"\r\n\"150\"\r\n\"39\"\r\n\"80\"\r\n\"500\"\r\n");
    const unsigned char data5[] = {0x22, 0x31, 0x30, 0x30, 0x30, 0x30, 0x2C, 0x30, 0x30, 0x22, 0x0D, 0x0A};
    EXPECT_EQ(files[4].bytes, std::string(reinterpret_cast<const char*>(data5), sizeof data5));
    EXPECT_EQ(files[5].bytes, "\"01 Gen 2002\"\r\n");

    const auto dayOrder = records::autosaveFiles(game::startingState(), records::WriteOrder::DateFirst);
    ASSERT_EQ(dayOrder.size(), 6u);
    EXPECT_EQ(dayOrder[0], files[5]);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(dayOrder[i + 1], files[i]);
    }
}

TEST(AutosaveFiles, StateComesBackUnchanged)
{
    game::GameState state = game::startingState();
    state.companies[0] = {"12", "755", "+3,45", "780,05"};
    state.companies[7] = {"0", "0", "-9,9", " Fallita"};
    state.companies[16] = {"2147483647", "", "", "0,01"};
    state.cash = "10000,00";
    state.date = "29 Feb 2004";
    Files files;
    const auto contents = records::autosaveFiles(state, records::WriteOrder::DateFirst);
    for (const auto& file : contents) {
        for (std::size_t i = 0; i < 6; ++i) {
            if (records::kAutosaveNames[i] == file.name) {
                files[i] = file.bytes;
            }
        }
    }
    const AutosaveRead read = records::parseAutosave(files);
    ASSERT_EQ(read.kind, AutosaveRead::Kind::Loaded);
    EXPECT_TRUE(read.problems.empty());
    EXPECT_EQ(read.state, state);
    EXPECT_EQ(read.state.companies[7].price, " Fallita");
    EXPECT_EQ(read.state.companies[16].yesterday, "");
}

TEST(ReadRecords, ToleratesOtherEditorsLineEndsAndIgnoresWhatFollows)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::size_t count;
        std::optional<std::vector<std::string>> values;
        int bad;
    };
    using V = std::vector<std::string>;
    const Case cases[] = {
        {"CR LF", "\"a\"\r\n\"b,5\"\r\n", 2, V{"a", "b,5"}, -1},
        {"LF alone", "\"a\"\n\"b\"\n", 2, V{"a", "b"}, -1},
        {"lone CR", "\"a\"\r\"b\"\r", 2, V{"a", "b"}, -1},
        {"no end on the last", "\"a\"\r\n\"b\"", 2, V{"a", "b"}, -1},
        {"blanks and tabs around", " \t\"a\" \r\n\t\"\"\t\n", 2, V{"a", ""}, -1},
        {"blanks inside kept", "\" Fallita\"\r\n\"01 Gen 2002\"\r\n", 2, V{" Fallita", "01 Gen 2002"}, -1},
        {"code page bytes kept", "\"Carlett\xf2\"\r\n", 1, V{"Carlett\xf2"}, -1},
        {"extra records", "\"a\"\r\n\"b\"\r\n\"c\"\r\n", 2, V{"a", "b"}, -1},
        {"garbage after the needed ones", "\"a\"\r\nnot a record\r\n\"", 1, V{"a"}, -1},
        {"empty file", "", 1, std::nullopt, 0},
        {"only line ends", "\r\n\r\n", 1, std::nullopt, 0},
        {"too few", "\"a\"\r\n", 2, std::nullopt, 1},
        {"unquoted", "\"a\"\r\n10000,00\r\n", 2, std::nullopt, 1},
        {"blank line between", "\"a\"\r\n\r\n\"b\"\r\n", 2, std::nullopt, 1},
        {"unclosed", "\"abc\r\n\"d\"\r\n", 2, std::nullopt, 0},
        {"unclosed at the end", "\"abc", 1, std::nullopt, 0},
        {"quote inside", "\"12\"3\"\r\n", 1, std::nullopt, 0},
        {"two on a line", "\"a\"\"b\"\r\n", 2, std::nullopt, 0},
        {"text before the quote", "x\"a\"\r\n", 1, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        int bad = 99;
        const auto values = records::readRecords(c.bytes, c.count, &bad);
        EXPECT_EQ(values, c.values) << c.what;
        EXPECT_EQ(bad, c.bad) << c.what;
    }
}

TEST(ParseAutosave, EveryDamagedFileIsNamed)
{
    const std::string data1 = repeat("\"0\"\r\n", 17);
    const std::string data4 = newGameFiles()[3].value();
    auto withRecord = [](std::string file, int record, const std::string& value) {
        std::size_t pos = 0;
        for (int k = 0; k < record; ++k) {
            pos = file.find('\n', pos) + 1;
        }
        const std::size_t end = file.find('\n', pos) + 1;
        return file.replace(pos, end - pos, "\"" + value + "\"\r\n");
    };
    struct Case {
        const char* what;
        std::size_t file;
        std::optional<std::string> bytes;
        FileProblem problem;
    };
    const Case cases[] = {
        {"Data1 missing", 0, std::nullopt, {"Data1", Damage::Missing, -1}},
        {"data7 missing", 5, std::nullopt, {"data7", Damage::Missing, -1}},
        {"Data2 empty", 1, "", {"Data2", Damage::TooFewRecords, 0}},
        {"Data3 short", 2, repeat("\"\"\r\n", 16), {"Data3", Damage::TooFewRecords, 16}},
        {"Data5 empty", 4, "", {"Data5", Damage::TooFewRecords, 0}},
        {"Data5 unquoted", 4, "10000,00\r\n", {"Data5", Damage::BadRecord, 0}},
        {"Data4 quote inside", 3, withRecord(data4, 5, "33\"2"), {"Data4", Damage::BadRecord, 5}},
        {"Data1 shares not a number", 0, withRecord(data1, 3, "tre"), {"Data1", Damage::NotANumber, 3}},
        {"Data1 shares empty", 0, withRecord(data1, 16, ""), {"Data1", Damage::NotANumber, 16}},
        {"Data4 price with a point", 3, withRecord(data4, 0, "755.5"), {"Data4", Damage::NotANumber, 0}},
        {"Data4 price empty", 3, withRecord(data4, 2, ""), {"Data4", Damage::NotANumber, 2}},
        {"Data4 failure mark without its blank", 3, withRecord(data4, 4, "Fallita"), {"Data4", Damage::NotANumber, 4}},
        {"Data4 price with a code page byte", 3, withRecord(data4, 9, "44\xb9" "1"), {"Data4", Damage::NotANumber, 9}},
        {"Data5 cash not a number", 4, "\"diecimila\"\r\n", {"Data5", Damage::NotANumber, 0}},
        {"Data5 cash with grouping", 4, "\"10.000,00\"\r\n", {"Data5", Damage::NotANumber, 0}},
        {"unknown month", 5, "\"01 Xyz 2002\"\r\n", {"data7", Damage::NotADate, 0}},
        {"day zero", 5, "\"00 Gen 2002\"\r\n", {"data7", Damage::NotADate, 0}},
        {"day forty", 5, "\"40 Gen 2002\"\r\n", {"data7", Damage::NotADate, 0}},
        {"31 February", 5, "\"31 Feb 2002\"\r\n", {"data7", Damage::NotADate, 0}},
        {"no date at all", 5, "\"\"\r\n", {"data7", Damage::NotADate, 0}},
    };
    for (const Case& c : cases) {
        Files files = newGameFiles();
        files[c.file] = c.bytes;
        const AutosaveRead read = records::parseAutosave(files);
        EXPECT_EQ(read.kind, AutosaveRead::Kind::Damaged) << c.what;
        EXPECT_EQ(read.problems, std::vector<FileProblem>{c.problem}) << c.what;
        EXPECT_EQ(read.state, game::GameState{}) << c.what << ": nothing of a damaged set is loaded";
    }

    // Several damaged files: every one of them, in file order.
    Files files = newGameFiles();
    files[1] = std::nullopt;
    files[3] = withRecord(data4, 16, "x");
    files[5] = "\"31 Feb 2002\"\r\n";
    const std::vector<FileProblem> all = {{"Data2", Damage::Missing, -1},
                                          {"Data4", Damage::NotANumber, 16},
                                          {"data7", Damage::NotADate, 0}};
    EXPECT_EQ(records::parseAutosave(files).problems, all);

    EXPECT_EQ(records::parseAutosave(Files{}).kind, AutosaveRead::Kind::NoFiles);
}

TEST(ParseAutosave, ExtremeButWholeValuesLoad)
{
    const std::string data4 = newGameFiles()[3].value();
    Files files = newGameFiles();
    files[0] = repeat("\"0\"\r\n", 16) + "\"2147483647\"\r\n";
    files[1] = repeat("\"anything, even text\"\r\n", 17);
    files[2] = repeat("\"+9,99\"\r\n", 17);
    files[3] = "\"1E+300\"\r\n\"0,01\"\r\n\" Fallita\"\r\n\"0\"\r\n" + repeat("\"1\"\r\n", 13);
    files[4] = "\"0\"\r\n\"extra\"\r\n\"ignored\"";
    files[5] = "\"29 Feb 2004\"\r\nnot a record at all\r\n";
    const AutosaveRead read = records::parseAutosave(files);
    ASSERT_EQ(read.kind, AutosaveRead::Kind::Loaded) << (read.problems.empty() ? "" : read.problems[0].name);
    EXPECT_EQ(read.state.companies[16].shares, "2147483647");
    EXPECT_EQ(read.state.companies[0].yesterday, "anything, even text");
    EXPECT_EQ(read.state.companies[0].price, "1E+300");
    EXPECT_EQ(read.state.companies[1].price, "0,01");
    EXPECT_EQ(read.state.companies[2].price, " Fallita");
    EXPECT_EQ(read.state.companies[3].price, "0");
    EXPECT_EQ(read.state.cash, "0");
    EXPECT_EQ(read.state.date, "29 Feb 2004");
}

TEST(ReadAutosave, ReadsTheStoreAndNamesUnreadableFiles)
{
    fakes::MemoryStore store;
    EXPECT_EQ(records::readAutosave(store).kind, AutosaveRead::Kind::NoFiles);

    const Files files = newGameFiles();
    for (std::size_t i = 0; i < 6; ++i) {
        store.put(std::string(records::kAutosaveNames[i]), *files[i]);
    }
    const AutosaveRead loaded = records::readAutosave(store);
    ASSERT_EQ(loaded.kind, AutosaveRead::Kind::Loaded);
    EXPECT_EQ(loaded.state, game::startingState());

    // One failed read of the disk is read again: the saved game is not set aside for it.
    store.failReads("Data3", 1);
    EXPECT_EQ(records::readAutosave(store).kind, AutosaveRead::Kind::Loaded);
    store.failReads("Data3");
    const AutosaveRead unreadable = records::readAutosave(store);
    EXPECT_EQ(unreadable.kind, AutosaveRead::Kind::Damaged);
    EXPECT_EQ(unreadable.problems, (std::vector<FileProblem>{{"Data3", Damage::Unreadable, -1}}));
    EXPECT_TRUE(store.log().empty()) << "reading writes nothing";
}

} // namespace
