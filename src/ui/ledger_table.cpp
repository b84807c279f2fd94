// The ledger's tables: the model over cell functions, the sort that leaves the total last, and
// the view's keys and scrolling.
#include "ui/ledger_table.h"

#include "ui/ledger_texts.h"

#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTableView>

namespace ui::ledger {

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableModel::reset(int rows, std::vector<Column> columns, bool total)
{
    beginResetModel();
    m_rows = rows;
    m_total = total && rows > 0;
    m_columns = std::move(columns);
    endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows ||
        static_cast<std::size_t>(index.column()) >= m_columns.size()) {
        return {};
    }
    const Column& column = m_columns[static_cast<std::size_t>(index.column())];
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return column.text ? column.text(row) : QString();
    case kSortRole: {
        QVariant key =
            column.key ? column.key(row) : QVariant(column.text ? column.text(row) : QString());
        return key;
    }
    case Qt::ToolTipRole: {
        const QString tip = column.tip ? column.tip(row) : QString();
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::TextAlignmentRole:
        return static_cast<int>((column.number ? Qt::AlignRight : Qt::AlignLeft) |
                                Qt::AlignVCenter);
    case Qt::ForegroundRole: {
        const int sign = column.sign ? column.sign(row) : 0;
        if (sign == 0) {
            return {};
        }
        const QPalette palette = QGuiApplication::palette();
        if (palette.cacheKey() != m_tonesFor) {
            m_tones = tones(palette);
            m_tonesFor = palette.cacheKey();
        }
        return sign > 0 ? m_tones.gain : m_tones.loss;
    }
    case Qt::FontRole:
        if (isTotal(row)) {
            QFont font = QGuiApplication::font();
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::BackgroundRole:
        if (isTotal(row)) {
            // A veil of the text's colour sets the row apart under any scheme and keeps its text
            // readable.
            QColor veil = QGuiApplication::palette().color(QPalette::Text);
            veil.setAlphaF(0.12F);
            return veil;
        }
        return {};
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 ||
        static_cast<std::size_t>(section) >= m_columns.size()) {
        return {};
    }
    const Column& column = m_columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) {
        return column.header;
    }
    if (role == Qt::ToolTipRole && !column.headerTip.isEmpty()) {
        return column.headerTip;
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>((column.number ? Qt::AlignRight : Qt::AlignLeft) |
                                Qt::AlignVCenter);
    }
    return {};
}

SortModel::SortModel(TableModel* source, QObject* parent)
    : QSortFilterProxyModel(parent), m_source(source)
{
    setSourceModel(source);
    setSortRole(TableModel::kSortRole);
}

bool SortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    // The total, then unknown values, go last in either order: in descending order the sort
    // asks the other way round.
    const bool descending = sortOrder() == Qt::DescendingOrder;
    const bool leftTotal = m_source->isTotal(left.row());
    const bool rightTotal = m_source->isTotal(right.row());
    if (leftTotal || rightTotal) {
        return leftTotal == rightTotal ? false : (leftTotal ? descending : !descending);
    }
    const QVariant a = left.data(TableModel::kSortRole);
    const QVariant b = right.data(TableModel::kSortRole);
    if (!a.isValid() || !b.isValid()) {
        return a.isValid() == b.isValid() ? false : (!a.isValid() ? descending : !descending);
    }
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString) {
        return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
    }
    return a.toDouble() < b.toDouble();
}

QTableView* makeTable(TableModel* model, const QString& name, int column, Qt::SortOrder order,
                      QWidget* parent)
{
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(new SortModel(model, table));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table: the arrows move within it.
    table->setTabKeyNavigation(false);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->setSortingEnabled(true);
    table->sortByColumn(column, order);
    table->verticalHeader()->hide();
    // Rows as close as a ledger's: a line of text and a little air.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Column widths from the first rows only: years of days must not be measured one by one.
    table->horizontalHeader()->setResizeContentsPrecision(60);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

void keepNewestInView(QTableView* table, int dayColumn)
{
    const QHeaderView* header = table->horizontalHeader();
    if (header->sortIndicatorSection() != dayColumn) {
        return;
    }
    if (header->sortIndicatorOrder() == Qt::AscendingOrder) {
        table->scrollToBottom();
    } else {
        table->scrollToTop();
    }
}

} // namespace ui::ledger
