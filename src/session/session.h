// The session: one method per player event, running the rule, the boxes and the saves in the
// order the game requires. No widgets here; the windows call it and render its state.
#pragma once

#include "game/game_state.h"
#include "game/random_source.h"
#include "platform/dialogs.h"
#include "records/store.h"
#include "records/autosave.h"
#include "records/game_files.h"
#include "game/rules.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace session {

class Saver;

class Session {
public:
    // With a saver, saves are written beside the window and their ends told later; without
    // one, each save is written before the event that made it returns.
    Session(records::TextStore& store, platform::Dialogs& dialogs, game::RandomSource& random,
            Saver* saver = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The main window's load: seeds the random source, completes an interrupted save, then reads
    // the six autosave files. With none there it starts a new game and writes them; with damaged
    // ones it keeps them under backup names, tells the player, and starts a new game. Loaded
    // again while a save is still owed (the last one failed), it saves first, and keeps playing
    // the state it has if that fails again: nothing shown is ever dropped for older files.
    // While saves are still queued it reads nothing: the files are about to hold the state it
    // has, which it keeps playing.
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

    // The player's ledger, for its window, and whether its side file is kept.
    const records::Ledger& ledger() const { return m_files.ledger(); }
    bool ledgerSaved() const { return m_files.ledgerSaved(); }
    // The wins the Hall of Fame lists.
    int wins();

private:
    // Puts a trade that went through into the ledger.
    void noteTrade(const game::GameState& before, std::optional<int> selected, const QString& quantity, bool buy,
                   game::TradeOutcome outcome);
    void winCheck();
    // Saves the six autosave files with whatever a failed save still owes, as one set; false
    // (after telling the player) when it failed. With a saver it is queued: true.
    bool save(records::WriteOrder order);
    // A save has ended: the player hears of the first failure of a failing stretch only.
    void saveEnded(const records::SaveReport& report);
    void tellStart(const records::StartReport& report);
    void reportSaveFailure(const records::SaveReport& report);
    void error(const QString& prompt);

    platform::Dialogs& m_dialogs;
    game::RandomSource& m_random;
    records::GameFiles m_files;
    Saver* m_saver;
    bool m_failing = false; // the player was told saving fails, and no save has worked since
    game::GameState m_state;
};

// Converts a state text (in the files' code page) for display.
QString shownText(const std::string& text);

} // namespace session
