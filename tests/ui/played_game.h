// A game played by script for the ledger window's tests: days with trades, wins made by a
// company that rises every day, and a gap made by putting the cash file back by hand.
#pragma once

#include "fakes/fake_dialogs.h"
#include "fakes/memory_store.h"
#include "game/random_source.h"
#include "session/saver.h"
#include "session/session.h"

#include <random>

namespace tests {

// Prices that move at random, except one company's, which rises by 9,99 per cent a day.
class ScriptRandom final : public game::RandomSource {
public:
    void seedFromClock() override {}
    double next() override;
    int rising = -1;

private:
    std::mt19937 m_engine{20020101};
    int m_draw = 0;
};

struct PlayedGame {
    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    ScriptRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};

    PlayedGame();
    void day();
    void trade(int company, bool buy, int quantity);
    // `days` days: a trade every few days, a win near day 130 and day 330 when that many days
    // are played, and a gap at day 230.
    void play(int days);
};

} // namespace tests
