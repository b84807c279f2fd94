// A game played by script for the ledger window's tests.
#include "played_game.h"

#include "game/texts.h"
#include "records/autosave.h"

namespace tests {

double ScriptRandom::next()
{
    // Three draws per company per day, in the companies' order.
    const int company = m_draw / 3 % game::kCompanyCount;
    const int part = m_draw % 3;
    ++m_draw;
    if (company == rising) {
        return part == 0 ? 0.95 : part == 1 ? 0.995 : 0.25;
    }
    // A walk that drifts a little upward, as a market does.
    const double draw = std::uniform_real_distribution<double>(0.0, 1.0)(m_engine);
    return part == 0 ? draw * 0.45 : part == 2 ? draw * 0.96 : draw;
}

PlayedGame::PlayedGame()
{
    session.load();
    saver.settle();
}

void PlayedGame::day()
{
    session.advanceDay();
    saver.settle();
}

void PlayedGame::trade(int company, bool buy, int quantity)
{
    const QString text = QString::number(quantity);
    if (buy) {
        session.buy(company, text);
    } else {
        dialogs.answerText(QStringLiteral("Anna"));
        session.sell(company, text);
    }
}

void PlayedGame::play(int days)
{
    const auto cash = [this] { return game::readNumber(session.state().cash).value_or(0); };
    const auto price = [this](int c) {
        return game::readNumber(session.state().companies[static_cast<std::size_t>(c)].price)
            .value_or(0);
    };
    const auto shares = [this](int c) {
        return static_cast<int>(
            game::readNumber(session.state().companies[static_cast<std::size_t>(c)].shares)
                .value_or(0));
    };
    for (int d = 1; d < days; ++d) {
        const int winAt = d >= 100 && d < 200 ? 100 : d >= 300 ? 300 : -1;
        const int riser = winAt == 100 ? 4 : 9;
        if (d == winAt) {
            // Everything into the company about to rise.
            for (int c = 0; c < game::kCompanyCount; ++c) {
                if (shares(c) > 0 && price(c) > 0) {
                    trade(c, false, shares(c));
                }
            }
            random.rising = riser;
            trade(riser, true, static_cast<int>((cash() - 1) / price(riser)));
        } else if (winAt > 0 && random.rising >= 0 &&
                   shares(riser) * price(riser) + cash() >= 101000) {
            trade(riser, false, shares(riser)); // the win
            random.rising = -1;
        } else if (random.rising < 0 && d % 4 == 0) {
            const int c = (d / 4 * 7) % game::kCompanyCount;
            if (shares(c) > 0 && d % 3 != 0) {
                trade(c, false, std::max(1, shares(c) / 2));
            } else if (price(c) > 0 && cash() > price(c) * 3) {
                trade(c, true, std::max(1, static_cast<int>(cash() * 0.2 / price(c))));
            }
        }
        if (d == 230) {
            // The cash file put back by hand: the next load finds the files moved on.
            game::GameState changed = session.state();
            changed.cash = game::numberText(cash() + 2500);
            for (const records::FileContent& file :
                 records::autosaveFiles(changed, records::WriteOrder::DataFirst)) {
                store.put(file.name, file.bytes);
            }
            session.load();
            saver.settle();
        }
        day();
    }
}

} // namespace tests
