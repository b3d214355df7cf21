#pragma once
// A blocking wait that keeps the player's input: the keys and clicks that arrive while it
// lasts are held back, and afterwards handed on in order, each to the window that takes input
// at the moment it is handed on, as if it had only then arrived. A fast typist loses nothing to
// a short flash, even when the window that had the keyboard is gone by then.

class QWidget;

namespace vum {

// Waits milliseconds while the windows stay painted. The held input goes, once control is
// back in the event loop, to the open popup or modal dialog if there is one, else to window
// (to its focus widget, for keys).
void WaitHoldingInput(int milliseconds, QWidget* window);

}  // namespace vum
