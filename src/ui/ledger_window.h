// The player's ledger window: net worth, what each holding cost, the history with its charts,
// the trade journal, statistics, and the export of the journal and the history.
#pragma once

#include "session/session.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QTableView;

namespace ui {

// A read-only table whose cells come from functions, so that a history of thousands of days is
// laid out only where it is seen.
class LedgerTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using Cell = std::function<QString(int row, int column)>;
    LedgerTableModel(QStringList headers, QObject* parent);
    // The cells' texts, and their tooltips where `tip` gives one.
    void reset(int rows, Cell cell, Cell tip = {});
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    int m_rows = 0;
    Cell m_cell;
    Cell m_tip;
};

// A line over the days of the history, drawn with the painter; the table beside it holds the
// same values for the keyboard and screen readers.
class LedgerChart final : public QWidget {
    Q_OBJECT
public:
    explicit LedgerChart(QWidget* parent = nullptr);
    // One value per day; `marks` flags the days to ring (a win).
    void setValues(std::vector<double> values, std::vector<bool> marks = {});
    const std::vector<double>& values() const { return m_values; }
    QSize sizeHint() const override { return {420, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> m_values;
    std::vector<bool> m_marks;
};

class LedgerWindow final : public QWidget {
    Q_OBJECT
public:
    // Not modal and without an owner, like the game's other windows; deleted when it closes.
    explicit LedgerWindow(session::Session& session, QWidget* parent = nullptr);

    // Shows the session's ledger and state as they are now; the main window calls it after
    // every player event.
    void refresh();

    // Writes the trade journal or the history as CSV to `path`; false (after telling the player)
    // when the file could not be written.
    bool exportTrades(const QString& path);
    bool exportHistory(const QString& path);

private:
    void exportChosen(bool trades);
    bool writeFile(const QString& path, const std::string& bytes);
    void showCompany();

    session::Session& m_session;
    QLabel* m_summary = nullptr;
    QLabel* m_note = nullptr;
    LedgerTableModel* m_holdings = nullptr;
    LedgerTableModel* m_history = nullptr;
    LedgerTableModel* m_prices = nullptr;
    LedgerTableModel* m_trades = nullptr;
    LedgerChart* m_worthChart = nullptr;
    LedgerChart* m_priceChart = nullptr;
    QComboBox* m_company = nullptr;
    QLabel* m_stats = nullptr;
};

} // namespace ui
