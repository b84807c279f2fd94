// The windows' positions and sizes in twips, and the one rule that turns them into pixels.
#pragma once

#include <QPoint>
#include <QRect>

namespace ui {

// 15 twips make a pixel at 96 dots per inch; every window rounds to the nearest pixel, so a
// stroke that ends at 5654 twips ends on pixel 377 wherever it is drawn.
constexpr int twips(int value)
{
    return value >= 0 ? (value + 7) / 15 : -((-value + 7) / 15);
}

constexpr QRect twipRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

constexpr QPoint twipPoint(int x, int y)
{
    return QPoint(twips(x), twips(y));
}

} // namespace ui
