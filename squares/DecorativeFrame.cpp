#include "squares/DecorativeFrame.h"

#include <QDialog>
#include <QPainter>

#include "gui/PictureBox.h"
#include "gui/WinLook.h"
#include "squares/SquaresLook.h"

namespace vum {

namespace {

PictureBox* EdgePanel(QDialog* dialog, const char* name, const QRect& geometry, const QImage& strip) {
    auto* panel = new PictureBox(dialog, name, geometry);
    panel->Picture = QImage(geometry.size(), QImage::Format_RGB32);
    panel->Picture.fill(WinColour(squares_colours::StripGround));
    QPainter painter(&panel->Picture);
    painter.drawImage(0, 0, strip);
    return panel;
}

}  // namespace

std::array<PictureBox*, 4> AddDecorativeFrame(QDialog* dialog) {
    const QImage across = SquaresPicture(QStringLiteral("frame_strip_h"));
    const QImage upright = SquaresPicture(QStringLiteral("frame_strip_v"));
    const int w = dialog->width();
    const int h = dialog->height();
    return {
        EdgePanel(dialog, "FrameTopPanel", QRect(0, 0, w, FrameEdge), across),
        EdgePanel(dialog, "FrameBottomPanel", QRect(0, h - FrameEdge, w, FrameEdge), across),
        EdgePanel(dialog, "FrameLeftPanel", QRect(0, FrameEdge, FrameEdge, h - 2 * FrameEdge), upright),
        EdgePanel(dialog, "FrameRightPanel", QRect(w - FrameEdge, FrameEdge, FrameEdge, h - 2 * FrameEdge),
                  upright),
    };
}

}  // namespace vum
