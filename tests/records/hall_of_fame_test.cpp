// The Hall of Fame file byte for byte: appending winners and what the window shows.
#include "records/hall_of_fame.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using records::appendWinner;
using records::hallOfFameShown;

TEST(HallOfFame, AWinOnTheInstalledFile)
{
    const std::string installed(records::kEmptyHallOfFame);
    ASSERT_EQ(installed.size(), 4u);
    const std::string after = appendWinner(&installed, "Anna", "01 Gen 2002");
    EXPECT_EQ(after, "\"\rAnna:  01 Gen 2002\"\r\n");
    EXPECT_EQ(after.size(), 23u);
}

TEST(HallOfFame, WinsAppendInOrderAfterTheHead)
{
    const std::string installed = "\"I migliori\"\r\n";
    const std::string first = appendWinner(&installed, "Anna", "01 Gen 2002");
    const std::string second = appendWinner(&first, "Bruno", "15 Mar 2003");
    EXPECT_EQ(second, "\"I migliori\rAnna:  01 Gen 2002\rBruno:  15 Mar 2003\"\r\n");
    EXPECT_EQ(second.size(), installed.size() + 2 * 1 + 4 + 5 + 2 * (3 + 11));
}

TEST(HallOfFame, NamesAreKeptOrMadeSafe)
{
    const std::string installed(records::kEmptyHallOfFame);
    struct Case {
        const char* what;
        std::string name;
        std::string file;
    };
    const Case cases[] = {
        {"empty name", "", "\"\r:  01 Gen 2002\"\r\n"},
        {"quote kept", "Al \"Big\"", "\"\rAl \"Big\":  01 Gen 2002\"\r\n"},
        {"CR and LF made safe", "A\rB\nC", "\"\rA?B?C:  01 Gen 2002\"\r\n"},
        {"tab, NUL and DEL made safe", std::string("a\tb\0c\x7f", 6), "\"\ra?b?c?:  01 Gen 2002\"\r\n"},
        {"code page letters kept", "Nicol\xf2 \x80", "\"\rNicol\xf2 \x80:  01 Gen 2002\"\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(appendWinner(&installed, c.name, "01 Gen 2002"), c.file) << c.what;
    }

    // A name with a quote is taken back by position: the next win still appends after it.
    const std::string quoted = appendWinner(&installed, "\"", "01 Gen 2002");
    EXPECT_EQ(appendWinner(&quoted, "Anna", "02 Gen 2002"),
              "\"\r\":  01 Gen 2002\rAnna:  02 Gen 2002\"\r\n");
}

TEST(HallOfFame, MissingOrShortFilesCountAsTheEmptyList)
{
    const std::string expected = "\"\rAnna:  01 Gen 2002\"\r\n";
    EXPECT_EQ(appendWinner(nullptr, "Anna", "01 Gen 2002"), expected);
    for (const std::string shortFile : {"", "\"", "\"\"", "\"\"\r"}) {
        EXPECT_EQ(appendWinner(&shortFile, "Anna", "01 Gen 2002"), expected) << shortFile.size();
        EXPECT_EQ(hallOfFameShown(&shortFile), records::kEmptyHallOfFame);
    }
    EXPECT_EQ(hallOfFameShown(nullptr), records::kEmptyHallOfFame);

    // A file of four bytes or more is shown exactly as it is.
    const std::string odd = "xHEADyyy";
    EXPECT_EQ(hallOfFameShown(&odd), odd);
}

// Files from other editors: every winner reaches the new file whole, as the window showed it;
// only the bytes that frame the line (line ends, a byte-order mark) are left behind.
TEST(HallOfFame, AWinKeepsEveryEarlierWinnerWholeWhateverTheFilesForm)
{
    const std::string winners = "\rAnna:  01 Gen 2002\rBruno:  15 Mar 2003";
    const std::string expected = "\"" + winners + "\rCarla:  20 Mar 2003\"\r\n";
    for (const std::string& file : {"\"" + winners + "\"\r\n", "\"" + winners + "\"\n", "\"" + winners + "\"",
                                   "\xEF\xBB\xBF\"" + winners + "\"\r\n", "\"" + winners + "\"\r\n\r\n",
                                   "\"" + winners + "\"\r"}) {
        EXPECT_EQ(appendWinner(&file, "Carla", "20 Mar 2003"), expected) << file.size();
    }
    // In the game's own form the list is taken by position, so a quote in a name stays.
    const std::string quoteAtEnd = "\"\rDan\":  01 Gen 2002\"\r\n";
    EXPECT_EQ(appendWinner(&quoteAtEnd, "E", "02 Gen 2002"), "\"\rDan\":  01 Gen 2002\rE:  02 Gen 2002\"\r\n");
    EXPECT_FALSE(records::isQuotedLine("\"" + winners + "\"\n"));
    EXPECT_TRUE(records::isQuotedLine("\"" + winners + "\"\r\n"));
}

} // namespace
