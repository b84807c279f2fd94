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

#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace session {

class Saver;

// Tells the windows through `changed` after every event and every save's end: they render from
// its state and never look for each other.
class Session final : public QObject {
    Q_OBJECT
public:
    // Every save goes through `saver`, which writes it beside the window and tells its end later.
    Session(records::TextStore& store, platform::Dialogs& dialogs, game::RandomSource& random, Saver& saver);
    ~Session() override;
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

    // The Hall of Fame as its window shows it when it opens: data6 read afresh, quotes included
    // (or the list of a win not yet saved).
    QString hallOfFameText();

    // "&Salva" and "&Carica" only tell the player; "&Esci" asks, true for Yes.
    void saveMenu();
    void loadMenu();
    bool confirmExit();

    platform::Dialogs& dialogs() { return m_dialogs; }
    // The play folder, for what reads it beside the window (the finished games).
    records::TextStore& store() { return m_store; }

    // The player's ledger, for its window, and whether its side file is kept.
    const records::Ledger& ledger() const { return m_files.ledger(); }
    bool ledgerSaved() const { return m_files.ledgerSaved(); }
    // The wins the Hall of Fame lists, from memory.
    int wins() const { return m_files.winners(); }
    // Where the last finished game's ledger was kept, once its save has ended; empty before.
    std::string finishedLedger() const { return m_files.lastArchive(); }

signals:
    // The state or the ledger has changed: an event of the game.
    void changed();
    // A save has ended: what the saves did may have changed (whether the ledger is kept, a
    // finished game's name); the state and the ledger's history have not.
    void saved();

private:
    // Puts a trade that went through into the ledger.
    void noteTrade(const game::GameState& before, std::optional<int> selected, const QString& quantity, bool buy,
                   game::TradeOutcome outcome);
    void winCheck();
    // Queues a save of the six autosave files with whatever is still owed, as one set.
    void save(records::WriteOrder order);
    // A save has ended: the player hears of the first failure of a failing stretch only, and
    // of the files it kept.
    void saveEnded(const records::SaveJob& job, const records::SaveReport& report);
    void tellStart(const records::StartReport& report);
    void reportSaveFailure(const records::SaveReport& report);
    void error(const QString& prompt);

    records::TextStore& m_store;
    platform::Dialogs& m_dialogs;
    game::RandomSource& m_random;
    records::GameFiles m_files;
    Saver& m_saver;
    bool m_failing = false; // the player was told saving fails, and no save has worked since
    game::GameState m_state;
};

// Converts a state text (in the files' code page) for display.
QString shownText(const std::string& text);

} // namespace session
