// How the game's windows meet the player's screen: the colours the game fixes on any system
// palette, where a window opens on a screen of any size, and the whole text of a clipped cell.
#pragma once

#include <QColor>
#include <QMargins>
#include <QPalette>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QSize>

#include <functional>
#include <optional>

class QScreen;
class QWindow;
class QWidget;

namespace ui {

// The light face the game's fixed colours were drawn on, and the black ink on it.
inline constexpr QColor kGameFace{0xF0, 0xF0, 0xF0};
inline constexpr QColor kGameInk{0x00, 0x00, 0x00};

// A light palette on the game's face with black text, whatever the system's scheme.
QPalette gamePalette();

// The contrast of two colours as WCAG measures it: from 1 (the same) to 21 (black on white).
double contrast(const QColor& a, const QColor& b);

// The colour of lines and marks on the palette's face: its text colour softened toward the face
// only as far as it still stands out clearly (4.5 : 1).
QColor markColour(const QPalette& palette);

// The white of the design's etched lines: the face the cash box takes where the system's own
// face is too dark for the game's black ink.
inline constexpr QColor kInkFace{0xFF, 0xFF, 0xFF};

// The system's style with the marks it may draw too faint on a dark or high-contrast face, or
// even on a light one (the option buttons' circles, the entries' edges, the frames' lines),
// drawn in markColour. Installed for the whole program before its first window.
void useGameStyle();

// Gives a widget the game's ink for its text and drawings; everything else it shows keeps
// following the system palette.
void useGameInk(QWidget* widget);

// The frame rectangle moved just enough to lie inside the available area; one larger than the
// area keeps its top-left corner, and with it the title bar, inside.
QRect fitInside(QRect frame, const QRect& available);

// Where a window's frame opens: centred on the available area, or with the client area's
// top-left corner at `clientAt` from the screen's corner; in both cases fitted inside the area.
// `margins` is what the frame adds around the client area (zero while the system has not said).
QRect openingFrame(QSize clientSize, const QMargins& margins, const QRect& screen,
                   const QRect& available, std::optional<QPoint> clientAt = std::nullopt);

// Moves a top-level window to its opening place on its screen (see openingFrame).
void placeOnScreen(QWidget* window, std::optional<QPoint> clientAt = std::nullopt);

// A window's client area: the controls at their places on `client`, held by a scroll area that
// fills the window. Where the window fits the free area of its screen it is exactly the window
// as designed and nothing scrolls (a player who shrinks a sizable one cuts it, as designed); where
// it does not fit, the window is cut to that area and the client scrolls, by its scroll bars, the
// wheel and the keyboard, whose focus brings each control it reaches into view.
class ClientArea final : public QScrollArea {
    Q_OBJECT
public:
    enum class Sizing { Fixed, Sizable };

    // `windowSize` is the window's designed size: the client with what the window adds around
    // it (a menu bar, a border of its own). The window is sized at once.
    ClientArea(QWidget* client, QWidget* window, QSize windowSize, Sizing sizing);

    // Sizes the window for the free area of its screen. It runs again by itself when the window
    // is shown, when the system first tells the frame it draws around the window, and when the
    // window changes screen or its screen's free area changes.
    void fit();
    bool scrolls() const { return m_scrolls; }
    // Scrolls so that the whole control (of the client) is in view, where the view can hold it.
    void bringIntoView(const QWidget* control);
    // Runs after the fit that the first frame told by the system made: the window takes its
    // place again, now that its whole size is known.
    void setPlacement(std::function<void()> place) { m_place = std::move(place); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMargins frameMargins() const;
    void followScreen();

    QWidget* m_window;
    QSize m_windowSize;
    QSize m_clientSize;
    Sizing m_sizing;
    QMargins m_frame;
    bool m_scrolls = false;
    std::function<void()> m_place;
    QPointer<QScreen> m_screen;
    QPointer<QWindow> m_handle;
};

// The whole text for the player's tooltip, shown as written on one line however long it is.
QString wholeTextTip(const QString& text);

} // namespace ui
