// Message and input boxes, behind an interface so that tests answer them.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with a single OK button and no icon.
    virtual void message(const QString& prompt, const QString& title) = 0;
    // A modal Yes/No box, Yes the default; true for Yes.
    virtual bool question(const QString& prompt, const QString& title) = 0;
    // A modal input box with an empty entry, OK and Cancel; Cancel gives the empty text.
    virtual QString input(const QString& prompt, const QString& title) = 0;

    // The message box of a window other than the main window (the about box's): it opens over
    // `owner` and gives the focus back to it when it closes.
    virtual void messageFrom(QWidget* owner, const QString& prompt, const QString& title)
    {
        static_cast<void>(owner);
        message(prompt, title);
    }
};

} // namespace platform
