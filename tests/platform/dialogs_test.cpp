// The real message and input boxes, answered from the event loop while they are open.
#include "platform/widgets/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

void rejectOpenDialogs()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) {
            dialog->reject();
        }
    }
}

// Runs `answer` on the modal box once it is open. Should the box never turn up, or stay open
// after the answer, it is rejected so that the test fails instead of hanging.
void whenBoxOpens(std::function<void(QWidget*)> answer, int triesLeft = 200)
{
    QTimer::singleShot(0, [answer = std::move(answer), triesLeft]() mutable {
        if (QWidget* box = QApplication::activeModalWidget()) {
            answer(box);
            if (box->isVisible()) {
                ADD_FAILURE() << "the box stayed open";
                rejectOpenDialogs();
            }
            return;
        }
        if (triesLeft > 0) {
            whenBoxOpens(std::move(answer), triesLeft - 1);
            return;
        }
        ADD_FAILURE() << "no modal box opened";
        rejectOpenDialogs();
    });
}

TEST(QtDialogs, MessageHasNoIconAndOnlyOk)
{
    platform::QtDialogs dialogs;
    bool seen = false;
    whenBoxOpens([&seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Errore"));
        EXPECT_EQ(box->text(), QStringLiteral("Non hai abbastanza soldi!"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->standardButton(box->buttons().front()), QMessageBox::Ok);
        box->buttons().front()->click();
    });
    dialogs.message(QStringLiteral("Non hai abbastanza soldi!"), QStringLiteral("Errore"));
    EXPECT_TRUE(seen);
}

TEST(QtDialogs, QuestionDefaultsToYesAndTellsTheAnswer)
{
    platform::QtDialogs dialogs;
    // Return takes the default button.
    whenBoxOpens([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_TRUE(dialogs.question(QStringLiteral("Vuoi uscire?"), QStringLiteral("Tolv Street")));

    whenBoxOpens([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(dialogs.question(QStringLiteral("Vuoi uscire?"), QStringLiteral("Tolv Street")));

    whenBoxOpens([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_FALSE(dialogs.question(QStringLiteral("Vuoi uscire?"), QStringLiteral("Tolv Street")));
}

TEST(QtDialogs, InputStartsEmptyAndCancelGivesTheEmptyText)
{
    platform::QtDialogs dialogs;
    const QString prompt = QStringLiteral("Inserisci il tuo nome");
    whenBoxOpens([&prompt](QWidget* w) {
        auto* box = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("HAI VINTO !!!!"));
        EXPECT_EQ(box->labelText(), prompt);
        EXPECT_EQ(box->textValue(), QString());
        box->setTextValue(QStringLiteral("Anna"));
        box->accept();
    });
    EXPECT_EQ(dialogs.input(prompt, QStringLiteral("HAI VINTO !!!!")), QStringLiteral("Anna"));

    whenBoxOpens([](QWidget* w) {
        auto* box = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(box, nullptr);
        box->setTextValue(QStringLiteral("typed, then cancelled"));
        box->reject();
    });
    const QString cancelled = dialogs.input(prompt, QStringLiteral("HAI VINTO !!!!"));
    EXPECT_TRUE(cancelled.isEmpty());
}

TEST(QtDialogs, ABoxWhoseWindowIsUnloadedGivesTheFocusToTheMainWindow)
{
    platform::QtDialogs dialogs;
    QWidget main;
    QPointer<QWidget> owner = new QWidget(nullptr, Qt::Tool);
    main.show();
    owner->show();
    dialogs.setMainWindow(&main);
    // The box opens over its own window, which is unloaded while the box is open: the box goes
    // with it, and the focus goes to the main window.
    QTimer::singleShot(0, [&owner] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), owner.data());
        delete owner.data();
    });
    dialogs.messageFrom(owner.data(), QStringLiteral("Addio"), QStringLiteral("Tolv Street"));
    EXPECT_TRUE(owner.isNull());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
}

} // namespace
