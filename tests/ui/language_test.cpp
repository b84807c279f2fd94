// The language: Italian for the game's texts and Qt's own whatever the system says, until the
// player picks English in "Opzioni" > "Lingua"; the choice is kept for the next start.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "session/saver.h"
#include "ui/language.h"
#include "ui/main_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The words on Qt's standard buttons, as a box shows them.
QStringList standardButtons()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No |
                           QMessageBox::Cancel);
    QStringList words;
    for (auto which : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
        words << box.button(which)->text().remove(QLatin1Char('&'));
    }
    return words;
}

// The items of a line edit's own context menu, as the quantity box's menu is made.
QStringList editMenu()
{
    QLineEdit edit(QStringLiteral("12"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList words;
    for (QAction* action : menu->actions()) {
        words << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    }
    return words;
}

// Within the menu bar and within each menu, no two items share an access key.
void expectUniqueAccessKeys(const QWidget& window, const char* language)
{
    std::vector<QList<QAction*>> groups{window.findChild<QMenuBar*>()->actions()};
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        groups.push_back(menu->actions());
    }
    for (const QList<QAction*>& items : groups) {
        QStringList keys;
        for (const QAction* item : items) {
            const QKeySequence key = QKeySequence::mnemonic(item->text());
            if (!key.isEmpty()) {
                EXPECT_FALSE(keys.contains(key.toString()))
                    << language << ": " << item->text().toStdString();
                keys << key.toString();
            }
        }
    }
}

class LanguageTest : public ::testing::Test {
protected:
    // A player whose system speaks English.
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(m_before); }

    QString settings() const { return m_folder.filePath(QStringLiteral("settings.ini")); }

    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};

private:
    QLocale m_before;
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(LanguageTest, ItalianUntilEnglishIsPickedThenEnglishAtOnceAndAtTheNextStart)
{
    ui::Language language(settings());
    language.apply(language.saved());
    ui::Form1::Seams seams;
    seams.language = &language;
    ui::Form1 window(session, seams);
    auto* buy = window.findChild<ui::PictureButton*>(QStringLiteral("Command2"));
    auto* opzioni = window.findChild<QMenu*>(QStringLiteral("opzioni"));
    auto* english = window.findChild<QAction*>(QStringLiteral("english"));
    ASSERT_TRUE(buy && opzioni && english);

    EXPECT_EQ(buy->caption(), QStringLiteral("Comprare"));
    EXPECT_EQ(opzioni->title(), QStringLiteral("&Opzioni"));
    EXPECT_TRUE(window.findChild<QAction*>(QStringLiteral("italiano"))->isChecked());
    expectUniqueAccessKeys(window, "it");
    EXPECT_EQ(standardButtons(), (QStringList{"OK", QStringLiteral("Sì"), "No", "Annulla"}));
    EXPECT_TRUE(editMenu().contains(QStringLiteral("Incolla")))
        << editMenu().join(',').toStdString();

    english->trigger();
    // Qt tells the open windows through the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_TRUE(english->isChecked());
    EXPECT_EQ(buy->caption(), QStringLiteral("Buy"));
    EXPECT_EQ(opzioni->title(), QStringLiteral("&Options"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Label19"))->text(),
              QStringLiteral("Available cash"));
    EXPECT_EQ(standardButtons(), (QStringList{"OK", "Yes", "No", "Cancel"}));
    EXPECT_TRUE(editMenu().contains(QStringLiteral("Paste")));
    // The ledger's menu, an addition of the game's own, follows the language too.
    EXPECT_EQ(window.findChild<QMenu*>(QStringLiteral("registroMenu"))->title(),
              QStringLiteral("&Ledger"));
    EXPECT_EQ(window.findChild<QAction*>(QStringLiteral("registro"))->text(),
              QStringLiteral("&Player's Ledger"));
    expectUniqueAccessKeys(window, "en");

    // A company's description follows the language; its name and the game's data do not.
    window.findChild<QRadioButton*>(QStringLiteral("op1(0)"))->setChecked(true);
    window.Command1_Click();
    ASSERT_FALSE(dialogs.boxes().empty());
    EXPECT_EQ(dialogs.boxes().back().title, QStringLiteral("CarlOil"));
    EXPECT_TRUE(
        dialogs.boxes().back().prompt.startsWith(QStringLiteral("\u201CSmooth as oil\u201D")));
    EXPECT_EQ(window.findChild<QRadioButton*>(QStringLiteral("op1(0)"))->text(),
              QStringLiteral("CarlOil"));

    // The next start finds English kept.
    EXPECT_EQ(ui::Language(settings()).saved(), ui::Language::Choice::English);
}

TEST_F(LanguageTest, ItalianIsTheChoiceWhenNoneIsKept)
{
    {
        ui::Language language(settings());
        EXPECT_EQ(language.saved(), ui::Language::Choice::Italian);
        language.choose(ui::Language::Choice::English);
        language.choose(ui::Language::Choice::Italian);
        EXPECT_EQ(standardButtons(), (QStringList{"OK", QStringLiteral("Sì"), "No", "Annulla"}));
    }
    EXPECT_EQ(ui::Language(settings()).saved(), ui::Language::Choice::Italian);
    // With the game's language gone, Qt speaks its own English again.
    EXPECT_EQ(standardButtons(), (QStringList{"OK", "Yes", "No", "Cancel"}));
}

TEST_F(LanguageTest, AChoiceThatCannotBeKeptStillSpeaksUntilTheEnd)
{
    // Settings whose folder is a file: nothing can be kept there.
    QFile blocker(settings());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unkeepable = settings() + QStringLiteral("/settings.ini");
    {
        ui::Language language(unkeepable);
        language.choose(ui::Language::Choice::English);
        EXPECT_EQ(language.current(), ui::Language::Choice::English);
        EXPECT_EQ(standardButtons(), (QStringList{"OK", "Yes", "No", "Cancel"}));
    }
    EXPECT_EQ(ui::Language(unkeepable).saved(), ui::Language::Choice::Italian);
}
