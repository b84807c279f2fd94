// The ledger window's pages of holdings, net worth, prices and trades: each a table, the history
// pages with their chart above it, and a sentence in place of a table that would be empty.
#pragma once

#include "ui/ledger_table.h"
#include "ui/ledger_view.h"

#include <QWidget>

#include <set>

class QCheckBox;
class QLabel;
class QListWidget;
class QStackedWidget;
class QTableView;

namespace ui {
class TimeChart;
class TimeChartRanges;
} // namespace ui

namespace ui::ledger {

class HoldingsPage final : public QWidget {
    Q_OBJECT
public:
    explicit HoldingsPage(QWidget* parent = nullptr);
    void show(const ViewPtr& view);
    QTableView* table() const { return m_table; }

private:
    TableModel* m_model;
    QTableView* m_table;
    QLabel* m_note;
    QLabel* m_empty;
    QStackedWidget* m_stack;
};

class WorthPage final : public QWidget {
    Q_OBJECT
public:
    explicit WorthPage(QWidget* parent = nullptr);
    void show(const ViewPtr& view);
    void retranslate();
    TimeChart* chart() const { return m_chart; }
    QTableView* table() const { return m_table; }

private:
    TimeChart* m_chart;
    QCheckBox* m_percent;
    QLabel* m_hint;
    TableModel* m_model;
    QTableView* m_table;
};

class PricesPage final : public QWidget {
    Q_OBJECT
public:
    explicit PricesPage(QWidget* parent = nullptr);
    void show(const ViewPtr& view);
    void retranslate();
    // The companies whose prices are shown, in the list's order.
    std::vector<int> chosen() const;
    void choose(const std::vector<int>& companies);
    TimeChart* chart() const { return m_chart; }
    QTableView* table() const { return m_table; }

private:
    void redraw();

    ViewPtr m_view;
    bool m_chosenOnce = false;
    QListWidget* m_companies;
    QLabel* m_companiesLabel;
    QLabel* m_companiesHint;
    TimeChart* m_chart;
    QCheckBox* m_percent;
    QLabel* m_hint;
    TableModel* m_model;
    QTableView* m_table;
};

class TradesPage final : public QWidget {
    Q_OBJECT
public:
    explicit TradesPage(QWidget* parent = nullptr);
    void show(const ViewPtr& view);
    QTableView* table() const { return m_table; }

private:
    TableModel* m_model;
    QTableView* m_table;
    QLabel* m_empty;
    QStackedWidget* m_stack;
};

} // namespace ui::ledger
