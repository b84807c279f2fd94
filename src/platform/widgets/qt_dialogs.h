// The real message and input boxes, over Qt's widgets.
#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>

namespace platform {

// The real boxes. A box belongs to the window that asked for it: modal over that window, and
// the focus goes back there when the box closes. The boxes without an owner of their own are
// the main window's; the main window is held weakly, since it may close while other windows
// of the game stay open.
class QtDialogs final : public Dialogs {
public:
    QtDialogs() = default;
    // The window that the boxes without an owner belong to; null: none.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    void message(const QString& prompt, const QString& title) override;
    bool question(const QString& prompt, const QString& title) override;
    QString input(const QString& prompt, const QString& title) override;
    bool choose(const QString& prompt, const QString& title, const QString& first, const QString& second,
                const std::function<void(Press)>& opened) override;
    void messageFrom(QObject* owner, const QString& prompt, const QString& title) override;

private:
    // The window a box opens over: the one that asked, else the main window, else the active
    // window, else any open window of the game; null only when none is open.
    QWidget* ownerFor(QWidget* asked) const;
    void showMessage(QWidget* owner, const QString& prompt, const QString& title);
    // Where the focus goes when a box closes: back to its owner, or, if that closed meanwhile,
    // to the main window or else to any open window.
    void giveFocusBack(const QPointer<QWidget>& owner) const;

    QPointer<QWidget> m_mainWindow;
};

} // namespace platform
