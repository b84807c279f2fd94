// The player's ledger window.
#include "ui/ledger_window.h"

#include "game/texts.h"
#include "records/ledger.h"
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

QString money(double value)
{
    return QString::fromStdString(records::moneyText(value));
}

QString signedMoney(double value)
{
    const QString text = money(value);
    return text.startsWith(QLatin1Char('-')) || text == QStringLiteral("0,00")
               ? text
               : QLatin1Char('+') + text;
}

QString percent(const std::optional<std::string>& text)
{
    return text ? QString::fromStdString(*text) + QLatin1Char('%') : QString();
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

QString tradeText(const records::TradeRecord& trade)
{
    return QStringLiteral("%1 dalla vendita di %2 azioni di %3 il %4 (giorno %5)")
        .arg(signedMoney(trade.realised), QString::fromStdString(game::numberText(trade.quantity)),
             company(trade.company), session::shownText(trade.date))
        .arg(trade.day);
}

} // namespace

// ---- The table model ----

LedgerTableModel::LedgerTableModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers))
{
}

void LedgerTableModel::reset(int rows, Cell cell)
{
    beginResetModel();
    m_rows = rows;
    m_cell = std::move(cell);
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
    const game::GameState& state = m_session.state();

    const double worth = records::netWorth(state);
    const std::optional<double> yesterday = ledger.previousNetWorth();
    m_summary->setText(
        QStringLiteral("Patrimonio netto: %1   (rispetto a ieri: %2)\n"
                       "Disponibilità liquida: %3   Guadagno realizzato: %4   Data: %5")
            .arg(money(worth), yesterday ? signedMoney(worth - *yesterday) : QStringLiteral("-"),
                 money(records::priceValue(state.cash)), signedMoney(ledger.realised()),
                 session::shownText(state.date)));
    m_summary->setAccessibleName(m_summary->text());
    QString note = noteText(ledger.note);
    if (!m_session.ledgerSaved() && ledger.note.kind != records::LedgerNote::Kind::NotSaved) {
        note += (note.isEmpty() ? QString() : QStringLiteral("\n")) +
                noteText({records::LedgerNote::Kind::NotSaved, {}, {}});
    }
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());

    const std::vector<records::HoldingRow> rows = records::holdingRows(ledger, state);
    m_holdings->reset(static_cast<int>(rows.size()), [rows](int row, int column) -> QString {
        const records::HoldingRow& r = rows[static_cast<std::size_t>(row)];
        const bool total = r.company < 0;
        switch (column) {
        case 0:
            return total ? QStringLiteral("Totale") : company(r.company);
        case 1:
            return total ? QString() : QString::fromStdString(game::numberText(r.shares));
        case 2:
            return total || r.totalCost == 0 ? QString() : money(r.averageCost);
        case 3:
            return money(r.totalCost);
        case 4:
            return money(r.marketValue);
        case 5:
            return signedMoney(r.gain);
        default:
            return percent(r.percent);
        }
    });

    const auto& days = ledger.days();
    std::vector<double> values;
    std::vector<bool> marks;
    values.reserve(days.size());
    marks.reserve(days.size());
    for (const records::DayRecord& day : days) {
        values.push_back(day.netWorth);
        marks.push_back(day.win);
    }
    m_worthChart->setValues(std::move(values), std::move(marks));
    m_history->reset(static_cast<int>(days.size()), [&ledger](int row, int column) -> QString {
        // A box opened during an event can repaint before the next refresh: rows may be gone.
        if (static_cast<std::size_t>(row) >= ledger.days().size()) {
            return {};
        }
        const records::DayRecord& day = ledger.days()[static_cast<std::size_t>(row)];
        switch (column) {
        case 0:
            return QString::number(day.number);
        case 1:
            return session::shownText(day.date);
        case 2:
            return money(day.netWorth);
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
        static_cast<int>(ledger.trades().size()), [&ledger](int row, int column) -> QString {
            if (static_cast<std::size_t>(row) >= ledger.trades().size()) {
                return {};
            }
            const records::TradeRecord& trade = ledger.trades()[static_cast<std::size_t>(row)];
            switch (column) {
            case 0:
                return QString::number(trade.day);
            case 1:
                return session::shownText(trade.date);
            case 2:
                return trade.buy ? kBuyText : kSellText;
            case 3:
                return company(trade.company);
            case 4:
                return QString::fromStdString(game::numberText(trade.quantity));
            case 5:
                return session::shownText(trade.price);
            case 6:
                return money(trade.amount);
            default:
                return trade.buy ? QString() : signedMoney(trade.realised);
            }
        });

    const records::LedgerStats stats = records::ledgerStats(ledger);
    const QString none = QStringLiteral("nessuna");
    m_stats->setText(
        QStringLiteral("Giorni giocati: %1\nOperazioni fatte: %2\nMiglior operazione chiusa: %3\n"
                       "Peggior operazione chiusa: %4\nPatrimonio netto più alto: %5\nVittorie: %6")
            .arg(QString::number(stats.days), QString::number(stats.trades),
                 stats.best ? tradeText(*stats.best) : none,
                 stats.worst ? tradeText(*stats.worst) : none,
                 stats.highestDay > 0 ? QStringLiteral("%1 il %2 (giorno %3)")
                                            .arg(money(stats.highest), session::shownText(stats.highestDate))
                                            .arg(stats.highestDay)
                                      : QStringLiteral("-"),
                 QString::number(m_session.wins())));
    m_stats->setAccessibleName(m_stats->text());
}

void LedgerWindow::showCompany()
{
    const records::Ledger& ledger = m_session.ledger();
    const int index = std::max(0, m_company->currentIndex());
    const auto at = static_cast<std::size_t>(index);
    std::vector<double> values;
    values.reserve(ledger.days().size());
    for (const records::DayRecord& day : ledger.days()) {
        values.push_back(records::priceValue(day.prices[at]));
    }
    m_priceChart->setValues(std::move(values));
    m_priceChart->setAccessibleDescription(m_company->currentText());
    m_prices->reset(
        static_cast<int>(ledger.days().size()), [&ledger, at](int row, int column) -> QString {
            if (static_cast<std::size_t>(row) >= ledger.days().size()) {
                return {};
            }
            const records::DayRecord& day = ledger.days()[static_cast<std::size_t>(row)];
            switch (column) {
            case 0:
                return QString::number(day.number);
            case 1:
                return session::shownText(day.date);
            default:
                return session::shownText(day.prices[at]).trimmed();
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

bool LedgerWindow::exportTrades(const QString& path)
{
    return writeFile(path, records::tradesCsv(m_session.ledger()));
}

bool LedgerWindow::exportHistory(const QString& path)
{
    return writeFile(path, records::historyCsv(m_session.ledger()));
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
