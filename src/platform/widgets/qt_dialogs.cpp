// The real message and input boxes, each modal over the window it belongs to.
#include "platform/widgets/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

// A window the player can see and use: not a menu, a tooltip or a box on its way out.
bool isOpenWindow(const QWidget* widget)
{
    if (widget == nullptr || !widget->isWindow() || !widget->isVisible()) {
        return false;
    }
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool;
}

QWidget* anyOpenWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (isOpenWindow(widget)) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace

QWidget* QtDialogs::ownerFor(QWidget* asked) const
{
    for (QWidget* candidate : {asked, m_mainWindow.data(), QApplication::activeWindow()}) {
        if (isOpenWindow(candidate)) {
            return candidate;
        }
    }
    return anyOpenWindow();
}

void QtDialogs::giveFocusBack(const QPointer<QWidget>& owner) const
{
    QWidget* target = nullptr;
    for (QWidget* candidate : {owner.data(), m_mainWindow.data()}) {
        if (isOpenWindow(candidate)) {
            target = candidate;
            break;
        }
    }
    if (target == nullptr) {
        target = anyOpenWindow();
    }
    if (target != nullptr && QApplication::activeWindow() != target) {
        target->raise();
        target->activateWindow();
    }
}

void QtDialogs::showMessage(QWidget* asked, const QString& prompt, const QString& title)
{
    const QPointer<QWidget> owner = ownerFor(asked);
    // Made with new and watched: as a child of its owner the box goes with the owner, should the
    // owner be unloaded while the box is open (exec then answers Rejected).
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, owner.data());
    // The game's texts are plain: a name or description with "<" must not turn into markup.
    box->setTextFormat(Qt::PlainText);
    box->exec();
    delete box.data();
    giveFocusBack(owner);
}

void QtDialogs::message(const QString& prompt, const QString& title)
{
    showMessage(nullptr, prompt, title);
}

void QtDialogs::messageFrom(QObject* owner, const QString& prompt, const QString& title)
{
    showMessage(qobject_cast<QWidget*>(owner), prompt, title);
}

bool QtDialogs::choose(const QString& prompt, const QString& title, const QString& first, const QString& second,
                       const std::function<void(Press)>& opened)
{
    const QPointer<QWidget> owner = ownerFor(nullptr);
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, title, prompt, QMessageBox::NoButton, owner.data());
    box->setTextFormat(Qt::PlainText);
    QPushButton* firstButton = box->addButton(first, QMessageBox::AcceptRole);
    QPushButton* secondButton = box->addButton(second, QMessageBox::RejectRole);
    box->setDefaultButton(firstButton);
    box->setEscapeButton(firstButton);
    if (opened) {
        opened([box, firstButton] {
            if (!box.isNull()) {
                firstButton->click();
            }
        });
    }
    box->exec();
    const bool firstChosen = box.isNull() || box->clickedButton() != secondButton;
    delete box.data();
    giveFocusBack(owner);
    return firstChosen;
}

bool QtDialogs::question(const QString& prompt, const QString& title)
{
    const QPointer<QWidget> owner = ownerFor(nullptr);
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, title, prompt,
                                                QMessageBox::Yes | QMessageBox::No, owner.data());
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    const bool yes = box->exec() == QMessageBox::Yes;
    delete box.data();
    giveFocusBack(owner);
    return yes;
}

QString QtDialogs::input(const QString& prompt, const QString& title)
{
    const QPointer<QWidget> owner = ownerFor(nullptr);
    QPointer<QInputDialog> box = new QInputDialog(owner.data());
    box->setInputMode(QInputDialog::TextInput);
    box->setWindowTitle(title);
    box->setLabelText(prompt);
    box->setTextValue(QString());
    const bool accepted = box->exec() == QDialog::Accepted;
    const QString text = accepted && !box.isNull() ? box->textValue() : QString();
    delete box.data();
    giveFocusBack(owner);
    return text;
}

} // namespace platform
