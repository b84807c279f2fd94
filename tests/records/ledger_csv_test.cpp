// The CSV exports: no text read as a formula, only valid UTF-8, ISO dates where the Gregorian
// calendar has them, and every table read back as a spreadsheet reads it.
#include "records/ledger_csv.h"
#include "records/ledger_lines.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A spreadsheet's reading: rows at CR LF, fields at ";", quotes around fields that need them,
// a leading apostrophe marking text.
std::vector<std::vector<std::string>> spreadsheet(std::string_view csv)
{
    EXPECT_EQ(csv.substr(0, 3), records::kCsvStart);
    csv.remove_prefix(3);
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ';') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else {
            field += c;
        }
    }
    EXPECT_EQ(rows.back(), std::vector<std::string>(1)); // the last row ends with CR LF
    rows.pop_back();
    return rows;
}

double decimal(std::string text)
{
    for (char& c : text) {
        c = c == ',' ? '.' : c;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    EXPECT_TRUE(!text.empty() && *end == '\0') << text;
    return value;
}

} // namespace

TEST(LedgerCsv, TextsNeverStartAFormulaAndNumbersKeepTheirSign)
{
    const std::pair<std::string, std::string> texts[] = {
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-2", "'-2"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"a;b", "\"a;b\""},
        {"Società", "Società"},
        {"bad \xFF byte \xC0\xAF", "bad \xEF\xBF\xBD byte \xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // a surrogate is no UTF-8
    };
    for (const auto& [text, field] : texts) {
        std::string out;
        records::appendCsvRow(out, {records::csvText(text)});
        EXPECT_EQ(out, field + "\r\n") << text;
    }
    std::string out;
    records::appendCsvRow(out, {records::csvGameText("=\x80 5"), records::csvMoney(-12.5),
                                records::csvPercent(-0.25), records::csvNumber(-5),
                                records::csvWhole(-3), records::csvMoney(std::nullopt)});
    EXPECT_EQ(out, "'=\xE2\x82\xAC 5;-12,50;-0,25;-5;-3;\r\n");
    EXPECT_EQ(records::utf8FromCodePage("\xE0\x9F\x81"), "\xC3\xA0\xC5\xB8\xC2\x81");
}

TEST(LedgerCsv, IsoDatesOnlyWhereTheGregorianCalendarHasThem)
{
    const std::pair<game::Date, const char*> dates[] = {
        {{1, 0, 2002}, "2002-01-01"}, {{29, 1, 2000}, "2000-02-29"},  {{29, 1, 1900}, ""},
        {{29, 1, 2100}, ""},          {{28, 1, 2100}, "2100-02-28"},  {{31, 11, 1899}, ""},
        {{1, 0, 1900}, "1900-01-01"}, {{31, 11, 9999}, "9999-12-31"}, {{1, 0, 10000}, ""},
    };
    for (const auto& [date, iso] : dates) {
        EXPECT_EQ(records::isoDateText(date), iso) << game::dateText(date);
    }
}

TEST(LedgerCsv, EveryTableReadsBackAsASpreadsheetReadsIt)
{
    const std::string bytes = std::string(records::kLedgerHeader) +
                              "D;28 Feb 1900;10000,00;755;F;1,5;1;1;1;1;1;1;1;1;1;1;1;1;1;1\n"
                              "T;B;2;3;1,5;4,80;9995,2\n"
                              "G;99;0;3;0;0;0;0;0;0;0;0;0;0;0;0;0;0\n"
                              "D;29 Feb 1900;9995,2;755;F;2;1;1;1;1;1;1;1;1;1;1;1;1;1;1\n"
                              "T;S;0;1;755;755,00;10750,2\n"
                              "T;S;2;3;2;6;10756,2\n";
    const records::LedgerRead read = records::readLedger(bytes);
    ASSERT_TRUE(read.ledger);
    const game::Portfolio& p = read.ledger->portfolio;

    const records::TradesCsvTexts tradeTexts = {{"Day", "=Date", "ISO date", "Operation", "Company",
                                                 "Quantity", "Price", "Amount", "Gain; realised"},
                                                "Buy",
                                                "Sell"};
    const auto trades = spreadsheet(records::tradesCsv(p, tradeTexts));
    ASSERT_EQ(trades.size(), 4u);
    EXPECT_EQ(trades[0][1], "'=Date");
    EXPECT_EQ(trades[0][8], "Gain; realised");
    EXPECT_EQ(trades[1], (std::vector<std::string>{"1", "28 Feb 1900", "1900-02-28", "Buy",
                                                   "QMT Records", "3", "1,50", "4,80", ""}));
    EXPECT_EQ(trades[2][2], ""); // 29 Feb 1900: the game's calendar only
    EXPECT_EQ(trades[2][8], ""); // 99 CarlOil of unknown cost: no gain
    // The 3 QMT Records bought before the gap kept their cost.
    EXPECT_DOUBLE_EQ(decimal(trades[3][8]), 6 - 4.8);

    const records::HistoryCsvTexts historyTexts = {
        {"Day", "Date", "ISO date", "Cash", "Net worth"}, "Notes", "Failed", "after a gap", "win"};
    const auto history = spreadsheet(records::historyCsv(p, historyTexts));
    ASSERT_EQ(history.size(), 3u);
    ASSERT_EQ(history[0].size(), 23u);
    EXPECT_EQ(history[0][5], "CarlOil");
    EXPECT_DOUBLE_EQ(decimal(history[2][4]), 9995.2 + 99 * 755 + 3 * 2);
    EXPECT_EQ(history[2][6], "Failed");
    EXPECT_EQ(history[2][22], "after a gap");

    game::GameState today = game::startingState();
    today.companies[0].shares = "98";
    today.companies[3].shares = "-5";
    const records::HoldingsCsvTexts holdingTexts = {
        {"Date", "ISO date", "Company", "Shares", "Average cost", "Cost", "Value", "Gain", "%"},
        "-Total"};
    const auto holdings = spreadsheet(
        records::holdingsCsv(game::holdingsTable(p, today), p.days().back().date, holdingTexts));
    ASSERT_EQ(holdings.size(), 4u);
    EXPECT_EQ(holdings[1][2], "CarlOil");
    EXPECT_EQ(holdings[1][5], "");
    EXPECT_EQ(decimal(holdings[1][6]), 98 * 755);
    EXPECT_EQ(decimal(holdings[2][3]), -5);
    EXPECT_EQ(holdings[2][5], ""); // shares the ledger never saw have no cost
    EXPECT_EQ(holdings[3][2], "'-Total");
    EXPECT_EQ(decimal(holdings[3][6]), 98 * 755 - 5 * 66); // Tolva Image at its starting 66
}
