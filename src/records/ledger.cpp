// The player's ledger: the cost and gain arithmetic, and the side file's lines.
#include "records/ledger.h"

#include "game/texts.h"

#include <algorithm>
#include <cmath>

namespace records {

namespace {

// The side file: the first line names it, then one line per event, each ending in LF, fields
// separated by ";" (see the README):
//   D;<date>;<cash>;<17 prices>                    a day, as the save that covers it left it
//   T;<B|S>;<company>;<quantity>;<price>;<amount>;<cash after>   a trade on the last day
//   W;<net worth>                                  a win: the portfolio closes and starts again
//   G;<17 shares held>                             the files moved on without the ledger
//   E;<net worth>                                  a new game finished this ledger
constexpr std::string_view kHeader = "TolvStreet ledger 1\n";
constexpr std::string_view kFailedField = "F";
constexpr double kSharesTolerance = 1e-6;

// A text as a field: nothing in it may end the field or the line.
std::string field(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == ';' || c == '\n' || c == '\r') {
            c = '?';
        }
    }
    return out;
}

std::string priceField(std::string_view price)
{
    return price == game::kFailedMark ? std::string(kFailedField) : field(price);
}

std::string priceFromField(std::string_view text)
{
    return text == kFailedField ? std::string(game::kFailedMark) : std::string(text);
}

std::vector<std::string_view> split(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(';', start);
        if (end == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

// Days since the start of year 0 by the game's calendar (every fourth year a leap year).
std::optional<long> ordinal(std::string_view text)
{
    const std::optional<game::Date> date = game::readDate(text);
    if (!date) {
        return std::nullopt;
    }
    static constexpr std::array<int, 12> kBefore = {0,   31,  59,  90,  120, 151,
                                                    181, 212, 243, 273, 304, 334};
    const long year = date->year;
    const bool leap = year % 4 == 0;
    return year * 365 + (year + 3) / 4 + kBefore[static_cast<std::size_t>(date->month)] +
           (leap && date->month > 1 ? 1 : 0) + date->day;
}

double cents(double value)
{
    return std::round(value * 100.0) / 100.0;
}

double numberOr0(std::string_view text)
{
    return game::readNumber(text).value_or(0.0);
}

} // namespace

std::string moneyText(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) {
        return game::numberText(value);
    }
    const auto total = static_cast<long long>(std::llround(value * 100.0));
    const long long whole = (total < 0 ? -total : total) / 100;
    const long long part = (total < 0 ? -total : total) % 100;
    return std::string(total < 0 ? "-" : "") + std::to_string(whole) + (part < 10 ? ",0" : ",") +
           std::to_string(part);
}

std::optional<std::string> percentText(double gain, double cost)
{
    if (cost == 0 || !std::isfinite(gain / cost)) {
        return std::nullopt;
    }
    const auto tenths = static_cast<long long>(std::llround(gain / cost * 1000.0));
    const long long magnitude = tenths < 0 ? -tenths : tenths;
    return std::string(tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "," +
           std::to_string(magnitude % 10);
}

double priceValue(std::string_view price)
{
    if (price == game::kFailedMark) {
        return 0;
    }
    const double value = numberOr0(price);
    return std::isfinite(value) ? value : 0;
}

double netWorth(const game::GameState& state)
{
    double total = numberOr0(state.cash);
    for (const game::Company& company : state.companies) {
        total += numberOr0(company.shares) * priceValue(company.price);
    }
    return total;
}

Ledger::Ledger() = default;

std::optional<Ledger> Ledger::parse(std::string_view bytes)
{
    if (bytes.substr(0, kHeader.size()) != kHeader || bytes.back() != '\n') {
        return std::nullopt;
    }
    Ledger ledger;
    std::size_t pos = kHeader.size();
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find('\n', pos);
        if (!ledger.apply(bytes.substr(pos, end - pos))) {
            return std::nullopt;
        }
        pos = end + 1;
    }
    if (ledger.m_days.empty()) {
        return std::nullopt;
    }
    ledger.m_text = std::string(bytes);
    return ledger;
}

Ledger Ledger::startingFrom(const game::GameState& state)
{
    Ledger ledger;
    ledger.m_text = kHeader;
    ledger.markGap(state);
    return ledger;
}

bool Ledger::matches(const game::GameState& state) const
{
    if (m_days.empty() || m_days.back().date != field(state.date) || m_cash != field(state.cash)) {
        return false;
    }
    const auto& table = game::companyTable();
    for (std::size_t i = 0; i < state.companies.size(); ++i) {
        const game::Company& company = state.companies[i];
        const std::string expected =
            m_won ? std::string(table[i].startPrice) : m_days.back().prices[i];
        const std::optional<double> shares = game::readNumber(company.shares);
        if (priceFromField(priceField(company.price)) != expected || !shares ||
            std::fabs(*shares - m_holdings[i].shares) > kSharesTolerance) {
            return false;
        }
    }
    return true;
}

void Ledger::markGap(const game::GameState& state)
{
    std::string line = "G";
    for (const game::Company& company : state.companies) {
        line += ';';
        line += game::numberText(numberOr0(company.shares));
    }
    add(line);
    day(state);
}

void Ledger::trade(const game::GameState& before, const game::GameState& after, int company,
                   bool buy, std::int32_t quantity)
{
    const double moved = numberOr0(after.cash) - numberOr0(before.cash);
    const std::string line = std::string("T;") + (buy ? "B" : "S") + ';' + std::to_string(company) +
                             ';' + std::to_string(quantity) + ';' +
                             field(before.companies[static_cast<std::size_t>(company)].price) +
                             ';' + moneyText(cents(buy ? -moved : moved)) + ';' + field(after.cash);
    add(line);
}

void Ledger::day(const game::GameState& state)
{
    std::string line = "D;" + field(state.date) + ';' + field(state.cash);
    for (const game::Company& company : state.companies) {
        line += ';';
        line += priceField(company.price);
    }
    add(line);
}

void Ledger::win(const game::GameState& state)
{
    add("W;" + moneyText(netWorth(state)));
}

std::optional<std::string> Ledger::newGame(const game::GameState& state)
{
    std::optional<std::string> finished;
    if (!m_days.empty()) {
        // The finished game's last figures close its ledger.
        finished = m_text + "E;" + moneyText(m_days.back().netWorth) + "\n";
    }
    const std::uint64_t revision = m_revision;
    *this = Ledger();
    m_revision = revision;
    m_text = kHeader;
    day(state);
    return finished;
}

std::optional<double> Ledger::previousNetWorth() const
{
    if (m_days.size() < 2 || m_days.back().afterGap) {
        return std::nullopt;
    }
    return m_days[m_days.size() - 2].netWorth;
}

void Ledger::add(const std::string& line)
{
    apply(line);
    m_text += line;
    m_text += '\n';
}

bool Ledger::apply(std::string_view line)
{
    const std::vector<std::string_view> fields = split(line);
    const std::string_view kind = fields.front();
    ++m_revision;
    if (kind == "D" && fields.size() == 3 + game::kCompanyCount) {
        DayRecord day;
        day.date = std::string(fields[1]);
        day.cash = std::string(fields[2]);
        day.netWorth = numberOr0(day.cash);
        for (std::size_t i = 0; i < day.prices.size(); ++i) {
            day.prices[i] = priceFromField(fields[3 + i]);
            day.netWorth += m_holdings[i].shares * priceValue(day.prices[i]);
        }
        day.number = 1;
        if (!m_days.empty()) {
            const auto from = ordinal(m_days.back().date);
            const auto to = ordinal(day.date);
            day.number = m_days.back().number +
                         (from && to && *to > *from ? static_cast<int>(*to - *from) : 1);
        }
        day.afterGap = m_gap;
        m_gap = false;
        m_won = false;
        m_cash = day.cash;
        m_days.push_back(std::move(day));
        return true;
    }
    if (m_days.empty() && kind != "G") {
        return false; // every event but a gap happens on a day of the history
    }
    if (kind == "T" && fields.size() == 7 && (fields[1] == "B" || fields[1] == "S")) {
        const std::optional<double> company = game::readNumber(fields[2]);
        const std::optional<double> quantity = game::readNumber(fields[3]);
        const std::optional<double> amount = game::readNumber(fields[5]);
        if (!company || *company < 0 || *company >= game::kCompanyCount ||
            *company != std::floor(*company) || !quantity || !amount) {
            return false;
        }
        TradeRecord trade;
        trade.day = m_days.back().number;
        trade.date = m_days.back().date;
        trade.buy = fields[1] == "B";
        trade.company = static_cast<int>(*company);
        trade.quantity = *quantity;
        trade.price = std::string(fields[4]);
        trade.amount = *amount;
        Holding& holding = m_holdings[static_cast<std::size_t>(trade.company)];
        if (trade.buy) {
            holding.shares += trade.quantity;
            holding.cost += trade.amount;
        } else {
            const double soldCost = holding.averageCost() * trade.quantity;
            trade.realised = trade.amount - soldCost;
            holding.shares -= trade.quantity;
            holding.cost -= soldCost;
            if (holding.shares <= kSharesTolerance) {
                holding = {};
            }
            m_realised += trade.realised;
        }
        m_cash = std::string(fields[6]);
        m_trades.push_back(std::move(trade));
        return true;
    }
    if (kind == "W" && fields.size() == 2) {
        m_days.back().win = true;
        m_wins.push_back({m_days.back().number, m_days.back().date, numberOr0(fields[1])});
        m_holdings = {};
        m_realised = 0;
        m_cash = std::string(game::kStartCash);
        m_won = true;
        return true;
    }
    if (kind == "G" && fields.size() == 1 + game::kCompanyCount) {
        for (std::size_t i = 0; i < m_holdings.size(); ++i) {
            const std::optional<double> shares = game::readNumber(fields[1 + i]);
            if (!shares) {
                return false;
            }
            // A holding that changed without the ledger: its cost is not known.
            if (std::fabs(*shares - m_holdings[i].shares) > kSharesTolerance) {
                m_holdings[i] = {*shares, 0};
            }
        }
        m_gap = true;
        return true;
    }
    return kind == "E" && fields.size() == 2;
}

std::vector<HoldingRow> holdingRows(const Ledger& ledger, const game::GameState& state)
{
    std::vector<HoldingRow> rows;
    HoldingRow total;
    for (std::size_t i = 0; i < state.companies.size(); ++i) {
        const double shares = numberOr0(state.companies[i].shares);
        if (shares == 0) {
            continue;
        }
        const Holding& holding = ledger.holdings()[i];
        HoldingRow row;
        row.company = static_cast<int>(i);
        row.shares = shares;
        // A holding the ledger does not know whole has no cost to show.
        row.totalCost = std::fabs(holding.shares - shares) <= kSharesTolerance ? holding.cost : 0;
        row.averageCost = row.totalCost / shares;
        row.marketValue = shares * priceValue(state.companies[i].price);
        row.gain = row.marketValue - row.totalCost;
        row.percent = row.totalCost > 0 ? percentText(row.gain, row.totalCost) : std::nullopt;
        total.totalCost += row.totalCost;
        total.marketValue += row.marketValue;
        total.gain += row.gain;
        rows.push_back(std::move(row));
    }
    total.percent = total.totalCost > 0 ? percentText(total.gain, total.totalCost) : std::nullopt;
    rows.push_back(std::move(total));
    return rows;
}

LedgerStats ledgerStats(const Ledger& ledger)
{
    LedgerStats stats;
    stats.days = static_cast<int>(ledger.days().size());
    stats.trades = static_cast<int>(ledger.trades().size());
    for (const TradeRecord& trade : ledger.trades()) {
        if (trade.buy) {
            continue;
        }
        if (!stats.best || trade.realised > stats.best->realised) {
            stats.best = trade;
        }
        if (!stats.worst || trade.realised < stats.worst->realised) {
            stats.worst = trade;
        }
    }
    const auto consider = [&stats](double value, const std::string& date, int day) {
        if (stats.highestDay == 0 || value > stats.highest) {
            stats.highest = value;
            stats.highestDate = date;
            stats.highestDay = day;
        }
    };
    for (const DayRecord& day : ledger.days()) {
        consider(day.netWorth, day.date, day.number);
    }
    for (const WinRecord& win : ledger.wins()) {
        consider(win.netWorth, win.date, win.day);
    }
    return stats;
}

namespace {

void csvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
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

void csvRow(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ';';
        }
        csvField(out, fields[i]);
    }
    out += "\r\n";
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string companyName(int company)
{
    return std::string(game::companyTable()[static_cast<std::size_t>(company)].name);
}

// A price as the file shows it, without the failure mark's leading blank.
std::string shownPrice(const std::string& price)
{
    return price == game::kFailedMark ? "Fallita" : price;
}

} // namespace

std::string tradesCsv(const Ledger& ledger)
{
    std::string out(kByteOrderMark);
    csvRow(out, {"Giorno", "Data", "Operazione", "Società", "Quantità", "Prezzo", "Importo",
                 "Guadagno realizzato"});
    for (const TradeRecord& trade : ledger.trades()) {
        csvRow(out,
               {std::to_string(trade.day), trade.date, trade.buy ? "Acquisto" : "Vendita",
                companyName(trade.company), game::numberText(trade.quantity), trade.price,
                moneyText(trade.amount), trade.buy ? std::string() : moneyText(trade.realised)});
    }
    return out;
}

std::string historyCsv(const Ledger& ledger)
{
    std::string out(kByteOrderMark);
    std::vector<std::string> header = {"Giorno", "Data", "Disponibilità liquida",
                                       "Patrimonio netto"};
    for (int i = 0; i < game::kCompanyCount; ++i) {
        header.push_back(companyName(i));
    }
    header.emplace_back("Note");
    csvRow(out, header);
    for (const DayRecord& day : ledger.days()) {
        std::vector<std::string> row = {std::to_string(day.number), day.date,
                                        moneyText(numberOr0(day.cash)), moneyText(day.netWorth)};
        for (const std::string& price : day.prices) {
            row.push_back(shownPrice(price));
        }
        std::string note = day.afterGap ? "dopo un'interruzione" : "";
        if (day.win) {
            note += note.empty() ? "vittoria" : ", vittoria";
        }
        row.push_back(note);
        csvRow(out, row);
    }
    return out;
}

} // namespace records
