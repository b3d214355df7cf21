#include "squares/DecorativeFrame.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "squares/PanelWidgets.h"

namespace {

// The ground of the strips, shown where a strip picture ends short of its panel.
constexpr std::uint32_t StripGround = 0x00000080;

PictureBox* EdgePanel(QDialog* dialog, const char* name, const QRect& geometry, const QImage& strip) {
    auto* panel = new PictureBox(dialog, name, geometry);
    panel->Picture = QImage(geometry.size(), QImage::Format_RGB32);
    panel->Picture.fill(WinColour(StripGround));
    QPainter painter(&panel->Picture);
    painter.drawImage(0, 0, strip);
    return panel;
}

}  // namespace

void MakeBorderlessDialog(QDialog* dialog, QWidget* owner, QSize client, const QString& title) {
    dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    dialog->setWindowTitle(title);
    dialog->setFixedSize(client);
    dialog->setModal(true);
    CentreOver(dialog, owner);
}

void CentreOver(QWidget* window, const QWidget* owner) {
    QPoint centre;
    if (owner != nullptr && owner->isVisible()) {
        centre = owner->frameGeometry().center();
    } else {
        const QScreen* screen = QGuiApplication::primaryScreen();
        centre = screen != nullptr ? screen->availableGeometry().center() : QPoint(0, 0);
    }
    window->move(centre - QPoint(window->width() / 2, window->height() / 2));
}

std::array<PictureBox*, 4> AddDecorativeFrame(QDialog* dialog) {
    const QImage across = RenderPicture(QStringLiteral("frame_strip_h"));
    const QImage upright = RenderPicture(QStringLiteral("frame_strip_v"));
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

void PreviewInput(QWidget* window, QObject* filter) {
    window->installEventFilter(filter);
    for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(filter);
}
