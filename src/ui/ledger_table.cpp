// The ledger's tables: the model over cell functions, the sort that leaves the total last, and
// the view's keys and scrolling.
#include "ui/ledger_table.h"

#include "ui/ledger_texts.h"

#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPalette>
#include <QTableView>

#include <algorithm>
#include <numeric>

namespace ui::ledger {

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableModel::reset(int rows, std::vector<Column> columns, bool total)
{
    beginResetModel();
    m_rows = rows;
    m_total = total && rows > 0;
    m_columns = std::move(columns);
    m_order = arranged();
    endResetModel();
}

int TableModel::sourceRow(int shown) const
{
    return shown >= 0 && static_cast<std::size_t>(shown) < m_order.size()
               ? m_order[static_cast<std::size_t>(shown)]
               : -1;
}

std::vector<int> TableModel::arranged() const
{
    std::vector<int> order(static_cast<std::size_t>(m_rows));
    std::iota(order.begin(), order.end(), 0);
    if (m_sortColumn < 0 || static_cast<std::size_t>(m_sortColumn) >= m_columns.size()) {
        return order;
    }
    const Column& column = m_columns[static_cast<std::size_t>(m_sortColumn)];
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    const auto body = order.end() - (m_total ? 1 : 0); // the total stays last
    if (column.inRowOrder) {
        if (descending) {
            std::reverse(order.begin(), body);
        }
        return order;
    }
    // Each key once, then the sort over them: unknown keys after every known one.
    struct Key {
        bool known = false;
        bool text = false;
        double number = 0;
        QString words;
    };
    std::vector<Key> keys(order.size());
    for (std::size_t row = 0; row < keys.size(); ++row) {
        const int r = static_cast<int>(row);
        const QVariant key =
            column.key ? column.key(r) : QVariant(column.text ? column.text(r) : QString());
        Key& k = keys[row];
        k.known = key.isValid();
        k.text = key.typeId() == QMetaType::QString;
        if (k.text) {
            k.words = key.toString();
        } else {
            k.number = key.toDouble();
        }
    }
    std::stable_sort(order.begin(), body, [&keys, descending](int a, int b) {
        const Key& x = keys[static_cast<std::size_t>(a)];
        const Key& y = keys[static_cast<std::size_t>(b)];
        if (x.known != y.known) {
            return x.known;
        }
        if (!x.known) {
            return false;
        }
        const int compared = x.text || y.text ? QString::localeAwareCompare(x.words, y.words)
                                              : (x.number < y.number   ? -1
                                                 : x.number > y.number ? 1
                                                                       : 0);
        return descending ? compared > 0 : compared < 0;
    });
    return order;
}

void TableModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_sortColumn = column;
    m_sortOrder = order;
    const std::vector<int> before = m_order;
    m_order = arranged();
    // Selections and the current cell follow their rows.
    std::vector<int> place(m_order.size());
    for (std::size_t shown = 0; shown < m_order.size(); ++shown) {
        place[static_cast<std::size_t>(m_order[shown])] = static_cast<int>(shown);
    }
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from) {
        const int row =
            index.row() >= 0 && static_cast<std::size_t>(index.row()) < before.size()
                ? place[static_cast<std::size_t>(before[static_cast<std::size_t>(index.row())])]
                : index.row();
        to << this->index(row, index.column());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
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
    const int row = sourceRow(index.row());
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
        // A text that a narrow column may cut (a company's name) is whole in its tooltip.
        const QString tip = column.tip
                                ? column.tip(row)
                                : (column.number || !column.text ? QString() : column.text(row));
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

QTableView* makeTable(TableModel* model, const QString& name, int column, Qt::SortOrder order,
                      QWidget* parent)
{
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
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
