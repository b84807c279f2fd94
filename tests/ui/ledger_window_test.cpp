// The ledger window: opened from its menu item it follows trades, days, a win and a new game;
// its tables, keys, place, exports, empty histories and finished games; and every page of a
// long game fitted into the least size under light, dark and high-contrast schemes.
#include "played_game.h"

#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "records/autosave.h"
#include "records/names.h"
#include "session/saver.h"
#include "support/contrast.h"
#include "ui/language.h"
#include "ui/ledger_charts.h"
#include "ui/ledger_finished.h"
#include "ui/ledger_pages.h"
#include "ui/ledger_settings.h"
#include "ui/ledger_statistics.h"
#include "ui/ledger_window.h"
#include "ui/main_window.h"
#include "ui/time_chart.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString text(const QTableView* table, int row, int column, int role = Qt::DisplayRole)
{
    return table->model()->index(row, column).data(role).toString();
}

QTableView* tableOf(QWidget* window, const char* name)
{
    auto* table = window->findChild<QTableView*>(QString::fromLatin1(name));
    EXPECT_NE(table, nullptr) << name;
    return table;
}

// The narrow no-break space that groups thousands.
QString n(const char* grouped)
{
    return QString::fromUtf8(grouped)
        .replace(QLatin1Char('_'), QChar(0x202F))
        .replace(QLatin1Char('~'), QChar(0x2212));
}

// A ledger window over a played game, with every seam recorded.
struct LedgerWindowTest : ::testing::Test {
    void SetUp() override { game.session.load(); }
    void TearDown() override { delete window.data(); }

    ui::LedgerWindow* open()
    {
        ui::LedgerWindowSeams seams;
        seams.newGame = [this] {
            ++newGames;
            game.session.newGame();
        };
        seams.leave = [this] { ++leaves; };
        seams.hallOfFame = [this] { ++halls; };
        seams.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
        seams.chooseFile = [this](QWidget*, const QString& title, const QString& path,
                                  const QString&) {
            asked << title + QLatin1Char('|') + path;
            return answer;
        };
        seams.finishedGames = session::FinishedGames::Run::ByHand;
        window = new ui::LedgerWindow(game.session, seams);
        window->show();
        return window;
    }
    // The finished games' answers, delivered.
    void settleFinished()
    {
        while (window->finishedGames().step()) {
        }
        QCoreApplication::sendPostedEvents(&window->finishedGames());
    }

    QTemporaryDir dir;
    tests::PlayedGame game;
    QPointer<ui::LedgerWindow> window;
    int newGames = 0, leaves = 0, halls = 0;
    QStringList asked;
    QString answer;
};

} // namespace

TEST(LedgerWindowMenu, OpensFromItsMenuItemAndFollowsTradesDaysAWinAndANewGame)
{
    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};
    game::GameState state = game::startingState();
    state.companies[3].price = "50";
    state.cash = "100950,00"; // one sale away from a win
    for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
    QTemporaryDir dir;
    ui::Form1::Seams seams;
    seams.ledger.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
    seams.ledger.finishedGames = session::FinishedGames::Run::ByHand;
    auto form = std::make_unique<ui::Form1>(session, seams);
    QAction* item = form->findChild<QAction*>(QStringLiteral("registro"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    item->trigger();
    ui::LedgerWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* ledger = qobject_cast<ui::LedgerWindow*>(widget); ledger && ledger->isVisible()) {
            window = ledger;
        }
    }
    ASSERT_NE(window, nullptr);
    QPointer<ui::LedgerWindow> guard(window);
    item->trigger(); // already open: the same window comes to the front
    QTableView* holdings = tableOf(window, "holdings");
    EXPECT_EQ(holdings->model()->rowCount(), 1); // the total alone
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("note"))
                    ->text()
                    .contains(QStringLiteral("01 Gen 2002")));

    // A purchase of 20 at 50 shows at once: cost, value and the journal.
    form->findChild<QRadioButton*>(QStringLiteral("op1(3)"))->setChecked(true);
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("20"));
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Command2")), Qt::LeftButton);
    ASSERT_EQ(holdings->model()->rowCount(), 2);
    EXPECT_EQ(text(holdings, 0, 0), QStringLiteral("Tolva Image"));
    EXPECT_EQ(text(holdings, 0, 4), n("1_000,00"));
    window->showTab(ui::LedgerWindow::Tab::Trades);
    QTableView* trades = tableOf(window, "trades");
    ASSERT_EQ(trades->model()->rowCount(), 1);
    EXPECT_EQ(text(trades, 0, 2), QStringLiteral("Acquisto"));

    // A day moves the history on and reaches the side file with the six.
    for (int i = 0; i < game::kCompanyCount; ++i) {
        random.pushMove(0, 0, false);
    }
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Command4")), Qt::LeftButton);
    window->showTab(ui::LedgerWindow::Tab::Worth);
    QTableView* history = tableOf(window, "worthHistory");
    ASSERT_EQ(history->model()->rowCount(), 2);
    EXPECT_EQ(text(history, 0, 1), QStringLiteral("02 Gen 2002")); // the newest first
    saver.settle();
    EXPECT_TRUE(records::Ledger::parse(*store.get("Data.ledger"))->matches(session.state()));

    // A win closes the portfolio: the statistics list it, the holdings start again from cash.
    store.put("data6", "\"\"\r\n");
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("20"));
    dialogs.answerText(QStringLiteral("Anna"));
    QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("Command3")), Qt::LeftButton);
    window->showTab(ui::LedgerWindow::Tab::Holdings);
    EXPECT_EQ(holdings->model()->rowCount(), 1);
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("holdingsNote"))
                    ->text()
                    .startsWith(QStringLiteral("Hai vinto il 02 Gen 2002")));
    window->showTab(ui::LedgerWindow::Tab::Statistics);
    const QString stats = window->statistics()->lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(
        stats.contains(QStringLiteral("Vittorie: 1. il 02 Gen 2002, con ") + n("100_950,00")))
        << stats.toStdString();

    // A new game: the window says where the finished one went, and lists it.
    form->findChild<QAction*>(QStringLiteral("nuova"))->trigger();
    saver.settle();
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("note"))
                    ->text()
                    .contains(QStringLiteral("«Data.ledger.game1»")))
        << window->findChild<QLabel*>(QStringLiteral("note"))->text().toStdString();
    window->showTab(ui::LedgerWindow::Tab::Finished);
    while (window->finishedGames().step()) {
    }
    QCoreApplication::sendPostedEvents(&window->finishedGames());
    ASSERT_EQ(window->finished()->games().size(), 1u);
    EXPECT_EQ(window->finished()->games()[0].summary.days, 2u);
    form.reset();
    delete guard.data();
}

TEST_F(LedgerWindowTest, TablesAlignSortKeepTheTotalLastColourWithTheSignAndExplainRounding)
{
    game.play(60);
    open();
    QTableView* holdings = tableOf(window, "holdings");
    const int rows = holdings->model()->rowCount();
    ASSERT_GE(rows, 3);
    const auto align = [&](int column) {
        return holdings->model()->index(0, column).data(Qt::TextAlignmentRole).toInt() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(align(0), Qt::AlignLeft);
    for (int column = 1; column < holdings->model()->columnCount(); ++column) {
        EXPECT_EQ(align(column), Qt::AlignRight) << column;
    }
    EXPECT_TRUE(text(holdings, rows - 1, 0).startsWith(QStringLiteral("Totale")));
    EXPECT_TRUE(holdings->model()->index(rows - 1, 0).data(Qt::FontRole).value<QFont>().bold());
    // Sorted by gain either way, the total stays last, and gains and losses keep their sign.
    for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        holdings->sortByColumn(6, order);
        EXPECT_TRUE(text(holdings, rows - 1, 0).startsWith(QStringLiteral("Totale")));
        const QString first = text(holdings, 0, 6);
        const QString last = text(holdings, rows - 2, 6);
        EXPECT_NE(first, last);
        for (int row = 0; row < rows; ++row) {
            const QString gain = text(holdings, row, 6);
            const QVariant colour = holdings->model()->index(row, 6).data(Qt::ForegroundRole);
            if (gain.startsWith(QLatin1Char('+')) || gain.startsWith(QChar(0x2212))) {
                ASSERT_TRUE(colour.isValid()) << gain.toStdString();
                EXPECT_GE(support::contrast(colour.value<QColor>(),
                                            holdings->palette().color(QPalette::Base)),
                          4.5);
            }
        }
    }

    // The newest day stays in view while the history is sorted by day, either way.
    window->showTab(ui::LedgerWindow::Tab::Worth);
    QTableView* history = tableOf(window, "worthHistory");
    history->sortByColumn(0, Qt::AscendingOrder);
    game.day();
    EXPECT_EQ(history->verticalScrollBar()->value(), history->verticalScrollBar()->maximum());
    EXPECT_EQ(text(history, history->model()->rowCount() - 1, 1),
              QString::fromStdString(game.session.state().date));
    history->sortByColumn(2, Qt::AscendingOrder);
    history->verticalScrollBar()->setValue(3);
    game.day();
    EXPECT_EQ(history->verticalScrollBar()->value(), 3); // sorted otherwise, it stays put

    // A purchase whose amount is not quantity times price says why.
    window->showTab(ui::LedgerWindow::Tab::Trades);
    QTableView* trades = tableOf(window, "trades");
    int explained = 0;
    for (int row = 0; row < trades->model()->rowCount(); ++row) {
        const QString tip = text(trades, row, 6, Qt::ToolTipRole);
        explained += tip.contains(QStringLiteral("arrotonda la liquidità all'unità")) ? 1 : 0;
    }
    EXPECT_GT(explained, 0);
}

TEST_F(LedgerWindowTest, OnePressOfEachKeyDoesItsOneThingWhereverTheFocusIs)
{
    game.play(10);
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QTabWidget*>()->tabBar());

    // Tab reaches every control once, the tables included (a table takes Tab once).
    for (const ui::LedgerWindow::Tab tab :
         {ui::LedgerWindow::Tab::Holdings, ui::LedgerWindow::Tab::Worth,
          ui::LedgerWindow::Tab::Prices, ui::LedgerWindow::Tab::Statistics}) {
        window->showTab(tab);
        window->findChild<QTabWidget*>()->tabBar()->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 40 && !reached.contains(QApplication::focusWidget()); ++i) {
            reached << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->isVisibleTo(window) && control->focusPolicy() & Qt::TabFocus &&
                control->isEnabled() && !qobject_cast<QTabBar*>(control) &&
                control->window() == window &&
                window->findChild<QTabWidget*>()->currentWidget()->isAncestorOf(control)) {
                EXPECT_TRUE(reached.contains(control)) << control->objectName().toStdString() << " "
                                                       << control->metaObject()->className();
            }
        }
        EXPECT_TRUE(reached.contains(window->findChild<QPushButton*>(QStringLiteral("export"))));
    }

    // F2 on a table starts one new game, not two, and no edit.
    window->showTab(ui::LedgerWindow::Tab::Worth);
    QTableView* history = tableOf(window, "worthHistory");
    history->setFocus();
    QTest::keyClick(history, Qt::Key_F2);
    EXPECT_EQ(newGames, 1);
    QTest::keyClick(window->findChild<ui::TimeChart*>(QStringLiteral("worthChart")), Qt::Key_F2);
    EXPECT_EQ(newGames, 2);
    QTest::keyClick(history, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(history, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(halls, 1);
    QTest::keyClick(window->findChild<QTabWidget*>()->tabBar(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(window->isVisible());

    // Esc leaves a zoom of the chart first, then closes the window; Ctrl+W closes it too.
    for (int i = 0; i < 10; ++i) {
        game.day();
    }
    auto* chart = window->findChild<ui::TimeChart*>(QStringLiteral("worthChart"));
    chart->setFocus();
    chart->zoomTo(2, 6);
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_FALSE(chart->zoomed());
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(chart, Qt::Key_Escape);
    EXPECT_TRUE(window.isNull() || !window->isVisible());
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(window.isNull() || !window->isVisible());
}

TEST(LedgerPlace, BesideTheMainWindowWhereThereIsRoomElseOverItAndAKeptPlaceOnlyOnAScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    // Room on the right, then more on the left, then narrower room taken down to the narrowest,
    // then none: over it, inside the screen.
    EXPECT_EQ(ui::ledger::besideOrOver(QRect(100, 100, 640, 660), QSize(900, 660), 760, screen),
              QRect(748, 100, 900, 660));
    EXPECT_EQ(ui::ledger::besideOrOver(QRect(1000, 100, 640, 660), QSize(900, 660), 760, screen),
              QRect(92, 100, 900, 660));
    EXPECT_EQ(ui::ledger::besideOrOver(QRect(500, 100, 640, 660), QSize(900, 660), 760,
                                       QRect(0, 0, 1920, 1080)),
              QRect(1148, 100, 772, 660));
    EXPECT_EQ(
        ui::ledger::besideOrOver(QRect(640, 210, 640, 660), QSize(940, 660), 760, screen).topLeft(),
        QPoint(490, 210));
    const QRect over = ui::ledger::besideOrOver(QRect(100, 300, 640, 660), QSize(900, 900), 760,
                                                QRect(0, 0, 1280, 800));
    EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(over));
    EXPECT_EQ(over.size(), QSize(900, 800));
    // A kept place counts only where it lies wholly on a screen.
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_TRUE(ui::ledger::whollyOn(QRect(2000, 10, 900, 600), screens));
    EXPECT_FALSE(ui::ledger::whollyOn(QRect(1500, 10, 900, 600), screens)); // across two
    EXPECT_FALSE(ui::ledger::whollyOn(QRect(-5000, -5000, 900, 600), screens));
}

// On a screen smaller than the pages' least size (1280 x 800 at twice the scale leaves 640 x 400)
// the window takes that room and its pages scroll, every control Tab reaches coming into view;
// where there is room, nothing scrolls.
TEST_F(LedgerWindowTest, OnAScreenSmallerThanItsPagesItFitsAndEveryControlComesIntoView)
{
    game.play(10);
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->fitLeastSize(QRect(0, 0, 640, 400), QMargins(4, 28, 4, 4));
    window->resize(632, 368);
    ASSERT_EQ(window->size(), QSize(632, 368));
    QScrollArea* contents = window->contents();
    EXPECT_GT(contents->verticalScrollBar()->maximum(), 0);
    window->showTab(ui::LedgerWindow::Tab::Worth);
    QSet<QWidget*> reached;
    for (int i = 0; i < 40 && !reached.contains(QApplication::focusWidget()); ++i) {
        QWidget* now = QApplication::focusWidget();
        reached << now;
        const QRect shown(now->mapTo(contents->viewport(), QPoint(0, 0)),
                          now->size().boundedTo(contents->viewport()->size()));
        EXPECT_TRUE(contents->viewport()->rect().contains(shown)) << now->objectName().toStdString();
        QTest::keyClick(now, Qt::Key_Tab);
    }
    EXPECT_GT(reached.size(), 5);

    window->fitLeastSize(QRect(0, 0, 1280, 1024), QMargins(4, 28, 4, 4));
    window->resize(940, 660);
    EXPECT_EQ(contents->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(contents->horizontalScrollBar()->maximum(), 0);
}

TEST_F(LedgerWindowTest, KeepsItsPlaceOnlyOnAScreenAndExportsWhereThePlayerSays)
{
    game.play(40);
    // A place kept off every screen is not taken.
    ui::ledger::Settings settings(dir.filePath(QStringLiteral("settings.ini")));
    settings.keepPlace({QRect(-4000, -4000, 700, 500), QSize(680, 470), false});
    open();
    EXPECT_TRUE(ui::ledger::whollyOnAScreen(window->frameGeometry()))
        << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
        << window->frameGeometry().width() << "x" << window->frameGeometry().height() << " on "
        << QGuiApplication::primaryScreen()->geometry().width() << "x"
        << QGuiApplication::primaryScreen()->geometry().height();
    EXPECT_GE(window->width(), window->minimumWidth());
    // Closed where it lies on the screen, it comes back there.
    window->move(40, 30);
    window->resize(700, 520);
    const QRect frame = window->frameGeometry();
    window->close();
    ASSERT_TRUE(settings.place());
    EXPECT_EQ(settings.place()->frame, frame);
    open();
    EXPECT_EQ(window->frameGeometry().topLeft(), frame.topLeft());
    EXPECT_EQ(window->size(), QSize(700, 520));

    // The export suggests the documents folder, then the folder chosen last; every table goes.
    answer.clear();
    window->exportChosen(ui::LedgerWindow::Export::Trades);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].endsWith(settings.exportFolder() + QStringLiteral("/operazioni.csv")))
        << asked[0].toStdString();
    EXPECT_FALSE(settings.exportFolder().contains(QStringLiteral(".config")));
    QTemporaryDir out;
    answer = out.filePath(QStringLiteral("titoli.csv"));
    window->exportChosen(ui::LedgerWindow::Export::Holdings);
    window->exportChosen(ui::LedgerWindow::Export::History);
    EXPECT_EQ(settings.exportFolder(), out.path());
    QFile csv(answer);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines =
        QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(
        lines[0].startsWith(QStringLiteral("Giorno;Data;Data ISO;Liquidità;Patrimonio netto")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1;01 Gen 2002;2002-01-01;10000,00;10000,00")))
        << lines[1].toStdString();
    EXPECT_FALSE(window->exportTo(ui::LedgerWindow::Export::Trades,
                                  out.filePath(QStringLiteral("no/such/folder.csv"))));
    EXPECT_TRUE(game.dialogs.prompts().last().contains(QStringLiteral("folder.csv")));
}

TEST(LedgerExportDialog, WithoutADocumentsFolderSuggestsTheHomeNeverThePlayFolder)
{
    QTemporaryDir home;
    const QByteArray homeBefore = qgetenv("HOME");
    const QByteArray configBefore = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
    const QString suggested =
        ui::ledger::Settings(home.filePath(QStringLiteral("settings.ini"))).exportFolder();
    qputenv("HOME", homeBefore);
    qputenv("XDG_CONFIG_HOME", configBefore);
    if (configBefore.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    }
    EXPECT_EQ(suggested.toStdString(), home.path().toStdString());
}

TEST(LedgerExportDialog, LeavesNothingInTheUsersConfigurationFolder)
{
    QTemporaryDir config;
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
    EXPECT_TRUE(ui::ledger::chooseSaveFile(nullptr, QStringLiteral("x"),
                                           config.filePath(QStringLiteral("a.csv")),
                                           QStringLiteral("*.csv"))
                    .isEmpty());
    EXPECT_TRUE(QDir(config.path())
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty())
        << QDir(config.path())
               .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
               .join(QLatin1Char(' '))
               .toStdString();
    // Qt's own settings go where they went before the dialog.
    EXPECT_EQ(QSettings(QStringLiteral("x"), QStringLiteral("y")).fileName(),
              config.filePath(QStringLiteral("x/y.conf")));
    qputenv("XDG_CONFIG_HOME", before);
    if (before.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

TEST(LedgerScreens, EveryPageOfALongGameFitsTheLeastSizeUnderEveryScheme)
{
    // 400 days with trades, two wins and a gap, as a player would have them.
    tests::PlayedGame game;
    game.play(400);
    const game::Portfolio& played = game.session.ledger().portfolio();
    ASSERT_EQ(game::winDays(played).size(), 2u);
    ASSERT_EQ(played.gapShares().size(), 1u); // the cash file put back by hand
    if (const QString folder = qEnvironmentVariable("TOLV_PLAY_FOLDER_OUT"); !folder.isEmpty()) {
        for (const auto& [name, bytes] : game.store.files()) {
            QFile file(QDir(folder).filePath(QString::fromStdString(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        }
    }
    QTemporaryDir dir;
    ui::LedgerWindowSeams seams;
    seams.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
    seams.finishedGames = session::FinishedGames::Run::ByHand;
    QPointer<ui::LedgerWindow> window = new ui::LedgerWindow(game.session, seams);
    window->show();
    const QString shots = qEnvironmentVariable("TOLV_SCREENSHOTS");
    const std::vector<std::pair<const char*, QPalette>> schemes{
        {"light", QApplication::style()->standardPalette()},
        {"dark", QPalette(QColor(0x35, 0x35, 0x35))},
        {"high-contrast", QPalette(Qt::black)}};
    const QPalette system = QApplication::palette();
    const QSize least = window->minimumSize();
    EXPECT_LE(least.width(), 640);
    EXPECT_LE(least.height(), 480);
    for (const auto& [scheme, palette] : schemes) {
        QApplication::setPalette(palette);
        delete window.data();
        window = new ui::LedgerWindow(game.session, seams);
        window->show();
        for (int tab = 0; tab < 6; ++tab) {
            window->showTab(static_cast<ui::LedgerWindow::Tab>(tab));
            if (tab == 5) {
                while (window->finishedGames().step()) {
                }
                QCoreApplication::sendPostedEvents(&window->finishedGames());
            }
            const QSize needs = window->layout()->totalMinimumSize();
            EXPECT_LE(needs.width(), least.width()) << scheme << " tab " << tab;
            EXPECT_LE(needs.height(), least.height()) << scheme << " tab " << tab;
            for (const QSize size : {QSize(940, 660), least}) {
                window->resize(size);
                const QImage picture = window->grab().toImage();
                EXPECT_EQ(picture.size(), size * window->devicePixelRatio());
                if (!shots.isEmpty()) {
                    picture.save(QDir(shots).filePath(QStringLiteral("ledger-%1-%2-%3x%4.png")
                                                          .arg(QString::fromLatin1(scheme))
                                                          .arg(tab)
                                                          .arg(size.width())
                                                          .arg(size.height())));
                }
            }
        }
    }
    QApplication::setPalette(system);
    // In English, every page still fits the least size.
    ui::Language language(dir.filePath(QStringLiteral("language.ini")));
    language.apply(ui::Language::Choice::English);
    QCoreApplication::sendPostedEvents();
    for (int tab = 0; tab < 6; ++tab) {
        window->showTab(static_cast<ui::LedgerWindow::Tab>(tab));
        const QSize needs = window->layout()->totalMinimumSize();
        EXPECT_LE(needs.width(), least.width()) << "English tab " << tab;
        EXPECT_LE(needs.height(), least.height()) << "English tab " << tab;
        for (const QSize size : {QSize(940, 660), least}) {
            window->resize(size);
            if (!shots.isEmpty()) {
                window->grab().save(
                    QDir(shots).filePath(QStringLiteral("ledger-english-%1-%2x%3.png")
                                             .arg(tab)
                                             .arg(size.width())
                                             .arg(size.height())));
            }
        }
    }
    language.apply(ui::Language::Choice::Italian);
    QCoreApplication::sendPostedEvents();
    delete window.data();
}

TEST_F(LedgerWindowTest, EachPageSaysSomethingUsefulOnTheFirstDayAfterOneTradeAndJustAfterAWin)
{
    open();
    // The first day, nothing bought.
    const auto label = [this](const char* name) {
        return window->findChild<QLabel*>(QString::fromLatin1(name));
    };
    window->showTab(ui::LedgerWindow::Tab::Holdings);
    EXPECT_TRUE(label("holdingsEmpty")->isVisibleTo(window));
    EXPECT_TRUE(label("holdingsEmpty")->text().contains(QStringLiteral("«Comprare»")));
    window->showTab(ui::LedgerWindow::Tab::Worth);
    EXPECT_TRUE(label("worthHint")->isVisibleTo(window));
    window->showTab(ui::LedgerWindow::Tab::Trades);
    EXPECT_TRUE(
        label("tradesEmpty")->text().startsWith(QStringLiteral("Nessuna operazione ancora")));
    window->showTab(ui::LedgerWindow::Tab::Statistics);
    QString stats = window->statistics()->lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(stats.contains(
        QStringLiteral("Giorno migliore: serve almeno un secondo giorno nel portafoglio")));
    EXPECT_TRUE(stats.contains(QStringLiteral("Vendite: nessuna\n"))) << stats.toStdString();
    window->showTab(ui::LedgerWindow::Tab::Finished);
    settleFinished();
    EXPECT_TRUE(
        label("finishedStatus")->text().startsWith(QStringLiteral("Nessuna partita finita")));
    EXPECT_FALSE(window->finished()->table()->isVisibleTo(window));

    // One trade: the holding, its row in the journal, no sale yet.
    game.trade(2, true, 5);
    window->showTab(ui::LedgerWindow::Tab::Holdings);
    EXPECT_FALSE(label("holdingsEmpty")->isVisibleTo(window));
    window->showTab(ui::LedgerWindow::Tab::Trades);
    EXPECT_EQ(tableOf(window, "trades")->model()->rowCount(), 1);
    window->showTab(ui::LedgerWindow::Tab::Prices);
    EXPECT_EQ(window->prices()->chosen(), std::vector<int>{2}); // the holding's company

    // Just after a win: the holdings say it, the statistics show the closed portfolio's figures.
    game.play(140);
    ASSERT_EQ(game::winDays(game.session.ledger().portfolio()).size(), 1u);
    while (!game.session.ledger().portfolio().lastWasWin()) {
        game.day(); // the win falls on a day of its own; find the moment just after it
        if (game.session.ledger().portfolio().days().size() > 400) {
            break;
        }
    }
    window->showTab(ui::LedgerWindow::Tab::Statistics);
    stats = window->statistics()->lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(stats.contains(QStringLiteral("Vittorie: 1. il "))) << stats.toStdString();
    window->statistics()->choosePortfolio(0);
    stats = window->statistics()->lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(stats.contains(QStringLiteral("Ribasso massimo: ") + QChar(0x2212)))
        << stats.toStdString();
    // A day later the new portfolio names the day of the win it began after, not its own first.
    game.day();
    const game::Portfolio& played = game.session.ledger().portfolio();
    const std::string won = game::dateText(played.days()[game::winDays(played).at(0).day].date);
    window->statistics()->choosePortfolio(1);
    stats = window->statistics()->lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(stats.contains(QStringLiteral("Inizio: dopo la vittoria del ") +
                               QString::fromStdString(won)))
        << stats.toStdString();
}

// A ledger of thousands of wins (any file the game could have written from the files it takes):
// the page names the newest wins and counts the rest, and its list of portfolios holds them all
// without measuring each.
TEST_F(LedgerWindowTest, ThousandsOfWinsAreCountedNotEachWrittenOnThePage)
{
    std::string day = "D;01 Gen 2002;10000,00";
    for (const auto& company : game::companyTable()) {
        day += ';' + std::string(company.startPrice);
    }
    std::string ledger = "TolvStreet ledger 1\n";
    for (int i = 0; i < 3000; ++i) {
        ledger += day + "\nW;10000,00\n";
    }
    game.store.put("Data.ledger", ledger + day + "\n");
    game.session.load();
    ASSERT_EQ(game.session.ledger().portfolio().portfolios().size(), 3001u);
    open();
    window->showTab(ui::LedgerWindow::Tab::Statistics);
    const QStringList lines = window->statistics()->lines();
    const auto wins = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
        return line.startsWith(QStringLiteral("Vittorie: "));
    });
    ASSERT_NE(wins, lines.end());
    EXPECT_LE(wins->count(QLatin1Char('\n')), 10) << wins->left(300).toStdString();
    EXPECT_TRUE(wins->startsWith(QStringLiteral("Vittorie: 3") + QChar(0x202F) +
                                 QStringLiteral("000 in tutto; le ultime 10:\n2991. il 01 Gen 2002")))
        << wins->left(300).toStdString();
    EXPECT_TRUE(wins->endsWith(QStringLiteral("3000. il 01 Gen 2002, con 10") + QChar(0x202F) +
                               QStringLiteral("000,00")));
    auto* portfolios = window->findChild<QComboBox*>(QStringLiteral("portfolios"));
    ASSERT_NE(portfolios, nullptr);
    EXPECT_EQ(portfolios->count(), 3001);
    EXPECT_EQ(portfolios->currentIndex(), 3000);
    EXPECT_EQ(portfolios->itemText(0),
              QStringLiteral("n. 1: dal 01 Gen 2002 al 01 Gen 2002, chiuso da una vittoria"));
    EXPECT_NE(portfolios->sizeAdjustPolicy(), QComboBox::AdjustToContents);
}

TEST_F(LedgerWindowTest, AFinishedGameOpensReadOnlyOffTheWindowsThreadAndOddFilesSayWhatTheyAre)
{
    game.play(30);
    game.session.newGame();
    game.saver.settle();
    game.play(5);
    game.store.put("Data.ledger.game7", "TolvStreet ledger 1\nD;01 Gen 2002;x\n");
    game.store.putOdd("Data.ledger.game8", records::EntryKind::Link);
    open();
    window->showTab(ui::LedgerWindow::Tab::Finished);
    const int reads = game.store.reads("Data.ledger.game1");
    EXPECT_EQ(reads, 0); // nothing is read on the window's thread
    settleFinished();
    const std::vector<session::FinishedGame>& games = window->finished()->games();
    ASSERT_EQ(games.size(), 3u);
    EXPECT_EQ(ui::ledger::FinishedPage::problem(games[0]),
              QStringLiteral("non è un file (un collegamento, una cartella…): non viene letto"));
    EXPECT_EQ(ui::ledger::FinishedPage::problem(games[1]),
              QStringLiteral("danneggiato alla riga 2"));
    EXPECT_EQ(games[2].summary.days, 30u);
    QTableView* table = window->finished()->table();
    EXPECT_EQ(text(table, 2, 0), QStringLiteral("1"));
    EXPECT_EQ(text(table, 2, 2), QStringLiteral("30 Gen 2002"));
    EXPECT_EQ(text(table, 2, 3), QStringLiteral("30"));

    // A damaged one says why it does not open; a whole one opens read-only in the same window.
    table->setCurrentIndex(table->model()->index(1, 0));
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("finishedStatus"))
                    ->text()
                    .contains(QStringLiteral("danneggiato alla riga 2")));
    table->setCurrentIndex(table->model()->index(2, 0));
    window->findChild<QPushButton*>(QStringLiteral("openFinished"))->click();
    EXPECT_FALSE(window->showsFinished());
    settleFinished();
    ASSERT_TRUE(window->showsFinished());
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("bannerText"))
                    ->text()
                    .contains(QStringLiteral("«Data.ledger.game1»")));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("partita finita n. 1")));
    EXPECT_EQ(tableOf(window, "worthHistory")->model()->rowCount(), 30);
    // Once open, the page no longer says it is opening one.
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("finishedStatus"))
                    ->text()
                    .startsWith(QStringLiteral("Partite finite in questa cartella: 3.")));

    // The game goes on meanwhile (a new game even): the finished one stays in view, the list grows.
    game.session.newGame();
    game.saver.settle();
    EXPECT_TRUE(window->showsFinished());
    settleFinished();
    EXPECT_EQ(window->finished()->games().size(), 4u);
    window->findChild<QPushButton*>(QStringLiteral("backToPlaying"))->click();
    EXPECT_FALSE(window->showsFinished());
    EXPECT_EQ(tableOf(window, "worthHistory")->model()->rowCount(), 1);
}

TEST_F(LedgerWindowTest, EveryTextFollowsTheLanguageAtOnceTheExportsHeadersToo)
{
    game.play(20);
    open();
    ui::Language language(dir.filePath(QStringLiteral("language.ini")));
    language.apply(ui::Language::Choice::English);
    QCoreApplication::sendPostedEvents(); // the windows hear of the change
    auto* tabs = window->findChild<QTabWidget*>();
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("&Holdings"));
    EXPECT_EQ(tabs->tabText(5), QStringLiteral("&Finished games"));
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Player's Ledger")));
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("export"))->text(),
              QStringLiteral("&Export to CSV"));
    QTableView* holdings = tableOf(window, "holdings");
    EXPECT_EQ(holdings->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Company"));
    window->showTab(ui::LedgerWindow::Tab::Statistics);
    const QString stats = window->statistics()->lines().join(QLatin1Char('\n'));
    EXPECT_TRUE(stats.contains(QStringLiteral("Return: "))) << stats.toStdString();
    window->showTab(ui::LedgerWindow::Tab::Worth);
    EXPECT_EQ(tableOf(window, "worthHistory")->model()->headerData(2, Qt::Horizontal).toString(),
              QStringLiteral("Net worth"));
    const QString path = dir.filePath(QStringLiteral("trades.csv"));
    ASSERT_TRUE(window->exportTrades(path));
    QFile csv(path);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(csv.readLine())
                    .startsWith(QStringLiteral(
                        "Day;Date;ISO date;Type;Company;Quantity;Price;Amount;Realised gain")));
    language.apply(ui::Language::Choice::Italian);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("&Portafoglio"));
}

TEST_F(LedgerWindowTest, KeysPressedWhileTheExportDialogIsOpenGoToItNotToTheGame)
{
    QTemporaryDir config;
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    bool keysSent = false;
    QTimer::singleShot(0, [this, &keysSent] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        // The game's keys aimed at the ledger, and Esc at the box: only the box answers.
        QTest::keyClick(window, Qt::Key_F2);
        QTest::keyClick(window, Qt::Key_W, Qt::ControlModifier);
        QTest::keyClick(dialog, Qt::Key_Escape);
        keysSent = true;
    });
    const QString chosen = ui::ledger::chooseSaveFile(window, QStringLiteral("x"),
                                                      config.filePath(QStringLiteral("a.csv")),
                                                      QStringLiteral("*.csv"));
    EXPECT_TRUE(keysSent);
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(newGames, 0);
    EXPECT_TRUE(window && window->isVisible());
    qputenv("XDG_CONFIG_HOME", before);
    if (before.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

TEST(LedgerCharts, DaysLieAtTheirNumbersBreakAtGapsAndFarJumpsCostNoMemory)
{
    const auto day = [](const char* date) {
        game::DayEvent event;
        event.date = *game::readDate(date);
        event.cash = 10000;
        event.prices.fill(10);
        return event;
    };
    game::Portfolio played;
    ASSERT_EQ(played.add(day("01 Gen 2002")), game::EventFault::None);
    ASSERT_EQ(played.add(day("02 Gen 2002")), game::EventFault::None);
    ASSERT_EQ(played.add(game::GapEvent{}), game::EventFault::None);
    ASSERT_EQ(played.add(day("10 Gen 2002")), game::EventFault::None);
    const ui::ledger::ChartDays days = ui::ledger::chartDays(played);
    EXPECT_EQ(days.x, (std::vector<std::int64_t>{1, 2, 10}));
    ASSERT_EQ(days.stretches.size(), 2u);
    EXPECT_EQ(days.stretches[1].firstX, 10);
    EXPECT_EQ(days.stretches[1].firstDay, game::dayNumber(*game::readDate("10 Gen 2002")));

    // A file whose days leap across the calendar: one point a day, a break at each leap.
    game::Portfolio leaping;
    ASSERT_EQ(leaping.add(day("01 Gen 0")), game::EventFault::None);
    ASSERT_EQ(leaping.add(day("01 Gen 20000")), game::EventFault::None);
    ASSERT_EQ(leaping.add(day("02 Gen 20000")), game::EventFault::None);
    const ui::ledger::ChartDays far = ui::ledger::chartDays(leaping);
    EXPECT_EQ(far.x, (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(far.stretches.size(), 2u);
    const ui::ChartData chart = ui::ledger::netWorthChart(leaping, far);
    ASSERT_EQ(chart.series.size(), 1u);
    EXPECT_EQ(chart.series[0].values.size(), 3u);
}
