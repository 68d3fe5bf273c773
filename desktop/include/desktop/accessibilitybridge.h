#pragma once

namespace tarvelo {

// Keeps the program to Qt's own accessibility bridge. Qt's GTK platform theme
// loads GTK, whose bridge would register the program a second time, as an
// entry that screen readers wait on in vain. Call before the application is
// made: GTK reads this setting when it is loaded.
void useQtAccessibilityBridgeOnly();

} // namespace tarvelo
