// The player's ledger window.
#include "ui/ledger_window.h"

#include "game/portfolio_figures.h"
#include "game/texts.h"
#include "records/ledger.h"
#include "records/ledger_csv.h"
#include "session/app_info.h"
#include "ui/artwork.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

const QString kTitle = QStringLiteral("Registro del giocatore");
const QString kBuyText = QStringLiteral("Acquisto");
const QString kSellText = QStringLiteral("Vendita");

// A figure the ledger cannot know (a cost after a gap) or compute finitely.
const QString kUnknown = QStringLiteral("\u2014");

QString money(game::Figure value)
{
    return value ? QString::fromStdString(game::moneyText(*value)) : kUnknown;
}

QString signedMoney(game::Figure value)
{
    return value ? QString::fromStdString(game::signedMoneyText(*value)) : kUnknown;
}

QString percent(game::Figure value)
{
    return value ? QString::fromStdString(game::signedPercentText(*value)) + QLatin1Char('%') : kUnknown;
}

QString unknownCostTip()
{
    return QCoreApplication::translate("ui::LedgerWindow",
                                       "Il costo di queste azioni non è noto: il gioco è andato avanti senza il "
                                       "registro (salvataggi di una versione precedente o file rimessi a mano). "
                                       "Torna noto quando le azioni della società scendono a zero.");
}

QString company(int index)
{
    return QString::fromUtf8(
        std::string(game::companyTable()[static_cast<std::size_t>(index)].name));
}

QString noteText(const records::LedgerNote& note)
{
    const QString date = session::shownText(note.date);
    switch (note.kind) {
    case records::LedgerNote::Kind::None:
        break;
    case records::LedgerNote::Kind::Missing:
        return QStringLiteral(
                   "La cronologia inizia dal %1: i salvataggi precedenti non la contenevano.")
            .arg(date);
    case records::LedgerNote::Kind::Damaged:
        return QStringLiteral("Il registro salvato era danneggiato o non era del gioco: è "
                              "conservato come \"%1\" "
                              "e la cronologia riparte dal %2.")
            .arg(QString::fromStdString(note.file), date);
    case records::LedgerNote::Kind::Gap:
        return QStringLiteral(
                   "I file della partita sono andati avanti senza il registro: la cronologia ha "
                   "un'interruzione e riprende dal %1.")
            .arg(date);
    case records::LedgerNote::Kind::NotSaved:
        return QStringLiteral(
            "Il registro non si può salvare nella cartella di gioco: vale solo finché il gioco "
            "resta aperto.");
    }
    return {};
}

QTableView* makeTable(QAbstractItemModel* model, const QString& name, QWidget* parent)
{
    auto* table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setAccessibleName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Column widths from the first rows only: years of days must not be measured one by one.
    table->horizontalHeader()->setResizeContentsPrecision(100);
    return table;
}

QString dateOf(const game::LedgerDay& day)
{
    return QString::fromStdString(game::dateText(day.date));
}

QString tradeText(const game::Portfolio& portfolio, std::uint32_t index)
{
    const game::LedgerTrade& trade = portfolio.trades()[index];
    const game::LedgerDay& day = portfolio.days()[trade.day];
    return QStringLiteral("%1 dalla vendita di %2 azioni di %3 il %4 (giorno %5)")
        .arg(signedMoney(trade.realised()), QString::number(trade.quantity), company(trade.company),
             dateOf(day))
        .arg(day.number);
}

} // namespace

// ---- The table model ----

LedgerTableModel::LedgerTableModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers))
{
}

void LedgerTableModel::reset(int rows, Cell cell, Cell tip)
{
    beginResetModel();
    m_rows = rows;
    m_cell = std::move(cell);
    m_tip = std::move(tip);
    endResetModel();
}

int LedgerTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int LedgerTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant LedgerTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_cell) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return m_cell(index.row(), index.column());
    }
    if (role == Qt::ToolTipRole && m_tip) {
        const QString tip = m_tip(index.row(), index.column());
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    if (role == Qt::TextAlignmentRole && index.column() > 0) {
        return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant LedgerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size()) {
        return m_headers[section];
    }
    return {};
}

// ---- The chart ----

LedgerChart::LedgerChart(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(260, 160);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void LedgerChart::setValues(std::vector<double> values, std::vector<bool> marks)
{
    m_values = std::move(values);
    m_marks = std::move(marks);
    update();
}

void LedgerChart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor text = palette().color(QPalette::Text);
    const QFontMetrics metrics(font());
    if (m_values.empty()) {
        painter.setPen(text);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Nessun giorno nella cronologia"));
        return;
    }
    const auto [low, high] = std::minmax_element(m_values.begin(), m_values.end());
    double bottom = std::min(0.0, *low);
    double top = *high > bottom ? *high : bottom + 1;
    const QString topText = money(top);
    const QString bottomText = money(bottom);
    const int left =
        std::max(metrics.horizontalAdvance(topText), metrics.horizontalAdvance(bottomText)) + 10;
    const QRectF plot(left, metrics.height() / 2.0 + 4, width() - left - 10,
                      height() - metrics.height() * 2.0 - 8);
    if (plot.width() < 10 || plot.height() < 10) {
        return;
    }

    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setPen(text);
    painter.drawText(QRectF(0, plot.top() - metrics.height() / 2.0, left - 6, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, topText);
    painter.drawText(QRectF(0, plot.bottom() - metrics.height() / 2.0, left - 6, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, bottomText);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), metrics.height()),
                     Qt::AlignLeft, QStringLiteral("giorno 1"));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), metrics.height()),
                     Qt::AlignRight, QStringLiteral("oggi"));

    const std::size_t count = m_values.size();
    const auto point = [&](std::size_t i) {
        const double x = count > 1 ? plot.left() + plot.width() * static_cast<double>(i) /
                                                       static_cast<double>(count - 1)
                                   : plot.center().x();
        const double y = plot.bottom() - plot.height() * (m_values[i] - bottom) / (top - bottom);
        return QPointF(x, y);
    };
    QPainterPath path(point(0));
    for (std::size_t i = 1; i < count; ++i) {
        path.lineTo(point(i));
    }
    painter.setPen(QPen(QColor(0, 110, 60), 2));
    painter.drawPath(path);
    if (count == 1) {
        painter.drawEllipse(point(0), 3, 3);
    }
    painter.setPen(QPen(QColor(200, 120, 0), 2));
    for (std::size_t i = 0; i < m_marks.size() && i < count; ++i) {
        if (m_marks[i]) {
            painter.drawEllipse(point(i), 5, 5);
        }
    }
}

// ---- The window ----

LedgerWindow::LedgerWindow(session::Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session)
{
    // It follows every event of the game and every save's end.
    connect(&session, &session::Session::changed, this, &LedgerWindow::refresh);
    setObjectName(QStringLiteral("LedgerWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kTitle + QStringLiteral(" - ") + session::app::title());
    setWindowIcon(appIcon());

    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_summary->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_summary);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    layout->addWidget(tabs, 1);

    m_holdings = new LedgerTableModel(
        {QStringLiteral("Società"), QStringLiteral("Azioni"), QStringLiteral("Costo medio"),
         QStringLiteral("Costo totale"), QStringLiteral("Valore di mercato"),
         QStringLiteral("Guadagno o perdita"), QStringLiteral("%")},
        this);
    tabs->addTab(makeTable(m_holdings, QStringLiteral("Titoli posseduti"), tabs),
                 QStringLiteral("&Portafoglio"));

    auto* worth = new QSplitter(tabs);
    m_worthChart = new LedgerChart(worth);
    m_worthChart->setObjectName(QStringLiteral("worthChart"));
    m_worthChart->setAccessibleName(
        QStringLiteral("Grafico del patrimonio netto: i valori sono nella tabella accanto"));
    m_history = new LedgerTableModel({QStringLiteral("Giorno"), QStringLiteral("Data"),
                                      QStringLiteral("Patrimonio netto"), QStringLiteral("Note")},
                                     this);
    worth->addWidget(m_worthChart);
    worth->addWidget(
        makeTable(m_history, QStringLiteral("Cronologia del patrimonio netto"), worth));
    tabs->addTab(worth, QStringLiteral("Patrimonio &netto"));

    auto* pricesPage = new QWidget(tabs);
    auto* pricesLayout = new QVBoxLayout(pricesPage);
    m_company = new QComboBox(pricesPage);
    m_company->setObjectName(QStringLiteral("company"));
    m_company->setAccessibleName(QStringLiteral("Società"));
    for (int i = 0; i < game::kCompanyCount; ++i) {
        m_company->addItem(company(i));
    }
    pricesLayout->addWidget(m_company);
    auto* prices = new QSplitter(pricesPage);
    m_priceChart = new LedgerChart(prices);
    m_priceChart->setObjectName(QStringLiteral("priceChart"));
    m_priceChart->setAccessibleName(
        QStringLiteral("Grafico del prezzo: i valori sono nella tabella accanto"));
    m_prices = new LedgerTableModel(
        {QStringLiteral("Giorno"), QStringLiteral("Data"), QStringLiteral("Prezzo")}, this);
    prices->addWidget(m_priceChart);
    prices->addWidget(makeTable(m_prices, QStringLiteral("Cronologia del prezzo"), prices));
    pricesLayout->addWidget(prices, 1);
    tabs->addTab(pricesPage, QStringLiteral("P&rezzi"));
    connect(m_company, &QComboBox::currentIndexChanged, this, [this] { showCompany(); });

    m_trades = new LedgerTableModel(
        {QStringLiteral("Giorno"), QStringLiteral("Data"), QStringLiteral("Operazione"),
         QStringLiteral("Società"), QStringLiteral("Quantità"), QStringLiteral("Prezzo"),
         QStringLiteral("Importo"), QStringLiteral("Guadagno realizzato")},
        this);
    tabs->addTab(makeTable(m_trades, QStringLiteral("Operazioni"), tabs),
                 QStringLiteral("&Operazioni"));

    m_stats = new QLabel(tabs);
    m_stats->setObjectName(QStringLiteral("stats"));
    m_stats->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_stats->setMargin(12);
    m_stats->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_stats->setFocusPolicy(Qt::StrongFocus);
    tabs->addTab(m_stats, QStringLiteral("&Statistiche"));

    auto* buttons = new QHBoxLayout;
    auto* exportTradesButton = new QPushButton(QStringLiteral("Esporta le op&erazioni..."), this);
    exportTradesButton->setObjectName(QStringLiteral("exportTrades"));
    auto* exportHistoryButton = new QPushButton(QStringLiteral("Esporta la &cronologia..."), this);
    exportHistoryButton->setObjectName(QStringLiteral("exportHistory"));
    buttons->addStretch(1);
    buttons->addWidget(exportTradesButton);
    buttons->addWidget(exportHistoryButton);
    layout->addLayout(buttons);
    connect(exportTradesButton, &QPushButton::clicked, this, [this] { exportChosen(true); });
    connect(exportHistoryButton, &QPushButton::clicked, this, [this] { exportChosen(false); });

    resize(760, 520);
    refresh();
}

void LedgerWindow::refresh()
{
    const records::Ledger& ledger = m_session.ledger();
    const game::Portfolio& portfolio = ledger.portfolio();
    const game::GameState& state = m_session.state();

    const game::Figure worth = game::netWorthOf(state);
    const game::Figure yesterday = game::previousNetWorth(portfolio);
    QString realised = signedMoney(portfolio.realised());
    if (portfolio.unknownSales() > 0) {
        realised += QStringLiteral(" (%1 vendite di costo non noto escluse)").arg(portfolio.unknownSales());
    }
    m_summary->setText(
        QStringLiteral("Patrimonio netto: %1   (rispetto a ieri: %2)\n"
                       "Disponibilità liquida: %3   Guadagno realizzato: %4   Data: %5")
            .arg(money(worth), yesterday ? signedMoney(game::minus(worth, yesterday)) : QStringLiteral("-"),
                 session::shownText(state.cash), realised, session::shownText(state.date)));
    m_summary->setAccessibleName(m_summary->text());
    QString note = noteText(ledger.note);
    if (!m_session.ledgerSaved() && ledger.note.kind != records::LedgerNote::Kind::NotSaved) {
        note += (note.isEmpty() ? QString() : QStringLiteral("\n")) +
                noteText({records::LedgerNote::Kind::NotSaved, {}, {}});
    }
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());

    const game::HoldingsTable table = game::holdingsTable(portfolio, state);
    const auto rows = std::make_shared<game::HoldingsTable>(table);
    const int count = static_cast<int>(table.rows.size()) + 1;
    m_holdings->reset(
        count,
        [rows](int row, int column) -> QString {
            const bool total = static_cast<std::size_t>(row) >= rows->rows.size();
            if (total) {
                switch (column) {
                case 0:
                    return rows->totals.leftOut == 0
                               ? QStringLiteral("Totale")
                               : QStringLiteral("Totale (%1 di costo non noto escluse)").arg(rows->totals.leftOut);
                case 1:
                case 2:
                    return {};
                case 3:
                    return money(rows->totals.totalCost);
                case 4:
                    return money(rows->totals.marketValue);
                case 5:
                    return signedMoney(rows->totals.gain);
                default:
                    return percent(rows->totals.percent);
                }
            }
            const game::HoldingRow& r = rows->rows[static_cast<std::size_t>(row)];
            switch (column) {
            case 0:
                return company(r.company);
            case 1:
                return QString::fromStdString(game::numberText(r.shares));
            case 2:
                return money(r.averageCost);
            case 3:
                return money(r.totalCost);
            case 4:
                return money(r.marketValue);
            case 5:
                return signedMoney(r.gain);
            default:
                return percent(r.percent);
            }
        },
        [rows](int row, int column) -> QString {
            const bool total = static_cast<std::size_t>(row) >= rows->rows.size();
            const bool unknown = total ? rows->totals.leftOut > 0 : !rows->rows[static_cast<std::size_t>(row)].costKnown;
            return unknown && column >= 2 && column != 4 ? unknownCostTip() : QString();
        });

    const auto& days = portfolio.days();
    std::vector<double> values;
    std::vector<bool> marks;
    values.reserve(days.size());
    marks.reserve(days.size());
    for (const game::LedgerDay& day : days) {
        values.push_back(day.netWorth().value_or(0));
        marks.push_back(day.win);
    }
    m_worthChart->setValues(std::move(values), std::move(marks));
    m_history->reset(static_cast<int>(days.size()), [&portfolio](int row, int column) -> QString {
        // A box opened during an event can repaint before the next refresh: rows may be gone.
        if (static_cast<std::size_t>(row) >= portfolio.days().size()) {
            return {};
        }
        const game::LedgerDay& day = portfolio.days()[static_cast<std::size_t>(row)];
        switch (column) {
        case 0:
            return QString::number(day.number);
        case 1:
            return dateOf(day);
        case 2:
            return money(day.netWorth());
        default: {
            QStringList notes;
            if (day.afterGap) {
                notes << QStringLiteral("dopo un'interruzione");
            }
            if (day.win) {
                notes << QStringLiteral("vittoria");
            }
            return notes.join(QStringLiteral(", "));
        }
        }
    });
    showCompany();

    m_trades->reset(
        static_cast<int>(portfolio.trades().size()), [&portfolio](int row, int column) -> QString {
            if (static_cast<std::size_t>(row) >= portfolio.trades().size()) {
                return {};
            }
            const game::LedgerTrade& trade = portfolio.trades()[static_cast<std::size_t>(row)];
            const game::LedgerDay& day = portfolio.days()[trade.day];
            switch (column) {
            case 0:
                return QString::number(day.number);
            case 1:
                return dateOf(day);
            case 2:
                return trade.buy ? kBuyText : kSellText;
            case 3:
                return company(trade.company);
            case 4:
                return QString::number(trade.quantity);
            case 5:
                return QString::fromStdString(game::numberText(trade.price));
            case 6:
                return money(trade.amount);
            default:
                return trade.buy ? QString() : signedMoney(trade.realised());
            }
        });

    const game::LedgerFigures stats = game::ledgerFigures(portfolio);
    const QString none = QStringLiteral("nessuna");
    QString left;
    if (stats.salesUnknown > 0) {
        left = QStringLiteral("\n(%1 vendite di costo non noto escluse)").arg(stats.salesUnknown);
    }
    m_stats->setText(
        QStringLiteral("Giorni giocati: %1\nOperazioni fatte: %2\nMiglior operazione chiusa: %3\n"
                       "Peggior operazione chiusa: %4%5\nPatrimonio netto più alto: %6\nVittorie: %7")
            .arg(QString::number(stats.days), QString::number(stats.trades),
                 stats.bestSale ? tradeText(portfolio, *stats.bestSale) : none,
                 stats.worstSale ? tradeText(portfolio, *stats.worstSale) : none, left,
                 stats.highest ? QStringLiteral("%1 il %2 (giorno %3)")
                                     .arg(money(stats.highest), dateOf(days[stats.highestDay]))
                                     .arg(days[stats.highestDay].number)
                               : QStringLiteral("-"),
                 QString::number(m_session.wins())));
    m_stats->setAccessibleName(m_stats->text());
}

void LedgerWindow::showCompany()
{
    const game::Portfolio& portfolio = m_session.ledger().portfolio();
    const int index = std::max(0, m_company->currentIndex());
    std::vector<double> values;
    values.reserve(portfolio.days().size());
    for (const game::LedgerDay& day : portfolio.days()) {
        values.push_back(day.prices[static_cast<std::size_t>(index)]);
    }
    m_priceChart->setValues(std::move(values));
    m_priceChart->setAccessibleDescription(m_company->currentText());
    m_prices->reset(
        static_cast<int>(portfolio.days().size()), [&portfolio, index](int row, int column) -> QString {
            if (static_cast<std::size_t>(row) >= portfolio.days().size()) {
                return {};
            }
            const game::LedgerDay& day = portfolio.days()[static_cast<std::size_t>(row)];
            switch (column) {
            case 0:
                return QString::number(day.number);
            case 1:
                return dateOf(day);
            default:
                return day.hasFailed(index)
                           ? QStringLiteral("Fallita")
                           : QString::fromStdString(game::numberText(day.prices[static_cast<std::size_t>(index)]));
            }
        });
}

bool LedgerWindow::writeFile(const QString& path, const std::string& bytes)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.flush() && file.commit();
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        m_session.dialogs().message(
            QStringLiteral("Non è stato possibile scrivere il file \"%1\": %2.").arg(path, reason),
            kTitle);
    }
    return written;
}

namespace {

std::string csvText(const char* text)
{
    return QCoreApplication::translate("ui::LedgerWindow", text).toStdString();
}

} // namespace

bool LedgerWindow::exportTrades(const QString& path)
{
    records::TradesCsvTexts texts;
    texts.header = {csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Giorno")),   csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Data")),   csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Data ISO")),
                    csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Operazione")), csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Società")), csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Quantità")),
                    csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Prezzo")),   csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Importo")), csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Guadagno realizzato"))};
    texts.buy = csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Acquisto"));
    texts.sell = csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Vendita"));
    return writeFile(path, records::tradesCsv(m_session.ledger().portfolio(), texts));
}

bool LedgerWindow::exportHistory(const QString& path)
{
    records::HistoryCsvTexts texts;
    texts.header = {csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Giorno")), csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Data")), csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Data ISO")), csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Disponibilità liquida")),
                    csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Patrimonio netto"))};
    texts.notes = csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Note"));
    texts.failed = csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "Fallita"));
    texts.afterGap = csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "dopo un'interruzione"));
    texts.win = csvText(QT_TRANSLATE_NOOP("ui::LedgerWindow", "vittoria"));
    return writeFile(path, records::historyCsv(m_session.ledger().portfolio(), texts));
}

void LedgerWindow::exportChosen(bool trades)
{
    const QString path = QFileDialog::getSaveFileName(
        this,
        trades ? QStringLiteral("Esporta le operazioni") : QStringLiteral("Esporta la cronologia"),
        trades ? QStringLiteral("operazioni.csv") : QStringLiteral("cronologia.csv"),
        QStringLiteral("File CSV (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    if (trades) {
        exportTrades(path);
    } else {
        exportHistory(path);
    }
}

} // namespace ui
