// Number, quantity, change and date texts against tables of worked values.
#include "game/texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace game;

TEST(NumberText, WritesFifteenDigitsWithCommaAndNoTrailingZeros)
{
    const std::pair<double, const char*> cases[] = {
        {20.0, "20"},           {19.5, "19,5"},        {0.0, "0"},          {-0.0, "0"},
        {517.25, "517,25"},     {10000.0, "10000"},    {0.28, "0,28"},      {1e15, "1E+15"},
        {1e-5, "1E-05"},        {1.5e-10, "1,5E-10"},  {0.0001, "0,0001"},  {-3.45, "-3,45"},
        {1e300, "1E+300"},      {123456789012345.0, "123456789012345"},
        {0.1 + 0.2, "0,3"},     {2.3 * 100.0, "230"},
        {std::numeric_limits<double>::infinity(), "1,79769313486231E+308"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(numberText(value), text) << value;
    }
}

TEST(NumberText, ReadsCommaNumbersAndRefusesEverythingElse)
{
    const std::pair<const char*, double> good[] = {
        {"10000,00", 10000.0}, {"  517,25 ", 517.25}, {"+3,45", 3.45}, {"-0,7", -0.7},
        {"0", 0.0},            {"1E+300", 1e300},     {"1,5E-10", 1.5e-10}, {",5", 0.5},
        {"7,", 7.0},           {"1E-400", 0.0},
    };
    for (const auto& [text, value] : good) {
        const auto read = readNumber(text);
        ASSERT_TRUE(read.has_value()) << text;
        EXPECT_EQ(*read, value) << text;
    }
    for (const char* bad : {"", " ", "12a", "1.5", "1 2", "inf", "nan", "0x10", "+", "-", ",",
                            "1E", "1E+", "E5", " Fallita", "1E+400", "--1", "1,2,3", "\xe2\x82\xac"}) {
        EXPECT_FALSE(readNumber(bad).has_value()) << bad;
    }
    // What the game writes reads back to the same value.
    for (double v : {0.01, 0.28, 517.25, 72.08, 1e300, 99999.99, 1234.56}) {
        EXPECT_EQ(*readNumber(numberText(v)), v);
    }
}

TEST(WholeNumbers, RoundHalfToEvenWithinThirtyTwoBits)
{
    const std::pair<const char*, std::int32_t> good[] = {
        {"0,5", 0},   {"1,5", 2},  {"2,5", 2},  {"-2,5", -2}, {"3,5", 4}, {"1234,56", 1235},
        {"2147483647,49", 2147483647}, {"-2147483648,5", -2147483647 - 1}, {"99999,5", 100000},
    };
    for (const auto& [text, value] : good) {
        ASSERT_TRUE(readWhole(text).has_value()) << text;
        EXPECT_EQ(*readWhole(text), value) << text;
    }
    for (const char* bad : {"2147483647,5", "-2147483648,51", "1E+300", "abc", ""}) {
        EXPECT_FALSE(readWhole(bad).has_value()) << bad;
    }
}

TEST(Quantities, AreDigitsOnlyWithinThirtyTwoBits)
{
    EXPECT_EQ(readQuantity("1"), 1);
    EXPECT_EQ(readQuantity("  12 "), 12);
    EXPECT_EQ(readQuantity("007"), 7);
    EXPECT_EQ(readQuantity("0"), 0);
    EXPECT_EQ(readQuantity("2147483647"), 2147483647);
    for (const char* bad : {"", "   ", "1 2", "-5", "+5", "1,5", "12a", "2147483648",
                            "99999999999999999999", "\t3"}) {
        EXPECT_FALSE(readQuantity(bad).has_value()) << bad;
    }
}

TEST(ChangeText, WritesTheDecimalPartWithoutLeadingZero)
{
    EXPECT_EQ(changeText(false, 3, 45), "+3,45");
    EXPECT_EQ(changeText(true, 0, 7), "-0,7");
    EXPECT_EQ(changeText(false, 2, 5), "+2,5");
    EXPECT_EQ(changeText(true, 0, 0), "-0,0");
    EXPECT_EQ(changeText(false, 9, 99), "+9,99");
    EXPECT_EQ(*readNumber(changeText(false, 2, 5)), 2.5); // tenths, not hundredths
}

TEST(Dates, ReadOnlyRealDaysOfTheGameCalendar)
{
    EXPECT_EQ(readDate("01 Gen 2002"), (Date{1, 0, 2002}));
    EXPECT_EQ(readDate("29 Feb 2100"), (Date{29, 1, 2100})); // every fourth year, centuries too
    EXPECT_EQ(readDate("31 Dic 32767"), (Date{31, 11, 32767}));
    for (const char* bad : {"", "01 Xyz 2002", "00 Gen 2002", "40 Gen 2002", "31 Feb 2004",
                            "29 Feb 2002", "31 Apr 2002", "01 gen 2002", "01 Gen", "01  Gen 2002",
                            "1a Gen 2002", "01 Gen 32768", "01 Gen -1", "001 Gen 2002"}) {
        EXPECT_FALSE(readDate(bad).has_value()) << bad;
    }
    EXPECT_EQ(dateText({2, 0, 2002}), "02 Gen 2002");
    EXPECT_EQ(dateText({10, 4, 2002}), "10 Mag 2002");
}

TEST(Dates, NextDayFollowsTheMonthTableAndTheLeapRule)
{
    const std::pair<const char*, const char*> steps[] = {
        {"01 Gen 2002", "02 Gen 2002"}, {"09 Gen 2002", "10 Gen 2002"},
        {"31 Gen 2002", "01 Feb 2002"}, {"30 Apr 2002", "01 Mag 2002"},
        {"31 Dic 2002", "01 Gen 2003"}, {"28 Feb 2002", "01 Mar 2002"},
        {"28 Feb 2004", "29 Feb 2004"}, {"29 Feb 2004", "01 Mar 2004"},
        {"28 Feb 2100", "29 Feb 2100"}, {"30 Giu 2002", "01 Lug 2002"},
        {"31 Lug 2002", "01 Ago 2002"}, {"30 Set 2002", "01 Ott 2002"},
        {"30 Nov 2002", "01 Dic 2002"}, {"31 Ago 2002", "01 Set 2002"},
    };
    for (const auto& [from, to] : steps) {
        EXPECT_EQ(dateText(*nextDay(*readDate(from))), to) << from;
    }
    EXPECT_FALSE(nextDay(*readDate("31 Dic 32767")).has_value());
    // A whole leap year and a common one have the right number of days.
    Date d = *readDate("01 Gen 2004");
    int days = 0;
    do {
        d = *nextDay(d);
        ++days;
    } while (dateText(d) != "01 Gen 2005");
    EXPECT_EQ(days, 366);
}

TEST(Dates, DayNumbersCountEveryDayOnceAndLeadBack)
{
    // Nine years (two leap cycles and a bit) at the calendar's start, around the game's start and
    // at its end: each day's number is one more than the last and leads back to the same date.
    for (const int firstYear : {0, 2000, kLastYear - 8}) {
        Date date{1, 0, firstYear};
        std::int64_t expected = dayNumber(date);
        for (;;) {
            ASSERT_EQ(dayNumber(date), expected) << dateText(date);
            ASSERT_EQ(dateOfDay(expected), date) << expected;
            const std::optional<Date> next = nextDay(date);
            if (!next || next->year == firstYear + 9) {
                break;
            }
            date = *next;
            ++expected;
        }
    }
    EXPECT_EQ(dayNumber(Date{1, 0, 0}), 0);
    EXPECT_EQ(dateOfDay(dayNumber(Date{31, 11, kLastYear})), (Date{31, 11, kLastYear}));
    EXPECT_FALSE(dateOfDay(dayNumber(Date{31, 11, kLastYear}) + 1).has_value());
    EXPECT_FALSE(dateOfDay(-1).has_value());
    EXPECT_EQ(dayNumber(*readDate("02 Gen 2003")) - dayNumber(*readDate("01 Gen 2002")), 366);
    EXPECT_EQ(monthName(6), "Lug");
}
