#include "desktop/readablecolours.h"

#include <QPalette>

#include <cmath>

namespace tarvelo {

namespace {

// A fixed colour that reaches WCAG's 4.5:1 stays as it is; one that does not
// is replaced by a colour that reaches the enhanced 7:1, as these are 8-point
// texts.
constexpr double kReadable = 4.5;
constexpr double kEnhanced = 7.0;

double luminance(const QColor &colour)
{
    const auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

QColor mixed(const QColor &from, const QColor &to, int step)
{
    const auto channel = [step](int a, int b) {
        return a + (b - a) * step / 255;
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

// `fixed` where it can be read on `background`; otherwise the colour nearest
// to it, on the way towards black or towards white, that reaches 7:1,
// whichever way the background needs; where neither way reaches 7:1 (greys
// near the middle), the colour of highest contrast on either way.
QColor readableOn(const QColor &background, const QColor &fixed)
{
    if (contrastRatio(fixed, background) >= kReadable)
        return fixed;
    QColor best = fixed;
    int nearest = 256;
    QColor nearestEnhanced;
    for (const QColor &end : {QColor(0, 0, 0), QColor(255, 255, 255)}) {
        for (int step = 0; step <= 255 && step < nearest; ++step) {
            const QColor candidate = mixed(fixed, end, step);
            const double contrast = contrastRatio(candidate, background);
            if (contrast > contrastRatio(best, background))
                best = candidate;
            if (contrast >= kEnhanced) {
                nearest = step;
                nearestEnhanced = candidate;
            }
        }
    }
    return nearest <= 255 ? nearestEnhanced : best;
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
    // Darker blues down to black, lighter ones up to white: a blue as long as one will do.
    return readableOn(palette.color(QPalette::Window), QColor(0, 0, 255));
}

QColor readableBlack(const QPalette &palette)
{
    // The desktop's own text colour where it reaches 7:1, so that these texts
    // match the window's others.
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    if (contrastRatio(QColor(0, 0, 0), window) < kReadable && contrastRatio(text, window) >= kEnhanced)
        return text;
    return readableOn(window, QColor(0, 0, 0));
}

} // namespace tarvelo
