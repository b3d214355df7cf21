#include "squares/Gameoverdialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include "squares/DecorativeFrame.h"
#include "squares/PanelWidgets.h"

TGameOverDialog1::TGameOverDialog1(QWidget* owner) : QDialog(owner) {
    InitSquaresResources();
    MakeBorderlessDialog(this, owner, QSize(425, 142), QStringLiteral("Игра окончена!"));
    AddDecorativeFrame(this);
    Image1 = new PictureBox(this, "Image1", QRect(FrameEdge, FrameEdge, 377, 94));
    Image1->Picture = RenderPicture(QStringLiteral("game_over_banner"));

    // Counts from the dialog's creation, not from its showing.
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(ShowTime);
    connect(Timer1, &QTimer::timeout, this, &TGameOverDialog1::Timer1Timer);
    Timer1->start();
}

void TGameOverDialog1::Timer1Timer() {
    timeUp = true;
    accept();
}

// Esc would reject a dialog; here no key does anything.
void TGameOverDialog1::keyPressEvent(QKeyEvent* event) { event->accept(); }

void TGameOverDialog1::closeEvent(QCloseEvent* event) {
    if (timeUp)
        event->accept();
    else
        event->ignore();
}
