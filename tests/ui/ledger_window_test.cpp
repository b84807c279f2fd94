// The ledger window beside the main window: opened from its menu item, it follows trades, days,
// a new game and a win, and exports the journal and the history.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "session/saver.h"
#include "ui/ledger_window.h"
#include "ui/main_window.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LedgerWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game::GameState state = game::startingState();
        state.companies[3].price = "50";
        state.cash = "100950,00"; // one sale away from a win
        for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
            store.put(file.name, file.bytes);
        }
        form = std::make_unique<ui::Form1>(session);
    }
    void TearDown() override
    {
        form.reset();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<ui::LedgerWindow*>(widget) != nullptr) {
                delete widget;
            }
        }
    }

    ui::LedgerWindow* ledgerWindow()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<ui::LedgerWindow*>(widget);
                window && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    }
    QAbstractItemModel* table(ui::LedgerWindow* window, const char* name)
    {
        auto* view = window->findChild<QTableView*>(QString::fromUtf8(name));
        EXPECT_NE(view, nullptr) << name;
        return view ? view->model() : nullptr;
    }
    QString text(QAbstractItemModel* model, int row, int column)
    {
        return model->data(model->index(row, column), Qt::DisplayRole).toString();
    }
    void press(const char* name)
    {
        QTest::mouseClick(form->findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    void quietDay()
    {
        for (int i = 0; i < game::kCompanyCount; ++i) {
            random.pushMove(0, 0, false);
        }
        press("Command4");
    }

    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};
    std::unique_ptr<ui::Form1> form;
};

} // namespace

TEST_F(LedgerWindowTest, FollowsTradesDaysANewGameAndAWin)
{
    QAction* item = form->findChild<QAction*>(QStringLiteral("registro"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("&Registro del giocatore"));
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    item->trigger();
    ui::LedgerWindow* window = ledgerWindow();
    ASSERT_NE(window, nullptr);
    item->trigger(); // already open: the same window comes to the front
    EXPECT_EQ(ledgerWindow(), window);
    QAbstractItemModel* holdings = table(window, "Titoli posseduti");
    QAbstractItemModel* history = table(window, "Cronologia del patrimonio netto");
    QAbstractItemModel* trades = table(window, "Operazioni");
    ASSERT_TRUE(holdings && history && trades);
    EXPECT_EQ(holdings->rowCount(), 1); // the totals alone
    EXPECT_EQ(history->rowCount(), 1);  // the saved day the game started from
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("note"))
                    ->text()
                    .contains(QStringLiteral("01 Gen 2002")));

    // A purchase of 20 at 50 shows at once: cost, value and the journal.
    form->findChild<QRadioButton*>(QStringLiteral("op1(3)"))->setChecked(true);
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("20"));
    press("Command2");
    ASSERT_EQ(holdings->rowCount(), 2);
    EXPECT_EQ(text(holdings, 0, 0), QStringLiteral("Tolva Image"));
    EXPECT_EQ(text(holdings, 0, 3), QStringLiteral("1000,00"));
    EXPECT_EQ(trades->rowCount(), 1);
    EXPECT_EQ(text(trades, 0, 2), QStringLiteral("Acquisto"));

    // A day moves the history on and reaches the side file with the six.
    quietDay();
    EXPECT_EQ(history->rowCount(), 2);
    EXPECT_EQ(text(history, 1, 1), QStringLiteral("02 Gen 2002"));
    saver.settle();
    ASSERT_TRUE(store.get("Data.ledger"));
    EXPECT_TRUE(records::Ledger::parse(*store.get("Data.ledger"))->matches(session.state()));

    // Exports go where the player says, with a header row.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("operazioni.csv"));
    ASSERT_TRUE(window->exportTrades(path));
    QFile csv(path);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines =
        QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(
        lines[1].startsWith(QStringLiteral("1;01 Gen 2002;2002-01-01;Acquisto;Tolva Image;20;50,00;1000,00")))
        << lines[1].toStdString();
    EXPECT_FALSE(window->exportHistory(dir.filePath(QStringLiteral("no/such/folder.csv"))));
    ASSERT_EQ(dialogs.boxes().size(), 1u); // told that the file could not be written
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains(QStringLiteral("folder.csv")));
    dialogs.clear();

    // A win closes the portfolio: its net worth is in the statistics and the holdings empty.
    store.put("data6", "\"\"\r\n");
    QLabel* stats = window->findChild<QLabel*>(QStringLiteral("stats"));
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("20"));
    dialogs.answerText("Anna");
    press("Command3");
    EXPECT_EQ(holdings->rowCount(), 1);
    EXPECT_TRUE(stats->text().contains(QStringLiteral("Vittorie: 1")))
        << stats->text().toStdString();
    EXPECT_TRUE(stats->text().contains(
        QStringLiteral("Patrimonio netto più alto: 100950,00 il 01 Gen 2002")))
        << stats->text().toStdString();

    // A new game starts a new history; the finished one stays as an archive.
    item = form->findChild<QAction*>(QStringLiteral("nuova"));
    item->trigger();
    EXPECT_EQ(history->rowCount(), 1);
    EXPECT_EQ(trades->rowCount(), 0);
    saver.settle();
    EXPECT_TRUE(store.get("Data.ledger.game1"));
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("note"))->text().isEmpty());
}
