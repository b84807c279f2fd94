// The ledger's tables as files a spreadsheet opens: UTF-8 with a byte-order mark, ";" between
// fields, CR LF line ends, a header row in the player's language, and no field read as a formula.
#pragma once

#include "game/portfolio.h"
#include "game/texts.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace records {

// ISO 8601 ("2002-01-01") for a date that exists in the Gregorian calendar between 1900 and 9999;
// empty otherwise (the game's calendar has a 29 Feb in 1900, 2100 and other centuries).
std::string isoDateText(const game::Date& date);

// The game's single-byte texts (Windows-1252) in UTF-8.
std::string utf8FromCodePage(std::string_view bytes);
// UTF-8 as it is, with each byte that is not part of a valid sequence replaced by U+FFFD.
std::string validUtf8(std::string_view text);

// One field of a row. Texts are checked and protected; numbers are formatted here (two decimals,
// a decimal comma, no grouping, the sign kept) and never touched otherwise.
struct CsvField {
    enum class Kind {
        Text,     // UTF-8 (translations, company names)
        GameText, // the game's code page
        Money,    // two decimals
        Percent,  // one decimal
        Number,   // the game's number text (shares)
        Whole,    // a count or day number
        Empty,    // unknown or not applicable
    } kind = Kind::Empty;
    std::string text;
    double number = 0;
    std::int64_t whole = 0;
};

CsvField csvText(std::string_view utf8);
CsvField csvGameText(std::string_view codePage);
CsvField csvMoney(game::Figure value); // empty when unknown
CsvField csvPercent(game::Figure value);
CsvField csvNumber(double value);
CsvField csvWhole(std::int64_t value);

// Adds one row, CR LF included. A text field that begins with "=", "+", "-", "@", a tab or a
// carriage return gets a leading apostrophe, so that a spreadsheet shows it as text; a field
// holding ";", a double quote, CR or LF is quoted.
void appendCsvRow(std::string& out, const std::vector<CsvField>& fields);

// The byte-order mark every export begins with.
inline constexpr std::string_view kCsvStart = "\xEF\xBB\xBF";

// The window's texts for each table, in the player's language (the records know no translation).
struct TradesCsvTexts {
    // day, date, ISO date, operation, company, quantity, price, amount, realised gain
    std::array<std::string, 9> header;
    std::string buy, sell;
};
struct HistoryCsvTexts {
    // day, date, ISO date, cash, net worth; the companies' names follow, then `notes`
    std::array<std::string, 5> header;
    std::string notes;
    std::string failed;   // a failed company's price
    std::string afterGap; // the notes a day can have, joined by ", "
    std::string win;
};
struct HoldingsCsvTexts {
    // date, ISO date, company, shares, average cost, total cost, market value, gain, per cent
    std::array<std::string, 9> header;
    std::string total; // the totals row's name
};

// Every trade; a sale of unknown gain has that field empty.
std::string tradesCsv(const game::Portfolio& portfolio, const TradesCsvTexts& texts);
// Every day, with its cash, net worth and the seventeen prices.
std::string historyCsv(const game::Portfolio& portfolio, const HistoryCsvTexts& texts);
// The holdings table on the day `today`, then its totals.
std::string holdingsCsv(const game::HoldingsTable& table, const game::Date& today,
                        const HoldingsCsvTexts& texts);

} // namespace records
