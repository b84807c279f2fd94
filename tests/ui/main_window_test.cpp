// The main window: layout, start-up, the buttons, the quantity entry, the menus and their keys.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "records/autosave.h"
#include "session/saver.h"
#include "ui/about_window.h"
#include "session/company_info.h"
#include "ui/hall_of_fame_window.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString kWholeNumbersOnly = QStringLiteral("Solo numeri interi!");

// A game in progress, as the autosave files hold it.
game::GameState savedGame()
{
    game::GameState state = game::startingState();
    state.companies[1].shares = "5";
    state.companies[3] = {"0", "66", "+3,45", "68,28"};
    state.companies[7] = {"0", "0", "-4,2", " Fallita"};
    state.cash = "1234,56";
    state.date = "15 Mar 2003";
    return state;
}

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

template <typename Window> QList<Window*> openWindows()
{
    QList<Window*> out;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window != nullptr && window->isVisible()) {
            out << window;
        }
    }
    return out;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& file : records::autosaveFiles(savedGame(), records::WriteOrder::DataFirst)) {
            store.put(file.name, file.bytes);
        }
    }

    void TearDown() override
    {
        window.reset();
        // The windows opened from the menus have no owner: unload whatever a test left open.
        QList<QPointer<QWidget>> left;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<ui::Form1*>(widget) || qobject_cast<ui::Form2*>(widget) ||
                qobject_cast<ui::frmAbout*>(widget) || qobject_cast<ui::frmSplash*>(widget)) {
                left << widget;
            }
        }
        for (const QPointer<QWidget>& widget : left) {
            delete widget.data();
        }
        flushDeletes();
        QGuiApplication::clipboard()->clear();
    }

    ui::Form1& open()
    {
        ui::Form1::Seams seams;
        seams.quit = [this] { ++quits; };
        window = std::make_unique<ui::Form1>(session, seams);
        return *window;
    }

    // Shows the window and waits until it takes the keyboard, as a player would see it.
    ui::Form1& showActive()
    {
        ui::Form1& form = open();
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        return form;
    }

    template <typename T = QWidget> T* find(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    ui::PictureButton* button(const char* name) const
    {
        return find<ui::PictureButton>(QString::fromLatin1(name));
    }
    ui::QuantityEdit* text1() const { return find<ui::QuantityEdit>(QStringLiteral("Text1")); }
    QRadioButton* company(int index) const
    {
        return find<QRadioButton>(QStringLiteral("op1(%1)").arg(index));
    }
    QString cell(const char* column, int index) const
    {
        return label(QStringLiteral("%1(%2)").arg(QLatin1String(column)).arg(index))->text();
    }
    QAction* item(const char* name) const { return find<QAction>(QString::fromLatin1(name)); }

    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};
    std::unique_ptr<ui::Form1> window;
    int quits = 0;
};

TEST_F(MainWindowTest, EveryControlAtItsPlaceWithItsTextAndFont)
{
    ui::Form1& form = open();
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Tolv Street"));
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.centralWidget()->size(), QSize(627, 606));

    struct Control {
        QString name;
        QString parent;
        QRect geometry;
        QString text; // caption, frame title or label text; null: not checked here
        const char* family;
        double points;
        QFont::Weight weight;
    };
    const QString any;
    const char* plain = "Arial";
    const char* titling = "Copperplate Gothic Light";
    const char* times = "Times New Roman";
    const QString client = QStringLiteral("client");
    const QString frame1 = QStringLiteral("Frame1");
    const QString frame2 = QStringLiteral("Frame2");
    std::vector<Control> all{
        {"Label19", client, {32, 16, 137, 17}, QStringLiteral("Disponibilità liquida"), times, 11.25, QFont::Normal},
        {"Shape1", client, {32, 40, 137, 41}, any, plain, 8.25, QFont::Normal},
        {"Label5", client, {32, 56, 97, 25}, QStringLiteral("1234,56"), times, 12, QFont::Bold},
        {"Frame2", client, {248, 8, 361, 113}, QStringLiteral("Operazioni disponibili:"), times, 11.25, QFont::Normal},
        {"Command2", frame2, {16, 24, 97, 73}, QStringLiteral("Comprare"), titling, 8.25, QFont::DemiBold},
        {"Text1", frame2, {120, 24, 49, 25}, QStringLiteral("1"), plain, 8.25, QFont::Normal},
        {"Command1", frame2, {120, 56, 49, 41}, QStringLiteral(""), plain, 8.25, QFont::Normal},
        {"Command3", frame2, {176, 24, 105, 73}, QStringLiteral("Vendere"), titling, 8.25, QFont::DemiBold},
        {"Command4", frame2, {288, 24, 57, 73}, QStringLiteral("15 Mar 2003"), titling, 9.75, QFont::DemiBold},
        {"Frame1", client, {16, 120, 593, 473}, QStringLiteral("Stock Portfolio"), times, 11.25, QFont::Normal},
        {"Label20", frame1, {256, 16, 100, 30}, QStringLiteral("Azioni Aquistate"), titling, 9.75, QFont::DemiBold},
        {"Label56", frame1, {352, 16, 76, 30}, QStringLiteral("Valore Ieri"), titling, 9.75, QFont::DemiBold},
        {"Label91", frame1, {440, 24, 52, 22}, QStringLiteral("Incr."), titling, 9.75, QFont::DemiBold},
        {"Label38", frame1, {504, 16, 76, 30}, QStringLiteral("Valore Oggi"), titling, 9.75, QFont::DemiBold},
    };
    const auto& table = game::companyTable();
    for (int i = 0; i < game::kCompanyCount; ++i) {
        const int top = 48 + 24 * i;
        const auto at = [i](const char* column) {
            return QStringLiteral("%1(%2)").arg(QLatin1String(column)).arg(i);
        };
        all.push_back({at("op1"), frame1, {16, top, i == 13 ? 237 : 229, 25},
                       QString::fromUtf8(table[static_cast<std::size_t>(i)].name), titling, 9.75,
                       QFont::DemiBold});
        all.push_back({at("Label1"), frame1, {264, top, 73, 25}, any, plain, 8.25, QFont::Normal});
        all.push_back({at("Label2"), frame1, {352, top, 73, 25}, any, plain, 8.25, QFont::Normal});
        all.push_back({at("Label3"), frame1, {440, top, 49, 25}, any, plain, 8.25, QFont::Normal});
        all.push_back({at("Label4"), frame1, {504, top, 73, 25}, any, plain, 8.25, QFont::Normal});
    }

    for (const Control& control : all) {
        SCOPED_TRACE(control.name.toStdString());
        QWidget* widget = find(control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), control.parent);
        EXPECT_EQ(widget->geometry(), control.geometry);
        EXPECT_EQ(widget->font().family(), QString::fromLatin1(control.family));
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), control.points);
        EXPECT_EQ(widget->font().weight(), control.weight);
        EXPECT_FALSE(widget->accessibleName().isEmpty());
        if (control.text.isNull()) {
            continue;
        }
        if (auto* asLabel = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(asLabel->text(), control.text);
        } else if (auto* asFrame = qobject_cast<QGroupBox*>(widget)) {
            EXPECT_EQ(asFrame->title(), control.text);
        } else if (auto* asButton = qobject_cast<ui::PictureButton*>(widget)) {
            EXPECT_EQ(asButton->caption(), control.text);
        } else if (auto* asOption = qobject_cast<QRadioButton*>(widget)) {
            EXPECT_EQ(asOption->text(), control.text);
        } else if (auto* asEdit = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(asEdit->text(), control.text);
        }
    }

    // The cells have a single-line border, the cash is right-aligned, the headings centred.
    EXPECT_EQ(label(QStringLiteral("Label4(16)"))->frameShape(), QFrame::Box);
    EXPECT_EQ(label(QStringLiteral("Label4(16)"))->lineWidth(), 1);
    EXPECT_TRUE(label(QStringLiteral("Label5"))->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(label(QStringLiteral("Label91"))->alignment().testFlag(Qt::AlignHCenter));

    // The currency mark, 2 pixels wide, and the trading buttons' light green.
    const std::array<std::pair<QPoint, QPoint>, 4> strokes{{
        {{136, 48}, {144, 72}}, {{152, 48}, {144, 72}}, {{152, 64}, {136, 64}}, {{152, 57}, {136, 57}}}};
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        auto* line = find<ui::LineShape>(QStringLiteral("Line%1").arg(i + 1));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->from(), strokes[i].first);
        EXPECT_EQ(line->to(), strokes[i].second);
        EXPECT_EQ(line->penWidth(), 2);
        EXPECT_FALSE(line->accessibleName().isEmpty());
    }
    EXPECT_EQ(find<ui::RectangleShape>(QStringLiteral("Shape1"))->border(), 2);
    for (const char* name : {"Command2", "Command3"}) {
        EXPECT_EQ(button(name)->faceColour(), QColor(0xC0, 0xFF, 0xC0)) << name;
        EXPECT_TRUE(button(name)->hasPicture()) << name;
    }
    EXPECT_TRUE(button("Command1")->hasPicture());
    EXPECT_EQ(button("Command1")->accessibleName(), QStringLiteral("Informazioni sulla società"));
    EXPECT_FALSE(button("Command4")->hasPicture());
    // The face colour is what the player sees between the picture and the border.
    const QImage face = button("Command2")->grab().toImage();
    EXPECT_EQ(face.pixelColor(6, 6), QColor(0xC0, 0xFF, 0xC0));
}

TEST_F(MainWindowTest, StartsWithTheSavedGameAndNoCompanySelected)
{
    ui::Form1& form = open();
    // Nothing is visible yet, and already no design placeholder is left.
    EXPECT_EQ(cell("Label4", 8), QStringLiteral("605"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    const game::GameState saved = savedGame();
    for (int i = 0; i < game::kCompanyCount; ++i) {
        SCOPED_TRACE(i);
        const game::Company& row = saved.companies[static_cast<std::size_t>(i)];
        EXPECT_EQ(cell("Label1", i), QString::fromLatin1(row.shares));
        EXPECT_EQ(cell("Label2", i), QString::fromLatin1(row.yesterday));
        EXPECT_EQ(cell("Label3", i), QString::fromLatin1(row.change));
        EXPECT_EQ(cell("Label4", i), QString::fromLatin1(row.price));
        EXPECT_FALSE(company(i)->isChecked());
    }
    EXPECT_EQ(cell("Label4", 7), QStringLiteral(" Fallita"));
    EXPECT_EQ(label(QStringLiteral("Label5"))->text(), QStringLiteral("1234,56"));
    EXPECT_EQ(button("Command4")->caption(), QStringLiteral("15 Mar 2003"));
    EXPECT_EQ(text1()->text(), QStringLiteral("1"));
    EXPECT_EQ(QApplication::focusWidget(), company(0));
    EXPECT_FALSE(form.selectedCompany().has_value());
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_TRUE(store.log().empty()); // a whole saved game is read, not rewritten

    // Centred on the screen, sizable, with no maximize box.
    const QPoint centre = form.screen()->availableGeometry().center();
    EXPECT_LE((form.frameGeometry().center() - centre).manhattanLength(), 1);
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_NE(form.minimumSize(), form.maximumSize());
}

TEST_F(MainWindowTest, TabVisitsTheGroupOnceThenTheButtonsInOrder)
{
    showActive();
    const auto focused = [] { return QApplication::focusWidget(); };
    const std::vector<QWidget*> order{button("Command4"), text1(), button("Command3"),
                                      button("Command1"), button("Command2"), company(0)};
    for (QWidget* expected : order) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        EXPECT_EQ(focused(), expected) << expected->objectName().toStdString();
    }
    for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
        QTest::keyClick(focused(), Qt::Key_Backtab);
        EXPECT_EQ(focused(), *it) << (*it)->objectName().toStdString();
    }
    QTest::keyClick(focused(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), company(0));
    EXPECT_FALSE(company(0)->isChecked());

    // With a company selected the group is entered at that company and left straight on.
    QTest::mouseClick(company(5), Qt::LeftButton);
    ASSERT_TRUE(company(5)->isChecked());
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_EQ(focused(), button("Command4"));
    QTest::keyClick(focused(), Qt::Key_Backtab);
    EXPECT_EQ(focused(), company(5));
}

TEST_F(MainWindowTest, ButtonsRunTheirActionsAndShowTheResult)
{
    showActive();
    QTest::mouseClick(company(1), Qt::LeftButton);
    text1()->setText(QStringLiteral("2"));
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    EXPECT_EQ(cell("Label1", 1), QStringLiteral("7"));
    EXPECT_EQ(label(QStringLiteral("Label5"))->text(), QStringLiteral("1161"));

    text1()->setText(QStringLiteral("1"));
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    EXPECT_EQ(cell("Label1", 1), QStringLiteral("6"));
    EXPECT_EQ(label(QStringLiteral("Label5"))->text(), QStringLiteral("1198"));

    text1()->setText(QStringLiteral("99"));
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    EXPECT_EQ(dialogs.prompts(), QStringList{QStringLiteral("Non puoi vendere più azioni di quelle che hai!")});
    EXPECT_EQ(cell("Label1", 1), QStringLiteral("6"));
    dialogs.clear();

    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title, session::companyInformation(1).title);
    dialogs.clear();

    for (int i = 0; i < game::kCompanyCount; ++i) {
        random.pushMove(1, 50, false);
    }
    QTest::mouseClick(button("Command4"), Qt::LeftButton);
    EXPECT_EQ(random.left(), 0u);
    EXPECT_EQ(button("Command4")->caption(), QStringLiteral("16 Mar 2003"));
    EXPECT_EQ(button("Command4")->text(), QStringLiteral("16 Mar 2003"));
    EXPECT_EQ(cell("Label2", 1), QStringLiteral("37"));
    EXPECT_FALSE(cell("Label3", 1).isEmpty());
    EXPECT_EQ(cell("Label3", 1), QString::fromLatin1(session.state().companies[1].change));
    EXPECT_EQ(cell("Label4", 1), QString::fromLatin1(session.state().companies[1].price));
    EXPECT_NE(cell("Label4", 1), QStringLiteral("37"));
    EXPECT_EQ(label(QStringLiteral("Label5"))->text(), QStringLiteral("1198"));
    EXPECT_TRUE(dialogs.boxes().empty());
    // The screen reader hears what a cell holds, not only what it is.
    EXPECT_TRUE(label(QStringLiteral("Label2(1)"))->accessibleName().endsWith(QStringLiteral(": 37")));
}

TEST_F(MainWindowTest, TheQuantityTakesDigitsAndControlKeysOnly)
{
    showActive();
    ui::QuantityEdit* entry = text1();
    entry->setFocus();
    entry->clear();

    QTest::keyClicks(entry, QStringLiteral("12a"));
    EXPECT_EQ(entry->text(), QStringLiteral("12"));
    EXPECT_EQ(dialogs.prompts(), QStringList{kWholeNumbersOnly});

    dialogs.clear();
    QTest::keyClick(entry, Qt::Key_Space);
    EXPECT_EQ(entry->text(), QStringLiteral("12 "));
    QTest::keyClick(entry, Qt::Key_Backspace);
    QTest::keyClick(entry, Qt::Key_Home);
    QTest::keyClick(entry, Qt::Key_Delete);
    EXPECT_EQ(entry->text(), QStringLiteral("2"));
    EXPECT_TRUE(dialogs.boxes().empty());

    // Text composed by an input method passes the same filter.
    dialogs.clear();
    entry->end(false);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("7a"));
    QApplication::sendEvent(entry, &composed);
    EXPECT_EQ(entry->text(), QStringLiteral("2"));
    EXPECT_EQ(dialogs.prompts(), QStringList{kWholeNumbersOnly});
    composed.setCommitString(QStringLiteral("7"));
    QApplication::sendEvent(entry, &composed);
    EXPECT_EQ(entry->text(), QStringLiteral("27"));
    entry->setText(QStringLiteral("2"));

    for (const char* refused : {"-", ",", ".", "e", "\xC3\xA8", "\xF0\x9F\x98\x80"}) {
        dialogs.clear();
        QTest::sendKeyEvent(QTest::Click, entry, Qt::Key_unknown, QString::fromUtf8(refused),
                            Qt::NoModifier);
        EXPECT_EQ(entry->text(), QStringLiteral("2")) << refused;
        EXPECT_EQ(dialogs.prompts(), QStringList{kWholeNumbersOnly}) << refused;
    }
}

TEST_F(MainWindowTest, PastedAndDroppedTextIsRefusedAsAWhole)
{
    showActive();
    ui::QuantityEdit* entry = text1();
    entry->setFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QStringLiteral("-5"));
    entry->selectAll();
    QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(entry->text(), QStringLiteral("1"));
    EXPECT_EQ(dialogs.prompts(), QStringList{kWholeNumbersOnly});

    clipboard->setText(QStringLiteral("34"));
    entry->selectAll();
    QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(entry->text(), QStringLiteral("34"));

    // The entry's own menu pastes through the same check.
    dialogs.clear();
    clipboard->setText(QStringLiteral("7x"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), entry->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(entry, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* pasteItem = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste"))) {
            pasteItem = action;
        }
    }
    ASSERT_NE(pasteItem, nullptr);
    pasteItem->trigger();
    menu->close();
    EXPECT_EQ(entry->text(), QStringLiteral("34"));
    EXPECT_EQ(dialogs.prompts(), QStringList{kWholeNumbersOnly});

    // Dropped text likewise.
    dialogs.clear();
    QMimeData dragged;
    dragged.setText(QStringLiteral("-5"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(entry, &enter);
    QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(entry, &move);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(entry, &drop);
    EXPECT_EQ(entry->text(), QStringLiteral("34"));
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(dialogs.prompts(), QStringList{kWholeNumbersOnly});

    dragged.setText(QStringLiteral("5"));
    entry->setCursorPosition(2);
    QApplication::sendEvent(entry, &enter);
    QApplication::sendEvent(entry, &move);
    QDropEvent accepted(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(entry, &accepted);
    EXPECT_TRUE(entry->text().contains(QLatin1Char('5')));
}

TEST_F(MainWindowTest, EveryShortcutWorksWhileTypingTheQuantity)
{
    showActive();
    ui::QuantityEdit* entry = text1();
    const auto typeIn = [&] {
        entry->activateWindow();
        entry->setFocus();
        entry->selectAll();
    };

    struct Case {
        const char* item;
        QKeySequence key;
        std::function<void()> check;
    };
    const std::vector<Case> cases{
        {"salva", QKeySequence(Qt::Key_F8),
         [&] { EXPECT_EQ(dialogs.prompts(), QStringList{QStringLiteral("Questo gioco salva da solo!")}); }},
        {"carica", QKeySequence(Qt::Key_F5),
         [&] {
             EXPECT_EQ(dialogs.prompts(),
                       QStringList{QStringLiteral("Se salva da solo vuol dire anche che carica da solo!!")});
         }},
        {"esci", QKeySequence(Qt::CTRL | Qt::Key_X),
         [&] {
             // Answered No (queued below): nothing happens, and nothing was cut.
             ASSERT_EQ(dialogs.boxes().size(), 1u);
             EXPECT_EQ(dialogs.boxes()[0],
                       (fakes::Box{fakes::Box::Kind::Question,
                                   QStringLiteral("Ma sei sicuro di uscire da questo APPASSIONANTISSIMO gioco?"),
                                   QStringLiteral("Uscita dal Programma")}));
             EXPECT_EQ(quits, 0);
             EXPECT_EQ(entry->text(), QStringLiteral("1"));
         }},
        {"hall", QKeySequence(Qt::CTRL | Qt::Key_H),
         [&] { EXPECT_EQ(openWindows<ui::Form2>().size(), 1); }},
        {"infoprogr", QKeySequence(Qt::CTRL | Qt::Key_I),
         [&] { EXPECT_EQ(openWindows<ui::frmAbout>().size(), 1); }},
        {"infoproduttor", QKeySequence(Qt::CTRL | Qt::Key_K),
         [&] { EXPECT_EQ(openWindows<ui::frmSplash>().size(), 1); }},
        {"nuova", QKeySequence(Qt::Key_F2),
         [&] {
             EXPECT_EQ(label(QStringLiteral("Label5"))->text(), QStringLiteral("10000,00"));
             EXPECT_EQ(button("Command4")->caption(), QStringLiteral("01 Gen 2002"));
             EXPECT_EQ(saver.settle(), 1);
             EXPECT_FALSE(store.replaced().empty());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        EXPECT_EQ(item(c.item)->shortcut(), c.key);
        dialogs.clear();
        if (c.key == QKeySequence(Qt::CTRL | Qt::Key_X)) {
            dialogs.answerNo();
        }
        // The windows opened before take the keyboard: come back to the quantity first.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        typeIn();
        ASSERT_EQ(QApplication::focusWidget(), entry);
        QTest::keyClick(entry, c.key[0].key(), c.key[0].keyboardModifiers());
        c.check();
    }

    // Yes ends the program through the quit seam, at once.
    dialogs.clear();
    dialogs.answerYes();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    typeIn();
    QTest::keyClick(entry, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
}

TEST_F(MainWindowTest, MenusAsDesignedAndTheQuietItems)
{
    ui::Form1& form = open();
    const auto* file = form.findChild<QMenu*>(QStringLiteral("file"));
    const auto* opzioni = form.findChild<QMenu*>(QStringLiteral("opzioni"));
    const auto* info = form.findChild<QMenu*>(QStringLiteral("info"));
    ASSERT_TRUE(file && opzioni && info);
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    EXPECT_EQ(opzioni->title(), QStringLiteral("&Opzioni"));
    EXPECT_EQ(info->title(), QStringLiteral("&Info"));

    QStringList fileItems;
    for (const QAction* action : file->actions()) {
        fileItems << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    EXPECT_EQ(fileItems, (QStringList{QStringLiteral("&Nuova Partita"), QStringLiteral("&Salva"),
                                      QStringLiteral("&Carica"), QStringLiteral("-"),
                                      QStringLiteral("&Hall of Fame"), QStringLiteral("-"),
                                      QStringLiteral("&Esci")}));
    ASSERT_EQ(info->actions().size(), 2);
    EXPECT_EQ(info->actions()[0]->text(), QStringLiteral("Informazioni sul &Programma"));
    EXPECT_EQ(info->actions()[1]->text(), QStringLiteral("Informazioni sul Pro&duttore"));
    // "&Video", then the language, below it: two exclusive items, each named in itself.
    ASSERT_EQ(opzioni->actions().size(), 2);
    EXPECT_EQ(opzioni->actions()[0]->text(), QStringLiteral("&Video"));
    EXPECT_EQ(opzioni->actions()[1]->text(), QStringLiteral("&Lingua"));
    ASSERT_NE(opzioni->actions()[1]->menu(), nullptr);
    QStringList languages;
    for (const QAction* choice : opzioni->actions()[1]->menu()->actions()) {
        languages << choice->text();
        EXPECT_TRUE(choice->isCheckable());
    }
    EXPECT_EQ(languages, (QStringList{QStringLiteral("Italiano"), QStringLiteral("English")}));

    // "&Video", "&Salva" and "&Carica" change nothing and touch no file.
    const QString cash = label(QStringLiteral("Label5"))->text();
    const int windowsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
    item("video")->trigger();
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), windowsBefore);
    item("salva")->trigger();
    item("carica")->trigger();
    EXPECT_EQ(dialogs.boxes().size(), 2u);
    EXPECT_TRUE(store.log().empty());
    EXPECT_EQ(label(QStringLiteral("Label5"))->text(), cash);
    EXPECT_EQ(session.state(), savedGame());

    // Yes to "&Esci" calls the quit seam; No does not.
    dialogs.answerNo();
    item("esci")->trigger();
    EXPECT_EQ(quits, 0);
    dialogs.answerYes();
    item("esci")->trigger();
    EXPECT_EQ(quits, 1);
}

TEST_F(MainWindowTest, ResizingMovesNoControl)
{
    ui::Form1& form = showActive();
    QList<QWidget*> controls =
        form.findChild<QWidget*>(QStringLiteral("client"))->findChildren<QWidget*>();
    std::vector<QRect> before;
    for (QWidget* control : controls) {
        before.push_back(control->geometry());
    }
    for (const QSize size : {QSize(900, 800), QSize(300, 200)}) {
        form.resize(size);
        QCoreApplication::processEvents();
        for (int i = 0; i < controls.size(); ++i) {
            EXPECT_EQ(controls[i]->geometry(), before[static_cast<std::size_t>(i)])
                << controls[i]->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, MenuWindowsOpenOnceAndComeToTheFront)
{
    store.put("data6", "\"Vincitori\rAnna:  01 Gen 2002\"\r\n");
    ui::Form1& form = open();
    form.hall_Click();
    ASSERT_EQ(openWindows<ui::Form2>().size(), 1);
    QPointer<ui::Form2> hall = openWindows<ui::Form2>()[0];
    EXPECT_EQ(hall->parentWidget(), nullptr);
    EXPECT_FALSE(hall->isModal());
    const QString shown = hall->findChild<QLabel*>(QStringLiteral("Label2"))->text();
    EXPECT_EQ(shown, QStringLiteral("\"Vincitori\nAnna:  01 Gen 2002\"\n"));

    // A second opening while it is open reads nothing again.
    store.put("data6", "\"Vincitori\rAnna:  01 Gen 2002\rBruno:  02 Gen 2002\"\r\n");
    form.hall_Click();
    ASSERT_EQ(openWindows<ui::Form2>().size(), 1);
    EXPECT_EQ(openWindows<ui::Form2>()[0], hall.data());
    EXPECT_EQ(hall->findChild<QLabel*>(QStringLiteral("Label2"))->text(), shown);

    // Closed, it is unloaded; the next opening reads the file again.
    hall->close();
    flushDeletes();
    EXPECT_TRUE(hall.isNull());
    form.hall_Click();
    ASSERT_EQ(openWindows<ui::Form2>().size(), 1);
    EXPECT_TRUE(openWindows<ui::Form2>()[0]
                    ->findChild<QLabel*>(QStringLiteral("Label2"))
                    ->text()
                    .contains(QStringLiteral("Bruno")));

    form.infoprogr_Click();
    form.infoprogr_Click();
    EXPECT_EQ(openWindows<ui::frmAbout>().size(), 1);
    form.infoproduttor_Click();
    form.infoproduttor_Click();
    EXPECT_EQ(openWindows<ui::frmSplash>().size(), 1);
}

TEST(MainWindowLoaderTest, TheProducerWindowBringsBackAClosedMainWindow)
{
    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};
    for (const auto& file : records::autosaveFiles(savedGame(), records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
    {
        ui::MainWindowLoader loader(session);
        QPointer<ui::Form1> first = &loader.show();
        EXPECT_TRUE(first->isVisible());
        EXPECT_EQ(&loader.show(), first.data()); // loaded once, only brought to the front

        first->infoproduttor_Click();
        ASSERT_EQ(openWindows<ui::frmSplash>().size(), 1);
        QPointer<ui::frmSplash> splash = openWindows<ui::frmSplash>()[0];

        // The close box unloads the main window; the producer window stays.
        first->close();
        flushDeletes();
        EXPECT_TRUE(first.isNull());
        EXPECT_EQ(loader.window(), nullptr);

        // The next start-up load reads the files afresh.
        game::GameState changed = savedGame();
        changed.cash = "4321";
        for (const auto& file : records::autosaveFiles(changed, records::WriteOrder::DataFirst)) {
            store.put(file.name, file.bytes);
        }
        ASSERT_FALSE(splash.isNull());
        splash->Frame1_Click();
        flushDeletes();
        EXPECT_TRUE(splash.isNull());
        ASSERT_NE(loader.window(), nullptr);
        EXPECT_TRUE(loader.window()->isVisible());
        EXPECT_EQ(loader.window()->findChild<QLabel*>(QStringLiteral("Label5"))->text(),
                  QStringLiteral("4321"));
        loader.window()->hall_Click();
        loader.window()->infoprogr_Click();
    }
    // The program's end takes every window with it.
    EXPECT_TRUE(openWindows<ui::Form1>().isEmpty());
    EXPECT_TRUE(openWindows<ui::Form2>().isEmpty());
    EXPECT_TRUE(openWindows<ui::frmAbout>().isEmpty());
}

} // namespace
