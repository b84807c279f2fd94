// The ledger's side file line by line: the line the game writes for each event, and a reader that
// takes a whole file's bytes into the portfolio, bounded and checked.
#include "records/ledger_lines.h"

#include "game/texts.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace records {

namespace {

constexpr std::string_view kFailedField = "F";
constexpr double kLargestFixed = 1e15;

// ---- Writing ----

bool plainField(std::string_view text)
{
    if (text.size() > kLongestLedgerField) {
        return false;
    }
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E || c == ';') {
            return false;
        }
    }
    return true;
}

// A number text as the files hold it when it is one the game writes, else its value's text.
std::string numberField(std::string_view text)
{
    if (plainField(text) && game::readNumber(text)) {
        return std::string(text);
    }
    return game::numberText(game::readNumber(text).value_or(0));
}

std::string priceField(std::string_view text)
{
    return text == game::kFailedMark ? std::string(kFailedField) : numberField(text);
}

std::string dateField(std::string_view text)
{
    const std::optional<game::Date> date = game::readDate(text);
    if (plainField(text) && date) {
        return std::string(text);
    }
    // The game never holds a date it cannot read; the start's date keeps the line readable.
    return date ? game::dateText(*date) : std::string(game::kStartDate);
}

double numberOr0(std::string_view text)
{
    return game::readNumber(text).value_or(0);
}

// A number that reads back exactly: the game's text when it does (every count the game itself
// writes), else 17 significant digits.
std::string exactNumberText(double value)
{
    std::string text = game::numberText(value);
    if (!std::isfinite(value) || game::readNumber(text) == value) {
        return text;
    }
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, 17);
    text.assign(buffer.data(), written.ptr);
    for (char& c : text) {
        c = c == '.' ? ',' : (c == 'e' ? 'E' : c);
    }
    return text;
}

// Money as the ledger's lines have always held it: two decimals below 1E+15, else the number text.
std::string moneyField(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= kLargestFixed) {
        return game::numberText(value);
    }
    const std::int64_t total = std::llround(value * 100.0); // below 1E+17: no overflow
    const std::int64_t magnitude = total < 0 ? -total : total;
    const std::int64_t part = magnitude % 100;
    return std::string(total < 0 ? "-" : "") + std::to_string(magnitude / 100) +
           (part < 10 ? ",0" : ",") + std::to_string(part);
}

// The amount of a trade is cut to whole hundredths first, as the first release did.
double cents(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= kLargestFixed) {
        return value;
    }
    return std::round(value * 100.0) / 100.0;
}

// ---- Reading ----

constexpr std::size_t kMostFields = 3 + game::kCompanyCount;
// The shortest lines of each kind that can read: "D;1 Gen 0;0;0;...", "T;B;0;1;0;0;0", "G;0;...".
constexpr std::size_t kShortestDay = 11 + 2 * game::kCompanyCount;
constexpr std::size_t kShortestTrade = 13;
constexpr std::size_t kShortestGap = 1 + 2 * game::kCompanyCount;

struct Fields {
    std::array<std::string_view, kMostFields> at;
    std::size_t count = 0;
};

// Splits a line at ";"; false when it has more fields than any line.
bool split(std::string_view line, Fields& fields)
{
    std::size_t start = 0;
    for (;;) {
        if (fields.count == fields.at.size()) {
            return false;
        }
        const std::size_t end = line.find(';', start);
        if (end == std::string_view::npos) {
            fields.at[fields.count++] = line.substr(start);
            return true;
        }
        fields.at[fields.count++] = line.substr(start, end - start);
        start = end + 1;
    }
}

bool printable(std::string_view line)
{
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E) {
            return false;
        }
    }
    return true;
}

// The tail's texts while reading: views into the bytes, copied once at the end.
struct TailViews {
    std::string_view date;
    std::string_view cash;
    std::array<std::string_view, game::kCompanyCount> prices{};
    bool won = false;
};

LedgerFault faultOf(game::EventFault fault)
{
    switch (fault) {
    case game::EventFault::None:
        return LedgerFault::None;
    case game::EventFault::BadValue:
        return LedgerFault::NotANumber;
    case game::EventFault::BeforeFirstDay:
        return LedgerFault::BeforeFirstDay;
    case game::EventFault::DayExpected:
        return LedgerFault::DayExpected;
    case game::EventFault::DateBack:
        return LedgerFault::DateBack;
    case game::EventFault::WinAgain:
        return LedgerFault::WinAgain;
    case game::EventFault::AfterEnd:
        return LedgerFault::AfterEnd;
    case game::EventFault::TooMany:
        return LedgerFault::TooLarge;
    }
    return LedgerFault::NotANumber;
}

// Reads `count` numbers from fields[first...] into `out`.
template <std::size_t N>
bool readNumbers(const Fields& fields, std::size_t first, std::array<double, N>& out)
{
    for (std::size_t i = 0; i < N; ++i) {
        const std::optional<double> value = game::readNumber(fields.at[first + i]);
        if (!value) {
            return false;
        }
        out[i] = *value;
    }
    return true;
}

LedgerFault takeDay(game::Portfolio& portfolio, const Fields& fields, TailViews& tail)
{
    if (fields.count != 3 + game::kCompanyCount) {
        return LedgerFault::FieldCount;
    }
    game::DayEvent day;
    const std::optional<game::Date> date = game::readDate(fields.at[1]);
    if (!date) {
        return LedgerFault::NotADate;
    }
    day.date = *date;
    const std::optional<double> cash = game::readNumber(fields.at[2]);
    if (!cash) {
        return LedgerFault::NotANumber;
    }
    day.cash = *cash;
    for (std::size_t i = 0; i < day.prices.size(); ++i) {
        const std::string_view price = fields.at[3 + i];
        if (price == kFailedField) {
            day.failed |= 1U << i;
            continue;
        }
        const std::optional<double> value = game::readNumber(price);
        if (!value) {
            return LedgerFault::NotANumber;
        }
        day.prices[i] = *value;
    }
    const LedgerFault fault = faultOf(portfolio.add(day));
    if (fault == LedgerFault::None) {
        tail.date = fields.at[1];
        tail.cash = fields.at[2];
        for (std::size_t i = 0; i < tail.prices.size(); ++i) {
            tail.prices[i] = fields.at[3 + i];
        }
        tail.won = false;
    }
    return fault;
}

LedgerFault takeTrade(game::Portfolio& portfolio, const Fields& fields, TailViews& tail)
{
    if (fields.count != 7) {
        return LedgerFault::FieldCount;
    }
    if (fields.at[1] != "B" && fields.at[1] != "S") {
        return LedgerFault::UnknownLine;
    }
    const std::optional<std::int32_t> company = game::readQuantity(fields.at[2]);
    if (!company || *company >= game::kCompanyCount) {
        return LedgerFault::BadCompany;
    }
    const std::optional<std::int32_t> quantity = game::readQuantity(fields.at[3]);
    if (!quantity || *quantity < 1) {
        return LedgerFault::BadQuantity;
    }
    std::array<double, 3> numbers{};
    if (!readNumbers(fields, 4, numbers)) {
        return LedgerFault::NotANumber;
    }
    game::TradeEvent trade;
    trade.buy = fields.at[1] == "B";
    trade.company = *company;
    trade.quantity = *quantity;
    trade.price = numbers[0];
    trade.amount = numbers[1];
    trade.cashAfter = numbers[2];
    const LedgerFault fault = faultOf(portfolio.add(trade));
    if (fault == LedgerFault::None) {
        tail.cash =
            fields.at[6]; // after a win the prices stay the starting ones until the next day
    }
    return fault;
}

LedgerFault takeLine(game::Portfolio& portfolio, std::string_view line, TailViews& tail)
{
    if (line.size() > kLongestLedgerLine) {
        return LedgerFault::LineTooLong;
    }
    if (!printable(line)) {
        return LedgerFault::NotAscii;
    }
    Fields fields;
    if (!split(line, fields)) {
        return LedgerFault::FieldCount;
    }
    const std::string_view kind = fields.at[0];
    if (kind == "D") {
        return takeDay(portfolio, fields, tail);
    }
    if (kind == "T") {
        return takeTrade(portfolio, fields, tail);
    }
    if (kind == "G") {
        game::GapEvent gap;
        if (fields.count != 1 + game::kCompanyCount) {
            return LedgerFault::FieldCount;
        }
        if (!readNumbers(fields, 1, gap.shares)) {
            return LedgerFault::NotANumber;
        }
        return faultOf(portfolio.add(gap));
    }
    if (kind == "W" || kind == "E") {
        if (fields.count != 2) {
            return LedgerFault::FieldCount;
        }
        const std::optional<double> worth = game::readNumber(fields.at[1]);
        if (!worth) {
            return LedgerFault::NotANumber;
        }
        if (kind == "E") {
            return faultOf(portfolio.add(game::EndEvent{*worth}));
        }
        const LedgerFault fault = faultOf(portfolio.add(game::WinEvent{*worth}));
        if (fault == LedgerFault::None) {
            tail.cash = game::kStartCash;
            tail.won = true;
        }
        return fault;
    }
    return LedgerFault::UnknownLine;
}

void copyTail(const TailViews& views, LedgerTail& tail)
{
    tail.date = std::string(views.date);
    tail.cash = std::string(views.cash);
    for (std::size_t i = 0; i < tail.prices.size(); ++i) {
        tail.prices[i] = std::string(views.prices[i]);
    }
    tail.won = views.won;
}

TailViews viewsOf(const LedgerTail& tail)
{
    TailViews views;
    views.date = tail.date;
    views.cash = tail.cash;
    for (std::size_t i = 0; i < tail.prices.size(); ++i) {
        views.prices[i] = tail.prices[i];
    }
    views.won = tail.won;
    return views;
}

struct Counts {
    std::size_t days = 0, trades = 0, portfolios = 1, gaps = 0;
};

// Counts the lines that could hold each kind of event, so that the room made for them is never
// more than a few times the bytes that could fill it: a short line counts for nothing, a win
// only after a day or trade (two wins in a row never read), a gap only with its day after it.
Counts countLines(std::string_view body)
{
    Counts counts;
    char previous = 0;
    bool gap = false;
    std::size_t pos = 0;
    while (pos < body.size()) {
        const void* found = std::memchr(body.data() + pos, '\n', body.size() - pos);
        const std::size_t end =
            found != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(found) - body.data())
                : body.size();
        const std::size_t length = end - pos;
        const char kind = body[pos];
        char counted = 0;
        if (kind == 'D' && length >= kShortestDay) {
            ++counts.days;
            counts.gaps += gap ? 1 : 0;
            counts.portfolios += gap ? 1 : 0;
            counted = kind;
        } else if (kind == 'T' && length >= kShortestTrade) {
            ++counts.trades;
            counted = kind;
        } else if (kind == 'W' && (previous == 'D' || previous == 'T')) {
            ++counts.portfolios;
        }
        gap = kind == 'G' && length >= kShortestGap;
        previous = counted;
        pos = end + 1;
    }
    return counts;
}

} // namespace

std::string dayLine(const game::GameState& state)
{
    std::string line = "D;" + dateField(state.date) + ';' + numberField(state.cash);
    for (const game::Company& company : state.companies) {
        line += ';';
        line += priceField(company.price);
    }
    return line;
}

std::string tradeLine(const game::GameState& before, const game::GameState& after, int company,
                      bool buy, std::int32_t quantity)
{
    const double moved = numberOr0(after.cash) - numberOr0(before.cash);
    return std::string("T;") + (buy ? "B" : "S") + ';' + std::to_string(company) + ';' +
           std::to_string(quantity) + ';' +
           numberField(before.companies[static_cast<std::size_t>(company)].price) + ';' +
           moneyField(cents(buy ? -moved : moved)) + ';' + numberField(after.cash);
}

std::string winLine(const game::GameState& state)
{
    // Unchecked, as the line has always carried it: a sum too large is the largest number text.
    double worth = numberOr0(state.cash);
    for (const game::Company& company : state.companies) {
        const double price = company.price == game::kFailedMark ? 0 : numberOr0(company.price);
        worth += numberOr0(company.shares) * price;
    }
    return "W;" + moneyField(worth);
}

std::string gapLine(const game::GameState& state)
{
    std::string line = "G";
    for (const game::Company& company : state.companies) {
        line += ';';
        line += exactNumberText(numberOr0(company.shares)); // the holdings must match the files'
    }
    return line;
}

std::string endLine(const game::Portfolio& portfolio)
{
    const game::Figure worth =
        portfolio.days().empty() ? game::Figure(0.0) : portfolio.days().back().netWorth();
    return "E;" + moneyField(worth.value_or(0));
}

LedgerRead readLedger(std::string_view bytes)
{
    LedgerRead read;
    if (bytes.substr(0, kLedgerHeader.size()) != kLedgerHeader) {
        read.fault = LedgerFault::NotALedger;
        read.line = 1;
        return read;
    }
    const std::string_view body = bytes.substr(kLedgerHeader.size());
    const Counts counts = countLines(body);
    KeptLedger kept;
    kept.portfolio.reserve(counts.days, counts.trades, counts.portfolios, counts.gaps);
    TailViews tail;
    std::size_t line = 1;
    std::size_t pos = 0;
    while (pos < body.size()) {
        ++line;
        const std::size_t end = body.find('\n', pos);
        if (end == std::string_view::npos) {
            read.fault = body.size() - pos > kLongestLedgerLine ? LedgerFault::LineTooLong
                                                                : LedgerFault::CutShort;
            read.line = line;
            return read;
        }
        const LedgerFault fault = takeLine(kept.portfolio, body.substr(pos, end - pos), tail);
        if (fault != LedgerFault::None) {
            read.fault = fault;
            read.line = line;
            return read;
        }
        pos = end + 1;
    }
    if (kept.portfolio.days().empty() || kept.portfolio.gapPending()) {
        read.fault = kept.portfolio.gapPending() ? LedgerFault::DayExpected : LedgerFault::NoDay;
        read.line = line + 1;
        return read;
    }
    copyTail(tail, kept.tail);
    read.ledger = std::move(kept);
    return read;
}

LedgerFault addLedgerLine(KeptLedger& ledger, std::string_view line)
{
    TailViews tail = viewsOf(ledger.tail);
    const LedgerFault fault = takeLine(ledger.portfolio, line, tail);
    if (fault == LedgerFault::None) {
        LedgerTail copied;
        copyTail(tail, copied); // the views may point into the old texts: copy before replacing
        ledger.tail = std::move(copied);
    }
    return fault;
}

bool ledgerMatches(const KeptLedger& ledger, const game::GameState& state)
{
    const game::Portfolio& portfolio = ledger.portfolio;
    if (portfolio.days().empty() || portfolio.gapPending() || portfolio.ended()) {
        return false;
    }
    // A text as this release writes it, or as an earlier one wrote it whole.
    const auto same = [](const std::string& kept, const std::string& shown, auto field) {
        return kept == shown || kept == field(shown);
    };
    if (!same(ledger.tail.date, state.date, dateField) ||
        !same(ledger.tail.cash, state.cash, numberField)) {
        return false;
    }
    const auto& table = game::companyTable();
    for (std::size_t i = 0; i < state.companies.size(); ++i) {
        const game::Company& company = state.companies[i];
        const std::string expected =
            ledger.tail.won ? std::string(table[i].startPrice) : ledger.tail.prices[i];
        const std::optional<double> shares = game::readNumber(company.shares);
        if (!same(expected, company.price, priceField) || !shares ||
            std::fabs(*shares - portfolio.holdings()[i].shares) > game::kSharesTolerance) {
            return false;
        }
    }
    return true;
}

} // namespace records
