#pragma once
// What the colour-squares main window tells a screen reader about the pause: the pause button
// is named after what a press on it does, and a pause and its end are announced.

class QWidget;

namespace vum {

void ShowPauseAccessibly(QWidget* pauseButton, bool paused);

}  // namespace vum
