// The ledger's statistics page: the figures of one portfolio (since the start, a win or a gap) a
// player asks about, the time each company was held, and the whole game's figures and wins.
#pragma once

#include "ui/ledger_table.h"
#include "ui/ledger_view.h"

#include <QWidget>

#include <map>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QProgressBar;
class QTableView;

namespace ui::ledger {

class PortfolioList;

class StatisticsPage final : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsPage(QWidget* parent = nullptr);
    void show(const ViewPtr& view);
    void retranslate();

    // The portfolio shown, an index into portfolios(): the newest unless the player chose
    // another.
    int portfolio() const;
    void choosePortfolio(int index);
    // Every figure shown, a line each ("Rendimento: +1 234,56 (+12,35%)"), as a screen reader
    // reads the page.
    QStringList lines() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    enum class Row {
        Start,
        Worth,
        Return,
        Progress,
        Drawdown,
        BestDay,
        WorstDay,
        Sales,
        Realised,
        Trades,
        Days,
    };
    void redraw();
    void fillPortfolios();
    QLabel* value(Row row);
    void set(Row row, const QString& text, int sign = 0);

    ViewPtr m_view;
    QLabel* m_choiceLabel;
    QComboBox* m_portfolios;
    PortfolioList* m_portfolioList;
    QLabel* m_portfolioNote;
    QGroupBox* m_portfolioBox;
    QFormLayout* m_form;
    std::map<Row, QLabel*> m_values;
    QProgressBar* m_progress;
    QLabel* m_heldLabel;
    TableModel* m_heldModel;
    QTableView* m_held;
    QGroupBox* m_gameBox;
    QFormLayout* m_gameForm;
    QLabel* m_gameDays;
    QLabel* m_gameTrades;
    QLabel* m_gameWins;
    QLabel* m_bestSale;
    QLabel* m_worstSale;
    QLabel* m_highest;
};

} // namespace ui::ledger
