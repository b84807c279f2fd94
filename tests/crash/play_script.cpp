// The replayable round of play that the crash tests cut short.
#include "crash/play_script.h"

#include "game/texts.h"
#include "records/autosave.h"
#include "records/hall_of_fame.h"
#include "records/ledger.h"

#include <cmath>

namespace crashtest {

namespace {

// The names the winners type. The empty one is a cancelled box.
const QString kNames[] = {QStringLiteral("Anna"), QStringLiteral("Bea \"la Rossa\""),
                          QStringLiteral("Zoë"), QString()};

double unit(std::uint64_t bits) { return static_cast<double>(bits >> 11) * 0x1.0p-53; }

double number(const std::string& text) { return game::readNumber(text).value_or(0.0); }

// The most shares the whole cash pays for, as the rules compute the cost.
double affordable(double cash, double price)
{
    double most = std::floor(cash / price);
    while (most > 0 && price * most > cash) {
        most -= 1;
    }
    return std::min(most, 2147483647.0);
}

} // namespace

double ScriptRandom::next()
{
    double r = unit(m_engine());
    const int draw = m_draw;
    m_draw = (m_draw + 1) % 3;
    if (m_rising) {
        if (draw == 0) {
            r = 0.9 + r * 0.099; // whole part 9
        } else if (draw == 2) {
            r = r * 0.49; // sign "+"
        }
    }
    return r;
}

void ScriptDialogs::message(const QString& prompt, const QString& title)
{
    m_messages.push_back(title + QStringLiteral(": ") + prompt);
    if (onMessage) {
        onMessage(title, prompt);
    }
}

bool ScriptDialogs::question(const QString&, const QString&) { return true; }

QString ScriptDialogs::input(const QString&, const QString&)
{
    const QString name = kNames[static_cast<std::size_t>(m_inputs) % std::size(kNames)];
    ++m_inputs;
    return name;
}

PlayScript::PlayScript(session::Session& session, ScriptRandom& random, std::uint64_t seed, int climbPerMille)
    : m_session(session), m_random(random), m_choices(seed ^ 0x5eedc0ffee), m_climbPerMille(climbPerMille)
{
}

int PlayScript::pick(int below) { return static_cast<int>(m_choices() % static_cast<std::uint64_t>(below)); }

std::string PlayScript::step() { return m_climbing ? climbStep() : ordinaryStep(); }

std::string PlayScript::ordinaryStep()
{
    const game::GameState& state = m_session.state();
    const int roll = pick(1000);
    const int company = pick(game::kCompanyCount);
    const game::Company& row = state.companies[static_cast<std::size_t>(company)];
    const bool trading = row.price != game::kFailedMark && number(row.price) > 0;
    const double cash = std::nearbyint(number(state.cash));

    if (roll < 550) {
        m_session.advanceDay();
        ++m_days;
        return "day " + state.date;
    }
    if (roll < 700 && trading) {
        // Only what the cash pays for: a refused trade would open a box.
        const double most = affordable(cash, number(row.price));
        const int quantity = static_cast<int>(std::min(most, static_cast<double>(1 + pick(20))));
        m_session.buy(company, QString::number(quantity));
        return "buy " + std::to_string(quantity) + " of " + std::to_string(company);
    }
    if (roll < 850 && trading) {
        const int held = static_cast<int>(number(row.shares));
        const int quantity = held > 0 ? pick(held + 1) : 0;
        m_session.sell(company, QString::number(quantity));
        return "sell " + std::to_string(quantity) + " of " + std::to_string(company);
    }
    if (roll < 880) {
        m_session.newGame();
        return "new game";
    }
    if (roll < 880 + m_climbPerMille && trading && affordable(cash, number(row.price)) >= 1) {
        const int quantity = static_cast<int>(affordable(cash, number(row.price)));
        m_session.buy(company, QString::number(quantity));
        m_climbing = company;
        m_climbDays = 0;
        return "climb with " + std::to_string(quantity) + " of " + std::to_string(company);
    }
    m_session.advanceDay();
    ++m_days;
    return "day " + state.date;
}

std::string PlayScript::climbStep()
{
    const game::GameState& state = m_session.state();
    const game::Company& row = state.companies[static_cast<std::size_t>(*m_climbing)];
    const double worth = std::nearbyint(number(state.cash)) + number(row.shares) * number(row.price);
    if (worth < 101000.0 && m_climbDays < 80) {
        m_random.setRising(true);
        m_session.advanceDay();
        ++m_days;
        m_random.setRising(false);
        ++m_climbDays;
        return "rising day " + state.date;
    }
    const std::string shares = row.shares;
    const int company = *m_climbing;
    m_climbing.reset();
    m_session.sell(company, QString::fromStdString(shares)); // the win check follows
    return "sell all " + shares + " of " + std::to_string(company);
}

const std::vector<std::string>& gameFileNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const std::string_view name : records::kAutosaveNames) {
            all.emplace_back(name);
        }
        all.emplace_back(records::kHallOfFameName);
        return all;
    }();
    return names;
}

FileSet gameFiles(records::TextStore& store)
{
    FileSet set;
    for (const std::string& name : gameFileNames()) {
        records::ReadResult read = store.read(name);
        if (!read.error) {
            set[name] = std::move(read.bytes);
        }
    }
    if (records::ReadResult read = store.read(std::string(records::kLedgerName)); !read.error) {
        set[std::string(records::kLedgerName)] = std::move(read.bytes);
    }
    // The finished games' ledgers, in the order the new games made them.
    for (int n = 1;; ++n) {
        records::ReadResult read = store.read(records::ledgerArchiveName(n));
        if (read.error) {
            break;
        }
        set[records::ledgerArchiveName(n)] = std::move(read.bytes);
    }
    return set;
}

std::string describe(const FileSet& set)
{
    std::string out;
    for (const auto& [name, bytes] : set) {
        std::string shown;
        for (const char c : bytes) {
            if (c == '\r') {
                shown += "\\r";
            } else if (c == '\n') {
                shown += "\\n";
            } else {
                shown += c;
            }
        }
        if (shown.size() > 60) {
            shown = shown.substr(0, 60) + "...";
        }
        out += name + "=" + shown + " ";
    }
    return out.empty() ? "(no files)" : out;
}

} // namespace crashtest
