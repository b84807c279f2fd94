// The clock-seeded random source: values in [0, 1), spread evenly, different per seeding.
#include "platform/clock_random.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(ClockRandom, ValuesLieInTheUnitIntervalAndSpreadEvenly)
{
    platform::ClockRandom random;
    random.seedFromClock();
    constexpr int kDraws = 100000;
    std::array<int, 10> buckets{};
    double sum = 0;
    for (int i = 0; i < kDraws; ++i) {
        const double v = random.next();
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 1.0);
        sum += v;
        ++buckets[static_cast<std::size_t>(v * 10)];
    }
    // Eleven standard deviations and more: a fair source never fails these.
    EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
    for (const int count : buckets) {
        EXPECT_NEAR(count, kDraws / 10, 1000);
    }
}

TEST(ClockRandom, EachSeedingStartsAnotherSequence)
{
    platform::ClockRandom a;
    platform::ClockRandom b;
    a.seedFromClock();
    b.seedFromClock();
    bool differ = false;
    for (int i = 0; i < 4; ++i) {
        differ = differ || a.next() != b.next();
    }
    EXPECT_TRUE(differ);
}

} // namespace
