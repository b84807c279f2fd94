// Message and input boxes, behind an interface so that tests answer them. Plain Qt Core: the
// real boxes, over Qt's widgets, are apart (platform/widgets/qt_dialogs.h).
#pragma once

#include <QString>

#include <functional>

class QObject;

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
    // A modal box with two buttons named by the caller, the first the default and the answer to
    // Esc; true for the first. While it is open, `opened` holds a way to press the first button
    // from outside, for when what the box waits for has happened; it must not be used after
    // the call returns.
    using Press = std::function<void()>;
    virtual bool choose(const QString& prompt, const QString& title, const QString& first, const QString& second,
                        const std::function<void(Press)>& opened) = 0;

    // The message box of a window other than the main window (the about box's): it opens over
    // `owner` and gives the focus back to it when it closes.
    virtual void messageFrom(QObject* owner, const QString& prompt, const QString& title)
    {
        static_cast<void>(owner);
        message(prompt, title);
    }
};

} // namespace platform
