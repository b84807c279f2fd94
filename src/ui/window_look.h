// How the game's windows meet the player's screen: the colours the game fixes on any system
// palette, where a window opens on a screen of any size, and the whole text of a clipped cell.
#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace ui {

// The light face the game's fixed colours were drawn on, and the black ink on it.
inline constexpr QColor kGameFace{0xF0, 0xF0, 0xF0};
inline constexpr QColor kGameInk{0x00, 0x00, 0x00};

// A light palette on the game's face with black text, whatever the system's scheme.
QPalette gamePalette();

// Gives a widget the game's ink for its text and drawings (and, with `face`, the game's
// face behind them); everything else it shows keeps following the system palette.
void useGameInk(QWidget* widget, bool face = false);

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

// The whole text for the player's tooltip, shown as written on one line however long it is.
QString wholeTextTip(const QString& text);

} // namespace ui
