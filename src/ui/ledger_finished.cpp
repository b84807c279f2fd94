// The ledger's page of finished games.
#include "ui/ledger_finished.h"

#include "ui/ledger_texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ui::ledger {

using session::FinishedGame;

FinishedPage::FinishedPage(QWidget* parent)
    : QWidget(parent), m_games(std::make_shared<std::vector<FinishedGame>>())
{
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("finishedStatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    m_model = new TableModel(this);
    m_table = makeTable(m_model, QStringLiteral("finishedGames"), 0, Qt::DescendingOrder, this);
    layout->addWidget(m_table, 1);
    auto* buttons = new QHBoxLayout;
    m_open = new QPushButton(this);
    m_open->setObjectName(QStringLiteral("openFinished"));
    buttons->addWidget(m_open);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    // With no game to list the sentence stays at the top.
    layout->addStretch(0);
    connect(m_open, &QPushButton::clicked, this, &FinishedPage::askOpen);
    connect(m_table, &QTableView::activated, this, &FinishedPage::askOpen);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FinishedPage::updateButton);
    retranslate();
}

void FinishedPage::retranslate()
{
    m_open->setText(tr("&Apri in sola lettura"));
    m_table->setAccessibleName(tr("Partite finite"));
    show();
}

QString FinishedPage::problem(const FinishedGame& game)
{
    switch (game.state) {
    case FinishedGame::State::Waiting:
        return tr("in lettura…");
    case FinishedGame::State::Read:
        return {};
    case FinishedGame::State::Missing:
        return tr("non c'è più");
    case FinishedGame::State::NotAFile:
        return tr("non è un file (un collegamento, una cartella…): non viene letto");
    case FinishedGame::State::TooLarge:
        return tr("più grande di qualsiasi registro del gioco: non viene letto");
    case FinishedGame::State::Damaged:
        return tr("danneggiato alla riga %1").arg(count(static_cast<std::int64_t>(game.line)));
    case FinishedGame::State::Unreadable:
        return tr("non si può leggere: %1").arg(QString::fromLocal8Bit(game.detail));
    }
    return {};
}

void FinishedPage::listed(const session::FinishedList& list)
{
    m_listed = true;
    m_error = list.error;
    *m_games = list.games;
    show();
}

void FinishedPage::summarised(const std::vector<FinishedGame>& games)
{
    for (const FinishedGame& game : games) {
        for (FinishedGame& known : *m_games) {
            if (known.number == game.number) {
                known = game;
            }
        }
    }
    show();
}

void FinishedPage::opening(int number)
{
    m_status->setText(tr("Apertura della partita finita n. %1…").arg(number));
}

void FinishedPage::opened()
{
    m_status->setText(listStatus());
}

void FinishedPage::notOpened(const FinishedGame& game)
{
    m_status->setText(tr("La partita finita n. %1 (%2) non si può aprire: %3.")
                          .arg(game.number)
                          .arg(QString::fromStdString(game.name), problem(game)));
}

void FinishedPage::show()
{
    // The row the player is on stays the current one.
    int current = -1;
    if (const FinishedGame* game = gameAt(m_table->currentIndex())) {
        current = game->number;
    }
    const auto games = m_games;
    const auto entry = [games](int row) -> const FinishedGame& {
        return (*games)[static_cast<std::size_t>(row)];
    };
    const auto read = [entry](int row) { return entry(row).state == FinishedGame::State::Read; };
    std::vector<Column> columns;
    Column number;
    number.header = tr("N.");
    number.text = [entry](int row) { return count(entry(row).number); };
    number.key = [entry](int row) { return QVariant(entry(row).number); };
    columns.push_back(number);
    const auto dateColumn = [&](const QString& header,
                                std::optional<game::Date> game::LedgerSummary::*field) {
        Column column;
        column.header = header;
        column.number = false;
        column.text = [entry, read, field](int row) {
            const auto& when = entry(row).summary.*field;
            return read(row) && when ? date(*when) : QString();
        };
        column.key = [entry, read, field](int row) {
            const auto& when = entry(row).summary.*field;
            return read(row) && when ? QVariant(static_cast<qlonglong>(game::dayNumber(*when)))
                                     : QVariant();
        };
        return column;
    };
    columns.push_back(dateColumn(tr("Inizio"), &game::LedgerSummary::firstDate));
    columns.push_back(dateColumn(tr("Fine"), &game::LedgerSummary::lastDate));
    const auto countColumn = [&](const QString& header, std::size_t game::LedgerSummary::*field) {
        Column column;
        column.header = header;
        column.text = [entry, read, field](int row) {
            return read(row) ? count(static_cast<std::int64_t>(entry(row).summary.*field))
                             : QString();
        };
        column.key = [entry, read, field](int row) {
            return read(row) ? QVariant(static_cast<qulonglong>(entry(row).summary.*field))
                             : QVariant();
        };
        return column;
    };
    columns.push_back(countColumn(tr("Giorni"), &game::LedgerSummary::days));
    columns.push_back(countColumn(tr("Operazioni"), &game::LedgerSummary::trades));
    columns.push_back(countColumn(tr("Vittorie"), &game::LedgerSummary::wins));
    Column worth;
    worth.header = tr("Patrimonio finale");
    worth.text = [entry, read](int row) {
        return read(row) ? money(entry(row).summary.finalWorth) : QString();
    };
    worth.key = [entry, read](int row) {
        const game::Figure value = entry(row).summary.finalWorth;
        return read(row) && value ? QVariant(*value) : QVariant();
    };
    columns.push_back(worth);
    Column file;
    file.header = tr("File");
    file.number = false;
    file.text = [entry](int row) { return QString::fromStdString(entry(row).name); };
    file.key = [](int row) { return QVariant(row); };
    columns.push_back(file);
    Column state;
    state.header = tr("Stato");
    state.number = false;
    state.text = [entry](int row) { return problem(entry(row)); };
    columns.push_back(state);
    m_model->reset(static_cast<int>(m_games->size()), std::move(columns));

    for (int row = 0; row < m_table->model()->rowCount(); ++row) {
        const QModelIndex index = m_table->model()->index(row, 0);
        if (gameAt(index)->number == current || (current < 0 && row == 0)) {
            m_table->setCurrentIndex(index);
            break;
        }
    }

    m_status->setText(listStatus());
    m_table->setVisible(!m_games->empty());
    m_open->setVisible(!m_games->empty());
    updateButton();
}

QString FinishedPage::listStatus() const
{
    std::size_t waiting = 0;
    for (const FinishedGame& g : *m_games) {
        waiting += g.state == FinishedGame::State::Waiting ? 1 : 0;
    }
    QString status;
    if (!m_listed) {
        status = tr("Lettura dell'elenco delle partite finite…");
    } else if (m_error) {
        status = tr("La cartella di gioco non si può leggere: %1")
                     .arg(QString::fromLocal8Bit(m_error.detail));
    } else if (m_games->empty()) {
        status = tr("Nessuna partita finita in questa cartella. Quando inizi una nuova partita "
                    "(«Nuova Partita», F2), il registro di quella finita è conservato qui.");
    } else {
        status = tr("Partite finite in questa cartella: %1. Scegline una e premi «Apri in sola "
                    "lettura» (o Invio) per guardarla al posto della partita in corso.")
                     .arg(count(static_cast<std::int64_t>(m_games->size())));
        if (waiting > 0) {
            status +=
                QLatin1Char(' ') +
                tr("Ne restano da leggere %1.").arg(count(static_cast<std::int64_t>(waiting)));
        }
    }
    return status;
}

const FinishedGame* FinishedPage::gameAt(const QModelIndex& index) const
{
    const int row = index.isValid() ? m_model->sourceRow(index.row()) : -1;
    return row >= 0 && static_cast<std::size_t>(row) < m_games->size()
               ? &(*m_games)[static_cast<std::size_t>(row)]
               : nullptr;
}

void FinishedPage::updateButton()
{
    const FinishedGame* game = gameAt(m_table->currentIndex());
    m_open->setEnabled(game != nullptr && game->state == FinishedGame::State::Read);
}

void FinishedPage::askOpen()
{
    const FinishedGame* game = gameAt(m_table->currentIndex());
    if (game == nullptr) {
        return;
    }
    if (game->state != FinishedGame::State::Read) {
        notOpened(*game);
        return;
    }
    emit openAsked(game->number);
}

} // namespace ui::ledger
