#include "squares/Leveldialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <vector>

#include "gui/Accessibility.h"
#include "gui/AccessibleChoice.h"
#include "gui/Dialogs.h"
#include "gui/Fonts.h"
#include "gui/GlyphButton.h"
#include "gui/Keys.h"
#include "gui/Panels.h"
#include "gui/PictureBox.h"
#include "squares/SquaresLook.h"

using namespace vum;

namespace {

struct Level {
    const char* text;
    Qt::Alignment alignment;
    int triangleX;
};

const std::array<Level, 3> Levels = {{
    {" Новичок (3 цвета)", Qt::AlignLeft, 58},
    {"Любитель (4 цвета)", Qt::AlignHCenter, 175},
    {"Профессионал (5 цветов) ", Qt::AlignRight, 307},
}};

// Fills the 4-connected area of pixels of the colour at start with colour, as the window
// system's flood fill of a surface does.
void FloodFill(QImage& image, QPoint start, QRgb colour) {
    if (!image.rect().contains(start)) return;
    const QRgb surface = image.pixel(start);
    if (surface == colour) return;
    std::vector<QPoint> pending{start};
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        if (!image.rect().contains(p) || image.pixel(p) != surface) continue;
        image.setPixel(p, colour);
        pending.insert(pending.end(), {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)});
    }
}

}  // namespace

TLevelDialog1::TLevelDialog1(QWidget* owner) : QDialog(owner) {
    MakeBorderlessDialog(this, owner, QSize(380, 287), QStringLiteral("Выберите сложность игры"));

    Panel1 = new BevelPanel(this, "Panel1", QRect(0, 0, 380, 287), system_colours::White, Bevel::Raised, Bevel::Lowered);

    TitlePanel1 = new BevelPanel(Panel1, "TitlePanel1", QRect(2, 2, 376, 41), squares_colours::DarkBrownishRed,
                                 Bevel::Lowered);
    TitlePanel1->setFont(PixelFont(QStringLiteral("Arial"), 23, true));
    TitlePanel1->SetFontColour(WinColour(system_colours::White));
    TitlePanel1->SetCaption(QStringLiteral("Выберите сложность игры"));

    CloseButton1 = new GlyphButton(TitlePanel1, "CloseButton1", QRect(356, 2, 19, 19), false);
    CloseButton1->SetGlyph(SquaresPicture(QStringLiteral("close_cross")));
    CloseButton1->setCursor(Qt::PointingHandCursor);
    CloseButton1->setToolTip(QStringLiteral("Закрыть"));
    CloseButton1->setAccessibleName(QStringLiteral("Закрыть"));
    connect(CloseButton1, &QAbstractButton::clicked, this, &TLevelDialog1::CloseButton1Click);

    Image1 = new PictureBox(Panel1, "Image1", QRect(2, 43, 376, 160));
    Image1->Picture = QImage(Image1->size(), QImage::Format_RGB32);
    Image1->Picture.fill(Qt::white);
    {
        QPainter painter(&Image1->Picture);
        const int third = Image1->width() / 3;
        painter.drawImage(0, 0, SquaresPicture(QStringLiteral("level_pacifier")));
        painter.drawImage(third, 0, SquaresPicture(QStringLiteral("level_bottle")));
        painter.drawImage(2 * third, 0, SquaresPicture(QStringLiteral("level_beer")));
    }
    Image1->OnMouseDown = [this](QMouseEvent* event) { Image1MouseDown(event->position().toPoint().x()); };
    Image1->OnDblClick = [this] { Image1DblClick(); };
    {
        // The pictures alone tell the levels apart: screen readers read their names instead.
        std::vector<ChoiceItem> items;
        const int third = Image1->width() / 3;
        for (int i = 0; i < 3; ++i)
            items.push_back({QString::fromUtf8(Levels[static_cast<std::size_t>(i)].text).trimmed(),
                             QRect(QPoint(i * third, 0), QPoint(i < 2 ? (i + 1) * third - 1 : Image1->width() - 1,
                                                                Image1->height() - 1))});
        MakeAccessibleChoice(Image1, QStringLiteral("Сложность игры"), std::move(items),
                             [this] { return std::clamp(LevelIndex, 0, 2); });
    }

    CursorPanel1 = new BevelPanel(Panel1, "CursorPanel1", QRect(2, 203, 376, 41), system_colours::White, Bevel::None);
    CursorImage1 = new PictureBox(CursorPanel1, "CursorImage1", QRect(0, 0, 376, 41));
    CursorImage1->Picture = QImage(CursorImage1->size(), QImage::Format_RGB32);
    CursorImage1->Picture.fill(Qt::white);

    LevelPanel1 = new BevelPanel(Panel1, "LevelPanel1", QRect(2, 244, 376, 41), squares_colours::LightOrange,
                                 Bevel::Lowered);
    LevelPanel1->setFont(PixelFont(QStringLiteral("Arial"), 27, true));
    LevelPanel1->SetFontColour(WinColour(squares_colours::Yellow));

    SetAccessibleContent(this, {QStringLiteral("Стрелки влево и вправо выбирают сложность, Enter начинает игру, "
                                                "Esc закрывает её")});

    PreviewInput(this, this);
    CallOnActivation(this, [this] { FormActivate(); });
}

std::int32_t TLevelDialog1::LevelAt(int x, int width) {
    const int third = width / 3;
    if (0 < x && x < third) return 0;
    if (third < x && x < 2 * third) return 1;
    if (2 * third < x && x < width) return 2;
    return 0;
}

void TLevelDialog1::DrawLevelCursor(std::int32_t level) {
    const Level& shown = Levels[static_cast<std::size_t>(std::clamp(level, 0, 2))];
    QImage& strip = CursorImage1->Picture;
    strip.fill(WinColour(system_colours::White));
    {
        QPainter painter(&strip);
        painter.setPen(WinColour(system_colours::Black));
        const int x = shown.triangleX;
        const QPoint apex(x, 2), left(x - 14, 35), right(x + 14, 35);
        painter.drawLine(apex, left);
        painter.drawLine(left, right);
        painter.drawLine(right, apex);
    }
    FloodFill(strip, QPoint(shown.triangleX, 18), WinRgb(squares_colours::Orange));
    CursorImage1->update();
    LevelPanel1->SetCaption(QString::fromUtf8(shown.text));
    LevelPanel1->SetAlignment(shown.alignment);
    SetAccessibleText(LevelPanel1, LevelPanel1->Caption());
    AccessibleChoiceChanged(Image1);
}

void TLevelDialog1::FormActivate() { DrawLevelCursor(LevelIndex); }

void TLevelDialog1::FormKeyDown(int key) {
    switch (key) {
        case virtual_keys::Escape:
            done(QDialog::Rejected);
            break;
        case virtual_keys::Return:
            done(QDialog::Accepted);
            break;
        case virtual_keys::Left:
            if (--LevelIndex < 0) LevelIndex = 2;
            break;
        case virtual_keys::Right:
            if (++LevelIndex > 2) LevelIndex = 0;
            break;
        default:
            break;
    }
    DrawLevelCursor(LevelIndex);
}

void TLevelDialog1::Image1MouseDown(int x) {
    const std::int32_t old = LevelIndex;
    LevelIndex = LevelAt(x, Image1->width());
    if (LevelIndex == old) done(QDialog::Accepted);
    DrawLevelCursor(LevelIndex);
}

void TLevelDialog1::Image1DblClick() { done(QDialog::Accepted); }

void TLevelDialog1::CloseButton1Click() { done(QDialog::Rejected); }

bool TLevelDialog1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        FormKeyDown(VirtualKeyCode(*static_cast<QKeyEvent*>(event)));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
