// The player's ledger window: the figures that matter at a glance, the holdings, the history of
// net worth and prices as charts with tables beneath, the trades, the statistics and the finished
// games, and the export of each table as a CSV file. It follows the game as it is played, and
// shows a finished game read-only when the player opens one.
#pragma once

#include "session/finished_games.h"
#include "session/session.h"
#include "ui/ledger_settings.h"
#include "ui/ledger_view.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace ui {

namespace ledger {
class FinishedPage;
class HoldingsPage;
class PricesPage;
class StatisticsPage;
class TradesPage;
class WorthPage;
} // namespace ledger

// What the ledger window needs beyond the session; tests replace each part.
struct LedgerWindowSeams {
    // The game's menu items whose keys work while the ledger has the focus: "Nuova Partita" (F2),
    // "Esci" (Ctrl+X) and "Hall of Fame" (Ctrl+H). Unset: the key does nothing.
    std::function<void()> newGame;
    std::function<void()> leave;
    std::function<void()> hallOfFame;
    // The main window: the ledger opens beside it when it has no place of its own kept.
    QPointer<QWidget> mainWindow;
    // Where the window keeps its place and the export folder; empty: the game's user settings.
    QString settingsFile;
    // Asks where an export goes: (parent, title, suggested path, filter), empty when cancelled.
    // Unset: the file dialog.
    std::function<QString(QWidget*, const QString&, const QString&, const QString&)> chooseFile;
    // How the finished games are read: on a thread of their own, or when a test steps them.
    session::FinishedGames::Run finishedGames = session::FinishedGames::Run::Thread;
};

class LedgerWindow final : public QWidget {
    Q_OBJECT
public:
    enum class Tab { Holdings, Worth, Prices, Trades, Statistics, Finished };
    enum class Export { Holdings, Trades, History };

    // Not modal and without an owner, like the game's other windows; deleted when it closes.
    explicit LedgerWindow(session::Session& session, LedgerWindowSeams seams = {},
                          QWidget* parent = nullptr);
    ~LedgerWindow() override;

    // Shows the session's ledger and state as they are now (or the finished game opened); the
    // session's `changed` calls it after every event and every save's end.
    void refresh();
    // After a save's end: what is said of the saves, and the finished games' list.
    void savesChanged();

    // Writes a table of the game shown as CSV to `path`; false (after telling the player) when
    // the file could not be written.
    bool exportTo(Export what, const QString& path);
    bool exportTrades(const QString& path) { return exportTo(Export::Trades, path); }
    bool exportHistory(const QString& path) { return exportTo(Export::History, path); }
    // Asks where, then writes; the folder chosen is kept for the next time.
    void exportChosen(Export what);

    // A finished game read-only in place of the game being played, and back.
    void showFinished(const session::OpenedGame& game);
    void showPlaying();
    bool showsFinished() const { return m_view && !m_view->live(); }

    void showTab(Tab tab);
    // Takes the least size the free area `available` of its screen allows with the frame
    // `frame` around it: the pages keep their least size inside and scroll where the area is
    // smaller (a 1280 x 800 screen at twice the scale), the focus bringing each control into view.
    void fitLeastSize(const QRect& available, const QMargins& frame);
    QScrollArea* contents() const { return m_contents; }
    session::FinishedGames& finishedGames() { return *m_finishedGames; }
    ledger::StatisticsPage* statistics() const { return m_statistics; }
    ledger::PricesPage* prices() const { return m_prices; }
    ledger::FinishedPage* finished() const { return m_finished; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Card {
        QLabel* caption = nullptr;
        QLabel* value = nullptr;
        QLabel* detail = nullptr;
    };
    void buildHeader(QWidget* area);
    void buildActions();
    void retranslate();
    void makeView();
    void showHeader();
    void showNote();
    void showCurrentPage();
    void setCard(Card& card, const QString& caption, const QString& value, const QString& detail,
                 int sign = 0);
    void place();
    void fitFrame();
    void finishedOpened(const session::OpenedGame& game);

    session::Session& m_session;
    LedgerWindowSeams m_seams;
    ledger::Settings m_settings;
    session::FinishedGames* m_finishedGames = nullptr;
    std::shared_ptr<const game::Portfolio> m_opened; // the finished game shown, if one is
    session::FinishedGame m_openedGame;
    ledger::ViewPtr m_view;
    std::array<bool, 6> m_stale{};
    bool m_listed = false;
    bool m_placed = false;
    std::string m_archiveSeen;

    QScrollArea* m_contents = nullptr;
    QFrame* m_banner = nullptr;
    QLabel* m_bannerText = nullptr;
    QPushButton* m_back = nullptr;
    QLabel* m_line = nullptr;
    std::array<Card, 4> m_cards{};
    QProgressBar* m_progress = nullptr;
    QLabel* m_note = nullptr;
    QTabWidget* m_tabs = nullptr;
    ledger::HoldingsPage* m_holdings = nullptr;
    ledger::WorthPage* m_worth = nullptr;
    ledger::PricesPage* m_prices = nullptr;
    ledger::TradesPage* m_trades = nullptr;
    ledger::StatisticsPage* m_statistics = nullptr;
    ledger::FinishedPage* m_finished = nullptr;
    QPushButton* m_export = nullptr;
    std::array<QAction*, 3> m_exports{};
    QAction* m_close = nullptr;
};

} // namespace ui
