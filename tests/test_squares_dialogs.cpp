// The windows of the colour-squares game against their layout tables, and the level,
// splash, name, table and help dialogs on their own.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <optional>

#include "SquaresUiSupport.h"
#include "common/Cp1251.h"
#include "common/Wbestscorefile.h"
#include "gui/Fonts.h"
#include "gui/GlyphButton.h"
#include "gui/Panels.h"
#include "gui/PictureBox.h"
#include "squares/Bestscoretabledialog.h"
#include "squares/DecorativeFrame.h"
#include "squares/Gameoverdialog.h"
#include "squares/Helpdialog.h"
#include "squares/Inputnamedialog.h"
#include "squares/SquaresLook.h"

using namespace vum;

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
void PrintTo(const QRect& r, std::ostream* os) {
    *os << '(' << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}

namespace {

constexpr std::int64_t Any = -1;

// One row of a layout table. Unset fields are not checked.
struct Component {
    const char* name;
    QRect geometry;
    const char* caption = nullptr;
    std::int64_t colour = Any;      // 0x00BBGGRR
    int pixelSize = 0;
    const char* family = nullptr;
    bool bold = false;
    bool italic = false;
    std::int64_t fontColour = Any;  // 0x00BBGGRR
    std::optional<Qt::Alignment> alignment = std::nullopt;
    std::optional<std::pair<Bevel, Bevel>> bevels = std::nullopt;
};

using B = std::pair<Bevel, Bevel>;
constexpr Bevel Raised = Bevel::Raised;
constexpr Bevel Lowered = Bevel::Lowered;
constexpr Bevel NoBevel = Bevel::None;

QString CaptionOf(QWidget* widget) {
    if (auto* panel = dynamic_cast<BevelPanel*>(widget)) return panel->Caption();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    return {};
}

QColor FontColourOf(QWidget* widget) {
    if (auto* panel = dynamic_cast<BevelPanel*>(widget)) return panel->FontColour();
    if (qobject_cast<QLineEdit*>(widget)) return widget->palette().color(QPalette::Text);
    if (qobject_cast<QAbstractButton*>(widget)) return widget->palette().color(QPalette::ButtonText);
    return widget->palette().color(QPalette::WindowText);
}

void CheckLayout(QWidget* window, const std::vector<Component>& table) {
    for (const Component& row : table) {
        SCOPED_TRACE(row.name);
        const auto found = window->findChildren<QWidget*>(QLatin1String(row.name));
        ASSERT_EQ(found.size(), 1);
        QWidget* widget = found.front();
        EXPECT_EQ(widget->geometry(), row.geometry);
        if (row.caption != nullptr) {
            EXPECT_EQ(CaptionOf(widget), QString::fromUtf8(row.caption));
        }
        auto* panel = dynamic_cast<BevelPanel*>(widget);
        if (row.colour != Any) {
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->Colour(), WinColour(static_cast<std::uint32_t>(row.colour)));
        }
        if (row.pixelSize != 0) {
            EXPECT_EQ(widget->font().pixelSize(), row.pixelSize);
            EXPECT_EQ(widget->font().bold(), row.bold);
            EXPECT_EQ(widget->font().italic(), row.italic);
        }
        if (row.family != nullptr) {
            EXPECT_EQ(widget->font().family(), row.family);
        }
        if (row.fontColour != Any) {
            EXPECT_EQ(FontColourOf(widget), WinColour(static_cast<std::uint32_t>(row.fontColour)));
        }
        if (row.alignment) {
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->Alignment(), *row.alignment);
        }
        if (row.bevels) {
            ASSERT_NE(panel, nullptr);
            EXPECT_EQ(panel->BevelOuter(), row.bevels->first);
            EXPECT_EQ(panel->BevelInner(), row.bevels->second);
        }
    }
}

// Every caption of a panel or a button fits inside its bevels; trailing blanks show nothing.
void CheckCaptionsFit(QWidget* window) {
    for (auto* panel : window->findChildren<BevelPanel*>()) {
        QString text = panel->Caption();
        while (text.endsWith(' ')) text.chop(1);
        if (text.isEmpty()) continue;
        const int bevels = (panel->BevelOuter() != NoBevel) + (panel->BevelInner() != NoBevel);
        const QFontMetrics metrics(panel->font());
        EXPECT_LE(metrics.horizontalAdvance(text), panel->width() - 2 * bevels)
            << panel->objectName().toStdString() << ": " << text.toStdString();
        EXPECT_LE(metrics.height(), panel->height() - 2 * bevels) << panel->objectName().toStdString();
    }
    for (auto* button : window->findChildren<GlyphButton*>())
        EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width() - 2)
            << button->objectName().toStdString();
}

void CheckFrame(QDialog& dialog) {
    const int w = dialog.width(), h = dialog.height();
    CheckLayout(&dialog, {{"FrameTopPanel", {0, 0, w, 24}},
                          {"FrameBottomPanel", {0, h - 24, w, 24}},
                          {"FrameLeftPanel", {0, 24, 24, h - 48}},
                          {"FrameRightPanel", {w - 24, 24, 24, h - 48}}});
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    // The strips are drawn from the top-left corner: the 24th line of the top panel and the
    // 24th column of the left panel are left to the ground, and the strip shows its
    // orange frames.
    auto* top = dialog.findChild<PictureBox*>("FrameTopPanel");
    auto* left = dialog.findChild<PictureBox*>("FrameLeftPanel");
    ASSERT_TRUE(top && left);
    EXPECT_EQ(top->Picture.pixel(10, 23), WinRgb(0x000080));
    EXPECT_EQ(left->Picture.pixel(23, 10), WinRgb(0x000080));
    bool orange = false;
    for (int x = 0; x < 48; ++x) orange = orange || top->Picture.pixel(x, 2) == WinRgb(0x0080FF);
    EXPECT_TRUE(orange);
}

std::unique_ptr<QWidget> Owner() {
    auto owner = std::make_unique<QWidget>();
    owner->setGeometry(100, 80, 493, 605);
    owner->show();
    return owner;
}

}  // namespace

TEST(SquaresLayout, MainWindowMatchesItsTable) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    EXPECT_EQ(form->size(), QSize(493, 605));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->windowTitle(), "ВУМ квадратики");
    EXPECT_EQ(form->font().pixelSize(), 13);
    // The old Windows face is asked for as both games ask for it (Arial where it is missing).
    const QString face = FontFace(QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(form->font().family(), face);
    const QByteArray faceName = face.toUtf8();
    const char* sans = faceName.constData();
    CheckLayout(form.get(), {
        {"GamePanel1", {0, 0, 305, 604}, nullptr, Any, 0, nullptr, false, false, Any, std::nullopt, B{Raised, Lowered}},
        {"Image1", {2, 2, 301, 600}},
        {"Panel1", {305, 0, 188, 605}, "", 0x404080, 16, sans},
        {"NewGameButton1", {8, 12, 133, 33}, "Новая игра", Any, 16, sans, true},
        {"PauseButton1", {148, 12, 33, 33}, ""},
        {"ScorePanel1", {8, 52, 133, 33}, " Очки: 0", 0x8080FF, 16, sans, true, false, 0, Qt::AlignLeft,
         B{Lowered, NoBevel}},
        {"LevelPanel1", {8, 92, 133, 33}, " Уровень: 1", 0x8080FF, 16, sans, true, false, 0, Qt::AlignLeft,
         B{Lowered, NoBevel}},
        {"SpeedButton1", {152, 56, 23, 22}},
        {"SpeedButton2", {152, 96, 23, 22}},
        {"Bevel1", {0, 136, 187, 2}},
        // The contact block: the name alone, transparent labels.
        {"VumPanel1", {21, 150, 147, 61}},
        {"ImageVum1", {2, 2, 143, 57}},
        {"Label1", {20, 222, 155, 25}},
        {"Image7", {8, 263, 32, 32}},
        {"PhoneLabel1", {45, 258, 134, 21}},
        {"Label3", {45, 282, 134, 21}},
        {"Image8", {8, 303, 32, 32}},
        {"FaxLabel1", {45, 310, 138, 21}},
        {"Image9", {8, 343, 32, 32}},
        {"InternetLabel1", {45, 350, 139, 21}},
        {"Image10", {8, 383, 32, 32}},
        {"EMailLabel1", {45, 388, 115, 21}},
        {"Bevel2", {1, 422, 187, 2}},
        {"HelpButton1", {27, 436, 133, 33}, "Подсказка", Any, 16, sans, true},
        {"Bevel3", {1, 478, 187, 2}},
    });
    EXPECT_EQ(form->Image1->Picture.size(), QSize(301, 600));
    EXPECT_TRUE(form->SpeedButton1->isHidden());
    EXPECT_TRUE(form->SpeedButton2->isHidden());
    EXPECT_EQ(form->SpeedButton1->Glyph().size(), QSize(24, 24));
    EXPECT_EQ(form->SpeedButton1->Glyph().pixel(12, 12) & 0xFFFFFF, 0x0000FFu);  // the blue sign
    EXPECT_EQ(form->SpeedButton1->Glyph().pixel(1, 1) >> 24, 0u);                 // on a transparent ground
    EXPECT_NE(form->SpeedButton1->Glyph(), form->SpeedButton2->Glyph());
    for (QWidget* child : form->findChildren<QWidget*>()) EXPECT_EQ(child->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(form->findChildren<QLabel*>("Label2").size(), 0) << "the name has no shadow here";
    for (const char* label : {"Label1", "PhoneLabel1", "Label3", "FaxLabel1", "InternetLabel1", "EMailLabel1"})
        EXPECT_FALSE(form->findChild<QLabel*>(label)->autoFillBackground()) << label << " lets the column show through";

    SquaresPosition longest = form->Game.Position();
    longest.Score = 99990;
    longest.SpeedLevel = 10;
    longest.FieldInterval = 500;
    ASSERT_TRUE(form->RestoreGame(longest));
    CheckCaptionsFit(form.get());
}

TEST(SquaresLayout, LevelDialogMatchesItsTable) {
    auto owner = Owner();
    TLevelDialog1 dialog(owner.get());
    EXPECT_EQ(dialog.size(), QSize(380, 287));
    EXPECT_TRUE(dialog.windowFlags() & Qt::FramelessWindowHint);
    dialog.show();
    CheckLayout(&dialog, {
        {"Panel1", {0, 0, 380, 287}, nullptr, Any, 0, nullptr, false, false, Any, std::nullopt, B{Raised, Lowered}},
        {"TitlePanel1", {2, 2, 376, 41}, "Выберите сложность игры", 0x404080, 23, "Arial", true, false, 0xFFFFFF,
         Qt::AlignHCenter, B{Lowered, NoBevel}},
        {"CloseButton1", {356, 2, 19, 19}},
        {"Image1", {2, 43, 376, 160}},
        {"CursorPanel1", {2, 203, 376, 41}, "", 0xFFFFFF},
        {"CursorImage1", {0, 0, 376, 41}},
        {"LevelPanel1", {2, 244, 376, 41}, " Новичок (3 цвета)", 0x4080FF, 27, "Arial", true, false, 0x00FFFF,
         Qt::AlignLeft, B{Lowered, NoBevel}},
    });
    EXPECT_EQ(dialog.CloseButton1->toolTip(), "Закрыть");
    EXPECT_EQ(dialog.CloseButton1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(dialog.CloseButton1->Glyph().size(), QSize(15, 15));
    // The pictures stand side by side, each in its third, on white.
    const QImage& pictures = dialog.Image1->Picture;
    EXPECT_EQ(pictures.pixel(375, 80), qRgb(255, 255, 255));
    for (const int third : {0, 1, 2}) {
        int coloured = 0;
        for (int y = 0; y < 160; y += 4)
            for (int x = third * 125; x < third * 125 + 125; x += 4) coloured += pictures.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(coloured, 100) << third;
    }
    for (const int level : {0, 1, 2}) {
        dialog.DrawLevelCursor(level);
        CheckCaptionsFit(&dialog);
    }
}

TEST(SquaresLayout, SplashNameTableAndHelpMatchTheirTables) {
    auto owner = Owner();
    {
        TGameOverDialog1 splash(owner.get());
        EXPECT_EQ(splash.size(), QSize(425, 142));
        CheckFrame(splash);
        CheckLayout(&splash, {{"Image1", {24, 24, 377, 94}}});
        EXPECT_EQ(splash.Image1->Picture.size(), QSize(377, 94));
    }
    {
        TInputNameDialog1 box(owner.get());
        EXPECT_EQ(box.size(), QSize(623, 97));
        CheckFrame(box);
        CheckLayout(&box, {
            {"Panel1", {24, 24, 575, 49}, "", 0x404080, 0, nullptr, false, false, Any, std::nullopt, B{Raised, Lowered}},
            {"Label1", {12, 10, 155, 36}, "Ваше имя:", Any, 27, "Arial", true, false, 0xFFFFFF},
            {"NameEdit1", {168, 5, 401, 37}, "", Any, 24, "Arial", true, false, 0x000000},
        });
        EXPECT_FALSE(box.Label1->autoFillBackground());
        EXPECT_LE(QFontMetrics(box.Label1->font()).horizontalAdvance(box.Label1->text()), 155);
        EXPECT_EQ(box.NameEdit1->maxLength(), 30);
    }
    {
        TBestScoreTableDialog1 table(owner.get());
        EXPECT_EQ(table.size(), QSize(672, 672));
        CheckFrame(table);
        std::vector<Component> rows = {
            {"Panel1", {24, 24, 624, 624}},
            {"HeadingPanel1", {1, 1, 622, 35}, "Десять лучших сметчиков", 0x404080, 20, "Arial", true, true, 0xFFFFFF,
             Qt::AlignHCenter},
            {"CategoryPanel1", {1, 36, 622, 31}, "", 0x404080, 20, "Arial", true, true, 0xFFFFFF, Qt::AlignHCenter},
            {"StripImage1", {1, 67, 622, 24}},
            {"TitlePanel3", {1, 91, 622, 47}},
            {"TitlePanel1", {1, 1, 448, 45}, "ФИО", 0x8080FF, 20, "Arial", false, false, 0x00FFFF, Qt::AlignHCenter,
             B{Lowered, NoBevel}},
            {"TitlePanel2", {449, 1, 172, 45}, "Очки", 0x8080FF, 20, "Arial", false, false, 0x00FFFF, Qt::AlignHCenter,
             B{Lowered, NoBevel}},
            {"ApprovalImage1", {1, 518, 622, 105}},
        };
        std::vector<std::string> names;
        for (int i = 1; i <= 10; ++i) {
            names.push_back("NamePanel" + std::to_string(i));
            names.push_back("ScorePanel" + std::to_string(i));
        }
        for (int i = 0; i < 10; ++i) {
            rows.push_back({names[2 * i].c_str(), {1, 138 + 38 * i, 622, 38}, nullptr, 0x404080, 21, "Arial", false,
                            false, 0xFFFFFF, Qt::AlignLeft});
            rows.push_back({names[2 * i + 1].c_str(), {448, 7, 170, 25}, nullptr, 0x8080FF, 19, "Arial", false, false,
                            0xFFFFFF, Qt::AlignHCenter, B{Lowered, NoBevel}});
        }
        CheckLayout(&table, rows);
        EXPECT_EQ(table.ApprovalImage1->Picture.size(), QSize(622, 105));
        for (const int level : {0, 1, 2}) {
            table.LevelIndex = level;
            table.BestScorePath = "/nonexistent/folder/VumColor1.dat";
            table.FormActivate();
            CheckCaptionsFit(&table);
        }
    }
    {
        THelpDialog1 help(owner.get());
        EXPECT_EQ(help.size(), QSize(624, 436));
        CheckFrame(help);
        const char* text[] = {
            "Игра \"Квадратики\"",
            " Цель игры: щелчком левой кнопки \"мышки\" убрать квадратики ",
            " одинакового цвета. Минимальное количество убираемых",
            " квадратиков - 3.",
            " В категории \"Новичок\" используется три цвета.",
            " В категории \"Любитель\" используется четыре цвета.",
            " В категории \"Профессионал\" используется пять цветов.",
            "Горячие клавиши:",
            " Esc - выход из игры;",
            " F5 - временная остановка игры;",
            " F10 - список лучших сметчиков;",
        };
        const int heights[] = {49, 28, 33, 33, 33, 33, 33, 44, 33, 33, 33};
        std::vector<Component> rows = {{"Panel1", {24, 24, 576, 388}, "", 0x8080FF}};
        std::vector<std::string> names;
        for (int i = 1; i <= 11; ++i) names.push_back("LinePanel" + std::to_string(i));
        int top = 1;
        for (int i = 0; i < 11; ++i) {
            Component line{names[static_cast<std::size_t>(i)].c_str(), {1, top, 574, heights[i]}, text[i], 0x8080FF, 19,
                           "Arial", false, false, 0xFFFFFF, Qt::AlignLeft};
            if (i == 0) {
                line.colour = 0x404080;
                line.pixelSize = 21;
                line.bold = line.italic = true;
                line.alignment = Qt::AlignHCenter;
                line.bevels = B{Raised, NoBevel};
            }
            if (i == 7) {
                line.colour = 0x404080;
                line.bold = line.italic = true;
                line.fontColour = 0x00FFFF;
                line.alignment = Qt::AlignHCenter;
            }
            rows.push_back(line);
            top += heights[i];
        }
        CheckLayout(&help, rows);
        CheckCaptionsFit(&help);
    }
}

TEST(SquaresLayout, DialogsStandCentredOverTheWindow) {
    auto owner = Owner();
    THelpDialog1 help(owner.get());
    help.show();
    EXPECT_LE((help.frameGeometry().center() - owner->frameGeometry().center()).manhattanLength(), 2);
}

TEST(SquaresLevelDialog, ArrowsWrapAndEveryKeyRedraws) {
    auto owner = Owner();
    TLevelDialog1 dialog(owner.get());
    dialog.show();
    struct Step {
        int from;
        Qt::Key key;
        int to;
    };
    for (const Step& step : {Step{0, Qt::Key_Left, 2}, Step{2, Qt::Key_Right, 0}, Step{1, Qt::Key_Left, 0},
                             Step{1, Qt::Key_Right, 2}, Step{2, Qt::Key_Up, 2}, Step{0, Qt::Key_Down, 0}}) {
        SCOPED_TRACE(step.from);
        dialog.LevelIndex = step.from;
        dialog.LevelPanel1->SetCaption("stale");
        QTest::keyClick(&dialog, step.key);
        EXPECT_EQ(dialog.LevelIndex, step.to);
        EXPECT_NE(dialog.LevelPanel1->Caption(), "stale");
        EXPECT_TRUE(dialog.isVisible());
    }

    struct Shown {
        const char* text;
        Qt::Alignment alignment;
        int x;
    };
    const Shown shown[] = {{" Новичок (3 цвета)", Qt::AlignLeft, 58},
                           {"Любитель (4 цвета)", Qt::AlignHCenter, 175},
                           {"Профессионал (5 цветов) ", Qt::AlignRight, 307}};
    for (int level = 0; level < 3; ++level) {
        SCOPED_TRACE(level);
        dialog.DrawLevelCursor(level);
        EXPECT_EQ(dialog.LevelPanel1->Caption(), QString::fromUtf8(shown[level].text));
        EXPECT_EQ(dialog.LevelPanel1->Alignment(), shown[level].alignment);
        const QImage& strip = dialog.CursorImage1->Picture;
        const int x = shown[level].x;
        EXPECT_EQ(strip.pixel(x, 18), WinRgb(0x0080FF));   // orange inside
        EXPECT_EQ(strip.pixel(x, 2), qRgb(0, 0, 0));        // black apex
        EXPECT_EQ(strip.pixel(x, 35), qRgb(0, 0, 0));       // black base
        EXPECT_EQ(strip.pixel(x - 14, 35), qRgb(0, 0, 0));
        EXPECT_EQ(strip.pixel(x, 37), qRgb(255, 255, 255)); // white around
        EXPECT_EQ(strip.pixel(x - 14, 18), qRgb(255, 255, 255));
        for (int other = 0; other < 3; ++other) {
            if (other != level) {
                EXPECT_EQ(strip.pixel(shown[other].x, 18), qRgb(255, 255, 255));
            }
        }
    }

    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::keyClick(&dialog, Qt::Key_Return);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished[0][0].toInt(), QDialog::Accepted);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Enter);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(SquaresLevelDialog, LevelAtLeavesTheBordersToZero) {
    const std::pair<int, int> cases[] = {{-5, 0}, {0, 0},   {1, 0},   {124, 0}, {125, 0}, {126, 1}, {249, 1},
                                         {250, 0}, {251, 2}, {375, 2}, {376, 0}, {500, 0}};
    for (const auto& [x, level] : cases) EXPECT_EQ(TLevelDialog1::LevelAt(x, 376), level) << x;
}

TEST(SquaresLevelDialog, APressSelectsAndASecondPressOrADoubleClickConfirms) {
    auto owner = Owner();
    TLevelDialog1 dialog(owner.get());
    dialog.LevelIndex = 0;
    dialog.show();
    QSignalSpy finished(&dialog, &QDialog::finished);

    QTest::mousePress(dialog.Image1, Qt::LeftButton, {}, QPoint(300, 80));  // the mug
    EXPECT_EQ(dialog.LevelIndex, 2);
    EXPECT_EQ(finished.size(), 0);
    EXPECT_EQ(dialog.LevelPanel1->Caption(), "Профессионал (5 цветов) ");
    QTest::mousePress(dialog.Image1, Qt::RightButton, {}, QPoint(320, 10));
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.LevelIndex, 2);

    // x = 125 and 250 lie on the borders and count as the pacifier.
    for (const int x : {125, 250}) {
        dialog.LevelIndex = 1;
        dialog.show();
        QTest::mousePress(dialog.Image1, Qt::LeftButton, {}, QPoint(x, 80));
        EXPECT_EQ(dialog.LevelIndex, 0);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mousePress(dialog.Image1, Qt::LeftButton, {}, QPoint(x, 80));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }

    // A double click confirms at once, even on a picture not yet selected.
    dialog.LevelIndex = 0;
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(180, 80), dialog.Image1->mapToGlobal(QPointF(180, 80)),
                            Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(dialog.Image1, &doubleClick);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.LevelIndex, 1);
}

TEST(SquaresSplash, NeitherKeysNorTheMouseCloseItOnlyItsTimer) {
    auto owner = Owner();
    TGameOverDialog1 splash(owner.get());
    splash.show();
    QSignalSpy finished(&splash, &QDialog::finished);
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_F10})
        QTest::keyClick(&splash, key);
    QTest::mouseClick(splash.Image1, Qt::LeftButton);
    QTest::mouseClick(&splash, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_FALSE(splash.close());
    EXPECT_EQ(finished.size(), 0);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.Timer1->isSingleShot());
    EXPECT_GT(splash.Timer1->remainingTime(), 3000);
    splash.Timer1Timer();
    EXPECT_EQ(finished.size(), 1);
    EXPECT_FALSE(splash.isVisible());
}

TEST(SquaresNameDialog, EnterAndEscCloseOtherKeysGoToTheBox) {
    auto owner = Owner();
    for (const Qt::Key closer : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        TInputNameDialog1 box(owner.get());
        box.show();
        QSignalSpy finished(&box, &QDialog::finished);
        TypeText(box.NameEdit1, "Ann");
        QTest::keyClick(box.NameEdit1, Qt::Key_Backspace);
        QTest::keyClick(box.NameEdit1, Qt::Key_Left);
        EXPECT_EQ(finished.size(), 0);
        EXPECT_EQ(box.NameEdit1->text(), "An");
        QTest::keyClick(box.NameEdit1, closer);
        EXPECT_EQ(finished.size(), 1);
        EXPECT_EQ(box.NameEdit1->text(), "An");
    }
}

TEST(SquaresTableDialog, AnyKeyOrAnyButtonAnywhereClosesIt) {
    auto owner = Owner();
    const auto target = [](TBestScoreTableDialog1& table, int which) -> QWidget* {
        switch (which) {
            case 0: return &table;
            case 1: return table.findChild<QWidget*>("FrameLeftPanel");
            case 2: return table.HeadingPanel1;
            case 3: return table.TitlePanel2;
            case 4: return table.ScorePanels[9];
            case 5: return table.NamePanels[0];
            default: return table.ApprovalImage1;
        }
    };
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    for (int which = 0; which < 7; ++which) {
        SCOPED_TRACE(which);
        TBestScoreTableDialog1 table(owner.get());
        table.BestScorePath = "/nonexistent/VumColor1.dat";
        table.show();
        QSignalSpy finished(&table, &QDialog::finished);
        QTest::mousePress(target(table, which), buttons[which % 3], {}, QPoint(5, 5));
        EXPECT_EQ(finished.size(), 1);
    }
    TBestScoreTableDialog1 table(owner.get());
    table.BestScorePath = "/nonexistent/VumColor1.dat";
    table.show();
    QSignalSpy finished(&table, &QDialog::finished);
    QTest::keyClick(table.NamePanels[4], Qt::Key_Z);
    EXPECT_EQ(finished.size(), 1);
}

TEST(SquaresTableDialog, EachRowShowsItsPlaceThenTheNameAsStored) {
    auto owner = Owner();
    TestFolder folder;
    const std::string path = folder.File("VumColor1.dat");
    WBestScoreFile file(0);
    file.FileName = path;
    for (int place = 10; place >= 1; --place) file.AddScore(Cp1251FromUtf8("Игрок ") + std::to_string(place), 1000 - place);
    TBestScoreTableDialog1 table(owner.get());
    table.BestScorePath = QString::fromStdString(path);
    table.show();
    for (int i = 0; i < 10; ++i) {
        // A blank before the places 1 to 9 keeps the points of all ten rows in one column.
        const QString place = i < 9 ? QStringLiteral(" %1. ").arg(i + 1) : QStringLiteral("10. ");
        const QString name = QStringLiteral("Игрок %1").arg(i + 1);
        EXPECT_EQ(table.NamePanels[static_cast<std::size_t>(i)]->Caption(), place + name.leftJustified(30)) << i;
        EXPECT_EQ(table.ScorePanels[static_cast<std::size_t>(i)]->Caption(), QString::number(999 - i)) << i;
    }
}

TEST(SquaresHelpDialog, AnyKeyOrAClickAnywhereClosesIt) {
    auto owner = Owner();
    {
        THelpDialog1 help(owner.get());
        help.show();
        QSignalSpy finished(&help, &QDialog::finished);
        QTest::keyClick(&help, Qt::Key_Q);
        EXPECT_EQ(finished.size(), 1);
    }
    std::vector<std::string> targets = {"", "FrameTopPanel", "FrameRightPanel", "Panel1"};
    for (int i = 1; i <= THelpDialog1::Lines; ++i) targets.push_back("LinePanel" + std::to_string(i));
    for (const std::string& name : targets) {
        SCOPED_TRACE(name);
        THelpDialog1 help(owner.get());
        help.show();
        QWidget* widget = name.empty() ? &help : help.findChild<QWidget*>(QString::fromStdString(name));
        ASSERT_NE(widget, nullptr);
        QSignalSpy finished(&help, &QDialog::finished);
        QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_EQ(finished.size(), 0);  // the click ends with the release
        QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(4, 4));
        EXPECT_EQ(finished.size(), 1);
    }
}
