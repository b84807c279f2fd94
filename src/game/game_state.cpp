// The company table, the starting values, the new game and the reset after a win.
#include "game/game_state.h"

namespace game {

const std::array<CompanyListing, kCompanyCount>& companyTable()
{
    static const std::array<CompanyListing, kCompanyCount> table = {{
        {"CarlOil", "755"},
        {"Tolva Transport", "37"},
        {"QMT Records", "70"},
        {"Tolva Image", "66"},
        {"Alitolva", "562"},
        {"Dr. Pondo Glemi Research", "332"},
        {"Car-Loh Chinese Import", "117"},
        {"ScoReggiana", "24"},
        {"Mulino Verde", "605"},
        {"Carega Racing team", "441"},
        {"T.A.S.A.", "1100"},
        {"Chez Carlett\u00f2", "70"},
        {"New Tolv Times", "35"},
        {"Centrale Nucleare di Elsa", "150"},
        {"Carlos' Ranch", "39"},
        {"Tolva Railroad", "80"},
        {"Tolvasoft", "500"},
    }};
    return table;
}

void resetAfterWin(GameState& state)
{
    for (std::size_t i = 0; i < state.companies.size(); ++i) {
        Company& company = state.companies[i];
        company.shares = "0";
        company.yesterday.clear();
        company.change.clear();
        company.price = std::string(companyTable()[i].startPrice);
    }
    state.cash = std::string(kStartCash);
}

void newGame(GameState& state)
{
    resetAfterWin(state);
    state.date = std::string(kStartDate);
}

GameState startingState()
{
    GameState state;
    newGame(state);
    return state;
}

} // namespace game
