#pragma once

#include <QIcon>
#include <QPixmap>

namespace tarvelo {

// The icon, 32 × 32 logical pixels, read as the PNG it is: naming the format
// keeps Qt from loading every image plugin to guess it. Above 1×, the 64-pixel
// rendition of the same design.
QPixmap programIcon(qreal devicePixelRatio = 1.0);

// The icon of every window and box: both renditions.
QIcon programWindowIcon();

// The formula, 168 × 50 logical pixels, built from its compiled-in pixels (2×
// ones above 1×), its black ink redrawn in `ink` where the palette needs
// another colour to be read.
QPixmap formulaPicture(const QColor &ink = Qt::black, const QColor &background = Qt::white,
                       qreal devicePixelRatio = 1.0);

} // namespace tarvelo
