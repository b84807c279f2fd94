// Thousands of days through the session, each checked against the price rule from the files alone.
#include "fakes/fake_dialogs.h"
#include "fakes/memory_store.h"
#include "game/texts.h"
#include "records/autosave.h"
#include "session/saver.h"
#include "session/session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

class SeededRandom final : public game::RandomSource {
public:
    void seedFromClock() override {}
    double next() override { return std::generate_canonical<double, 53>(m_engine) * (1.0 - 1e-16); }

private:
    std::mt19937_64 m_engine{20021};
};

std::vector<std::string> recordsOf(const fakes::MemoryStore& store, const char* name, std::size_t count)
{
    const auto records = records::readRecords(store.get(name).value_or(""), count);
    return records ? *records : std::vector<std::string>{};
}

} // namespace

TEST(LongRun, EveryDayOnDiskFollowsThePriceRule)
{
    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    SeededRandom random;
    game::GameState start = game::startingState();
    // A few companies close to zero, so that failures happen within the run.
    start.companies[0].price = "0,01";
    start.companies[1].price = "0,05";
    start.companies[2].price = "0,3";
    start.companies[5].shares = "12";
    start.cash = "4321,09";
    for (const auto& file : records::autosaveFiles(start, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    session.load();
    saver.settle();

    int failures = 0;
    int moves = 0;
    std::vector<std::string> prices = recordsOf(store, "Data4", 17);
    std::string date = recordsOf(store, "data7", 1).at(0);
    const std::string shares = *store.get("Data1");
    const std::string cash = *store.get("Data5");
    for (int day = 0; day < 3000; ++day) {
        session.advanceDay();
        saver.settle();
        const auto yesterday = recordsOf(store, "Data2", 17);
        const auto change = recordsOf(store, "Data3", 17);
        const auto today = recordsOf(store, "Data4", 17);
        const auto newDate = recordsOf(store, "data7", 1);
        ASSERT_EQ(today.size(), 17u);
        ASSERT_EQ(newDate.size(), 1u);
        ASSERT_EQ(newDate[0], game::dateText(*game::nextDay(*game::readDate(date))));
        for (std::size_t i = 0; i < 17; ++i) {
            if (prices[i] == "0") {
                ++failures;
                ASSERT_EQ(today[i], " Fallita") << day << " " << i;
            } else if (prices[i] == " Fallita") {
                ASSERT_EQ(today[i], " Fallita") << day << " " << i;
            } else {
                ++moves;
                ASSERT_EQ(yesterday[i], prices[i]);
                const double p = *game::readNumber(yesterday[i]);
                const double c = *game::readNumber(change[i]);
                ASSERT_LE(std::abs(c), 9.99);
                const double moved = std::floor((p + p * c / 100.0) * 100.0) / 100.0;
                ASSERT_EQ(today[i], game::numberText(moved)) << day << " " << i << " " << change[i];
            }
        }
        prices = today;
        date = newDate[0];
    }
    EXPECT_EQ(*store.get("Data1"), shares); // the day never touches the holdings or the cash
    EXPECT_EQ(*store.get("Data5"), cash);
    EXPECT_GT(failures, 0);
    EXPECT_GT(moves, 20000);
    EXPECT_TRUE(dialogs.boxes().empty());
}
