// The real message and input boxes, modal over the main window.
#include "platform/dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace platform {

void QtDialogs::message(const QString& prompt, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, m_parent);
    // The game's texts are plain: a name or description with "<" must not turn into markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtDialogs::question(const QString& prompt, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::input(const QString& prompt, const QString& title)
{
    QInputDialog box(m_parent);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString());
    if (box.exec() != QDialog::Accepted) {
        return QString();
    }
    return box.textValue();
}

} // namespace platform
