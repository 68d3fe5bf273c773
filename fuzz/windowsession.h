#pragma once

// A session: the main window driven through a sequence of user actions
// read from bytes, with the window's promises checked after every action.
// The fuzz target and the replay test play sessions the same way.
//
// Each action is one byte, followed by the bytes it takes as parameters (a
// missing parameter reads as 0). The letters below name the actions, so a
// seed can be written by hand; any other byte stands for one of the actions
// that do not end the program.
//
//   t c    type the character c into the focused control
//   p f n  paste n % 16 characters (those that follow) into field f
//   P f s n k   paste a text of min(10000, 2^(s % 14) + n) characters, the
//          k % 8 + 1 characters that follow repeated, into field f
//   b d    Backspace, Delete       H E    Home, End
//   l r L  Left, Right, Shift+Left a z y  Ctrl+A, Ctrl+Z, Ctrl+Y
//   T S    Tab, Shift+Tab          R n    Return, keypad Enter
//   c      click "Calcular"        N B    Ctrl+N, the menu's "Borrar campos"
//   i w    open the About box and close it: w % 3 picks Escape, "Aceptar" or its close box
//   g v    switch the palette: v % 3 picks light, dark, mid-grey
//   f v    give the focus to the height, the weight, "Calcular" or the picture (v % 4)
//   m f x  click field f at x
//   q s X  Escape, the menu's "Salir", the window's close box (these end the program)
//
// A field f is the height when f is even, the weight when odd ('h' and 'w').
// A character byte stands for itself when it is one of
// "0123456789,.+-eEax" or a space, tab, CR or LF; any other byte picks from
// the blanks a number may have around it, a fullwidth digit, a right-to-left
// mark, an emoji and a few more.

#include <QString>

#include <cstddef>
#include <cstdint>

namespace tarvelo::fuzzing {

// Makes the one application of the run: offscreen unless a platform is set,
// Spanish (Spain), the program's look. Call once, before any session; the
// application lives until the process ends.
void prepareApplication();

// Plays the session on the run's one main window, reset to how a user finds
// it at start, and returns the number of actions played (a session ends
// early when the program does). A broken promise is printed with the actions
// that led to it, and the process aborts.
std::size_t playSession(const std::uint8_t *data, std::size_t size, std::size_t mostActions = 200);

// The actions the bytes stand for, one per line.
QString describeSession(const std::uint8_t *data, std::size_t size);

} // namespace tarvelo::fuzzing
