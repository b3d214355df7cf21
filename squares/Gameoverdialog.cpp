#include "squares/Gameoverdialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include "gui/Dialogs.h"
#include "gui/PictureBox.h"
#include "squares/DecorativeFrame.h"
#include "squares/SquaresLook.h"

using namespace vum;

TGameOverDialog1::TGameOverDialog1(QWidget* owner) : QDialog(owner) {
    MakeBorderlessDialog(this, owner, QSize(425, 142), QStringLiteral("Игра окончена!"));
    AddDecorativeFrame(this);
    Image1 = new PictureBox(this, "Image1", QRect(FrameEdge, FrameEdge, 377, 94));
    Image1->Picture = SquaresPicture(QStringLiteral("game_over_banner"));
    Image1->setAccessibleName(QStringLiteral("Игра окончена!"));

    // Counts from the dialog's creation, not from its showing.
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(ShowTime);
    connect(Timer1, &QTimer::timeout, this, &TGameOverDialog1::Timer1Timer);
    Timer1->start();
}

void TGameOverDialog1::Timer1Timer() {
    timeUp_ = true;
    accept();
}

// Esc would reject a dialog; here no key does anything.
void TGameOverDialog1::keyPressEvent(QKeyEvent* event) { event->accept(); }

void TGameOverDialog1::closeEvent(QCloseEvent* event) {
    if (timeUp_)
        event->accept();
    else
        event->ignore();
}
