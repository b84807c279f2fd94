// The player's ledger window: its header of figures, its tabs, its keys, its place on the screen
// and its exports.
#include "ui/ledger_window.h"

#include "game/portfolio_figures.h"
#include "platform/file_sync.h"
#include "records/ledger.h"
#include "records/ledger_csv.h"
#include "session/app_info.h"
#include "ui/artwork.h"
#include "ui/ledger_finished.h"
#include "ui/ledger_pages.h"
#include "ui/ledger_statistics.h"
#include "ui/ledger_texts.h"
#include "ui/window_look.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

using namespace ledger;

namespace {

// The size the window opens at where the screen has room, and the least it takes: every page
// stays usable in it, and with its frame it fits an 800 x 600 screen.
constexpr QSize kOpeningSize(940, 660);
constexpr QSize kLeastSize(620, 460);
// Beside the main window it may be narrower than it opens, down to this: every table then still
// shows its main columns.
constexpr int kNarrowestBeside = 760;

// Keeps the pages the size of the view that shows them, down to their least size, below which
// the view scrolls. It lives on the view and touches nothing else, so it outlasts no one.
class PagesFollowView final : public QObject {
public:
    PagesFollowView(QWidget* view, QWidget* pages) : QObject(view), m_view(view), m_pages(pages)
    {
        view->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_view && event->type() == QEvent::Resize && m_pages) {
            m_pages->resize(m_view->size().expandedTo(m_pages->minimumSize()));
        }
        return false;
    }

private:
    QWidget* m_view;
    QPointer<QWidget> m_pages;
};

std::string utf8(const QString& text)
{
    return text.toStdString();
}

} // namespace

LedgerWindow::LedgerWindow(session::Session& session, LedgerWindowSeams seams, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session), m_seams(std::move(seams)),
      m_settings(m_seams.settingsFile)
{
    setObjectName(QStringLiteral("LedgerWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(appIcon());
    setMinimumSize(kLeastSize);
    // The pages in a scroll area that fills the window: where the window is at least its least
    // size nothing scrolls; on a screen smaller than that, the pages do.
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    m_contents = new QScrollArea(this);
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->setFrameShape(QFrame::NoFrame);
    m_contents->setFocusPolicy(Qt::NoFocus);
    m_contents->viewport()->setFocusPolicy(Qt::NoFocus);
    // The pages take the area's size, never below their least: not the height their wrapped
    // texts would ask for at that width, which would make a roomy window scroll.
    m_contents->setWidgetResizable(false);
    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("pages"));
    area->setMinimumSize(kLeastSize);
    whole->addWidget(m_contents);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && m_contents->widget()->isAncestorOf(now)) {
            const QRect place(now->mapTo(m_contents->widget(), QPoint(0, 0)), now->size());
            m_contents->ensureVisible(place.center().x(), place.center().y(),
                                      place.width() / 2 + 4, place.height() / 2 + 4);
        }
    });
    m_finishedGames = new session::FinishedGames(session.store(), m_seams.finishedGames,
                                                 records::kLargestRead, this);
    m_archiveSeen = session.finishedLedger();

    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    buildHeader(area);
    layout->addWidget(m_banner);
    auto* cards = new QGridLayout;
    cards->setSpacing(6);
    for (std::size_t i = 0; i < m_cards.size(); ++i) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("card%1").arg(i));
        frame->setFrameShape(QFrame::StyledPanel);
        auto* inside = new QVBoxLayout(frame);
        inside->setContentsMargins(8, 4, 8, 4);
        inside->setSpacing(0);
        Card& card = m_cards[i];
        card.caption = new QLabel(frame);
        card.value = new QLabel(frame);
        card.value->setObjectName(QStringLiteral("cardValue%1").arg(i));
        QFont big = card.value->font();
        big.setPointSizeF(big.pointSizeF() * 1.3);
        big.setBold(true);
        card.value->setFont(big);
        card.detail = new QLabel(frame);
        card.detail->setObjectName(QStringLiteral("cardDetail%1").arg(i));
        card.detail->setWordWrap(true);
        inside->addWidget(card.caption);
        inside->addWidget(card.value);
        inside->addWidget(card.detail);
        inside->addStretch(1);
        cards->addWidget(frame, 0, static_cast<int>(i));
        cards->setColumnStretch(static_cast<int>(i), 1);
    }
    layout->addLayout(cards);
    // The day, the way to the win and the export share a row.
    auto* where = new QHBoxLayout;
    where->addWidget(m_line);
    where->addWidget(m_progress, 1);
    where->addStretch(0); // takes the progress's room while it is hidden
    m_export = new QPushButton(this);
    m_export->setObjectName(QStringLiteral("export"));
    where->addWidget(m_export);
    layout->addLayout(where);
    layout->addWidget(m_note);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setDocumentMode(false);
    m_holdings = new HoldingsPage(m_tabs);
    m_worth = new WorthPage(m_tabs);
    m_prices = new PricesPage(m_tabs);
    m_trades = new TradesPage(m_tabs);
    m_statistics = new StatisticsPage(m_tabs);
    m_finished = new FinishedPage(m_tabs);
    for (QWidget* page : std::initializer_list<QWidget*>{m_holdings, m_worth, m_prices, m_trades,
                                                         m_statistics, m_finished}) {
        m_tabs->addTab(page, QString());
    }
    auto* menu = new QMenu(m_export);
    for (std::size_t i = 0; i < m_exports.size(); ++i) {
        m_exports[i] = menu->addAction(QString());
        connect(m_exports[i], &QAction::triggered, this,
                [this, i] { exportChosen(static_cast<Export>(i)); });
    }
    m_export->setMenu(menu);
    layout->addWidget(m_tabs, 1);
    m_contents->setWidget(area);
    new PagesFollowView(m_contents->viewport(), area);

    buildActions();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { showCurrentPage(); });
    connect(m_back, &QPushButton::clicked, this, &LedgerWindow::showPlaying);
    connect(m_finished, &FinishedPage::openAsked, this, [this](int number) {
        m_finished->opening(number);
        m_finishedGames->open(number);
    });
    connect(m_finishedGames, &session::FinishedGames::listed, m_finished, &FinishedPage::listed);
    connect(m_finishedGames, &session::FinishedGames::summarised, m_finished,
            &FinishedPage::summarised);
    connect(m_finishedGames, &session::FinishedGames::opened, this, &LedgerWindow::finishedOpened);
    // It follows every event of the game and every save's end.
    connect(&session, &session::Session::changed, this, &LedgerWindow::refresh);
    // A save's end changes no figure: only what is said of the saves.
    connect(&session, &session::Session::saved, this, &LedgerWindow::savesChanged);

    retranslate();
    place();
}

LedgerWindow::~LedgerWindow() = default;

void LedgerWindow::buildHeader(QWidget* area)
{
    m_banner = new QFrame(area);
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setFrameShape(QFrame::StyledPanel);
    m_banner->setBackgroundRole(QPalette::AlternateBase);
    m_banner->setAutoFillBackground(true);
    auto* banner = new QHBoxLayout(m_banner);
    m_bannerText = new QLabel(m_banner);
    m_bannerText->setObjectName(QStringLiteral("bannerText"));
    m_bannerText->setWordWrap(true);
    m_back = new QPushButton(m_banner);
    m_back->setObjectName(QStringLiteral("backToPlaying"));
    banner->addWidget(m_bannerText, 1);
    banner->addWidget(m_back);
    m_banner->hide();
    m_line = new QLabel(area);
    m_line->setObjectName(QStringLiteral("line"));
    m_progress = new QProgressBar(area);
    m_progress->setObjectName(QStringLiteral("headerProgress"));
    m_progress->setRange(0, 1000);
    m_progress->setMaximumHeight(m_line->fontMetrics().height() + 6);
    m_note = new QLabel(area);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
}

void LedgerWindow::buildActions()
{
    // The window's own keys and the game's menu keys, which work here as in the main window:
    // shortcuts of this window, so a table's own F2 (edit) never takes or doubles them.
    const auto key = [this](const QList<QKeySequence>& keys, std::function<void()> run) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [run = std::move(run)] {
            if (run) {
                run();
            }
        });
        addAction(action);
        return action;
    };
    m_close = key({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)},
                  [this] { close(); });
    key({QKeySequence(Qt::Key_F2)}, m_seams.newGame);
    key({QKeySequence(Qt::CTRL | Qt::Key_X)}, m_seams.leave);
    key({QKeySequence(Qt::CTRL | Qt::Key_H)}, m_seams.hallOfFame);
    key({QKeySequence(Qt::CTRL | Qt::Key_R)}, [this] {
        raise();
        activateWindow();
    });
}

void LedgerWindow::retranslate()
{
    m_tabs->setTabText(static_cast<int>(Tab::Holdings), tr("&Portafoglio"));
    m_tabs->setTabText(static_cast<int>(Tab::Worth), tr("Patrimonio &netto"));
    m_tabs->setTabText(static_cast<int>(Tab::Prices), tr("P&rezzi"));
    m_tabs->setTabText(static_cast<int>(Tab::Trades), tr("&Operazioni"));
    m_tabs->setTabText(static_cast<int>(Tab::Statistics), tr("&Statistiche"));
    m_tabs->setTabText(static_cast<int>(Tab::Finished), tr("Partite &finite"));
    m_tabs->tabBar()->setAccessibleName(tr("Schede del registro"));
    m_back->setText(tr("&Torna alla partita in corso"));
    m_export->setText(tr("&Esporta in CSV"));
    m_exports[static_cast<std::size_t>(Export::Holdings)]->setText(tr("I &titoli posseduti..."));
    m_exports[static_cast<std::size_t>(Export::Trades)]->setText(tr("Le &operazioni..."));
    m_exports[static_cast<std::size_t>(Export::History)]->setText(
        tr("La &cronologia del patrimonio e dei prezzi..."));
    m_worth->retranslate();
    m_prices->retranslate();
    m_statistics->retranslate();
    m_finished->retranslate();
    refresh();
}

void LedgerWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && m_tabs != nullptr) {
        retranslate();
    } else if (event->type() == QEvent::PaletteChange && m_tabs != nullptr) {
        // Gains and losses take their colours from the palette.
        refresh();
    }
    QWidget::changeEvent(event);
}

// ---- What is shown ----

void LedgerWindow::makeView()
{
    auto view = std::make_shared<View>();
    if (m_opened) {
        view->finished = m_opened;
        view->portfolio = m_opened.get();
        view->holdings = game::holdingsAtEnd(*m_opened);
        view->number = m_openedGame.number;
        view->name = m_openedGame.name;
    } else {
        view->portfolio = &m_session.ledger().portfolio();
        view->holdings = game::holdingsTable(*view->portfolio, m_session.state());
    }
    m_view = std::move(view);
}

void LedgerWindow::refresh()
{
    makeView();
    const QString title = tr("Registro del giocatore");
    setWindowTitle(m_view->live() ? title + QStringLiteral(" - ") + session::app::title()
                                  : tr("%1: partita finita n. %2").arg(title).arg(m_view->number) +
                                        QStringLiteral(" - ") + session::app::title());
    showHeader();
    m_stale.fill(true);
    showCurrentPage();
    savesChanged();
}

void LedgerWindow::savesChanged()
{
    showNote();
    // A finished game's save has ended since: the list shows it.
    if (m_session.finishedLedger() != m_archiveSeen) {
        m_archiveSeen = m_session.finishedLedger();
        if (m_listed) {
            m_finishedGames->list();
        }
    }
}

void LedgerWindow::setCard(Card& card, const QString& caption, const QString& value,
                           const QString& detail, int sign)
{
    card.caption->setText(caption);
    card.value->setText(value);
    card.detail->setText(detail);
    card.detail->setVisible(!detail.isEmpty());
    QPalette palette = this->palette();
    if (sign != 0) {
        const Tones t = tones(palette);
        palette.setColor(QPalette::WindowText, sign > 0 ? t.gain : t.loss);
    }
    card.detail->setPalette(palette);
    card.value->setAccessibleName(caption + QStringLiteral(": ") + value +
                                  (detail.isEmpty() ? QString() : QStringLiteral(", ") + detail));
}

void LedgerWindow::showHeader()
{
    const game::Portfolio& p = *m_view->portfolio;
    const auto& spans = p.portfolios();
    if (!m_view->live()) {
        const game::LedgerSummary summary = game::ledgerSummary(p);
        const QString from = summary.firstDate ? date(*summary.firstDate) : unknown();
        const QString to = summary.lastDate ? date(*summary.lastDate) : unknown();
        m_bannerText->setText(
            tr("Stai guardando la partita finita n. %1 («%2»), dal %3 al %4: sola "
               "lettura. La partita in corso va avanti intanto.")
                .arg(m_view->number)
                .arg(QString::fromStdString(m_view->name), from, to));
        m_banner->show();
        m_line->hide();
        const game::Figure start = game::readNumber(game::kStartCash);
        const std::vector<game::WinDay> wins = game::winDays(p);
        const QString lastWin = wins.empty() ? QString() : date(p.days()[wins.back().day].date);
        setCard(m_cards[0], tr("Patrimonio finale"), money(summary.finalWorth),
                summary.wins == 0
                    ? tr("%1 dall'inizio").arg(signedMoney(game::minus(summary.finalWorth, start)))
                    : tr("ultima vittoria il %1").arg(lastWin),
                summary.wins == 0 ? sign(game::minus(summary.finalWorth, start)) : 0);
        setCard(m_cards[1], tr("Giorni"), count(static_cast<std::int64_t>(summary.days)),
                QString());
        setCard(m_cards[2], tr("Operazioni"), count(static_cast<std::int64_t>(summary.trades)),
                QString());
        setCard(m_cards[3], tr("Vittorie"), count(static_cast<std::int64_t>(summary.wins)),
                QString());
        m_progress->hide();
        return;
    }
    m_banner->hide();
    const game::GameState& state = m_session.state();
    QString line = QString::fromStdString(state.date);
    if (!p.days().empty()) {
        line = tr("%1 · giorno %2 · portafoglio n. %3")
                   .arg(session::shownText(state.date), count(p.days().back().number))
                   .arg(spans.size());
    }
    m_line->setText(line);
    m_line->show();

    const game::Figure worth = game::netWorthOf(state);
    const game::Figure yesterday = game::previousNetWorth(p);
    const game::Figure change = game::minus(worth, yesterday);
    setCard(m_cards[0], tr("Patrimonio netto"), money(worth),
            yesterday
                ? tr("%1 (%2) da ieri")
                      .arg(signedMoney(change), signedPercent(game::percentOf(change, yesterday)))
                : tr("primo giorno di questo portafoglio"),
            yesterday ? sign(change) : 0);
    setCard(m_cards[1], tr("Liquidità"), money(game::readNumber(state.cash)), QString());
    const game::HoldingTotals& totals = m_view->holdings.totals;
    QString unrealised;
    if (!m_view->holdings.rows.empty()) {
        unrealised = tr("%1 (%2) non realizzato")
                         .arg(signedMoney(totals.gain), signedPercent(totals.percent));
        if (totals.leftOut > 0) {
            unrealised += QLatin1Char(' ') + tr("(senza %n società di costo non noto)", nullptr,
                                                static_cast<int>(totals.leftOut));
        }
    }
    setCard(m_cards[2], tr("Titoli"), money(totals.marketValue), unrealised, sign(totals.gain));
    QString realisedDetail = tr("in questo portafoglio");
    if (p.unknownSales() > 0) {
        realisedDetail +=
            QLatin1Char(' ') + tr("(vendite di costo non noto escluse: %1)")
                                   .arg(count(static_cast<std::int64_t>(p.unknownSales())));
    }
    setCard(m_cards[3], tr("Guadagno realizzato"), signedMoney(p.realised()), realisedDetail,
            sign(p.realised()));

    const game::Figure progress = spans.empty()
                                      ? game::percentOf(worth, game::kWinningCash)
                                      : game::portfolioFigures(p, spans.size() - 1).progress;
    m_progress->setValue(static_cast<int>(std::clamp(progress.value_or(0), 0.0, 100.0) * 10));
    const QString progressText =
        tr("Verso i %1 che vincono: %2")
            .arg(count(static_cast<std::int64_t>(game::kWinningCash)), percent(progress));
    m_progress->setFormat(tr("%1 verso la vittoria").arg(percent(progress)));
    m_progress->setToolTip(progressText);
    m_progress->setAccessibleName(progressText);
    m_progress->show();
}

void LedgerWindow::showNote()
{
    QStringList notes;
    if (m_view->live()) {
        const records::Ledger& ledger = m_session.ledger();
        const QString date = session::shownText(ledger.note.date);
        switch (ledger.note.kind) {
        case records::LedgerNote::Kind::None:
        case records::LedgerNote::Kind::NotSaved:
            break;
        case records::LedgerNote::Kind::Missing:
            notes << tr("La cronologia inizia dal %1: i salvataggi precedenti non la contenevano.")
                         .arg(date);
            break;
        case records::LedgerNote::Kind::Damaged:
            notes << tr("Il registro salvato era danneggiato o non era del gioco: è conservato "
                        "come «%1» "
                        "e la cronologia riparte dal %2.")
                         .arg(QString::fromStdString(ledger.note.file), date);
            break;
        case records::LedgerNote::Kind::Gap:
            notes
                << tr("I file della partita sono andati avanti senza il registro: la cronologia ha "
                      "un'interruzione e riprende dal %1.")
                       .arg(date);
            break;
        }
        if (!m_session.ledgerSaved() || ledger.note.kind == records::LedgerNote::Kind::NotSaved) {
            notes << tr(
                "Il registro non si può salvare nella cartella di gioco: vale solo finché il gioco "
                "resta aperto.");
        }
        // A new game: where the finished one went, while the new one is on its first day.
        if (!m_session.finishedLedger().empty() && ledger.portfolio().days().size() <= 1) {
            notes << tr("Il registro della partita finita è conservato come «%1» nella cartella di "
                        "gioco: "
                        "lo trovi nella scheda «Partite finite».")
                         .arg(QString::fromStdString(m_session.finishedLedger()));
        }
    }
    m_note->setText(notes.join(QLatin1Char('\n')));
    m_note->setVisible(!notes.isEmpty());
}

void LedgerWindow::showCurrentPage()
{
    const int index = m_tabs->currentIndex();
    if (index < 0 || !m_view || !m_stale[static_cast<std::size_t>(index)]) {
        return;
    }
    m_stale[static_cast<std::size_t>(index)] = false;
    switch (static_cast<Tab>(index)) {
    case Tab::Holdings:
        m_holdings->show(m_view);
        break;
    case Tab::Worth:
        m_worth->show(m_view);
        break;
    case Tab::Prices:
        m_prices->show(m_view);
        break;
    case Tab::Trades:
        m_trades->show(m_view);
        break;
    case Tab::Statistics:
        m_statistics->show(m_view);
        break;
    case Tab::Finished:
        // Read beside the window the first time the page is seen.
        if (!m_listed) {
            m_listed = true;
            m_finishedGames->list();
        }
        break;
    }
}

void LedgerWindow::showTab(Tab tab)
{
    m_tabs->setCurrentIndex(static_cast<int>(tab));
}

void LedgerWindow::finishedOpened(const session::OpenedGame& game)
{
    if (game.game.state != session::FinishedGame::State::Read || !game.portfolio) {
        m_finished->notOpened(game.game);
        return;
    }
    m_finished->opened();
    showFinished(game);
}

void LedgerWindow::showFinished(const session::OpenedGame& game)
{
    m_opened = game.portfolio;
    m_openedGame = game.game;
    refresh();
    showTab(Tab::Worth);
    m_tabs->tabBar()->setFocus(Qt::OtherFocusReason);
}

void LedgerWindow::showPlaying()
{
    m_opened.reset();
    refresh();
    m_tabs->tabBar()->setFocus(Qt::OtherFocusReason);
}

// ---- The window on the screen ----

void LedgerWindow::place()
{
    if (const std::optional<Place> kept = m_settings.place();
        kept && whollyOnAScreen(kept->frame)) {
        if (const QScreen* on = QGuiApplication::screenAt(kept->frame.center())) {
            const QSize frame = kept->frame.size() - kept->size;
            fitLeastSize(on->availableGeometry(), QMargins(0, 0, frame.width(), frame.height()));
        }
        resize(kept->size.expandedTo(minimumSize()));
        move(kept->frame.topLeft());
        if (kept->maximized) {
            setWindowState(windowState() | Qt::WindowMaximized);
        }
        return;
    }
    QWidget* main = m_seams.mainWindow;
    QScreen* screen = main != nullptr ? main->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    // The frame the system draws is not known before the window is shown: the main window's,
    // drawn by the same system, stands in for it, else a common one; the window is fitted
    // again once shown.
    QMargins frame(8, 32, 8, 8);
    if (main != nullptr && main->isVisible()) {
        const QRect outer = main->frameGeometry();
        const QRect inner = main->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    fitLeastSize(available, frame);
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = kOpeningSize.boundedTo(room).expandedTo(minimumSize());
    const QSize outer = size.grownBy(frame);
    const QRect at = main != nullptr && main->isVisible()
                         ? besideOrOver(main->frameGeometry(), outer,
                                        kNarrowestBeside + frame.left() + frame.right(), available)
                         : fitInside(QRect(available.topLeft(), outer), available);
    resize(at.size().shrunkBy(frame).expandedTo(minimumSize()));
    move(at.topLeft());
}

void LedgerWindow::fitLeastSize(const QRect& available, const QMargins& frame)
{
    setMinimumSize(kLeastSize.boundedTo(available.size().shrunkBy(frame)).expandedTo(QSize(1, 1)));
}

void LedgerWindow::fitFrame()
{
    // Now that the system has drawn its frame: a window that reaches past the free area of its
    // screen is brought inside it, and cut to it if larger.
    const QScreen* screen = this->screen();
    if (screen == nullptr || isMaximized() || isFullScreen()) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QRect frame = frameGeometry();
    if (available.contains(frame)) {
        return;
    }
    const QSize extra = frame.size() - size();
    fitLeastSize(available, QMargins(0, 0, extra.width(), extra.height()));
    if (frame.width() > available.width() || frame.height() > available.height()) {
        resize(size().boundedTo(available.size() - extra).expandedTo(minimumSize()));
    }
    move(fitInside(QRect(frame.topLeft(), size() + extra), available).topLeft());
}

void LedgerWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        m_tabs->tabBar()->setFocus(Qt::OtherFocusReason);
        QTimer::singleShot(0, this, [this] { fitFrame(); });
    }
}

void LedgerWindow::closeEvent(QCloseEvent* event)
{
    // Kept only where it lies wholly on a screen now: a place partly off every screen would
    // open the window out of reach next time.
    if (isMaximized()) {
        if (std::optional<Place> kept = m_settings.place()) {
            kept->maximized = true;
            m_settings.keepPlace(*kept);
        }
    } else if (whollyOnAScreen(frameGeometry())) {
        m_settings.keepPlace({frameGeometry(), size(), false});
    }
    QWidget::closeEvent(event);
}

// ---- Exports ----

bool LedgerWindow::exportTo(Export what, const QString& path)
{
    const game::Portfolio& portfolio = *m_view->portfolio;
    const auto text = [](const char* source) { return utf8(tr(source)); };
    std::string bytes;
    switch (what) {
    case Export::Trades: {
        records::TradesCsvTexts texts;
        texts.header = {text(QT_TR_NOOP("Giorno")),
                        text(QT_TR_NOOP("Data")),
                        text(QT_TR_NOOP("Data ISO")),
                        text(QT_TR_NOOP("Operazione")),
                        text(QT_TR_NOOP("Società")),
                        text(QT_TR_NOOP("Quantità")),
                        text(QT_TR_NOOP("Prezzo")),
                        text(QT_TR_NOOP("Importo")),
                        text(QT_TR_NOOP("Guadagno realizzato"))};
        texts.buy = text(QT_TR_NOOP("Acquisto"));
        texts.sell = text(QT_TR_NOOP("Vendita"));
        bytes = records::tradesCsv(portfolio, texts);
        break;
    }
    case Export::History: {
        records::HistoryCsvTexts texts;
        texts.header = {text(QT_TR_NOOP("Giorno")), text(QT_TR_NOOP("Data")),
                        text(QT_TR_NOOP("Data ISO")), text(QT_TR_NOOP("Liquidità")),
                        text(QT_TR_NOOP("Patrimonio netto"))};
        texts.notes = text(QT_TR_NOOP("Note"));
        texts.failed = text(QT_TR_NOOP("Fallita"));
        texts.afterGap = text(QT_TR_NOOP("dopo un'interruzione"));
        texts.win = text(QT_TR_NOOP("vittoria"));
        bytes = records::historyCsv(portfolio, texts);
        break;
    }
    case Export::Holdings: {
        records::HoldingsCsvTexts texts;
        texts.header = {text(QT_TR_NOOP("Data")),
                        text(QT_TR_NOOP("Data ISO")),
                        text(QT_TR_NOOP("Società")),
                        text(QT_TR_NOOP("Azioni")),
                        text(QT_TR_NOOP("Costo medio")),
                        text(QT_TR_NOOP("Costo totale")),
                        text(QT_TR_NOOP("Valore di mercato")),
                        text(QT_TR_NOOP("Guadagno o perdita")),
                        text(QT_TR_NOOP("Guadagno %"))};
        texts.total = text(QT_TR_NOOP("Totale"));
        const std::optional<game::Date> today =
            m_view->live()
                ? game::readDate(m_session.state().date)
                : (portfolio.days().empty() ? std::nullopt
                                            : std::optional(portfolio.days().back().date));
        bytes = records::holdingsCsv(m_view->holdings, today.value_or(game::Date{}), texts);
        break;
    }
    }
    QSaveFile file(path);
    QString unsynced;
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.flush() && (unsynced = platform::syncFileData(file)).isEmpty() &&
                         file.commit();
    if (!written) {
        const QString reason = unsynced.isEmpty() ? file.errorString() : unsynced;
        file.cancelWriting();
        m_session.dialogs().message(
            tr("Non è stato possibile scrivere il file «%1»: %2.").arg(path, reason),
            tr("Registro del giocatore"));
    }
    return written;
}

void LedgerWindow::exportChosen(Export what)
{
    QString title;
    QString name;
    switch (what) {
    case Export::Holdings:
        title = tr("Esporta i titoli posseduti");
        name = tr("titoli");
        break;
    case Export::Trades:
        title = tr("Esporta le operazioni");
        name = tr("operazioni");
        break;
    case Export::History:
        title = tr("Esporta la cronologia");
        name = tr("cronologia");
        break;
    }
    if (!m_view->live()) {
        name = tr("partita%1-%2").arg(m_view->number).arg(name);
    }
    const QString suggested =
        QDir(m_settings.exportFolder()).filePath(name + QStringLiteral(".csv"));
    const QString filter = tr("File CSV (*.csv)");
    const QString path = m_seams.chooseFile ? m_seams.chooseFile(this, title, suggested, filter)
                                            : chooseSaveFile(this, title, suggested, filter);
    if (path.isEmpty()) {
        return;
    }
    if (exportTo(what, path)) {
        m_settings.keepExportFolder(QFileInfo(path).absolutePath());
    }
}

} // namespace ui
