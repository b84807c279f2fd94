// Fuzzes the ledger: any side file read, every figure and chart series of what it holds, the
// three CSV exports, and the lines the game then writes for any state the six files accept.
// Every number shown is finite, the memory kept stays within a few times the file's size, and
// the reader takes every line the writer makes.
#include "game/portfolio_figures.h"
#include "game/rules.h"
#include "records/autosave.h"
#include "records/ledger_csv.h"
#include "records/ledger_lines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

void requireFinite(game::Figure value)
{
    require(!value || std::isfinite(*value));
    if (value) {
        // The texts of every figure: never empty, never longer than the game's number texts.
        for (const std::string& text :
             {game::moneyText(*value), game::signedMoneyText(*value), game::percentText(*value)}) {
            require(!text.empty() && text.size() <= 32);
        }
    }
}

bool validDate(const game::Date& date)
{
    return date.month >= 0 && date.month <= 11 && date.year >= 0 && date.year <= game::kLastYear &&
           game::dateOfDay(game::dayNumber(date)) == date;
}

// What is kept holds together: days in order of number, trades on days, portfolios in order.
void checkKept(const game::Portfolio& p)
{
    std::int64_t number = 0;
    for (const game::LedgerDay& day : p.days()) {
        require(validDate(day.date) && day.number > number && std::isfinite(day.cash));
        number = day.number;
        requireFinite(day.netWorth());
        for (const double price : day.prices) {
            require(std::isfinite(price));
        }
        require(day.portfolio < p.portfolios().size());
    }
    std::uint32_t day = 0;
    for (const game::LedgerTrade& trade : p.trades()) {
        require(trade.day < p.days().size() && trade.day >= day);
        day = trade.day;
        require(trade.company < game::kCompanyCount && trade.quantity >= 1);
        require(trade.portfolio < p.portfolios().size());
        require(!trade.buy || !trade.realised());
        requireFinite(trade.realised());
    }
    std::uint32_t endDay = 0;
    for (const game::PortfolioSpan& span : p.portfolios()) {
        require(span.firstDay >= endDay && span.firstDay <= span.endDay &&
                span.endDay <= p.days().size() && span.firstTrade <= span.endTrade &&
                span.endTrade <= p.trades().size());
        require(span.gap == game::PortfolioSpan::kNoGap || span.gap < p.gapShares().size());
        endDay = span.endDay;
        requireFinite(span.closingWorth());
    }
    for (const game::Holding& holding : p.holdings()) {
        require(std::isfinite(holding.shares));
        requireFinite(holding.cost);
        requireFinite(holding.averageCost());
    }
    requireFinite(p.realised());
}

// Every view the window and the statistics take.
void checkViews(const game::Portfolio& p, const game::GameState& state)
{
    const game::HoldingsTable table = game::holdingsTable(p, state);
    std::size_t unknown = 0;
    for (const game::HoldingRow& row : table.rows) {
        require(row.company >= 0 && row.company < game::kCompanyCount);
        for (const game::Figure value :
             {row.averageCost, row.totalCost, row.marketValue, row.gain, row.percent}) {
            requireFinite(value);
        }
        require(row.costKnown || (!row.totalCost && !row.gain && !row.percent));
        unknown += row.gain ? 0 : 1;
    }
    require(table.totals.leftOut == unknown);
    for (const game::Figure value : {table.totals.totalCost, table.totals.marketValue,
                                     table.totals.gain, table.totals.percent}) {
        requireFinite(value);
    }
    requireFinite(game::currentNetWorth(p));
    requireFinite(game::previousNetWorth(p));
    requireFinite(game::netWorthOf(state));

    const game::LedgerFigures all = game::ledgerFigures(p);
    requireFinite(all.highest);
    require(all.sales <= all.trades && all.salesUnknown <= all.sales);
    require(!all.bestSale ||
            (*all.bestSale < p.trades().size() && p.trades()[*all.bestSale].realised()));
    require(!all.worstSale || *all.worstSale < p.trades().size());
    for (std::size_t i = 0; i < p.portfolios().size(); ++i) {
        const game::PortfolioFigures f = game::portfolioFigures(p, i);
        for (const game::Figure value :
             {f.startWorth, f.worth, f.gain, f.gainPercent, f.progress, f.realised}) {
            requireFinite(value);
        }
        if (f.drawdown) {
            require(f.drawdown->fall >= 0 && f.drawdown->peakDay <= f.drawdown->troughDay);
            requireFinite(f.drawdown->percent);
        }
        require(f.salesWon + f.salesLost + f.salesEven + f.salesUnknown <= f.trades);
        for (const std::size_t held : f.daysHeld) {
            require(held <= f.days);
        }
    }
    for (int company = -1; company < game::kCompanyCount; ++company) {
        for (const game::TradeMark& mark : game::tradeMarks(p, company)) {
            require(mark.trade < p.trades().size());
        }
    }
    std::int64_t last = 0;
    for (const game::SeriesPoint& point : game::netWorthSeries(p)) {
        require(point.day > last && std::isfinite(point.value));
        last = point.day;
    }
    require(game::priceSeries(p, 0).size() == p.days().size());
    if (!p.days().empty()) {
        const auto [first, end] = game::tradesOnDay(p, p.days().size() - 1);
        require(first <= end && end == p.trades().size());
    }
}

std::size_t rows(const std::string& csv)
{
    std::size_t count = 0;
    for (std::size_t at = csv.find("\r\n"); at != std::string::npos;
         at = csv.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

void checkCsv(const game::Portfolio& p, const game::GameState& state)
{
    const records::TradesCsvTexts trades = {{"Giorno", "Data", "Data ISO", "Operazione", "Società",
                                             "Quantità", "Prezzo", "Importo",
                                             "Guadagno realizzato"},
                                            "Acquisto",
                                            "Vendita"};
    const records::HistoryCsvTexts history = {
        {"Giorno", "Data", "Data ISO", "Disponibilità liquida", "Patrimonio netto"},
        "Note",
        "Fallita",
        "dopo un'interruzione",
        "vittoria"};
    const records::HoldingsCsvTexts holdings = {{"Data", "Data ISO", "Società", "Azioni",
                                                 "Costo medio", "Costo", "Valore", "Guadagno", "%"},
                                                "Totale"};
    const game::HoldingsTable table = game::holdingsTable(p, state);
    const game::Date today = p.days().empty() ? game::Date{} : p.days().back().date;
    const std::pair<std::string, std::size_t> files[] = {
        {records::tradesCsv(p, trades), p.trades().size() + 1},
        {records::historyCsv(p, history), p.days().size() + 1},
        {records::holdingsCsv(table, today, holdings), table.rows.size() + 2},
    };
    for (const auto& [csv, count] : files) {
        require(csv.substr(0, 3) == records::kCsvStart);
        require(records::validUtf8(csv) == csv);
        require(rows(csv) == count && csv.size() >= 2 && csv.substr(csv.size() - 2) == "\r\n");
    }
}

// The room kept for the days, trades and portfolios, against the file they came from.
std::size_t keptBytes(const game::Portfolio& p)
{
    return p.days().capacity() * sizeof(game::LedgerDay) +
           p.trades().capacity() * sizeof(game::LedgerTrade) +
           p.portfolios().capacity() * sizeof(game::PortfolioSpan) +
           p.gapShares().capacity() * sizeof(p.gapShares().front());
}

// A small repeatable source of choices drawn from the input.
struct Choices {
    std::uint32_t state;
    std::uint32_t next(std::uint32_t below)
    {
        state = state * 1664525U + 1013904223U;
        return (state >> 8) % below;
    }
};

// The lines the game writes as it goes on from `state`: a gap and its day, a few trades through
// the rules, a win when there is one. The reader takes each, and the start then finds the state.
void playOn(records::KeptLedger& kept, game::GameState state, Choices& choices)
{
    if (kept.portfolio.ended()) {
        return;
    }
    require(records::addLedgerLine(kept, records::gapLine(state)) == records::LedgerFault::None);
    require(records::addLedgerLine(kept, records::dayLine(state)) == records::LedgerFault::None);
    require(records::ledgerMatches(kept, state));
    for (int i = 0; i < 4; ++i) {
        const int company = static_cast<int>(choices.next(game::kCompanyCount));
        const bool buy = choices.next(2) == 0;
        const std::string quantity = std::to_string(1 + choices.next(1000));
        const game::GameState before = state;
        const game::TradeOutcome outcome =
            buy ? game::buy(state, company, quantity) : game::sell(state, company, quantity);
        // A refused press still cuts the cash to hundredths, with no line: the next day's line
        // carries it. Only what went through is compared.
        bool written = false;
        if (outcome == game::TradeOutcome::Done) {
            const std::string line =
                records::tradeLine(before, state, company, buy, *game::readQuantity(quantity));
            require(records::addLedgerLine(kept, line) == records::LedgerFault::None);
            written = true;
        }
        if (!buy && game::hasWon(state)) {
            require(records::addLedgerLine(kept, records::winLine(state)) ==
                    records::LedgerFault::None);
            game::resetAfterWin(state);
            written = true;
        }
        require(!written || records::ledgerMatches(kept, state));
    }
    require(records::addLedgerLine(kept, records::endLine(kept.portfolio)) ==
            records::LedgerFault::None);
}

} // namespace

// The input: the side file's bytes, then after a NUL the six files (Data1 ... Data5, data7), each
// ended by a NUL; a file given as the single byte 0x01 is missing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(input.find('\0'), input.size());
    const std::string_view ledger = input.substr(0, split);
    std::array<std::optional<std::string>, 6> files;
    std::size_t start = split + 1;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        const std::string_view part =
            start <= input.size() ? input.substr(start, end - start) : std::string_view();
        if (part != "\x01") {
            files[i] = std::string(part);
        }
        start = end + 1;
    }
    const records::AutosaveRead six = records::parseAutosave(files);
    const game::GameState state =
        six.kind == records::AutosaveRead::Kind::Loaded ? six.state : game::startingState();
    Choices choices{static_cast<std::uint32_t>(size)};
    for (const char c : input.substr(split)) {
        choices.state = choices.state * 31U + static_cast<unsigned char>(c);
    }

    records::LedgerRead read = records::readLedger(ledger);
    if (!read.ledger) {
        require(read.fault != records::LedgerFault::None && read.line >= 1);
        records::KeptLedger fresh;
        playOn(fresh, state, choices);
        checkKept(fresh.portfolio);
        checkViews(fresh.portfolio, state);
        return 0;
    }
    require(read.fault == records::LedgerFault::None);
    game::Portfolio& portfolio = read.ledger->portfolio;
    // Reading keeps no more than a few times the file's size (the file itself is the eighth).
    require(keptBytes(portfolio) <= 7 * ledger.size() + 4096);
    checkKept(portfolio);
    checkViews(portfolio, state);
    checkCsv(portfolio, state);
    records::ledgerMatches(*read.ledger, state);

    // Line by line, the ledger grows to the same.
    records::KeptLedger grown;
    std::string_view body = ledger.substr(records::kLedgerHeader.size());
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        require(records::addLedgerLine(grown, body.substr(0, end)) == records::LedgerFault::None);
        body.remove_prefix(end + 1);
    }
    require(grown.portfolio.days().size() == portfolio.days().size() &&
            grown.portfolio.trades().size() == portfolio.trades().size() &&
            grown.tail.date == read.ledger->tail.date && grown.tail.cash == read.ledger->tail.cash);

    playOn(*read.ledger, state, choices);
    checkKept(portfolio);
    checkViews(portfolio, state);
    return 0;
}
