#include "squares/Helpdialog.h"

#include "gui/Accessibility.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"
#include "gui/Panels.h"
#include "squares/DecorativeFrame.h"
#include "squares/SquaresLook.h"

using namespace vum;

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
    MakeBorderlessDialog(this, owner, QSize(624, 436), QStringLiteral("Подсказка"));
    AddDecorativeFrame(this);

    using namespace squares_colours;
    Panel1 = new BevelPanel(this, "Panel1", QRect(FrameEdge, FrameEdge, 576, 388), LightRed);
    QStringList content;
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
                panel->SetFontColour(WinColour(system_colours::White));
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
                panel->SetFontColour(WinColour(system_colours::White));
                panel->SetAlignment(Qt::AlignLeft);
                break;
        }
        panel->SetCaption(QString::fromUtf8(line.text));
        SetAccessibleText(panel, panel->Caption());
        // A text line that ends no sentence runs on into the next, as the eye reads it.
        const QString text = panel->Caption().trimmed();
        if (line.look == Look::Text && i > 0 && HelpLines[static_cast<std::size_t>(i - 1)].look == Look::Text &&
            !QStringLiteral(".;:").contains(content.back().back()))
            content.back() += u' ' + text;
        else
            content << text;
        LinePanels[static_cast<std::size_t>(i)] = panel;
        top += line.height;
    }

    SetAccessibleContent(this, content);

    // The last line closes it too, as every other part of it does.
    new CloseOnInput(this, CloseOnInput::Click::LeftClick, [this] { FormKeyDown(); }, [this] { FormClick(); });
}

void THelpDialog1::FormClick() { accept(); }

void THelpDialog1::FormKeyDown() { accept(); }
