// The game's fixed colours, the opening places of its windows and the tooltips of clipped texts.
#include "ui/window_look.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>

namespace ui {

QPalette gamePalette()
{
    // Built from the face alone: dark text on light fields, with every group resolved, so no
    // role falls back to the system's scheme.
    QPalette palette(kGameFace);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, kGameInk);
        palette.setColor(group, QPalette::ButtonText, kGameInk);
        palette.setColor(group, QPalette::Text, kGameInk);
    }
    return palette;
}

void useGameInk(QWidget* widget, bool face)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, kGameInk);
        palette.setColor(group, QPalette::ButtonText, kGameInk);
        if (face) {
            palette.setColor(group, QPalette::Window, kGameFace);
        }
    }
    widget->setPalette(palette);
    if (face) {
        widget->setAutoFillBackground(true);
    }
}

QRect fitInside(QRect frame, const QRect& available)
{
    // Right and bottom first, so that where both cannot hold the top-left corner wins.
    frame.moveLeft(std::min(frame.left(), available.right() + 1 - frame.width()));
    frame.moveTop(std::min(frame.top(), available.bottom() + 1 - frame.height()));
    frame.moveLeft(std::max(frame.left(), available.left()));
    frame.moveTop(std::max(frame.top(), available.top()));
    return frame;
}

QRect openingFrame(QSize clientSize, const QMargins& margins, const QRect& screen,
                   const QRect& available, std::optional<QPoint> clientAt)
{
    QRect frame(QPoint(0, 0), clientSize.grownBy(margins));
    if (clientAt) {
        frame.moveTopLeft(screen.topLeft() + *clientAt - QPoint(margins.left(), margins.top()));
    } else {
        const QPoint half((frame.width() - 1) / 2, (frame.height() - 1) / 2);
        frame.moveTopLeft(available.center() - half);
    }
    return fitInside(frame, available);
}

void placeOnScreen(QWidget* window, std::optional<QPoint> clientAt)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    const QMargins margins(inner.left() - outer.left(), inner.top() - outer.top(),
                           outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect frame = openingFrame(inner.size(), margins, screen->geometry(),
                                     screen->availableGeometry(), clientAt);
    if (clientAt) {
        // The window's place is its client area's; where the frame is not known yet the system
        // adds it around that place.
        window->setGeometry(
            QRect(frame.topLeft() + QPoint(margins.left(), margins.top()), inner.size()));
    } else {
        // A top-level window's position is its frame's, so the title bar lands on the screen
        // even where the system has not yet said how tall it is.
        window->move(frame.topLeft());
    }
}

QString wholeTextTip(const QString& text)
{
    if (text.isEmpty()) {
        return {};
    }
    // As rich text that keeps every blank and never wraps, so that what a file holds is shown
    // exactly, markup characters included.
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

} // namespace ui
