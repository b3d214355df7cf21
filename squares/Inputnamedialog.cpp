#include "squares/Inputnamedialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "gui/Accessibility.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"
#include "gui/Keys.h"
#include "gui/Panels.h"
#include "squares/DecorativeFrame.h"
#include "squares/SquaresLook.h"

using namespace vum;

TInputNameDialog1::TInputNameDialog1(QWidget* owner) : QDialog(owner) {
    MakeBorderlessDialog(this, owner, QSize(623, 97), QStringLiteral("Ваше имя"));
    AddDecorativeFrame(this);

    Panel1 = new BevelPanel(this, "Panel1", QRect(FrameEdge, FrameEdge, 575, 49), squares_colours::DarkBrownishRed,
                            Bevel::Raised, Bevel::Lowered);

    Label1 = new QLabel(QStringLiteral("Ваше имя:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 10, 155, 36);
    Label1->setFont(PixelFont(QStringLiteral("Arial"), 27, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette labelPalette = Label1->palette();
    labelPalette.setColor(QPalette::WindowText, WinColour(system_colours::White));
    Label1->setPalette(labelPalette);
    Label1->setAutoFillBackground(false);

    NameEdit1 = new QLineEdit(Panel1);
    NameEdit1->setObjectName(QStringLiteral("NameEdit1"));
    NameEdit1->setGeometry(168, 5, 401, 37);
    NameEdit1->setFont(PixelFont(QStringLiteral("Arial"), 24, true));
    NameEdit1->setMaxLength(MaxNameLength);
    QPalette editPalette = NameEdit1->palette();
    editPalette.setColor(QPalette::Text, WinColour(system_colours::Black));
    editPalette.setColor(QPalette::Base, WinColour(system_colours::White));
    NameEdit1->setPalette(editPalette);
    NameEdit1->setFocus();
    // Screen readers name the box after its label, and say why a name is asked for.
    Label1->setBuddy(NameEdit1);
    SetAccessibleContent(this, {QStringLiteral("Ваш результат вошёл в десятку лучших"),
                                QStringLiteral("Введите имя и нажмите Enter")});

    PreviewInput(this, this);
}

bool TInputNameDialog1::FormKeyDown(int key) {
    if (key != virtual_keys::Return && key != virtual_keys::Escape) return false;
    // Esc does not cancel: whatever the box holds is the name.
    done(QDialog::Accepted);
    return true;
}

bool TInputNameDialog1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(VirtualKeyCode(*static_cast<QKeyEvent*>(event)))) return true;
    return QDialog::eventFilter(watched, event);
}
