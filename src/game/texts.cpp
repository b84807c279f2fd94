// The game's text forms: number texts with a decimal comma, whole numbers, change texts and dates.
#include "game/texts.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace game {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu",
                                                      "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// The largest value a number text can hold and still read back: a price or cash that would
// grow past the largest double stays there instead of turning into "inf".
constexpr double kLargestText = 1.79769313486231e308;

bool isLeap(int year) { return year % 4 == 0; }

int daysIn(int month, int year)
{
    static constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 1 && isLeap(year) ? 29 : days[static_cast<std::size_t>(month)];
}

// Reads a run of 1..maxDigits digits as a whole number; nothing otherwise.
std::optional<int> readDigits(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<double> readNumber(std::string_view text)
{
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Check the shape ourselves: from_chars would also take "inf", "nan" and hexadecimal forms.
    std::string plain;
    plain.reserve(text.size());
    std::size_t i = 0;
    std::size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        plain += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == ',') {
        plain += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            plain += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            plain += text[i++];
        }
        std::size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            plain += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (end != plain.data() + plain.size()) {
        return std::nullopt;
    }
    if (error == std::errc::result_out_of_range) {
        // Too small for a double is zero; too large is no number the game can use.
        if (plain.find("e-") == std::string::npos) {
            return std::nullopt;
        }
        value = 0.0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string numberText(double value)
{
    if (value == 0.0 || std::isnan(value)) {
        return "0"; // also for -0
    }
    // Above the largest 15-digit text the digits would round up past the largest double and
    // never read back: a sale of many shares at a huge price can land there.
    if (std::isinf(value) || std::fabs(value) > kLargestText) {
        value = value > 0 ? kLargestText : -kLargestText;
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        } else if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

std::optional<std::int32_t> readWhole(std::string_view text)
{
    const std::optional<double> value = readNumber(text);
    if (!value) {
        return std::nullopt;
    }
    // Halves go to the even neighbour: nearbyint in the default rounding mode.
    const double rounded = std::nearbyint(*value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        return std::nullopt; // checked before the cast, which would be undefined out of range
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> readQuantity(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

std::string changeText(bool negative, int whole, int decimal)
{
    return std::string(negative ? "-" : "+") + std::to_string(whole) + "," + std::to_string(decimal);
}

std::optional<Date> readDate(std::string_view text)
{
    text = trimBlanks(text);
    const std::size_t first = text.find(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t second = text.find(' ', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<int> day = readDigits(text.substr(0, first), 2);
    const std::string_view monthName = text.substr(first + 1, second - first - 1);
    const std::optional<int> year = readDigits(text.substr(second + 1), 5);
    if (!day || !year || *year > kLastYear) {
        return std::nullopt;
    }
    for (std::size_t month = 0; month < kMonths.size(); ++month) {
        if (kMonths[month] == monthName) {
            const int m = static_cast<int>(month);
            if (*day < 1 || *day > daysIn(m, *year)) {
                return std::nullopt;
            }
            return Date{*day, m, *year};
        }
    }
    return std::nullopt;
}

std::string dateText(const Date& date)
{
    std::string day = std::to_string(date.day);
    if (date.day < 10) {
        day.insert(day.begin(), '0');
    }
    return day + " " + std::string(kMonths[static_cast<std::size_t>(date.month)]) + " " +
           std::to_string(date.year);
}

std::optional<Date> nextDay(const Date& date)
{
    constexpr int kFebruary = 1;
    constexpr int kDecember = 11;
    Date next = date;
    ++next.day;
    // The day at which the next month begins; February is handled by the leap rule below.
    if (next.month != kFebruary && next.day == daysIn(next.month, next.year) + 1) {
        next.day = 1;
        if (next.month == kDecember) {
            if (next.year == kLastYear) {
                return std::nullopt;
            }
            next.month = 0;
            ++next.year;
        } else {
            ++next.month;
        }
    }
    if (next.month == kFebruary &&
        ((isLeap(next.year) && next.day == 30) || (!isLeap(next.year) && next.day == 29))) {
        next.day = 1;
        next.month = kFebruary + 1;
    }
    return next;
}

namespace {

// Every fourth year is a leap year: 1461 days to four years.
constexpr std::int64_t kFourYears = 4 * 365 + 1;
constexpr std::array<int, 12> kDaysBefore = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

} // namespace

std::int64_t dayNumber(const Date& date)
{
    const std::int64_t year = date.year;
    // Leap years before this one: 0, 4, 8, ... below `year`.
    const std::int64_t leapsBefore = (year + 3) / 4;
    return year * 365 + leapsBefore + kDaysBefore[static_cast<std::size_t>(date.month)] +
           (isLeap(date.year) && date.month > 1 ? 1 : 0) + date.day - 1;
}

std::optional<Date> dateOfDay(std::int64_t day)
{
    if (day < 0 || day > dayNumber(Date{31, 11, kLastYear})) {
        return std::nullopt;
    }
    // Four-year blocks begin with a leap year of 366 days.
    const std::int64_t block = day / kFourYears;
    std::int64_t rest = day % kFourYears;
    int year = static_cast<int>(block * 4);
    if (rest >= 366) {
        rest -= 366;
        year += 1 + static_cast<int>(rest / 365);
        rest %= 365;
    }
    int month = 0;
    while (month < 11 && rest >= daysIn(month, year)) {
        rest -= daysIn(month, year);
        ++month;
    }
    return Date{static_cast<int>(rest) + 1, month, year};
}

std::string_view monthName(int month)
{
    return kMonths[static_cast<std::size_t>(month)];
}

} // namespace game
