// The layout tables of the Sudoku windows: every component's place, size, caption, font and
// colour in the main window, the digit picker and the wait notice, and that every text fits.
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>

#include "SudokuUiSupport.h"

using namespace vum;

namespace {

struct Component {
    const char* name;
    QRect geometry;
    const char* caption;  // nullptr: none to check
    int pixelSize;        // 0: none to check
};

QString CaptionOf(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (auto* button = dynamic_cast<const QAbstractButton*>(widget)) return button->text();
    if (auto* panel = dynamic_cast<const BevelPanel*>(widget)) return panel->Caption();
    return {};
}

void CheckTable(const QWidget& window, const std::vector<Component>& table, const QString& face) {
    for (const Component& row : table) {
        SCOPED_TRACE(row.name);
        auto* widget = window.findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), row.geometry);
        if (row.caption != nullptr) {
            EXPECT_EQ(CaptionOf(widget), QString::fromUtf8(row.caption));
        }
        if (row.pixelSize != 0) {
            EXPECT_EQ(widget->font().pixelSize(), row.pixelSize);
            EXPECT_EQ(widget->font().family(), face);
        }
    }
}

QRgb PixelOf(QWidget& widget, QPoint at) { return widget.grab().toImage().pixel(at) & 0xFFFFFF; }

}  // namespace

TEST(SudokuLayout, MainWindow) {
    SudokuFolder folder;
    TForm1 form(folder.Data());
    EXPECT_EQ(form.size(), QSize(744, 338));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.windowTitle(), "ВУМ Судоку");
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.font().pixelSize(), 13);
    EXPECT_EQ(form.font().family(), FontFace("MS Sans Serif"));

    const QString face = FontFace("MS Sans Serif");
    CheckTable(form,
               {
                   {"StringGrid1", {8, 4, 328, 328}, nullptr, 24},
                   {"StringGrid4", {-8, 44, 329, 329}, nullptr, 24},
                   {"Label1", {344, 6, 193, 25}, "Уровень сложности", 19},
                   {"LevelCountPanel1", {344, 72, 193, 45}, "Решено:", 19},
                   {"NewFameButton1", {344, 126, 193, 45}, "Новая игра", 19},
                   {"CancelButton1", {344, 180, 193, 45}, "Отменить", 19},
                   {"RestartGameButton1", {344, 234, 193, 45}, "Начать заново", 19},
                   {"SolutionGameButton1", {344, 288, 193, 45}, "Решение", 19},
                   {"Panel2", {546, 0, 198, 338}, nullptr, 0},
               },
               face);

    // The drop-down: place and width fixed, its height the style's.
    EXPECT_EQ(form.ComboBox1->pos(), QPoint(344, 32));
    EXPECT_EQ(form.ComboBox1->width(), 193);
    EXPECT_LE(form.ComboBox1->geometry().bottom(), 72);
    EXPECT_EQ(form.ComboBox1->font().pixelSize(), 19);
    EXPECT_EQ(form.ComboBox1->count(), 3);
    EXPECT_EQ(form.ComboBox1->itemText(0), "Простой");
    EXPECT_EQ(form.ComboBox1->itemText(1), "Средний");
    EXPECT_EQ(form.ComboBox1->itemText(2), "Сложный");
    EXPECT_EQ(form.ComboBox1->currentIndex(), 1);
    EXPECT_FALSE(form.ComboBox1->isEditable());

    // The board: 9 x 9 cells of 35, hand cursor, no tab stop; the solution grid hidden.
    EXPECT_EQ(SudokuBoardGrid::ColCount, 9);
    EXPECT_EQ(form.StringGrid1->CellRect(8, 8).bottomRight(), QPoint(324, 324));
    EXPECT_EQ(form.StringGrid1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(form.StringGrid1->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(form.StringGrid4->isHidden());

    // Panels: colours and bevels.
    EXPECT_EQ(form.LevelCountPanel1->Colour().rgb() & 0xFFFFFF, 0xFFB08Au);
    EXPECT_EQ(form.LevelCountPanel1->BevelOuter(), Bevel::Lowered);
    EXPECT_EQ(form.Panel2->Colour().rgb() & 0xFFFFFF, 0xFF8000u);
    EXPECT_EQ(form.Panel2->BevelOuter(), Bevel::Lowered);
    // The window's own colour, between the board and the buttons.
    EXPECT_EQ(PixelOf(form, {340, 200}), 0xFF8040u);
    EXPECT_EQ(PixelOf(form, {600, 320}), 0xFF8000u);
    EXPECT_EQ(PixelOf(form, {344 + 96, 72 + 5}), 0xFFB08Au);

    // The buttons: flat, 32 x 32 pictures, a second picture for the disabled "Отменить".
    for (GlyphButton* button :
         {form.NewFameButton1, form.CancelButton1, form.RestartGameButton1, form.SolutionGameButton1}) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_TRUE(button->Flat());
        EXPECT_EQ(button->Glyph().size(), QSize(32, 32));
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(form.CancelButton1->DisabledGlyph().size(), QSize(32, 32));
    EXPECT_NE(form.CancelButton1->DisabledGlyph(), form.CancelButton1->Glyph());
    EXPECT_FALSE(form.CancelButton1->isEnabled());
}

TEST(SudokuLayout, ContactBlockOnTheSidePanel) {
    SudokuFolder folder;
    TForm1 form(folder.Data());
    const std::vector<Component> table = {
        {"Panel1", {25, 12, 147, 61}, nullptr, 0},        {"Label2", {32, 108, 153, 25}, nullptr, 20},
        {"Label4", {30, 106, 155, 25}, nullptr, 20},      {"Image7", {12, 137, 32, 32}, nullptr, 0},
        {"PhoneLabel1", {51, 132, 134, 21}, nullptr, 13}, {"Label3", {51, 156, 138, 21}, nullptr, 13},
        {"Image8", {12, 177, 32, 32}, nullptr, 0},        {"FaxLabel1", {54, 184, 138, 21}, nullptr, 13},
        {"Image9", {12, 217, 32, 32}, nullptr, 0},        {"InternetLabel1", {54, 224, 139, 21}, nullptr, 13},
        {"Image10", {12, 254, 32, 32}, nullptr, 0},       {"EMailLabel1", {56, 259, 115, 21}, nullptr, 13},
    };
    for (const Component& row : table) {
        SCOPED_TRACE(row.name);
        auto* widget = form.Panel2->findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), form.Panel2);
        EXPECT_EQ(widget->geometry(), row.geometry);
        if (row.pixelSize != 0) {
            EXPECT_EQ(widget->font().pixelSize(), row.pixelSize);
        }
    }
}

TEST(SudokuLayout, DigitPicker) {
    TInputDigitalDialog1 picker(nullptr);
    EXPECT_EQ(picker.size(), QSize(116, 148));
    EXPECT_EQ(picker.minimumSize(), picker.maximumSize());
    EXPECT_EQ(picker.windowTitle(), QString());
    EXPECT_EQ(picker.DigitValue, -1);
    const Qt::WindowFlags flags = picker.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    const QString face = FontFace("Microsoft Sans Serif");
    CheckTable(picker,
               {
                   {"SpeedButton1", {6, 4, 33, 33}, "1", 24},   {"SpeedButton2", {42, 4, 33, 33}, "2", 24},
                   {"SpeedButton3", {78, 4, 33, 33}, "3", 24},  {"SpeedButton4", {6, 40, 33, 33}, "4", 24},
                   {"SpeedButton5", {42, 40, 33, 33}, "5", 24}, {"SpeedButton6", {78, 40, 33, 33}, "6", 24},
                   {"SpeedButton7", {6, 76, 33, 33}, "7", 24},  {"SpeedButton8", {42, 76, 33, 33}, "8", 24},
                   {"SpeedButton9", {78, 76, 33, 33}, "9", 24}, {"SpeedButton10", {6, 112, 33, 33}, "-", 24},
               },
               face);
    CheckTable(picker, {{"SpeedButton11", {92, 128, 17, 17}, "X", 13}}, QStringLiteral("Arial Narrow"));
    for (std::size_t i = 0; i < picker.Buttons.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(picker.Buttons[i]->Flat());
        EXPECT_EQ(picker.Buttons[i]->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(picker.Buttons[i]->isHidden(), i == 10);
        EXPECT_EQ(picker.Buttons[i]->FontColour(), QColor(Qt::black));
    }
    EXPECT_EQ(PixelOf(picker, {60, 128}), 0x008040u);
}

TEST(SudokuLayout, WaitNotice) {
    QWidget owner;
    owner.setGeometry(100, 100, 744, 338);
    TWaitDialog1 notice(&owner);
    EXPECT_EQ(notice.size(), QSize(472, 95));
    EXPECT_TRUE(notice.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(notice.WhitePanel->geometry(), QRect(0, 0, 472, 95));
    EXPECT_EQ(notice.WhitePanel->Colour().rgb() & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(notice.Panel1->geometry(), QRect(12, 12, 445, 69));
    EXPECT_EQ(notice.Panel1->Colour().rgb() & 0xFFFFFF, 0xFF8040u);
    EXPECT_EQ(notice.Panel1->BevelOuter(), Bevel::Raised);
    EXPECT_EQ(notice.Panel1->FontColour(), QColor(Qt::white));
    EXPECT_EQ(notice.Panel1->font().pixelSize(), 24);
    EXPECT_EQ(notice.Panel1->font().family(), FontFace("MS Sans Serif"));
    EXPECT_EQ(notice.Panel1->Caption(), "Создание нового Судоку. Ждите...");
    EXPECT_EQ(PixelOf(notice, {5, 5}), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(notice, {20, 20}), 0xFF8040u);

    notice.ShowNow();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(notice.frameGeometry().center(), owner.frameGeometry().center());
}

TEST(SudokuLayout, EveryTextFitsItsComponent) {
    SudokuFolder folder;
    TForm1 form(folder.Data());
    const auto fits = [](const QWidget* widget, const QString& text, int room) {
        EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(text), room) << text.toStdString();
    };
    fits(form.Label1, form.Label1->text(), 193);
    fits(form.LevelCountPanel1, QStringLiteral("Решено: 99999"), 193 - 4);
    for (GlyphButton* button :
         {form.NewFameButton1, form.CancelButton1, form.RestartGameButton1, form.SolutionGameButton1})
        fits(button, button->text(), 193 - 2 - 32 - GlyphButton::Spacing);
    for (int i = 0; i < form.ComboBox1->count(); ++i) fits(form.ComboBox1, form.ComboBox1->itemText(i), 193 - 40);
    TWaitDialog1 notice(&form);
    fits(notice.Panel1, QStringLiteral("Создание нового Судоку. Ждите..."), 445 - 4);
    fits(notice.Panel1, QStringLiteral("Уровень пройден."), 445 - 4);
    for (int digit = 1; digit <= 9; ++digit) {
        fits(form.StringGrid1, QString::number(digit), 35);
        EXPECT_LE(form.StringGrid1->TextHeight(QString::number(digit)), 35);
    }
}
