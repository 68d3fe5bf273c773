#pragma once

#include <functional>

class QWidget;

namespace tarvelo {

// Where a window goes each time the program shows it.
enum class ShowPlace {
    // Centred on its screen, unless the program has placed it itself.
    OnScreen,
    // Centred over its owner (its parent widget), at every opening.
    OverOwner,
};

// What every window of the program does on the desktop, for its whole life:
// `restyle` runs now, and again whenever the palette or the screen's scale
// changes (colours that can be read, images drawn for the scale); at each
// show by the program (not a restore by the user) the window is placed by its
// frame (placeFixedCentred), before it is mapped; a window of fixed size
// that a manager maximises or makes fill the screen asks to be as it was.
void fitToDesktop(QWidget *window, ShowPlace place, std::function<void()> restyle);

} // namespace tarvelo
