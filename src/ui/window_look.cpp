// The game's fixed colours, the opening places of its windows and the tooltips of clipped texts.
#include "ui/window_look.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QWidget>
#include <QWindow>

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

ClientArea::ClientArea(QWidget* client, QWidget* window, QSize windowSize, Sizing sizing)
    : QScrollArea(window), m_window(window), m_windowSize(windowSize), m_clientSize(client->size()),
      m_sizing(sizing)
{
    setObjectName(QStringLiteral("clientArea"));
    setFrameShape(QFrame::NoFrame);
    // The window's own focus order stays as it was: the area takes no stop of its own.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setWidget(client);
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (m_scrolls && now != nullptr && widget()->isAncestorOf(now)) {
            ensureWidgetVisible(now, 8, 8);
        }
    });
    fit();
}

QMargins ClientArea::frameMargins() const
{
    const QRect outer = m_window->frameGeometry();
    const QRect inner = m_window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void ClientArea::fit()
{
    const QScreen* screen = m_window->screen();
    if (screen == nullptr) {
        return;
    }
    const QSize room = screen->availableGeometry().size().shrunkBy(m_frame);
    const bool fits =
        m_windowSize.width() <= room.width() && m_windowSize.height() <= room.height();
    QSize size = m_windowSize;
    if (!fits) {
        // A scroll bar along one side takes room from the other, which may then need one too.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        bool across = m_windowSize.width() > room.width();
        bool down = m_windowSize.height() > room.height();
        across = across || (down && m_windowSize.width() + bar > room.width());
        down = down || (across && m_windowSize.height() + bar > room.height());
        size = QSize(std::min(m_windowSize.width() + (down ? bar : 0), room.width()),
                     std::min(m_windowSize.height() + (across ? bar : 0), room.height()));
    }
    m_scrolls = !fits;
    // Where it fits, the client follows the window as the window's own surface would; where it
    // does not, it keeps its designed size and the area scrolls over it.
    widget()->setMinimumSize(fits ? QSize(0, 0) : m_clientSize);
    const Qt::ScrollBarPolicy bars = fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(bars);
    setVerticalScrollBarPolicy(bars);
    if (m_sizing == Sizing::Fixed) {
        m_window->setFixedSize(size);
    } else {
        m_window->resize(size);
    }
}

void ClientArea::followScreen()
{
    QWindow* handle = m_window->windowHandle();
    if (handle == nullptr || m_screen == handle->screen()) {
        return;
    }
    if (m_screen != nullptr) {
        disconnect(m_screen, nullptr, this, nullptr);
    }
    m_screen = handle->screen();
    if (m_screen != nullptr) {
        connect(m_screen, &QScreen::availableGeometryChanged, this, &ClientArea::fit);
    }
}

bool ClientArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            if (QWindow* handle = m_window->windowHandle(); handle != nullptr && !m_handle) {
                m_handle = handle;
                connect(handle, &QWindow::screenChanged, this, [this] {
                    followScreen();
                    fit();
                });
            }
            followScreen();
            m_frame = frameMargins();
            fit();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // The frame is told once the window is on the screen: the room it leaves changes.
            if (m_window->isVisible() && frameMargins() != m_frame) {
                m_frame = frameMargins();
                fit();
                if (m_place) {
                    m_place();
                }
            }
            break;
        default:
            break;
        }
    }
    return QScrollArea::eventFilter(watched, event);
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
