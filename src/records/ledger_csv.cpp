// The ledger's tables as files a spreadsheet opens: UTF-8 with a byte-order mark, ";" between
// fields, CR LF line ends, a header row in the player's language, and no field read as a formula.
#include "records/ledger_csv.h"

#include "game/money.h"
#include "records/code_page.h"

#include <cmath>

namespace records {

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at `at`, or 0.
std::size_t sequenceAt(std::string_view text, std::size_t at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        low = first == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = first == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        low = first == 0xF0 ? 0x90 : 0x80;
        high = first == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool startsAsFormula(std::string_view text)
{
    return !text.empty() && (text.front() == '=' || text.front() == '+' || text.front() == '-' ||
                             text.front() == '@' || text.front() == '\t' || text.front() == '\r');
}

std::string fieldText(const CsvField& field)
{
    switch (field.kind) {
    case CsvField::Kind::Text:
    case CsvField::Kind::GameText: {
        std::string text = field.kind == CsvField::Kind::Text ? validUtf8(field.text)
                                                              : utf8FromCodePage(field.text);
        return startsAsFormula(text) ? "'" + text : text;
    }
    case CsvField::Kind::Money:
        return game::moneyText(field.number);
    case CsvField::Kind::Percent:
        return game::percentText(field.number);
    case CsvField::Kind::Number:
        return std::isfinite(field.number) ? game::numberText(field.number) : std::string();
    case CsvField::Kind::Whole:
        return std::to_string(field.whole);
    case CsvField::Kind::Empty:
        break;
    }
    return {};
}

void appendField(std::string& out, const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

std::string_view companyName(int company)
{
    return game::companyTable()[static_cast<std::size_t>(company)].name;
}

std::vector<CsvField> headerRow(const std::string* first, std::size_t count)
{
    std::vector<CsvField> row;
    for (std::size_t i = 0; i < count; ++i) {
        row.push_back(csvText(first[i]));
    }
    return row;
}

void appendDate(std::vector<CsvField>& row, const game::Date& date)
{
    row.push_back(csvGameText(game::dateText(date)));
    row.push_back(csvText(isoDateText(date)));
}

} // namespace

std::string isoDateText(const game::Date& date)
{
    const int year = date.year;
    if (year < 1900 || year > 9999 || date.month < 0 || date.month > 11) {
        return {};
    }
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const int days =
        kDays[static_cast<std::size_t>(date.month)] + (date.month == 1 && leap ? 1 : 0);
    if (date.day < 1 || date.day > days) {
        return {};
    }
    const auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return std::to_string(year) + "-" + two(date.month + 1) + "-" + two(date.day);
}

std::string utf8FromCodePage(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(out, codePageCharacter(byte));
    }
    return out;
}

std::string validUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceAt(text, at);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
        } else {
            out += text.substr(at, length);
            at += length;
        }
    }
    return out;
}

CsvField csvText(std::string_view utf8)
{
    return {CsvField::Kind::Text, std::string(utf8), 0, 0};
}

CsvField csvGameText(std::string_view codePage)
{
    return {CsvField::Kind::GameText, std::string(codePage), 0, 0};
}

CsvField csvMoney(game::Figure value)
{
    return value ? CsvField{CsvField::Kind::Money, {}, *value, 0} : CsvField{};
}

CsvField csvPercent(game::Figure value)
{
    return value ? CsvField{CsvField::Kind::Percent, {}, *value, 0} : CsvField{};
}

CsvField csvNumber(double value)
{
    return {CsvField::Kind::Number, {}, value, 0};
}

CsvField csvWhole(std::int64_t value)
{
    return {CsvField::Kind::Whole, {}, 0, value};
}

void appendCsvRow(std::string& out, const std::vector<CsvField>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ';';
        }
        appendField(out, fieldText(fields[i]));
    }
    out += "\r\n";
}

std::string tradesCsv(const game::Portfolio& portfolio, const TradesCsvTexts& texts)
{
    std::string out(kCsvStart);
    appendCsvRow(out, headerRow(texts.header.data(), texts.header.size()));
    std::vector<CsvField> row;
    for (const game::LedgerTrade& trade : portfolio.trades()) {
        const game::LedgerDay& day = portfolio.days()[trade.day];
        row.clear();
        row.push_back(csvWhole(day.number));
        appendDate(row, day.date);
        row.push_back(csvText(trade.buy ? texts.buy : texts.sell));
        row.push_back(csvText(companyName(trade.company)));
        row.push_back(csvWhole(trade.quantity));
        row.push_back(csvMoney(trade.price));
        row.push_back(csvMoney(trade.amount));
        row.push_back(csvMoney(trade.realised()));
        appendCsvRow(out, row);
    }
    return out;
}

std::string historyCsv(const game::Portfolio& portfolio, const HistoryCsvTexts& texts)
{
    std::string out(kCsvStart);
    std::vector<CsvField> row = headerRow(texts.header.data(), texts.header.size());
    for (int i = 0; i < game::kCompanyCount; ++i) {
        row.push_back(csvText(companyName(i)));
    }
    row.push_back(csvText(texts.notes));
    appendCsvRow(out, row);
    for (const game::LedgerDay& day : portfolio.days()) {
        row.clear();
        row.push_back(csvWhole(day.number));
        appendDate(row, day.date);
        row.push_back(csvMoney(day.cash));
        row.push_back(csvMoney(day.netWorth()));
        for (int i = 0; i < game::kCompanyCount; ++i) {
            row.push_back(day.hasFailed(i) ? csvText(texts.failed)
                                           : csvMoney(day.prices[static_cast<std::size_t>(i)]));
        }
        std::string notes = day.afterGap ? texts.afterGap : std::string();
        if (day.win) {
            notes += (notes.empty() ? "" : ", ") + texts.win;
        }
        row.push_back(csvText(notes));
        appendCsvRow(out, row);
    }
    return out;
}

std::string holdingsCsv(const game::HoldingsTable& table, const game::Date& today,
                        const HoldingsCsvTexts& texts)
{
    std::string out(kCsvStart);
    appendCsvRow(out, headerRow(texts.header.data(), texts.header.size()));
    std::vector<CsvField> row;
    for (const game::HoldingRow& holding : table.rows) {
        row.clear();
        appendDate(row, today);
        row.push_back(csvText(companyName(holding.company)));
        row.push_back(csvNumber(holding.shares));
        row.push_back(csvMoney(holding.averageCost));
        row.push_back(csvMoney(holding.totalCost));
        row.push_back(csvMoney(holding.marketValue));
        row.push_back(csvMoney(holding.gain));
        row.push_back(csvPercent(holding.percent));
        appendCsvRow(out, row);
    }
    row.clear();
    appendDate(row, today);
    row.push_back(csvText(texts.total));
    row.push_back(CsvField{});
    row.push_back(CsvField{});
    row.push_back(csvMoney(table.totals.totalCost));
    row.push_back(csvMoney(table.totals.marketValue));
    row.push_back(csvMoney(table.totals.gain));
    row.push_back(csvPercent(table.totals.percent));
    appendCsvRow(out, row);
    return out;
}

} // namespace records
