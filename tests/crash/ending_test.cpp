// The end of the game with saves still waiting, in a real process over a real folder: on a slow
// disk they all reach it before the process ends; over a disk that never answers the player is
// asked, may leave, the process ends at once, and the files keep the last whole set.
#include "crash/crash_support.h"
#include "records/save_set.h"

#include <gtest/gtest.h>

TEST(Ending, SavesWaitingReachASlowDiskAndLeavingAHangingOneKeepsTheLastWholeSet)
{
    for (const bool hang : {false, true}) {
        SCOPED_TRACE(hang ? "a disk that hangs" : "a slow disk");
        crashtest::PlayFolder folder;
        const crashtest::FileSet start = crashtest::replay({}, 3, 5).back();
        folder.put(start);

        const crashtest::ChildRun run =
            crashtest::runChild({QStringLiteral("end"), folder.path(),
                                 hang ? QStringLiteral("hang") : QStringLiteral("slow")});
        EXPECT_FALSE(run.killed);
        EXPECT_EQ(run.exitCode, 0);
        const std::vector<std::string> days = run.linesWith("day ");
        ASSERT_EQ(days.size(), 5u);
        EXPECT_TRUE(run.linesWith("box ").empty());
        if (hang) {
            ASSERT_EQ(run.linesWith("asked: ").size(), 1u);
            EXPECT_NE(run.linesWith("asked: ")[0].find("non è ancora finito"), std::string::npos);
            EXPECT_TRUE(run.linesWith("saved").empty()) << "the process ended before the save";
            EXPECT_EQ(folder.gameSet(), crashtest::withoutLedgers(start));
        } else {
            EXPECT_TRUE(run.linesWith("asked: ").empty());
            EXPECT_EQ(run.linesWith("saved").size(), 1u);
            EXPECT_EQ(folder.get("data7"), "\"" + days.back().substr(4) + "\"\r\n");
            EXPECT_TRUE(crashtest::tornFiles(folder.gameSet()).empty());
            EXPECT_FALSE(folder.get(std::string(records::kJournalName)));
        }
    }
}
