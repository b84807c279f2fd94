// The session: one method per player event, running the rule, the boxes and the saves in the
// order the game requires. No widgets here; the windows call it and render its state.
#pragma once

#include "game/game_state.h"
#include "game/random_source.h"
#include "platform/dialogs.h"
#include "platform/text_store.h"
#include "records/autosave.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace ui {

class Session {
public:
    Session(platform::TextStore& store, platform::Dialogs& dialogs, game::RandomSource& random);

    // The main window's load: seeds the random source, completes an interrupted save, then reads
    // the six autosave files. With none there it starts a new game and writes them; with damaged
    // ones it keeps them under backup names, tells the player, and starts a new game.
    void load();

    const game::GameState& state() const { return m_state; }

    // "&Nuova Partita".
    void newGame();
    // The date button.
    void advanceDay();
    // "Comprare" and "Vendere" for the selected company (nullopt: none) and the quantity text.
    void buy(std::optional<int> selected, const QString& quantity);
    void sell(std::optional<int> selected, const QString& quantity); // ends with the win check

    // The quantity entry's key filter for one typed character code: false discards it, after
    // telling the player "Solo numeri interi!".
    bool quantityKey(int code);
    // Text that reaches the entry by pasting: accepted only when every character would be.
    bool quantityPaste(const QString& text);

    // The information button: the selected company's description, if one is selected.
    void companyInformation(std::optional<int> selected);

    // The Hall of Fame as its window shows it: data6 as it stands, quotes included.
    QString hallOfFameText();

    // "&Salva" and "&Carica" only tell the player; "&Esci" asks, true for Yes.
    void saveMenu();
    void loadMenu();
    bool confirmExit();

    platform::Dialogs& dialogs() { return m_dialogs; }

private:
    void winCheck();
    // Saves the six autosave files (and a Hall of Fame not yet on disk) as one set.
    void save(records::WriteOrder order);
    void startAfresh(const std::vector<records::FileProblem>& problems);
    void reportSaveFailure(const platform::StoreError& error);
    void error(const QString& prompt);

    platform::TextStore& m_store;
    platform::Dialogs& m_dialogs;
    game::RandomSource& m_random;
    game::GameState m_state;
    // A Hall of Fame with a new winner that a failed save could not yet put on disk: every
    // later save carries it until one succeeds, so no win is ever lost.
    std::optional<std::string> m_pendingHallOfFame;
    // A Hall of Fame that was not one quoted line (edited by hand, say): its exact bytes go to a
    // backup name in the same save as the win that rewrites it, since that takes its list by
    // position and may cut its last record.
    std::optional<records::FileContent> m_hallOfFameCopy;
};

// Converts a state text (in the files' code page) for display.
QString shownText(const std::string& text);

} // namespace ui
