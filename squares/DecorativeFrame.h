#pragma once
// The decorative frame of the colour-squares dialogs: strips of coloured squares along the
// four sides.

#include <array>

class QDialog;

namespace vum {

class PictureBox;

// Width of each edge panel of the decorative frame.
constexpr int FrameEdge = 24;

// The four edge panels along the dialog's sides (top and bottom over the full width, left
// and right between them), each showing its strip from its top-left corner, cut at its
// edges: top, bottom, left, right.
std::array<PictureBox*, 4> AddDecorativeFrame(QDialog* dialog);

}  // namespace vum
