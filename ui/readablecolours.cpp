#include "readablecolours.h"

#include <QPalette>

#include <cmath>

namespace tarvelo {

namespace {

constexpr double kReadable = 4.5;

double luminance(const QColor &colour)
{
    const auto channel = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableBlue(const QPalette &palette)
{
    const QColor background = palette.color(QPalette::Window);
    QColor blue(0, 0, 255);
    // Towards white, keeping the hue: (0, 0, 255) … (k, k, 255).
    for (int k = 0; k <= 255 && contrastRatio(blue, background) < kReadable; k += 5)
        blue = QColor(k, k, 255);
    return blue;
}

QColor readableBlack(const QPalette &palette)
{
    const QColor black(0, 0, 0);
    return contrastRatio(black, palette.color(QPalette::Window)) >= kReadable ? black
                                                                             : palette.color(QPalette::WindowText);
}

} // namespace tarvelo
