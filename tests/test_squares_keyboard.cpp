// The colour-squares field played from the keyboard, and its picture: the cursor and the
// outline of the group under it as drawn, the text beside the field, Space removing what the
// outline shows; the picture repainted piece by piece equal to one painted whole, and sharp at
// a pixel ratio of 2.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPainter>
#include <QTest>

#include "SquaresUiSupport.h"
#include "common/WRandom.h"
#include "squares/FieldPicture.h"

namespace {

QRgb At(const QImage& picture, int x, int y) { return picture.pixel(x, y) & 0xFFFFFF; }

constexpr QRgb Black = 0x000000;
constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Red = 0xFF0000;  // code 1 as Qt writes it

// The picture of scene painted whole by a painter of its own.
QImage Whole(const FieldScene& scene, qreal ratio = 1) {
    FieldPicture painter;
    QImage picture = FieldPicture::MakeImage(ratio);
    painter.Paint(picture, scene);
    return picture;
}

FieldScene SceneOf(const TForm1& form) {
    return {form.Game.Field(), form.ColourSymbols, form.Game.CursorShown() ? form.Game.CursorCell() : -1,
            form.Game.CursorGroup()};
}

}  // namespace

TEST(SquaresKeyboard, TheCursorIsARingInsideItsCellSeenOnEveryColourAndGoneWithAClick) {
    SquaresFolder folder;
    auto form = StartGame(folder, 2);
    LayField(*form, {"1234500000"});
    const QImage plain = form->Image1->Picture;
    for (int column = 0; column < 6; ++column) {
        SCOPED_TRACE(column);
        QTest::keyClick(form.get(), column == 0 ? Qt::Key_Up : Qt::Key_Right);  // the first arrow only shows it
        ASSERT_EQ(form->Game.CursorCell(), 190 + column);
        const QImage& picture = form->Image1->Picture;
        const int left = column * 30, top = 570;
        // Black, white, black three pixels in from the cell's outline, on each side, whatever
        // the cell's colour (red, green, blue, yellow, purple, the white of an empty cell).
        for (const auto& [x, y] : {std::pair{left + 15, top + 3}, std::pair{left + 3, top + 15},
                                   std::pair{left + 27, top + 15}, std::pair{left + 15, top + 27}}) {
            const bool vertical = x != left + 15;
            const int dx = vertical ? (x < left + 15 ? 1 : -1) : 0;
            const int dy = vertical ? 0 : (y < top + 15 ? 1 : -1);
            EXPECT_EQ(At(picture, x, y), Black);
            EXPECT_EQ(At(picture, x + dx, y + dy), White);
            EXPECT_EQ(At(picture, x + 2 * dx, y + 2 * dy), Black);
        }
        // The square's own outline and the middle of the cell are untouched.
        EXPECT_EQ(picture.copy(left + 6, top + 6, 19, 19), plain.copy(left + 6, top + 6, 19, 19));
        EXPECT_EQ(At(picture, left, top + 15), At(plain, left, top + 15));
    }
    // Only the cursor's cell differs from the picture without it.
    EXPECT_EQ(form->Image1->Picture.copy(0, 0, 301, 569), plain.copy(0, 0, 301, 569));
    PressField(*form, 100, 100);
    EXPECT_FALSE(form->Game.CursorShown());
    EXPECT_EQ(form->Image1->Picture, plain);
}

TEST(SquaresKeyboard, TheGroupUnderTheCursorIsOutlinedAndItsSizeAndPointsShownBesideTheField) {
    SquaresFolder folder;
    auto form = StartGame(folder, 1);
    // Four reds in a T at the bottom left, a pair of reds apart from them.
    LayField(*form, {"1000000000", "1110011000"});
    EXPECT_TRUE(form->GroupLabel1->isHidden());
    QTest::keyClick(form.get(), Qt::Key_Left);
    ASSERT_EQ(form->Game.CursorCell(), 190);
    ASSERT_FALSE(form->GroupLabel1->isHidden());
    EXPECT_EQ(form->GroupLabel1->text(), "Выделено: 4\n(40 очков)");
    EXPECT_EQ(form->GroupLabel1->geometry(), QRect(8, 488, 172, 50)) << "below Bevel3, clear of the field";
    EXPECT_EQ(form->GroupLabel1->parentWidget(), form->Panel1);

    const QImage& picture = form->Image1->Picture;
    // The outer sides of the group: a white line on the border with black on both sides. The
    // left side of column 0 at x = 0, the top of the square in row 18 at y = 540, the right side
    // of column 2 at x = 90.
    EXPECT_EQ(At(picture, 0, 585), White);
    EXPECT_EQ(At(picture, 1, 585), Black);
    EXPECT_EQ(At(picture, 15, 540), White);
    EXPECT_EQ(At(picture, 15, 539), Black);
    EXPECT_EQ(At(picture, 15, 541), Black);
    EXPECT_EQ(At(picture, 90, 585), White);
    EXPECT_EQ(At(picture, 89, 585), Black);
    EXPECT_EQ(At(picture, 91, 585), Black);
    // Inside the group the borders stay the squares' black; the pair is not outlined.
    EXPECT_EQ(At(picture, 30, 585), Black);
    EXPECT_EQ(At(picture, 31, 585), Red);
    EXPECT_EQ(At(picture, 15, 570), Black);
    EXPECT_EQ(At(picture, 150, 585), Black);
    EXPECT_EQ(At(picture, 151, 585), Red);
    EXPECT_EQ(picture, Whole(SceneOf(*form)));

    // Off the group: no outline, no text. On the pair: too few to remove, nothing either.
    QTest::keyClick(form.get(), Qt::Key_Up);
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_TRUE(form->GroupLabel1->isHidden());
    EXPECT_EQ(At(picture, 0, 585), Black);
    for (int i = 0; i < 4; ++i) QTest::keyClick(form.get(), Qt::Key_Right);
    QTest::keyClick(form.get(), Qt::Key_Down);
    ASSERT_EQ(form->Game.CursorCell(), 195);
    EXPECT_TRUE(form->GroupLabel1->isHidden());
}

TEST(SquaresKeyboard, SpaceRemovesTheOutlinedGroupAndTheScoreRisesByItsPoints) {
    SquaresFolder folder;
    auto form = StartGame(folder, 1);
    LayField(*form, {"1000000000", "1110022200"});
    QTest::keyClick(form.get(), Qt::Key_Down);
    QTest::keyClick(form.get(), Qt::Key_Space);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 40");
    EXPECT_EQ(form->Game.Field()[190], 0);
    EXPECT_TRUE(form->GroupLabel1->isHidden()) << "nothing left under the cursor";
    // Paused, Space waits; resumed, it acts; a second group from the keys alone.
    for (int i = 0; i < 5; ++i) QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(form->GroupLabel1->text(), "Выделено: 3\n(30 очков)");
    QTest::keyClick(form.get(), Qt::Key_F5);
    QTest::keyClick(form.get(), Qt::Key_Space);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 40");
    EXPECT_FALSE(form->GroupLabel1->isHidden()) << "the outline stays while paused";
    QTest::keyClick(form.get(), Qt::Key_F5);
    QTest::keyClick(form.get(), Qt::Key_Space);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 70");
    EXPECT_EQ(form->Image1->Picture, Whole(SceneOf(*form)));
}

TEST(SquaresPicture, PaintedPieceByPieceThroughAGameItEqualsThePicturePaintedWhole) {
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        SquaresGame game;
        game.ChooseLevel(0);
        game.NewGame();
        WRandom random(17);
        FieldPicture painter;
        QImage picture = FieldPicture::MakeImage(ratio);
        bool symbols = false;
        int outlined = 0;
        for (int step = 0; step < 600; ++step) {
            if (game.CurrentPhase() == SquaresGame::Phase::Ended) game.NewGame();
            switch (random.Draw15() % 6) {
                case 0:
                    game.FieldTick(random);
                    break;
                case 1:
                case 2:
                    game.Press(static_cast<std::int32_t>(random.Draw15() % 301), 300 + random.Draw15() % 300);
                    break;
                case 3:
                    game.MoveCursor(static_cast<std::int32_t>(random.Draw15() % 3) - 1,
                                    static_cast<std::int32_t>(random.Draw15() % 3) - 1);
                    break;
                case 4:
                    game.PressCursor();
                    break;
                default:
                    if (random.Draw15() % 8 == 0) symbols = !symbols;
                    if (random.Draw15() % 8 == 0) game.HideCursor();
                    break;
            }
            const FieldScene scene{game.Field(), symbols, game.CursorShown() ? game.CursorCell() : -1,
                                   game.CursorGroup()};
            outlined += scene.Group.any() ? 1 : 0;
            painter.Paint(picture, scene);
            ASSERT_EQ(picture, Whole(scene, ratio)) << "step " << step;
        }
        EXPECT_GT(outlined, 10) << "the outline must have been drawn along the way";
    }
}

TEST(SquaresPicture, AFieldTickMovesTheOutlineOfTheTopmostGroupWithIt) {
    // Three reds on top of column 0 over six rows of greens and blues in a chequer, the cursor
    // on the top red: the outline reaches a pixel above the stack. A tick lifts it all a row,
    // and the group with it.
    const auto chequer = [](int row, int column) { return static_cast<std::uint8_t>((row + column) % 2 + 2); };
    SquaresField::Grid field{};
    SquaresField::CellSet group;
    for (const int cell : {110, 120, 130}) {
        field[static_cast<std::size_t>(cell)] = 1;
        group.set(static_cast<std::size_t>(cell));
    }
    for (int r = 14; r < SquaresField::Rows; ++r)
        for (int c = 0; c < SquaresField::Columns; ++c) field[static_cast<std::size_t>(r * 10 + c)] = chequer(r, c);
    const FieldScene before{field, false, 110, group};
    FieldScene after = before;
    std::copy(field.begin() + SquaresField::Columns, field.end(), after.Field.begin());
    for (int c = 0; c < SquaresField::Columns; ++c) after.Field[static_cast<std::size_t>(190 + c)] = chequer(20, c);
    after.Cursor = 100;
    after.Group = group >> SquaresField::Columns;
    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        FieldPicture painter;
        QImage picture = FieldPicture::MakeImage(ratio);
        painter.Paint(picture, before);
        painter.Paint(picture, after);
        EXPECT_EQ(picture, Whole(after, ratio));
        const int y = static_cast<int>(299 * ratio);
        EXPECT_EQ(At(picture, static_cast<int>(15 * ratio), y), Black) << "the outline's outer line above the top red";
    }
}

TEST(SquaresPicture, AtAPixelRatioOfTwoTheFieldIsDrawnWithTwiceThePixels) {
    SquaresField::Grid field{};
    for (std::size_t i = 150; i < 200; ++i) field[i] = static_cast<std::uint8_t>(i % 5 + 1);
    for (const bool symbols : {false, true}) {
        SCOPED_TRACE(symbols);
        const FieldScene scene{field, symbols, 195, {}};
        const QImage single = Whole(scene, 1);
        const QImage twice = Whole(scene, 2);
        ASSERT_EQ(twice.size(), QSize(602, 1200));
        EXPECT_EQ(twice.devicePixelRatio(), 2);
        // The squares, the lines and the cursor stand where they stood, at twice the size...
        const QImage doubled = single.scaled(602, 1200);
        for (const auto& [x, y] : {std::pair{2, 300}, std::pair{3, 573}, std::pair{150, 585}, std::pair{280, 590},
                                   std::pair{0, 570}, std::pair{165, 573}, std::pair{299, 5}})
            EXPECT_EQ(At(twice, 2 * x, 2 * y), At(single, x, y)) << x << "," << y;
        // ... but the marks' letters and the symbols' edges are finer than a doubled picture.
        EXPECT_NE(twice.copy(0, 0, 602, 300), doubled.copy(0, 0, 602, 300)) << "the marks";
        if (symbols) {
            EXPECT_NE(twice.copy(0, 1140, 602, 60), doubled.copy(0, 1140, 602, 60)) << "the symbols";
        }
    }
}
