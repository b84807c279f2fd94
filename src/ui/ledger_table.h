// The ledger's tables: cells computed only where they are seen, text left and numbers right,
// gains and losses in colour with their sign, a total row set apart that every sort leaves last,
// sorting by any column on its value (by the rows' own order at once, however many), and the
// newest row kept in view while sorted by day.
#pragma once

#include "ui/ledger_texts.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

class QTableView;
class QWidget;

namespace ui::ledger {

// One column: its header and, for a row, its text and what it sorts by.
struct Column {
    QString header;
    bool number = true; // right-aligned; text columns are left-aligned
    std::function<QString(int row)> text;
    // What the column sorts by (a number, a text); unset or invalid sorts by the text. Invalid
    // values (unknown figures) sort after every known one.
    std::function<QVariant(int row)> key;
    // +1 a gain, -1 a loss: the text takes the gain's or the loss's colour.
    std::function<int(int row)> sign;
    std::function<QString(int row)> tip;
    QString headerTip; // what a short header means, in full
    // The key never falls as the row grows (the day of a history's rows): sorted by this column
    // the rows keep their own order, or its reverse, with no key looked at.
    bool inRowOrder = false;
};

class TableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableModel(QObject* parent = nullptr);
    // The rows and columns to show, in the order of the sort chosen last; with `total` the last
    // row is the total, set apart.
    void reset(int rows, std::vector<Column> columns, bool total = false);
    // The total, then unknown values, come last in either order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The row of the cells shown at row `shown`.
    int sourceRow(int shown) const;
    bool isTotal(int row) const { return m_total && row == m_rows - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr int kSortRole = Qt::UserRole;

private:
    // The rows' order for the sort chosen: view row -> row.
    std::vector<int> arranged() const;

    int m_rows = 0;
    bool m_total = false;
    std::vector<Column> m_columns;
    std::vector<int> m_order;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    // The colours of gains and losses, worked out once per palette.
    mutable Tones m_tones;
    mutable qint64 m_tonesFor = -1;
};

// A read-only table over `model` named `name` (its object name), sorted by `column` in `order`
// to begin with. Tab leaves it at once; the arrows move within it.
QTableView* makeTable(TableModel* model, const QString& name, int column, Qt::SortOrder order,
                      QWidget* parent);

// After new rows: the newest row (the highest day) comes into view while the table is sorted by
// `dayColumn`; sorted otherwise, the view stays where the player put it.
void keepNewestInView(QTableView* table, int dayColumn);

} // namespace ui::ledger
