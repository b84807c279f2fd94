// The game's text forms: number texts with a decimal comma, whole numbers, change texts and dates.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace game {

// A number text: surrounding blanks ignored, an optional sign, digits with an optional decimal
// comma, an optional exponent ("1E+300"). Nothing else: "", "12a", "1.5" and "1 2" do not read.
std::optional<double> readNumber(std::string_view text);

// A number as the game writes it: at most 15 significant digits, a decimal comma, no grouping,
// no trailing zeros, "0" for zero, exponent form only for very large or very small values.
std::string numberText(double value);

// A whole number (a trade quantity, the whole-cash value): the number text rounded to the
// nearest integer, halves to the even neighbour; nothing when it lies outside the signed
// 32-bit range or does not read as a number.
std::optional<std::int32_t> readWhole(std::string_view text);

// A trade quantity: surrounding blanks ignored, then digits only (no sign, no decimals, no
// inner blank), within the signed 32-bit range.
std::optional<std::int32_t> readQuantity(std::string_view text);

// The change text: sign, one whole digit, a comma, the decimal part with no leading zero.
std::string changeText(bool negative, int whole, int decimal);

struct Date {
    int day = 1;   // 1..31
    int month = 0; // 0 = "Gen" .. 11 = "Dic"
    int year = 2002;
    friend bool operator==(const Date&, const Date&) = default;
};

inline constexpr int kLastYear = 32767; // the year is a signed 16-bit number

// "dd Mmm yyyy"; nothing when the month name is unknown, the day is not a day of that month,
// or the year lies outside 0..32767.
std::optional<Date> readDate(std::string_view text);
std::string dateText(const Date& date);

// The next day by the game's calendar: every fourth year is a leap year, centuries included.
// Nothing after 31 Dic 32767, where the calendar ends.
std::optional<Date> nextDay(const Date& date);

// Day numbers by the same calendar: 01 Gen 0 is day 0, and each day is one more than the day
// before it, so that two dates' difference is the days between them.
std::int64_t dayNumber(const Date& date);
// The date of a day number; nothing outside 01 Gen 0 .. 31 Dic 32767.
std::optional<Date> dateOfDay(std::int64_t day);
// The short name of a month, 0 = "Gen" .. 11 = "Dic".
std::string_view monthName(int month);

} // namespace game
