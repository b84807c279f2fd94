// The ledger window's pages of holdings, net worth, prices and trades.
#include "ui/ledger_pages.h"

#include "game/portfolio_figures.h"
#include "ui/ledger_charts.h"
#include "ui/ledger_texts.h"
#include "ui/time_chart.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace ui::ledger {

namespace {

QString dayHeader()
{
    return QCoreApplication::translate("ui::LedgerWindow", "Giorno");
}

QString dateHeader()
{
    return QCoreApplication::translate("ui::LedgerWindow", "Data");
}

// The day's number and date, sorting by the day.
Column dayColumn(const ViewPtr& view, std::function<int(int)> dayOf)
{
    Column column;
    column.header = dayHeader();
    column.text = [view, dayOf](int row) {
        const int day = dayOf(row);
        return view->hasDay(day)
                   ? count(view->portfolio->days()[static_cast<std::size_t>(day)].number)
                   : QString();
    };
    column.key = [dayOf](int row) { return QVariant(dayOf(row)); };
    // A table's rows go by day: by index into days(), or into trades(), which follow the days.
    column.inRowOrder = true;
    return column;
}

Column dateColumn(const ViewPtr& view, std::function<int(int)> dayOf)
{
    Column column;
    column.header = dateHeader();
    column.number = false;
    column.text = [view, dayOf](int row) {
        const int day = dayOf(row);
        return view->hasDay(day) ? date(view->portfolio->days()[static_cast<std::size_t>(day)].date)
                                 : QString();
    };
    column.key = [dayOf](int row) { return QVariant(dayOf(row)); };
    column.inRowOrder = true;
    return column;
}

// A column of figures: its text made by `shown`, sorted on the value, coloured by its sign when
// `coloured`.
Column figureColumn(const QString& header, std::function<game::Figure(int)> value,
                    QString (*shown)(game::Figure), bool coloured = false)
{
    Column column;
    column.header = header;
    column.text = [value, shown](int row) { return shown(value(row)); };
    column.key = [value](int row) {
        const game::Figure v = value(row);
        return v ? QVariant(*v) : QVariant();
    };
    if (coloured) {
        column.sign = [value](int row) { return sign(value(row)); };
    }
    return column;
}

int identity(int row)
{
    return row;
}

// A sentence in place of an empty table: wrapped, selectable, at the top.
QLabel* emptyLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(12);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString companiesHeld(int count)
{
    return QCoreApplication::translate("ui::LedgerWindow", "%n società", nullptr, count);
}

// A history page's chart: its ranges and a per-cent box above a hint, then the chart over its
// table, parted by a splitter the player can move. The objects are named after `name`.
struct ChartAndTable {
    TimeChart* chart;
    QCheckBox* percent;
    QLabel* hint;
    TableModel* model;
    QTableView* table;
};

ChartAndTable chartAndTable(QWidget* page, QBoxLayout* into, const QString& name)
{
    ChartAndTable parts{};
    auto* controls = new QHBoxLayout;
    parts.chart = new TimeChart(page);
    parts.chart->setObjectName(name + QStringLiteral("Chart"));
    auto* ranges = new TimeChartRanges(parts.chart, page);
    ranges->setObjectName(name + QStringLiteral("Ranges"));
    parts.percent = new QCheckBox(page);
    parts.percent->setObjectName(name + QStringLiteral("Percent"));
    controls->addWidget(ranges);
    controls->addWidget(parts.percent);
    controls->addStretch(1);
    into->addLayout(controls);
    parts.hint = new QLabel(page);
    parts.hint->setObjectName(name + QStringLiteral("Hint"));
    parts.hint->setWordWrap(true);
    into->addWidget(parts.hint);
    auto* split = new QSplitter(Qt::Vertical, page);
    split->setChildrenCollapsible(false);
    split->addWidget(parts.chart);
    parts.model = new TableModel(page);
    parts.table =
        makeTable(parts.model, name + QStringLiteral("History"), 0, Qt::DescendingOrder, split);
    parts.table->horizontalHeader()->setStretchLastSection(true);
    split->addWidget(parts.table);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    into->addWidget(split, 1);
    return parts;
}

} // namespace

// ---- Holdings ----

HoldingsPage::HoldingsPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("holdingsNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    m_stack = new QStackedWidget(this);
    m_model = new TableModel(this);
    m_table = makeTable(m_model, QStringLiteral("holdings"), 0, Qt::AscendingOrder, m_stack);
    m_empty = emptyLabel(m_stack);
    m_empty->setObjectName(QStringLiteral("holdingsEmpty"));
    m_stack->addWidget(m_table);
    m_stack->addWidget(m_empty);
    layout->addWidget(m_stack, 1);
}

void HoldingsPage::show(const ViewPtr& view)
{
    m_table->setAccessibleName(tr("Titoli posseduti"));
    const game::Portfolio& portfolio = *view->portfolio;
    const auto& rows = view->holdings.rows;
    const int count = static_cast<int>(rows.size());
    const auto row = [view](int r) -> const game::HoldingRow* {
        return static_cast<std::size_t>(r) < view->holdings.rows.size()
                   ? &view->holdings.rows[static_cast<std::size_t>(r)]
                   : nullptr;
    };
    const game::HoldingTotals& totals = view->holdings.totals;
    const auto figure = [row, totals](game::Figure game::HoldingRow::*field,
                                      game::Figure game::HoldingTotals::*total) {
        return [row, totals, field, total](int r) -> game::Figure {
            if (const game::HoldingRow* h = row(r)) {
                return h->*field;
            }
            return total != nullptr ? totals.*total : std::nullopt;
        };
    };
    const auto unknownTip = [row, totals](int r) {
        const game::HoldingRow* h = row(r);
        return (h != nullptr ? !h->costKnown : totals.leftOut > 0) ? unknownCostTip() : QString();
    };

    std::vector<Column> columns;
    Column name;
    name.header = tr("Società");
    name.number = false;
    name.text = [row, totals](int r) {
        if (const game::HoldingRow* h = row(r)) {
            return company(h->company);
        }
        return totals.leftOut == 0 ? tr("Totale")
                                   : tr("Totale (senza %1 di costo non noto)")
                                         .arg(companiesHeld(static_cast<int>(totals.leftOut)));
    };
    name.key = [row](int r) {
        const game::HoldingRow* h = row(r);
        return h != nullptr ? QVariant(company(h->company)) : QVariant();
    };
    columns.push_back(name);
    Column held;
    held.header = tr("Azioni");
    held.text = [row](int r) {
        const game::HoldingRow* h = row(r);
        return h != nullptr ? shares(h->shares) : QString();
    };
    held.key = [row](int r) {
        const game::HoldingRow* h = row(r);
        return h != nullptr ? QVariant(h->shares) : QVariant();
    };
    columns.push_back(held);
    Column price = figureColumn(tr("Prezzo"), figure(&game::HoldingRow::price, nullptr), money);
    price.text = [row](int r) {
        const game::HoldingRow* h = row(r);
        return h != nullptr ? money(h->price) : QString();
    };
    columns.push_back(price);
    Column average =
        figureColumn(tr("Costo medio"), figure(&game::HoldingRow::averageCost, nullptr), money);
    average.headerTip = tr("Costo medio di un'azione");
    average.text = [row](int r) {
        const game::HoldingRow* h = row(r);
        return h != nullptr ? money(h->averageCost) : QString();
    };
    average.tip = unknownTip;
    columns.push_back(average);
    Column cost = figureColumn(
        tr("Costo"), figure(&game::HoldingRow::totalCost, &game::HoldingTotals::totalCost), money);
    cost.tip = unknownTip;
    cost.headerTip = tr("Costo totale: la liquidità che gli acquisti di queste azioni hanno preso");
    columns.push_back(cost);
    Column value = figureColumn(
        tr("Valore"), figure(&game::HoldingRow::marketValue, &game::HoldingTotals::marketValue),
        money);
    value.headerTip = tr("Valore di mercato: le azioni al prezzo di oggi");
    columns.push_back(value);
    Column gain =
        figureColumn(tr("Guadagno"), figure(&game::HoldingRow::gain, &game::HoldingTotals::gain),
                     signedMoney, true);
    gain.tip = unknownTip;
    gain.headerTip = tr("Guadagno o perdita non realizzato: il valore meno il costo");
    columns.push_back(gain);
    Column percent = figureColumn(tr("Guadagno %"),
                                  figure(&game::HoldingRow::percent, &game::HoldingTotals::percent),
                                  signedPercent, true);
    percent.tip = unknownTip;
    columns.push_back(percent);
    Column weight =
        figureColumn(tr("Peso"), figure(&game::HoldingRow::weight, nullptr), ledger::percent);
    weight.headerTip = tr("La parte del valore di tutti i titoli");
    weight.text = [row, count](int r) {
        const game::HoldingRow* h = row(r);
        return h != nullptr ? ledger::percent(h->weight)
                            : (count > 0 ? ledger::percent(100.0) : QString());
    };
    columns.push_back(weight);
    m_model->reset(count + 1, std::move(columns), true);

    // Just after a win the portfolio starts again with cash alone.
    QString note;
    const std::vector<game::WinDay> wins = game::winDays(portfolio);
    const bool afterWin =
        view->live() && !portfolio.portfolios().empty() &&
        portfolio.portfolios().back().start == game::PortfolioSpan::Start::Win &&
        portfolio.portfolios().back().endTrade == portfolio.portfolios().back().firstTrade;
    if (afterWin && !wins.empty()) {
        note = tr("Hai vinto il %1 con %2: il portafoglio riparte da %3 di liquidità.")
                   .arg(date(portfolio.days()[wins.back().day].date), money(wins.back().netWorth),
                        money(game::readNumber(game::kStartCash)));
    }
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    if (count == 0) {
        m_empty->setText(view->live()
                             ? tr("Non possiedi azioni. Per comprarne, scegli una società nella "
                                  "finestra del gioco, scrivi la quantità e premi «Comprare».")
                             : tr("La partita è finita senza azioni in portafoglio."));
    }
    m_stack->setCurrentWidget(count == 0 ? static_cast<QWidget*>(m_empty) : m_table);
}

// ---- Net worth ----

WorthPage::WorthPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    const ChartAndTable parts = chartAndTable(this, layout, QStringLiteral("worth"));
    m_chart = parts.chart;
    m_percent = parts.percent;
    m_hint = parts.hint;
    m_model = parts.model;
    m_table = parts.table;
    connect(m_percent, &QCheckBox::toggled, this, [this](bool on) {
        m_chart->setMode(on ? ChartMode::PercentChange : ChartMode::Values);
    });
    retranslate();
}

void WorthPage::retranslate()
{
    m_percent->setText(tr("&Variazione percentuale"));
    m_chart->setAccessibleName(tr("Grafico del patrimonio netto"));
    m_table->setAccessibleName(tr("Cronologia del patrimonio netto"));
}

void WorthPage::show(const ViewPtr& view)
{
    const game::Portfolio& portfolio = *view->portfolio;
    m_chart->setData(netWorthChart(portfolio, chartDays(portfolio)));
    const std::size_t days = portfolio.days().size();
    m_hint->setText(days <= 1
                        ? tr("La linea del grafico comincia dal secondo giorno: premi il "
                             "pulsante della data nella finestra del gioco per andare avanti.")
                        : QString());
    m_hint->setVisible(days <= 1);

    const auto day = [view](int row) -> const game::LedgerDay* {
        return view->hasDay(row) ? &view->portfolio->days()[static_cast<std::size_t>(row)]
                                 : nullptr;
    };
    std::vector<Column> columns;
    columns.push_back(dayColumn(view, identity));
    columns.push_back(dateColumn(view, identity));
    columns.push_back(figureColumn(
        tr("Patrimonio netto"),
        [day](int row) {
            const game::LedgerDay* d = day(row);
            return d != nullptr ? d->netWorth() : std::nullopt;
        },
        money));
    const auto change = [view](int row) {
        return view->hasDay(row)
                   ? game::netWorthChange(*view->portfolio, static_cast<std::size_t>(row))
                   : game::Change{};
    };
    Column amount = figureColumn(
        tr("Variazione"), [change](int row) { return change(row).amount; }, signedMoney, true);
    const QString noChange =
        tr("Nessuna variazione: è il primo giorno di un portafoglio (l'inizio, "
           "dopo una vittoria o dopo un'interruzione).");
    amount.tip = [view, noChange](int row) {
        return row > 0 && view->hasDay(row) &&
                       !game::netWorthChange(*view->portfolio, static_cast<std::size_t>(row)).amount
                   ? noChange
                   : QString();
    };
    columns.push_back(amount);
    columns.push_back(figureColumn(
        tr("Var. %"), [change](int row) { return change(row).percent; }, signedPercent, true));
    columns.back().headerTip = tr("Variazione percentuale dal giorno prima");
    columns.push_back(figureColumn(
        tr("Liquidità"),
        [day](int row) {
            const game::LedgerDay* d = day(row);
            return d != nullptr ? game::Figure(d->cash) : std::nullopt;
        },
        money));
    Column trades;
    trades.header = tr("Operazioni");
    trades.text = [view](int row) {
        if (!view->hasDay(row)) {
            return QString();
        }
        const auto [first, last] =
            game::tradesOnDay(*view->portfolio, static_cast<std::size_t>(row));
        return last > first ? count(static_cast<std::int64_t>(last - first)) : QString();
    };
    trades.key = [view](int row) {
        if (!view->hasDay(row)) {
            return QVariant();
        }
        const auto [first, last] =
            game::tradesOnDay(*view->portfolio, static_cast<std::size_t>(row));
        return QVariant(static_cast<qlonglong>(last - first));
    };
    columns.push_back(trades);
    Column notes;
    notes.header = tr("Note");
    notes.number = false;
    notes.text = [day](int row) {
        const game::LedgerDay* d = day(row);
        QStringList parts;
        if (d != nullptr && d->afterGap) {
            parts << tr("dopo un'interruzione");
        }
        if (d != nullptr && d->win) {
            parts << tr("vittoria");
        }
        return parts.join(QStringLiteral(", "));
    };
    columns.push_back(notes);
    m_model->reset(static_cast<int>(days), std::move(columns));
    keepNewestInView(m_table, 0);
}

// ---- Prices ----

PricesPage::PricesPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    m_companiesLabel = new QLabel(this);
    m_companies = new QListWidget(this);
    m_companies->setObjectName(QStringLiteral("companies"));
    m_companiesLabel->setBuddy(m_companies);
    for (int i = 0; i < game::kCompanyCount; ++i) {
        auto* item = new QListWidgetItem(company(i), m_companies);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_companies->setCurrentRow(0);
    // As narrow as the longest name allows: the chart takes the rest.
    m_companies->setMaximumWidth(m_companies->sizeHintForColumn(0) + 40);
    m_companies->setMinimumWidth(m_companies->maximumWidth());
    m_companiesHint = new QLabel(this);
    m_companiesHint->setWordWrap(true);
    side->addWidget(m_companiesLabel);
    side->addWidget(m_companies, 1);
    side->addWidget(m_companiesHint);
    layout->addLayout(side);

    auto* main = new QVBoxLayout;
    const ChartAndTable parts = chartAndTable(this, main, QStringLiteral("price"));
    m_chart = parts.chart;
    m_percent = parts.percent;
    m_hint = parts.hint;
    m_model = parts.model;
    m_table = parts.table;
    layout->addLayout(main, 1);

    // A company's box adds it to those shown or takes it away (Space, or a click on the box);
    // a double click or Enter shows it alone.
    connect(m_companies, &QListWidget::itemChanged, this, [this] { redraw(); });
    connect(m_companies, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { choose({m_companies->row(item)}); });
    connect(m_percent, &QCheckBox::toggled, this, [this] { redraw(); });
    retranslate();
}

void PricesPage::retranslate()
{
    m_companiesLabel->setText(tr("So&cietà da mostrare:"));
    m_companies->setAccessibleName(tr("Società da mostrare"));
    m_companiesHint->setText(
        tr("Spazio aggiunge o toglie una società; Invio o un doppio clic la mostra da sola."));
    m_percent->setText(tr("V&ariazione percentuale"));
    m_chart->setAccessibleName(tr("Grafico dei prezzi"));
    m_table->setAccessibleName(tr("Cronologia dei prezzi"));
}

std::vector<int> PricesPage::chosen() const
{
    std::vector<int> companies;
    for (int i = 0; i < m_companies->count(); ++i) {
        if (m_companies->item(i)->checkState() == Qt::Checked) {
            companies.push_back(i);
        }
    }
    return companies;
}

void PricesPage::choose(const std::vector<int>& companies)
{
    const QSignalBlocker quiet(m_companies);
    for (int i = 0; i < m_companies->count(); ++i) {
        const bool on = std::find(companies.begin(), companies.end(), i) != companies.end();
        m_companies->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    if (!companies.empty()) {
        m_companies->setCurrentRow(companies.front());
    }
    m_chosenOnce = true;
    redraw();
}

void PricesPage::show(const ViewPtr& view)
{
    m_view = view;
    if (!m_chosenOnce) {
        // At first the largest holding, or the first company.
        int largest = 0;
        double most = -1;
        for (const game::HoldingRow& row : view->holdings.rows) {
            if (row.marketValue.value_or(0) > most) {
                most = row.marketValue.value_or(0);
                largest = row.company;
            }
        }
        choose({largest});
        return;
    }
    redraw();
}

void PricesPage::redraw()
{
    if (!m_view) {
        return;
    }
    const ViewPtr view = m_view;
    const std::vector<int> companies = chosen();
    // Several companies are compared by their change from the first day shown.
    const bool several = companies.size() > 1;
    {
        const QSignalBlocker quiet(m_percent);
        if (several) {
            m_percent->setChecked(true);
        }
        m_percent->setEnabled(!several);
    }
    m_chart->setMode(m_percent->isChecked() ? ChartMode::PercentChange : ChartMode::Values);
    m_chart->setData(priceChart(*view->portfolio, chartDays(*view->portfolio), companies));
    m_hint->setText(companies.empty()
                        ? tr("Scegli una o più società nell'elenco: spazio la segna o la toglie.")
                        : QString());
    m_hint->setVisible(companies.empty());

    std::vector<Column> columns;
    columns.push_back(dayColumn(view, identity));
    columns.push_back(dateColumn(view, identity));
    for (const int c : companies) {
        const auto price = [view, c](int row) -> game::Figure {
            if (!view->hasDay(row) ||
                view->portfolio->days()[static_cast<std::size_t>(row)].hasFailed(c)) {
                return std::nullopt;
            }
            return view->portfolio->days()[static_cast<std::size_t>(row)]
                .prices[static_cast<std::size_t>(c)];
        };
        Column column = figureColumn(several ? company(c) : tr("Prezzo"), price, money);
        column.text = [view, c, price](int row) {
            if (view->hasDay(row) &&
                view->portfolio->days()[static_cast<std::size_t>(row)].hasFailed(c)) {
                return tr("Fallita");
            }
            return money(price(row));
        };
        columns.push_back(column);
    }
    if (companies.size() == 1) {
        const int c = companies.front();
        columns.push_back(figureColumn(
            tr("Variazione %"),
            [view, c](int row) {
                return view->hasDay(row)
                           ? game::priceChange(*view->portfolio, static_cast<std::size_t>(row), c)
                           : std::nullopt;
            },
            signedPercent, true));
        Column trades;
        trades.header = tr("Operazioni");
        trades.number = false;
        trades.text = [view, c](int row) {
            QStringList parts;
            if (view->hasDay(row)) {
                const auto [first, last] =
                    game::tradesOnDay(*view->portfolio, static_cast<std::size_t>(row));
                for (std::size_t t = first; t < last; ++t) {
                    const game::LedgerTrade& trade = view->portfolio->trades()[t];
                    if (trade.company == c) {
                        parts << (trade.buy ? tr("acquisto di %1") : tr("vendita di %1"))
                                     .arg(count(trade.quantity));
                    }
                }
            }
            return parts.join(QStringLiteral(", "));
        };
        columns.push_back(trades);
    }
    m_model->reset(companies.empty() ? 0 : static_cast<int>(view->portfolio->days().size()),
                   std::move(columns));
    keepNewestInView(m_table, 0);
}

// ---- Trades ----

TradesPage::TradesPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_stack = new QStackedWidget(this);
    m_model = new TableModel(this);
    m_table = makeTable(m_model, QStringLiteral("trades"), 0, Qt::DescendingOrder, m_stack);
    m_empty = emptyLabel(m_stack);
    m_empty->setObjectName(QStringLiteral("tradesEmpty"));
    m_stack->addWidget(m_table);
    m_stack->addWidget(m_empty);
    layout->addWidget(m_stack, 1);
}

void TradesPage::show(const ViewPtr& view)
{
    m_table->setAccessibleName(tr("Operazioni"));
    const auto trade = [view](int row) -> const game::LedgerTrade* {
        return view->hasTrade(row) ? &view->portfolio->trades()[static_cast<std::size_t>(row)]
                                   : nullptr;
    };
    // Trades sort by their order, which is the days' order.
    const auto dayOf = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        return t != nullptr ? static_cast<int>(t->day) : -1;
    };
    std::vector<Column> columns;
    Column day = dayColumn(view, dayOf);
    day.key = [](int row) { return QVariant(row); };
    columns.push_back(day);
    Column when = dateColumn(view, dayOf);
    when.key = day.key;
    columns.push_back(when);
    Column kind;
    kind.header = tr("Operazione");
    kind.number = false;
    kind.text = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        return t == nullptr ? QString() : t->buy ? tr("Acquisto") : tr("Vendita");
    };
    columns.push_back(kind);
    Column name;
    name.header = tr("Società");
    name.number = false;
    name.text = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        return t != nullptr ? company(t->company) : QString();
    };
    columns.push_back(name);
    Column quantity;
    quantity.header = tr("Quantità");
    quantity.text = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        return t != nullptr ? count(t->quantity) : QString();
    };
    quantity.key = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        return t != nullptr ? QVariant(t->quantity) : QVariant();
    };
    columns.push_back(quantity);
    const auto field = [trade](double game::LedgerTrade::*member) {
        return [trade, member](int row) -> game::Figure {
            const game::LedgerTrade* t = trade(row);
            return t != nullptr ? game::Figure(t->*member) : std::nullopt;
        };
    };
    columns.push_back(figureColumn(tr("Prezzo"), field(&game::LedgerTrade::price), money));
    Column amount = figureColumn(tr("Importo"), field(&game::LedgerTrade::amount), money);
    amount.tip = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        const game::Figure rounding = t != nullptr ? game::tradeRounding(*t) : std::nullopt;
        if (!rounding || sign(rounding) == 0) {
            return QString();
        }
        const QString product = tr("%1 × %2 fa %3")
                                    .arg(count(t->quantity), money(t->price),
                                         money(game::times(t->quantity, t->price)));
        const QString why =
            t->buy ? tr("L'acquisto è costato %1 (%2): prima di ogni operazione il gioco arrotonda "
                        "la liquidità all'unità, e dopo la tronca ai centesimi.")
                   : tr("La vendita ha reso %1 (%2): prima di ogni operazione il gioco arrotonda "
                        "la liquidità all'unità, e dopo la tronca ai centesimi.");
        return product + QStringLiteral(". ") + why.arg(money(t->amount), signedMoney(rounding));
    };
    columns.push_back(amount);
    columns.push_back(
        figureColumn(tr("Liquidità dopo"), field(&game::LedgerTrade::cashAfter), money));
    Column gain = figureColumn(
        tr("Realizzato"),
        [trade](int row) {
            const game::LedgerTrade* t = trade(row);
            return t != nullptr && !t->buy ? t->realised() : std::nullopt;
        },
        signedMoney, true);
    gain.text = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        return t == nullptr || t->buy ? QString() : signedMoney(t->realised());
    };
    gain.tip = [trade](int row) {
        const game::LedgerTrade* t = trade(row);
        return t != nullptr && !t->buy && !t->realised() ? unknownCostTip() : QString();
    };
    gain.headerTip = tr(
        "Guadagno realizzato: quanto la vendita ha reso meno il costo medio delle azioni vendute");
    columns.push_back(gain);
    const int rows = static_cast<int>(view->portfolio->trades().size());
    m_model->reset(rows, std::move(columns));
    if (rows == 0) {
        m_empty->setText(view->live()
                             ? tr("Nessuna operazione ancora: ogni acquisto e ogni vendita "
                                  "compaiono qui appena li fai, con il guadagno realizzato "
                                  "delle vendite.")
                             : tr("In questa partita non è stata fatta nessuna operazione."));
    }
    m_stack->setCurrentWidget(rows == 0 ? static_cast<QWidget*>(m_empty) : m_table);
    keepNewestInView(m_table, 0);
}

} // namespace ui::ledger
