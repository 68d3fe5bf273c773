#pragma once

#include <QPoint>
#include <QRect>

namespace tarvelo {

// Layouts are drawn in twips, 15 to the logical pixel. Each coordinate and
// each size rounds to the nearest pixel (a whole number of twips is never
// half-way between two): 2078 → 139, 1467 → 98, 4092 → 273, 5657 → 377.
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips * 2 + 15) / 30 : -((-twips * 2 + 15) / 30);
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

constexpr QPoint twipsPoint(int x, int y)
{
    return QPoint(twipsToPixels(x), twipsToPixels(y));
}

} // namespace tarvelo
