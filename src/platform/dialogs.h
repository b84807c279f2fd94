// Message and input boxes, behind an interface so that tests answer them.
#pragma once

#include <QString>

class QWidget;

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
};

// The real boxes, modal over the parent window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void message(const QString& prompt, const QString& title) override;
    bool question(const QString& prompt, const QString& title) override;
    QString input(const QString& prompt, const QString& title) override;

private:
    QWidget* m_parent;
};

} // namespace platform
