#pragma once
// What the borderless dialogs of the colour-squares program share: no title bar, a fixed
// client area centred over the owner, the decorative frame of strips of coloured squares,
// and keys and mouse presses anywhere in a dialog seen by the dialog first.

#include <QSize>
#include <QString>
#include <array>

class QDialog;
class QObject;
class QWidget;
class PictureBox;

// Width of each edge panel of the decorative frame.
constexpr int FrameEdge = 24;

// A modal dialog without title bar, of a fixed client size, centred over its owner. The
// title names the window to the window system only.
void MakeBorderlessDialog(QDialog* dialog, QWidget* owner, QSize client, const QString& title);

// Centres window over owner; over the middle of the screen while owner is not shown yet,
// which is where a main window first appears.
void CentreOver(QWidget* window, const QWidget* owner);

// The four edge panels along the dialog's sides (top and bottom over the full width, left
// and right between them), each showing its strip from its top-left corner, cut at its
// edges: top, bottom, left, right.
std::array<PictureBox*, 4> AddDecorativeFrame(QDialog* dialog);

// Installs filter on window and on every widget inside it, so that the window's handler
// sees their keys and presses before they do.
void PreviewInput(QWidget* window, QObject* filter);
