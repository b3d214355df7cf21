#include "squares/Helpdialog.h"

#include <QMouseEvent>

#include "squares/DecorativeFrame.h"
#include "squares/PanelWidgets.h"

namespace {

enum class Look { Title, Text, Heading };

struct Line {
    int height;
    const char* text;
    Look look;
};

const std::array<Line, THelpDialog1::Lines> HelpLines = {{
    {49, "Игра \"Квадратики\"", Look::Title},
    {28, " Цель игры: щелчком левой кнопки \"мышки\" убрать квадратики ", Look::Text},
    {33, " одинакового цвета. Минимальное количество убираемых", Look::Text},
    {33, " квадратиков - 3.", Look::Text},
    {33, " В категории \"Новичок\" используется три цвета.", Look::Text},
    {33, " В категории \"Любитель\" используется четыре цвета.", Look::Text},
    {33, " В категории \"Профессионал\" используется пять цветов.", Look::Text},
    {44, "Горячие клавиши:", Look::Heading},
    {33, " Esc - выход из игры;", Look::Text},
    {33, " F5 - временная остановка игры;", Look::Text},
    {33, " F10 - список лучших сметчиков;", Look::Text},
}};

}  // namespace

THelpDialog1::THelpDialog1(QWidget* owner) : QDialog(owner) {
    InitSquaresResources();
    MakeBorderlessDialog(this, owner, QSize(624, 436), QStringLiteral("Подсказка"));
    AddDecorativeFrame(this);

    using namespace Colours;
    Panel1 = new BevelPanel(this, "Panel1", QRect(FrameEdge, FrameEdge, 576, 388), LightRed);
    int top = 1;
    for (int i = 0; i < Lines; ++i) {
        const Line& line = HelpLines[static_cast<std::size_t>(i)];
        const QByteArray name = "LinePanel" + QByteArray::number(i + 1);
        const QRect geometry(1, top, 574, line.height);
        BevelPanel* panel = nullptr;
        switch (line.look) {
            case Look::Title:
                panel = new BevelPanel(Panel1, name.constData(), geometry, DarkBrownishRed, Bevel::Raised);
                panel->setFont(PixelFont(QStringLiteral("Arial"), 21, true, true));
                panel->SetFontColour(WinColour(White));
                panel->SetAlignment(Qt::AlignHCenter);
                break;
            case Look::Heading:
                panel = new BevelPanel(Panel1, name.constData(), geometry, DarkBrownishRed, Bevel::None);
                panel->setFont(PixelFont(QStringLiteral("Arial"), 19, true, true));
                panel->SetFontColour(WinColour(Yellow));
                panel->SetAlignment(Qt::AlignHCenter);
                break;
            case Look::Text:
                panel = new BevelPanel(Panel1, name.constData(), geometry, LightRed, Bevel::None);
                panel->setFont(PixelFont(QStringLiteral("Arial"), 19));
                panel->SetFontColour(WinColour(White));
                panel->SetAlignment(Qt::AlignLeft);
                break;
        }
        panel->SetCaption(QString::fromUtf8(line.text));
        LinePanels[static_cast<std::size_t>(i)] = panel;
        top += line.height;
    }

    PreviewInput(this, this);
}

void THelpDialog1::FormClick() { accept(); }

void THelpDialog1::FormKeyDown() { accept(); }

bool THelpDialog1::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            FormKeyDown();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            // A click is a left press and its release on the same widget, the last help
            // line included.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return true;
            if (event->type() != QEvent::MouseButtonRelease) {
                pressed = watched;
                return true;
            }
            const bool click = watched == pressed &&
                               static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
            pressed = nullptr;
            if (click) FormClick();
            return true;
        }
        default:
            return QDialog::eventFilter(watched, event);
    }
}
