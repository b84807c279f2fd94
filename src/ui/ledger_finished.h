// The ledger's page of finished games: the play folder's Data.ledger.gameN, newest first, with
// their dates, length and result as they are read, and the way to open one read-only.
#pragma once

#include "session/finished_games.h"
#include "ui/ledger_table.h"

#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;

namespace ui::ledger {

class FinishedPage final : public QWidget {
    Q_OBJECT
public:
    explicit FinishedPage(QWidget* parent = nullptr);
    void retranslate();

    // What the finished games tell, as they tell it.
    void listed(const session::FinishedList& list);
    void summarised(const std::vector<session::FinishedGame>& games);
    // The game being opened, and what came of it: once it is shown the page tells its list again.
    void opening(int number);
    void opened();
    void notOpened(const session::FinishedGame& game);

    QTableView* table() const { return m_table; }
    const std::vector<session::FinishedGame>& games() const { return *m_games; }

    // Why a finished game is not shown ("danneggiato alla riga 5"), empty for one read.
    static QString problem(const session::FinishedGame& game);

signals:
    void openAsked(int number);

private:
    void show();
    QString listStatus() const;
    void askOpen();
    void updateButton();
    const session::FinishedGame* gameAt(const QModelIndex& index) const;

    std::shared_ptr<std::vector<session::FinishedGame>> m_games;
    bool m_listed = false;
    records::StoreError m_error;
    QLabel* m_status;
    TableModel* m_model;
    QTableView* m_table;
    QPushButton* m_open;
};

} // namespace ui::ledger
