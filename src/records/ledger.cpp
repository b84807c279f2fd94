// The player's ledger: its lines, added as the game plays and read back from its side file.
#include "records/ledger.h"

namespace records {

Ledger::Ledger() = default;

std::optional<Ledger> Ledger::parse(std::string bytes)
{
    LedgerRead read = readLedger(bytes);
    // A finished game's ledger takes no more lines: it is no ledger to go on with.
    if (!read.ledger || read.ledger->portfolio.ended()) {
        return std::nullopt;
    }
    Ledger ledger;
    ledger.m_kept = std::move(*read.ledger);
    ledger.m_text = std::move(bytes);
    return ledger;
}

Ledger Ledger::startingFrom(const game::GameState& state)
{
    Ledger ledger;
    ledger.m_text = kLedgerHeader;
    ledger.markGap(state);
    return ledger;
}

bool Ledger::add(const std::string& line)
{
    if (addLedgerLine(m_kept, line) != LedgerFault::None) {
        return false;
    }
    ++m_revision;
    m_text += line;
    m_text += '\n';
    return true;
}

void Ledger::goOnFrom(const game::GameState& state)
{
    if (add(gapLine(state))) {
        add(dayLine(state));
    }
}

void Ledger::markGap(const game::GameState& state)
{
    goOnFrom(state);
}

void Ledger::trade(const game::GameState& before, const game::GameState& after, int company, bool buy,
                   std::int32_t quantity)
{
    if (!add(tradeLine(before, after, company, buy, quantity))) {
        goOnFrom(after);
    }
}

void Ledger::day(const game::GameState& state)
{
    if (!add(dayLine(state))) {
        goOnFrom(state);
    }
}

void Ledger::win(const game::GameState& state)
{
    if (!add(winLine(state))) {
        goOnFrom(state);
    }
}

std::optional<std::string> Ledger::newGame(const game::GameState& state)
{
    std::optional<std::string> finished;
    if (!m_kept.portfolio.days().empty()) {
        // The finished game's last figures close its ledger.
        finished = m_text + endLine(m_kept.portfolio) + "\n";
    }
    const std::uint64_t revision = m_revision;
    *this = Ledger();
    m_revision = revision;
    m_text = kLedgerHeader;
    day(state);
    return finished;
}

} // namespace records
