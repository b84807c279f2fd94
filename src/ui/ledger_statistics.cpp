// The ledger's statistics page.
#include "ui/ledger_statistics.h"

#include "game/game_state.h"
#include "game/portfolio_figures.h"
#include "ui/ledger_charts.h"
#include "ui/ledger_texts.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace ui::ledger {

namespace {

QLabel* valueLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// The label's text in the colour of a gain or a loss, the sign kept in the text.
void colour(QLabel* label, int sign)
{
    QPalette palette =
        label->parentWidget() != nullptr ? label->parentWidget()->palette() : label->palette();
    if (sign != 0) {
        const Tones t = tones(palette);
        palette.setColor(QPalette::WindowText, sign > 0 ? t.gain : t.loss);
    }
    label->setPalette(palette);
}

// The day a portfolio begins: its first day, or (a win's portfolio with no day yet) the win's.
std::optional<std::size_t> firstDayOf(const game::PortfolioSpan& span)
{
    if (span.endDay > span.firstDay) {
        return span.firstDay;
    }
    return span.firstDay > 0 ? std::optional<std::size_t>(span.firstDay - 1) : std::nullopt;
}

// The wins the page lists by name, the newest; the others are counted.
constexpr std::size_t kWinsListed = 10;

} // namespace

// The portfolios to choose from, one row each, its text made only when the list shows it: a
// ledger of a million wins or gaps costs the list no memory and no time of its own.
class PortfolioList final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setView(ViewPtr view)
    {
        beginResetModel();
        m_view = std::move(view);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_view
                   ? 0
                   : static_cast<int>(std::min<std::size_t>(m_view->portfolio->portfolios().size(),
                                                            std::numeric_limits<int>::max()));
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount() ||
            (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
            return {};
        }
        return text(static_cast<std::size_t>(index.row()));
    }

private:
    QString text(std::size_t i) const
    {
        const game::Portfolio& p = *m_view->portfolio;
        const game::PortfolioSpan& span = p.portfolios()[i];
        const std::optional<std::size_t> first = firstDayOf(span);
        const QString from = first ? date(p.days()[*first].date) : unknown();
        const QString to =
            span.endDay > span.firstDay ? date(p.days()[span.endDay - 1].date) : from;
        switch (span.end) {
        case game::PortfolioSpan::End::Open:
            return StatisticsPage::tr("n. %1: dal %2, in corso").arg(i + 1).arg(from);
        case game::PortfolioSpan::End::Win:
            return StatisticsPage::tr("n. %1: dal %2 al %3, chiuso da una vittoria")
                .arg(i + 1)
                .arg(from, to);
        case game::PortfolioSpan::End::Gap:
            return StatisticsPage::tr("n. %1: dal %2 al %3, chiuso da un'interruzione")
                .arg(i + 1)
                .arg(from, to);
        case game::PortfolioSpan::End::Finished:
            return StatisticsPage::tr("n. %1: dal %2 al %3, fino alla fine della partita")
                .arg(i + 1)
                .arg(from, to);
        }
        return {};
    }

    ViewPtr m_view;
};

StatisticsPage::StatisticsPage(QWidget* parent) : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("statisticsScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* inside = new QWidget(scroll);
    scroll->setWidget(inside);
    auto* layout = new QGridLayout(inside);

    auto* choice = new QHBoxLayout;
    m_choiceLabel = new QLabel(inside);
    m_portfolios = new QComboBox(inside);
    m_portfolios->setObjectName(QStringLiteral("portfolios"));
    m_portfolioList = new PortfolioList(this);
    m_portfolios->setModel(m_portfolioList);
    // Sized by a text's length, not by measuring every portfolio's; the row gives it the rest.
    m_portfolios->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_portfolios->setMinimumContentsLength(24);
    if (auto* list = qobject_cast<QListView*>(m_portfolios->view())) {
        list->setUniformItemSizes(true);
    }
    m_choiceLabel->setBuddy(m_portfolios);
    choice->addWidget(m_choiceLabel);
    choice->addWidget(m_portfolios, 1);
    layout->addLayout(choice, 0, 0, 1, 2);
    m_portfolioNote = valueLabel(inside);
    m_portfolioNote->setObjectName(QStringLiteral("portfolioNote"));
    layout->addWidget(m_portfolioNote, 1, 0, 1, 2);

    m_portfolioBox = new QGroupBox(inside);
    m_form = new QFormLayout(m_portfolioBox);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (Row row : {Row::Start, Row::Worth, Row::Return, Row::Progress, Row::Drawdown, Row::BestDay,
                    Row::WorstDay, Row::Sales, Row::Realised, Row::Trades, Row::Days}) {
        if (row == Row::Progress) {
            m_progress = new QProgressBar(m_portfolioBox);
            m_progress->setObjectName(QStringLiteral("progress"));
            m_progress->setRange(0, 1000);
            m_progress->setTextVisible(true);
            m_form->addRow(new QLabel(m_portfolioBox), m_progress);
            continue;
        }
        QLabel* label = valueLabel(m_portfolioBox);
        m_values[row] = label;
        m_form->addRow(new QLabel(m_portfolioBox), label);
    }
    layout->addWidget(m_portfolioBox, 2, 0);

    auto* heldBox = new QVBoxLayout;
    m_heldLabel = new QLabel(inside);
    m_heldModel = new TableModel(this);
    m_held = makeTable(m_heldModel, QStringLiteral("daysHeld"), 1, Qt::DescendingOrder, inside);
    m_held->setMinimumHeight(160);
    m_held->horizontalHeader()->setStretchLastSection(true);
    m_heldLabel->setBuddy(m_held);
    heldBox->addWidget(m_heldLabel);
    heldBox->addWidget(m_held, 1);
    layout->addLayout(heldBox, 2, 1);

    m_gameBox = new QGroupBox(inside);
    m_gameForm = new QFormLayout(m_gameBox);
    m_gameForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (QLabel** label :
         {&m_gameDays, &m_gameTrades, &m_gameWins, &m_bestSale, &m_worstSale, &m_highest}) {
        *label = valueLabel(m_gameBox);
        m_gameForm->addRow(new QLabel(m_gameBox), *label);
    }
    layout->addWidget(m_gameBox, 3, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setRowStretch(4, 1);

    connect(m_portfolios, &QComboBox::currentIndexChanged, this, [this] { redraw(); });
    retranslate();
}

QLabel* StatisticsPage::value(Row row)
{
    return m_values.at(row);
}

void StatisticsPage::set(Row row, const QString& text, int sign)
{
    QLabel* label = value(row);
    label->setText(text);
    colour(label, sign);
}

void StatisticsPage::retranslate()
{
    m_choiceLabel->setText(tr("Portafoglio &da guardare:"));
    m_portfolioBox->setTitle(tr("Questo portafoglio"));
    m_gameBox->setTitle(tr("Tutta la partita"));
    m_heldLabel->setText(tr("Tempo di possesso di o&gni società:"));
    m_held->setAccessibleName(tr("Tempo di possesso di ogni società"));
    const std::pair<Row, QString> names[] = {
        {Row::Start, tr("Inizio:")},
        {Row::Worth, tr("Patrimonio netto:")},
        {Row::Return, tr("Rendimento:")},
        {Row::Drawdown, tr("Ribasso massimo:")},
        {Row::BestDay, tr("Giorno migliore:")},
        {Row::WorstDay, tr("Giorno peggiore:")},
        {Row::Sales, tr("Vendite:")},
        {Row::Realised, tr("Guadagno realizzato:")},
        {Row::Trades, tr("Operazioni:")},
        {Row::Days, tr("Giorni:")},
    };
    for (const auto& [row, name] : names) {
        if (auto* label = qobject_cast<QLabel*>(m_form->labelForField(value(row)))) {
            label->setText(name);
        }
    }
    if (auto* label = qobject_cast<QLabel*>(m_form->labelForField(m_progress))) {
        label->setText(tr("Verso i %1 che vincono:")
                           .arg(count(static_cast<std::int64_t>(game::kWinningCash))));
    }
    const std::pair<QLabel*, QString> game[] = {
        {m_gameDays, tr("Giorni giocati:")},    {m_gameTrades, tr("Operazioni:")},
        {m_gameWins, tr("Vittorie:")},          {m_bestSale, tr("Vendita migliore:")},
        {m_worstSale, tr("Vendita peggiore:")}, {m_highest, tr("Patrimonio netto più alto:")},
    };
    for (const auto& [field, name] : game) {
        if (auto* label = qobject_cast<QLabel*>(m_gameForm->labelForField(field))) {
            label->setText(name);
        }
    }
    if (m_view) {
        show(m_view);
    }
}

void StatisticsPage::changeEvent(QEvent* event)
{
    // Gains and losses take their colours from the palette.
    if (event->type() == QEvent::PaletteChange && m_view) {
        redraw();
    }
    QWidget::changeEvent(event);
}

int StatisticsPage::portfolio() const
{
    return m_portfolios->currentIndex();
}

void StatisticsPage::choosePortfolio(int index)
{
    m_portfolios->setCurrentIndex(index);
}

void StatisticsPage::show(const ViewPtr& view)
{
    const bool followNewest = !m_view ||
                              m_portfolios->currentIndex() == m_portfolios->count() - 1 ||
                              view->portfolio != m_view->portfolio;
    m_view = view;
    {
        const QSignalBlocker quiet(m_portfolios);
        const int chosen = m_portfolios->currentIndex();
        fillPortfolios();
        m_portfolios->setCurrentIndex(
            followNewest || chosen >= m_portfolios->count() ? m_portfolios->count() - 1 : chosen);
    }
    redraw();
}

void StatisticsPage::fillPortfolios()
{
    m_portfolioList->setView(m_view);
}

void StatisticsPage::redraw()
{
    if (!m_view) {
        return;
    }
    const game::Portfolio& p = *m_view->portfolio;
    const int which = m_portfolios->currentIndex();
    const auto& spans = p.portfolios();
    const bool valid = which >= 0 && static_cast<std::size_t>(which) < spans.size();
    m_portfolioBox->setEnabled(valid);
    if (!valid) {
        m_portfolioNote->setText(tr("Il registro non ha ancora nessun giorno."));
        return;
    }
    const game::PortfolioSpan& span = spans[static_cast<std::size_t>(which)];
    const game::PortfolioFigures f = game::portfolioFigures(p, static_cast<std::size_t>(which));
    const auto dayText = [&p](std::uint32_t day) {
        return day < p.days().size() ? date(p.days()[day].date) : unknown();
    };

    QString note;
    if (span.start == game::PortfolioSpan::Start::Win && f.days == 0) {
        note =
            tr("Il portafoglio è appena ripartito dopo una vittoria: le sue cifre cominciano dal "
               "prossimo giorno. Le vittorie e il portafoglio chiuso sono qui sotto e nell'elenco "
               "dei portafogli.");
    } else if (span.start == game::PortfolioSpan::Start::Gap) {
        note =
            tr("Questo portafoglio comincia dopo un'interruzione del registro: le azioni che aveva "
               "allora non hanno un costo noto.");
    }
    m_portfolioNote->setText(note);
    m_portfolioNote->setVisible(!note.isEmpty());

    const std::optional<std::size_t> first = firstDayOf(span);
    QString start = first ? dayText(static_cast<std::uint32_t>(*first)) : unknown();
    if (span.start == game::PortfolioSpan::Start::Win && f.winDay) {
        start = tr("dopo la vittoria del %1, con %2").arg(dayText(*f.winDay), money(f.startWorth));
    } else {
        start = tr("%1, con %2").arg(start, money(f.startWorth));
    }
    set(Row::Start, start);
    set(Row::Worth, money(f.worth));
    set(Row::Return,
        f.gain ? tr("%1 (%2)").arg(signedMoney(f.gain), signedPercent(f.gainPercent)) : unknown(),
        sign(f.gain));
    const double progress = f.progress.value_or(0);
    m_progress->setValue(static_cast<int>(std::clamp(progress, 0.0, 100.0) * 10));
    m_progress->setFormat(percent(f.progress));
    m_progress->setAccessibleName(
        tr("Verso i %1 che vincono: %2")
            .arg(count(static_cast<std::int64_t>(game::kWinningCash)), percent(f.progress)));

    if (f.drawdown && f.drawdown->fall > 0) {
        set(Row::Drawdown,
            tr("%1 (%2), dal massimo del %3 al minimo del %4")
                .arg(signedMoney(-f.drawdown->fall),
                     signedPercent(f.drawdown->percent ? game::Figure(-*f.drawdown->percent)
                                                       : std::nullopt),
                     dayText(f.drawdown->peakDay), dayText(f.drawdown->troughDay)),
            -1);
    } else {
        set(Row::Drawdown,
            tr("nessuno: il patrimonio netto non è mai sceso sotto un massimo precedente"));
    }
    const auto dayLine = [&](const std::optional<game::DayChange>& change) {
        return change ? tr("%1 il %2").arg(signedMoney(change->change), dayText(change->day))
                      : tr("serve almeno un secondo giorno nel portafoglio");
    };
    set(Row::BestDay, dayLine(f.bestDay), f.bestDay ? sign(f.bestDay->change) : 0);
    set(Row::WorstDay, dayLine(f.worstDay), f.worstDay ? sign(f.worstDay->change) : 0);
    const std::size_t sales = f.salesWon + f.salesLost + f.salesEven;
    QString salesText = sales == 0 ? (f.salesUnknown > 0 ? tr("nessuna con un costo noto")
                                                         : tr("nessuna"))
                                   : tr("%1 in guadagno, %2 in perdita, %3 in pari")
                                         .arg(count(static_cast<std::int64_t>(f.salesWon)),
                                              count(static_cast<std::int64_t>(f.salesLost)),
                                              count(static_cast<std::int64_t>(f.salesEven)));
    if (f.salesUnknown > 0) {
        salesText += QLatin1Char(' ') + tr("(vendite di costo non noto, escluse dai conti: %1)")
                                            .arg(count(static_cast<std::int64_t>(f.salesUnknown)));
    }
    set(Row::Sales, salesText);
    set(Row::Realised, signedMoney(f.realised), sign(f.realised));
    set(Row::Trades, count(static_cast<std::int64_t>(f.trades)));
    set(Row::Days, count(static_cast<std::int64_t>(f.days)));

    // The time each company was held, the longest first.
    const auto held = std::make_shared<std::vector<std::pair<int, std::size_t>>>();
    for (int c = 0; c < game::kCompanyCount; ++c) {
        if (f.daysHeld[static_cast<std::size_t>(c)] > 0) {
            held->push_back({c, f.daysHeld[static_cast<std::size_t>(c)]});
        }
    }
    const std::size_t days = f.days;
    std::vector<Column> columns;
    Column name;
    name.header = tr("Società");
    name.number = false;
    name.text = [held](int row) { return company((*held)[static_cast<std::size_t>(row)].first); };
    columns.push_back(name);
    Column number;
    number.header = tr("Giorni");
    number.text = [held](int row) {
        return count(static_cast<std::int64_t>((*held)[static_cast<std::size_t>(row)].second));
    };
    number.key = [held](int row) {
        return QVariant(static_cast<qulonglong>((*held)[static_cast<std::size_t>(row)].second));
    };
    columns.push_back(number);
    Column share;
    share.header = QStringLiteral("%");
    share.headerTip = tr("La parte dei giorni del portafoglio in cui la società è stata posseduta");
    const auto shareOf = [held, days](int row) {
        return game::percentOf(static_cast<double>((*held)[static_cast<std::size_t>(row)].second),
                               static_cast<double>(days));
    };
    share.text = [shareOf](int row) { return percent(shareOf(row)); };
    share.key = [shareOf](int row) { return QVariant(shareOf(row).value_or(0)); };
    columns.push_back(share);
    m_heldModel->reset(static_cast<int>(held->size()), std::move(columns));

    // The whole game.
    const game::LedgerFigures all = game::ledgerFigures(p);
    m_gameDays->setText(count(static_cast<std::int64_t>(all.days)));
    m_gameTrades->setText(count(static_cast<std::int64_t>(all.trades)));
    // The newest wins by name, the others counted: a line each would fill the page.
    const std::vector<game::WinDay> winList = game::winDays(p);
    const std::size_t firstListed = winList.size() > kWinsListed ? winList.size() - kWinsListed : 0;
    QStringList wins;
    if (firstListed > 0) {
        wins << tr("%1 in tutto; le ultime %2:")
                    .arg(count(static_cast<std::int64_t>(winList.size())))
                    .arg(kWinsListed);
    }
    for (std::size_t i = firstListed; i < winList.size(); ++i) {
        wins << tr("%1. il %2, con %3")
                    .arg(i + 1)
                    .arg(dayText(winList[i].day), money(winList[i].netWorth));
    }
    m_gameWins->setText(wins.isEmpty() ? tr("nessuna ancora") : wins.join(QLatin1Char('\n')));
    const auto saleLine = [&p, &all, &dayText](std::optional<std::uint32_t> index) {
        if (!index) {
            return all.sales > 0 ? tr("nessuna con un costo noto") : tr("nessuna");
        }
        const game::LedgerTrade& trade = p.trades()[*index];
        return tr("%1 dalla vendita di %2 %3 il %4")
            .arg(signedMoney(trade.realised()), count(trade.quantity), company(trade.company),
                 dayText(trade.day));
    };
    m_bestSale->setText(saleLine(all.bestSale));
    colour(m_bestSale, all.bestSale ? sign(p.trades()[*all.bestSale].realised()) : 0);
    m_worstSale->setText(saleLine(all.worstSale));
    colour(m_worstSale, all.worstSale ? sign(p.trades()[*all.worstSale].realised()) : 0);
    m_highest->setText(all.highest ? tr("%1 il %2").arg(money(all.highest), dayText(all.highestDay))
                                   : unknown());
}

QStringList StatisticsPage::lines() const
{
    QStringList lines;
    for (QFormLayout* form : {m_form, m_gameForm}) {
        for (int r = 0; r < form->rowCount(); ++r) {
            const auto* label =
                qobject_cast<QLabel*>(form->itemAt(r, QFormLayout::LabelRole)
                                          ? form->itemAt(r, QFormLayout::LabelRole)->widget()
                                          : nullptr);
            QWidget* field = form->itemAt(r, QFormLayout::FieldRole)
                                 ? form->itemAt(r, QFormLayout::FieldRole)->widget()
                                 : nullptr;
            QString value;
            if (const auto* text = qobject_cast<QLabel*>(field)) {
                value = text->text();
            } else if (const auto* bar = qobject_cast<QProgressBar*>(field)) {
                value = bar->text();
            }
            lines << (label != nullptr ? label->text() + QLatin1Char(' ') : QString()) + value;
        }
    }
    return lines;
}

} // namespace ui::ledger
