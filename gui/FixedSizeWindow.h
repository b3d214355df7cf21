#pragma once
// A main window of fixed size is never maximised nor full screen. Its flags offer no
// maximise box, but not every window system asks them: Qt's own title bar on Wayland draws
// the box whatever the flags say, and a compositor may maximise any window by a key of its
// own (weston: Super+Shift+M). The window then goes back to its size at once.
//
// On Wayland a window cannot refuse: the compositor's maximised size must be taken, and a
// window that keeps its own is cut off with a protocol error (the game lost). So there the
// window's size is held by the window itself rather than by a maximum the toolkit would
// enforce: a maximised or full-screen window takes the compositor's size for a moment and
// asks to be normal again until it is. Anywhere, another size that the window system gives
// the window without a state (a drag on its edge, weston maximising an X window) is put back.

class QWidget;

namespace vum {

// For the life of window, whose fixed size is set: a change of its state to maximised or full
// screen is undone, and the window keeps its size.
void KeepNormalState(QWidget& window);

}  // namespace vum
