// The main window of the colour-squares game: start-up, the clock, pause, presses, keys,
// the field picture and the end of a game. Timers are driven by calling their handlers and
// dialogs are answered through the modal seam; no test waits for real time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <sys/stat.h>

#include "SquaresUiSupport.h"
#include "UrlCatcher.h"
#include "common/Cp1251.h"
#include "common/WRandom.h"
#include "common/Wbestscorefile.h"
#include "contact/ContactBlock.h"
#include "gui/GameTimer.h"
#include "gui/GlyphButton.h"
#include "gui/Panels.h"
#include "gui/PictureBox.h"
#include "squares/Bestscoretabledialog.h"
#include "squares/FieldPicture.h"
#include "squares/Gameoverdialog.h"
#include "squares/Helpdialog.h"
#include "squares/Inputnamedialog.h"
#include "squares/SquaresLook.h"

using namespace vum;

namespace {

QRgb Pixel(const TForm1& form, int x, int y) { return form.Image1->Picture.pixel(x, y) & 0xFFFFFF; }
constexpr QRgb Rgb(std::uint32_t bgr) { return WinRgb(bgr) & 0xFFFFFF; }

bool ShowsPlaySign(const TForm1& form) { return form.PauseButton1->Glyph() == form.SpeedButton1->Glyph(); }
bool ShowsPauseSign(const TForm1& form) { return form.PauseButton1->Glyph() == form.SpeedButton2->Glyph(); }

// Fills the table of level with the scores, best first, names "P1", "P2", ...
void FillTable(const std::string& path, int level, const std::vector<int>& scores) {
    WBestScoreFile table(level);
    table.FileName = path;
    for (std::size_t i = 0; i < scores.size(); ++i) table.AddScore("P" + std::to_string(i + 1), scores[i]);
}

std::vector<ScoreEntry> ReadTable(const std::string& path, int level) {
    WBestScoreFile table(level);
    EXPECT_TRUE(table.ReadTable(path));
    return table.Entries;
}

void ExpectRunning(const TForm1& form) {
    EXPECT_TRUE(form.Timer1->Enabled());
    EXPECT_TRUE(form.Timer2->Enabled());
}

void ExpectStopped(const TForm1& form) {
    EXPECT_FALSE(form.Timer1->Enabled());
    EXPECT_FALSE(form.Timer2->Enabled());
}

}  // namespace

TEST(SquaresStart, WithoutSettingsOneIsPreselectedAndOkWithZeroPlaysThreeColours) {
    SquaresFolder folder;
    ModalScript dialogs;
    dialogs.Then<TLevelDialog1>([](TLevelDialog1& dialog) {
        EXPECT_EQ(dialog.LevelIndex, 1);
        EXPECT_EQ(dialog.LevelPanel1->Caption(), "Любитель (4 цвета)");
        // The window is not shown yet, and its speed clock already runs.
        auto* owner = qobject_cast<TForm1*>(dialog.parentWidget());
        ASSERT_NE(owner, nullptr);
        EXPECT_FALSE(owner->isVisible());
        EXPECT_FALSE(owner->Timer1->Enabled());
        EXPECT_TRUE(owner->Timer2->Enabled());
        EXPECT_EQ(owner->Timer2->Interval(), 1000);
        // A minute in the dialog speeds up the stopped field tick; the first game starts
        // slow all the same.
        for (int i = 0; i < 60; ++i) owner->Timer2Timer();
        EXPECT_EQ(owner->Timer1->Interval(), 1800);
        QTest::keyClick(&dialog, Qt::Key_Left);
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    TForm1 form(folder.Program());

    EXPECT_FALSE(form.Terminated());
    EXPECT_EQ(form.LevelIndex, 0);
    EXPECT_EQ(IniText(folder.Ini(), "Game", "VidUser"), "0");
    EXPECT_EQ(form.Game.ColourCount(), 3);
    EXPECT_EQ(form.BestScorePath.toStdString(), folder.Table(0));
    EXPECT_EQ(form.windowTitle(), "ВУМ квадратики");
    // One row at once, of the three colours only; the rest of the field empty.
    for (int i = 0; i < SquaresField::Cells; ++i) {
        const int code = form.Game.Field()[static_cast<std::size_t>(i)];
        if (i / SquaresField::Columns == SquaresField::Rows - 1) {
            EXPECT_GE(code, 1);
            EXPECT_LE(code, 3);
        } else {
            EXPECT_EQ(code, 0);
        }
    }
    ExpectRunning(form);
    EXPECT_EQ(form.Timer1->Interval(), 2300);
    EXPECT_EQ(form.ScorePanel1->Caption(), " Очки: 0");
    EXPECT_EQ(form.LevelPanel1->Caption(), " Уровень: 1");
    EXPECT_TRUE(ShowsPauseSign(form));
    EXPECT_FALSE(std::filesystem::exists(folder.Table(0)));
}

TEST(SquaresStart, AStoredLevelOutOfRangePreselectsTwoAndANonNumberOne) {
    for (const auto& [stored, preselected] : std::vector<std::pair<std::string, int>>{
             {"7", 2}, {"-1", 2}, {"0", 0}, {"abc", 1}}) {
        SCOPED_TRACE(stored);
        SquaresFolder folder;
        std::filesystem::create_directory(folder.Data());
        TestFolder::Write(folder.Ini(), "[Game]\r\nVidUser=" + stored + "\r\n");
        ModalScript dialogs;
        dialogs.Then<TLevelDialog1>([preselected](TLevelDialog1& dialog) {
            EXPECT_EQ(dialog.LevelIndex, preselected);
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        TForm1 form(folder.Program());
        EXPECT_EQ(form.LevelIndex, preselected);
        EXPECT_EQ(form.Game.ColourCount(), 3 + preselected);
        EXPECT_EQ(IniText(folder.Ini(), "Game", "VidUser"), std::to_string(preselected));
    }
}

TEST(SquaresStart, CancelEndsWithoutWritingOrPlaying) {
    for (const bool byCross : {false, true}) {
        SCOPED_TRACE(byCross ? "close cross" : "Esc");
        SquaresFolder folder;
        ModalScript dialogs;
        dialogs.Then<TLevelDialog1>([byCross](TLevelDialog1& dialog) {
            if (byCross)
                QTest::mouseClick(dialog.CloseButton1, Qt::LeftButton);
            else
                QTest::keyClick(&dialog, Qt::Key_Escape);
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
        });
        TForm1 form(folder.Program());
        EXPECT_TRUE(form.Terminated());
        EXPECT_FALSE(form.Timer1->Enabled());
        EXPECT_TRUE(std::filesystem::is_empty(folder.Data()));
    }
}

TEST(SquaresClock, SixtyTicksShortenTheFieldTickAndRaiseTheLevel) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    for (int i = 0; i < 59; ++i) form->Timer2Timer();
    EXPECT_EQ(form->Timer1->Interval(), 2300);
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 1");
    form->Timer2Timer();
    EXPECT_EQ(form->Timer1->Interval(), 2100);
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 2");
    EXPECT_TRUE(form->Timer1->Enabled());

    for (int i = 0; i < 8 * 60; ++i) form->Timer2Timer();
    EXPECT_EQ(form->Timer1->Interval(), 500);
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 10");
    for (int i = 0; i < 2 * 60; ++i) form->Timer2Timer();
    EXPECT_EQ(form->Timer1->Interval(), 500);
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 10");

    // A new game starts slow again but the clock keeps its count.
    for (int i = 0; i < 45; ++i) form->Timer2Timer();
    form->NewGameButton1->click();
    EXPECT_EQ(form->Timer1->Interval(), 2300);
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 1");
    for (int i = 0; i < 15; ++i) form->Timer2Timer();
    EXPECT_EQ(form->Timer1->Interval(), 2100);
    EXPECT_EQ(form->LevelPanel1->Caption(), " Уровень: 2");
}

TEST(SquaresClock, PauseAndResumeByButtonAndF5SwapThePictures) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    QTest::mouseClick(form->PauseButton1, Qt::LeftButton);
    ExpectStopped(*form);
    EXPECT_TRUE(ShowsPlaySign(*form));
    QTest::mouseClick(form->PauseButton1, Qt::LeftButton);
    ExpectRunning(*form);
    EXPECT_TRUE(ShowsPauseSign(*form));

    QTest::keyClick(form.get(), Qt::Key_F5);
    ExpectStopped(*form);
    EXPECT_TRUE(ShowsPlaySign(*form));
    // A new game from the pause runs at once, with the pause sign.
    form->NewGameButton1->click();
    ExpectRunning(*form);
    EXPECT_TRUE(ShowsPauseSign(*form));
    QTest::keyClick(form.get(), Qt::Key_F5);
    QTest::keyClick(form.get(), Qt::Key_F5);
    ExpectRunning(*form);
    EXPECT_FALSE(form->SpeedButton1->isVisible());
    EXPECT_FALSE(form->SpeedButton2->isVisible());
}

TEST(SquaresInput, AnyButtonRemovesAGroupOnlyWhileTheFieldTickRuns) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    LayField(*form, {"1000000000", "1100000000"});  // an L of three reds in column 0 and 1

    QTest::keyClick(form.get(), Qt::Key_F5);
    PressField(*form, 5, 575);
    EXPECT_EQ(form->Game.Field()[190], 1);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 0");
    QTest::keyClick(form.get(), Qt::Key_F5);

    PressField(*form, 35, 575, Qt::RightButton);
    EXPECT_EQ(form->Game.Field()[190], 0);
    EXPECT_EQ(form->Game.Field()[191], 0);
    EXPECT_EQ(form->Game.Field()[180], 0);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 30");
    EXPECT_EQ(Pixel(*form, 15, 590), Rgb(0xFFFFFF));  // repainted white

    // The second press of a double click is a press too.
    LayField(*form, {"3330000000"});
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(65, 590), form->Image1->mapToGlobal(QPointF(65, 590)),
                       Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(form->Image1, &second);
    EXPECT_EQ(form->Game.Field()[192], 0);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 60");

    // A pair is not a group.
    LayField(*form, {"2200000000"});
    PressField(*form, 5, 590, Qt::MiddleButton);
    EXPECT_EQ(form->Game.Field()[190], 2);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 60");
}

TEST(SquaresPicture, FieldPictureFollowsTheWindowsRectangles) {
    SquaresField::Grid field{};
    field[190] = 1;
    field[199] = 3;
    field[5] = 2;  // a square in the danger row, as at the end of a game
    FieldPicture painter;
    QImage picture(301, 600, QImage::Format_RGB32);
    painter.Paint(picture, {.Field = field});
    const auto at = [&](int x, int y) { return picture.pixel(x, y) & 0xFFFFFF; };

    // Square of row 19, column 0: outline on x 0..30 and y 570..600, colour inside.
    EXPECT_EQ(at(0, 570), 0u);
    EXPECT_EQ(at(30, 570), 0u);
    EXPECT_EQ(at(0, 599), 0u);
    EXPECT_EQ(at(1, 571), Rgb(0x0000FF));
    EXPECT_EQ(at(29, 599), Rgb(0x0000FF));
    EXPECT_EQ(at(299, 580), Rgb(0xFF0000));  // blue, column 9
    EXPECT_EQ(at(300, 580), 0u);
    // The danger band covers row 0 on y 0..29; the square there hides it.
    EXPECT_EQ(at(1, 1), Rgb(0xE4E4E4));
    EXPECT_EQ(at(300, 29), Rgb(0xE4E4E4));
    EXPECT_EQ(at(1, 30), Rgb(0xFFFFFF));
    EXPECT_EQ(at(150, 1), 0u);
    EXPECT_EQ(at(155, 5), Rgb(0x008000));

    // The marks: orange only in row 0, light grey elsewhere, inside each cell's text band.
    // Text edges blend into the ground, so a mark is told by its hue.
    const auto orange = [](QRgb p) { return qRed(p) > qBlue(p) + 60 && qGreen(p) > qBlue(p); };
    const auto grey = [](QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) < 0xE4; };
    const auto hasMark = [&](int left, int top, auto kind) {
        int found = 0;
        for (int y = top + 10; y < top + 30; ++y)
            for (int x = left + 4; x < left + 30; ++x) found += kind(at(x, y)) ? 1 : 0;
        return found > 10;
    };
    EXPECT_TRUE(hasMark(0, 0, orange));
    EXPECT_TRUE(hasMark(270, 0, orange));
    EXPECT_FALSE(hasMark(0, 0, grey));
    EXPECT_FALSE(hasMark(0, 30, orange));
    EXPECT_TRUE(hasMark(0, 30, grey));
    EXPECT_TRUE(hasMark(270, 540, grey));
    EXPECT_FALSE(hasMark(0, 570, grey));  // hidden by the square
    // The word stays inside its cell: right of x + 4, below y + 10, clear of the far edges.
    for (int y = 31; y < 40; ++y) EXPECT_EQ(at(15, y), Rgb(0xFFFFFF));
    for (int x = 31; x < 34; ++x) EXPECT_EQ(at(x, 45), Rgb(0xFFFFFF));
    for (int i = 1; i < 30; ++i) {
        EXPECT_EQ(at(30 + 29, 30 + i), Rgb(0xFFFFFF)) << i;
        EXPECT_EQ(at(30 + i, 30 + 29), Rgb(0xFFFFFF)) << i;
    }
}

TEST(SquaresPicture, FieldPictureEqualsTheFourStepsPaintedOneByOne) {
    SquaresFolder folder;
    auto form = StartGame(folder, 2);
    FieldPicture fieldPicture;
    QImage picture(301, 600, QImage::Format_RGB32);
    WRandom random(7);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        SquaresField::Grid field;
        for (auto& code : field) code = static_cast<std::uint8_t>(random.Draw15() % 6);
        fieldPicture.Paint(picture, {.Field = field});

        // The steps as written: empty cells, the band, the marks, the squares.
        QImage expected(301, 600, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter painter(&expected);
        const auto cell = [&](int i, const QColor& pen, const QColor& brush) {
            const int left = i % 10 * 30, top = i / 10 * 30;
            WinRectangle(painter, pen, brush, left, top, left + 31, top + 31);
        };
        for (int i = 0; i < 200; ++i)
            if (field[static_cast<std::size_t>(i)] == 0) cell(i, Qt::white, Qt::white);
        WinRectangle(painter, WinColour(0xE4E4E4), WinColour(0xE4E4E4), 0, 0, 301, 30);
        form->DrawCellMarks(painter);
        const std::array<std::uint32_t, 6> colours = {0, 0x0000FF, 0x008000, 0xFF0000, 0x00FFFF, 0x800080};
        for (int i = 0; i < 200; ++i) {
            const std::uint8_t code = field[static_cast<std::size_t>(i)];
            if (code != 0) cell(i, Qt::black, WinColour(colours[code]));
        }
        painter.end();
        EXPECT_EQ(picture, expected);
    }
    // The window shows its game's field so.
    LayField(*form, {"5000000000", "1234512345"});
    fieldPicture.Paint(picture, {.Field = form->Game.Field()});
    EXPECT_EQ(form->Image1->Picture, picture);
}

TEST(SquaresKeys, EscClosesTheWindowAndOtherKeysDoNothing) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    QTest::keyClick(form.get(), Qt::Key_A);
    QTest::keyClick(form.get(), Qt::Key_Space);
    QTest::keyClick(form.get(), Qt::Key_Return);
    ExpectRunning(*form);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(std::filesystem::exists(folder.Table(1)));
}

TEST(SquaresKeys, F10StopsARunningGameForTheTableAndLeavesAPauseAlone) {
    SquaresFolder folder;
    auto form = StartGame(folder, 2);
    {
        ModalScript dialogs;
        dialogs.Then<TBestScoreTableDialog1>([&](TBestScoreTableDialog1& table) {
            ExpectStopped(*form);
            EXPECT_EQ(table.NewRecordRow, -1);
            EXPECT_EQ(table.LevelIndex, 2);
            EXPECT_EQ(table.BestScorePath.toStdString(), folder.Table(2));
            EXPECT_EQ(table.CategoryPanel1->Caption(), "в категории \"Профессионал\"");
        });
        QTest::keyClick(form.get(), Qt::Key_F10);
    }
    ExpectRunning(*form);

    QTest::keyClick(form.get(), Qt::Key_F5);
    {
        ModalScript dialogs;
        dialogs.Then<TBestScoreTableDialog1>([&](TBestScoreTableDialog1&) { ExpectStopped(*form); });
        QTest::keyClick(form.get(), Qt::Key_F10);
    }
    ExpectStopped(*form);
    EXPECT_TRUE(ShowsPlaySign(*form));
}

TEST(SquaresKeys, HelpStopsBothTimersAndRestoresEachAsItWas) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    const auto help = [&](auto open) {
        ModalScript dialogs;
        dialogs.Then<THelpDialog1>([&](THelpDialog1&) { ExpectStopped(*form); });
        open();
    };
    help([&] { QTest::mouseClick(form->HelpButton1, Qt::LeftButton); });
    ExpectRunning(*form);

    QTest::keyClick(form.get(), Qt::Key_F5);
    help([&] { QTest::keyClick(form.get(), Qt::Key_F1); });
    ExpectStopped(*form);

    // An ended game stays stopped.
    QTest::keyClick(form.get(), Qt::Key_F5);
    LastTick(*form);
    {
        ModalScript dialogs;
        dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
        form->Timer1Timer();
    }
    help([&] { QTest::keyClick(form.get(), Qt::Key_F1); });
    ExpectStopped(*form);
}

TEST(SquaresKeys, WebAndMailLinksOpenTheirTargetsWithoutStoppingTheGame) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    UrlCatcher catcher;
    auto* web = form->findChild<QLabel*>("InternetLabel1");
    auto* mail = form->findChild<QLabel*>("EMailLabel1");
    auto* globe = form->findChild<QLabel*>("Image9");
    ASSERT_TRUE(web && mail && globe);
    QTest::mouseClick(web, Qt::LeftButton);
    QTest::mouseClick(globe, Qt::LeftButton);
    QTest::mouseClick(mail, Qt::LeftButton);
    ASSERT_EQ(catcher.urls.size(), 3u);
    EXPECT_EQ(catcher.urls[0], catcher.urls[1]);
    EXPECT_TRUE(catcher.urls[0].toString().contains(web->text()));
    EXPECT_EQ(catcher.urls[2].toString(), "mailto:" + mail->text());
    ExpectRunning(*form);
}

TEST(SquaresGame, ANewGameDuringAGameStartsAfreshWithoutARecord) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    LayGrid(*form, form->Game.Field(), 500);
    QTest::mouseClick(form->NewGameButton1, Qt::LeftButton);
    EXPECT_EQ(form->ScorePanel1->Caption(), " Очки: 0");
    EXPECT_TRUE(form->Game.Field() == SquaresField::Grid{});
    ExpectRunning(*form);
    EXPECT_FALSE(std::filesystem::exists(folder.Table(1)));
    // The first row of a new game comes with the next field tick.
    form->Timer1Timer();
    EXPECT_NE(form->Game.Field()[195], 0);
}

TEST(SquaresGameOver, NoPointsShowOnlyTheSplashAndThePauseStaysDead) {
    SquaresFolder folder;
    auto form = StartGame(folder);
    LastTick(*form);
    ModalScript dialogs;
    dialogs.Then<TGameOverDialog1>([&](TGameOverDialog1& splash) {
        ExpectStopped(*form);
        // The square that ended the game is on the picture already.
        EXPECT_EQ(Pixel(*form, 15, 15), Rgb(0x0000FF));
        EXPECT_TRUE(splash.Timer1->isActive());
        EXPECT_EQ(splash.Timer1->interval(), 4000);
        splash.Timer1Timer();
    });
    form->Timer1Timer();
    EXPECT_EQ(dialogs.seen, std::vector<std::string>{"TGameOverDialog1"});
    EXPECT_FALSE(std::filesystem::exists(folder.Table(1)));

    // After the end neither the pause button nor F5 starts the clock again, presses do
    // nothing, and the picture keeps the pause sign.
    const auto field = form->Game.Field();
    QTest::mouseClick(form->PauseButton1, Qt::LeftButton);
    QTest::keyClick(form.get(), Qt::Key_F5);
    ExpectStopped(*form);
    EXPECT_TRUE(ShowsPauseSign(*form));
    PressField(*form, 5, 575);
    EXPECT_EQ(form->Game.Field(), field);
    // A new game brings the pause back.
    form->NewGameButton1->click();
    QTest::keyClick(form.get(), Qt::Key_F5);
    ExpectStopped(*form);
    EXPECT_TRUE(ShowsPlaySign(*form));
}

TEST(SquaresGameOver, APositiveScoreBelowTheTableShowsItUnmarked) {
    SquaresFolder folder;
    auto form = StartGame(folder, 0);
    FillTable(folder.Table(0), 0, {900, 800, 700, 600, 500, 400, 300, 200, 150, 120});
    const std::string before = TestFolder::Read(folder.Table(0));
    for (const int score : {120, 50}) {
        SCOPED_TRACE(score);
        LastTick(*form, score);
        ModalScript dialogs;
        dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
        dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1& table) {
            EXPECT_EQ(table.NewRecordRow, -1);
            for (int i = 0; i < 10; ++i) EXPECT_EQ(table.NamePanels[i]->FontColour(), QColor(Qt::white));
            EXPECT_EQ(table.NamePanels[9]->Caption().trimmed(), "10. P10");
            EXPECT_EQ(table.ScorePanels[9]->Caption(), "120");
            QTest::keyClick(&table, Qt::Key_Space);
        });
        form->Timer1Timer();
        EXPECT_EQ(TestFolder::Read(folder.Table(0)), before);
        form->NewGame();
    }
    bool asked = true;
    IniText(folder.Ini(), "Name", "LastName", &asked);
    EXPECT_FALSE(asked);
}

TEST(SquaresGameOver, AQualifyingScoreAsksTheNameStoresItAndMarksItsRow) {
    SquaresFolder folder;
    auto form = StartGame(folder, 1);
    WIniFile().WriteParameter(folder.Ini(), "Name", "LastName", ParamString, Cp1251FromUtf8("Вася"), 0, 0, false,
                              false);
    // 500, 400, 400, 300 ... : a new 400 goes below both 400s.
    FillTable(folder.Table(1), 1, {500, 400, 400, 300, 200, 100, 90, 80, 70, 60});
    LastTick(*form, 400);
    ModalScript dialogs;
    dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
    dialogs.Then<TInputNameDialog1>([](TInputNameDialog1& box) {
        EXPECT_EQ(box.NameEdit1->text(), "Вася");
        EXPECT_TRUE(box.NameEdit1->hasFocus() || box.focusWidget() == box.NameEdit1);
        box.NameEdit1->clear();
        TypeText(box.NameEdit1, QString::fromUtf8("Петя"));
        QTest::keyClick(box.NameEdit1, Qt::Key_Return);
        EXPECT_EQ(box.result(), QDialog::Accepted);
    });
    dialogs.Then<TBestScoreTableDialog1>([&](TBestScoreTableDialog1& table) {
        EXPECT_EQ(table.NewRecordRow, 3);
        EXPECT_EQ(IniText(folder.Ini(), "Name", "LastName"), Cp1251FromUtf8("Петя"));
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(table.NamePanels[i]->FontColour(), QColor(i == 3 ? Qt::yellow : Qt::white)) << i;
            EXPECT_EQ(table.ScorePanels[i]->FontColour(), QColor(Qt::white)) << i;
        }
        EXPECT_EQ(table.NamePanels[3]->Caption().trimmed(), "4. Петя");
        EXPECT_EQ(table.NamePanels[2]->Caption().trimmed(), "3. P3");
        EXPECT_EQ(table.ScorePanels[3]->Caption(), "400");
        EXPECT_EQ(table.CategoryPanel1->Caption(), "в категории \"Любитель\"");
        QTest::mouseClick(table.ScorePanels[7], Qt::RightButton);
        EXPECT_EQ(table.result(), QDialog::Accepted);
    });
    form->Timer1Timer();
    const auto entries = ReadTable(folder.Table(1), 1);
    EXPECT_EQ(entries[3].Score, 400);
    EXPECT_EQ(entries[4].Score, 300);
    EXPECT_EQ(entries[9].Score, 70);  // the former tenth, 60, is gone
    ExpectStopped(*form);
}

TEST(SquaresGameOver, TheFirstRecordOfALevelLandsOnTopAndEscKeepsTheName) {
    SquaresFolder folder;
    auto form = StartGame(folder, 2);
    LastTick(*form, 10);
    ModalScript dialogs;
    dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
    dialogs.Then<TInputNameDialog1>([](TInputNameDialog1& box) {
        EXPECT_EQ(box.NameEdit1->text(), "");
        TypeText(box.NameEdit1, QString::fromUtf8("Ян"));
        QTest::keyClick(box.NameEdit1, Qt::Key_Escape);
        EXPECT_EQ(box.result(), QDialog::Accepted);
    });
    dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1& table) {
        EXPECT_EQ(table.NewRecordRow, 0);
        EXPECT_EQ(table.NamePanels[0]->Caption().trimmed(), "1. Ян");
        EXPECT_EQ(table.NamePanels[1]->Caption(), " 2. " + QString(30, ' '));
        EXPECT_EQ(table.ScorePanels[1]->Caption(), "0");
        QTest::mouseClick(table.Panel1, Qt::LeftButton);
    });
    form->Timer1Timer();
    EXPECT_EQ(IniText(folder.Ini(), "Name", "LastName"), Cp1251FromUtf8("Ян"));
    EXPECT_EQ(ReadTable(folder.Table(2), 2)[0].Name, Cp1251FromUtf8("Ян") + std::string(28, ' '));
}

TEST(SquaresGameOver, TheNameKeepsThirtyCharactersAndStoresForeignOnesAsQuestionMarks) {
    for (const auto& [typed, stored] : std::vector<std::pair<QString, std::string>>{
             {QString(35, QChar('x')), std::string(30, 'x')},
             {QString::fromUtf8("名前 Ян"), "?? " + Cp1251FromUtf8("Ян")},
             {QString(), std::string()}}) {
        SCOPED_TRACE(stored);
        SquaresFolder folder;
        auto form = StartGame(folder, 0);
        LastTick(*form, 70);
        ModalScript dialogs;
        dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
        dialogs.Then<TInputNameDialog1>([typed = typed](TInputNameDialog1& box) {
            TypeText(box.NameEdit1, typed);
            QTest::keyClick(&box, Qt::Key_Enter);
        });
        dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1& table) { QTest::keyClick(&table, Qt::Key_A); });
        form->Timer1Timer();
        bool found = false;
        EXPECT_EQ(IniText(folder.Ini(), "Name", "LastName", &found), stored);
        EXPECT_TRUE(found);
        const auto entries = ReadTable(folder.Table(0), 0);
        EXPECT_EQ(entries[0].Name, stored + std::string(30 - stored.size(), ' '));
        EXPECT_EQ(entries[0].Score, 70);
    }
}

TEST(SquaresGameOver, ATableThatCanBeNeitherReadNorCreatedShowsTenEmptyRowsAndWritesNothing) {
    SquaresFolder folder;
    // A file where the data folder should be: nothing can be created in it.
    TestFolder::Write(folder.Data(), "not a folder");
    auto form = StartGame(folder, 1);
    LastTick(*form, 300);
    ModalScript dialogs;
    dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
    dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1& table) {
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(table.NamePanels[i]->Caption().trimmed(), QString::number(i + 1) + ".");
            EXPECT_EQ(table.ScorePanels[i]->Caption(), "0");
        }
        QTest::keyClick(&table, Qt::Key_Escape);
    });
    form->Timer1Timer();
    EXPECT_EQ(TestFolder::Read(folder.Data()), "not a folder");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(SquaresGameOver, TheNameIsStoredEvenWhenTheTableCannotBeWritten) {
    SquaresFolder folder;
    auto form = StartGame(folder, 0);
    FillTable(folder.Table(0), 0, {100});
    const std::string before = TestFolder::Read(folder.Table(0));
    ::chmod(folder.Table(0).c_str(), 0444);
    LastTick(*form, 200);
    ModalScript dialogs;
    dialogs.Then<TGameOverDialog1>([](TGameOverDialog1& splash) { splash.Timer1Timer(); });
    dialogs.Then<TInputNameDialog1>([](TInputNameDialog1& box) {
        TypeText(box.NameEdit1, QString::fromUtf8("Оля"));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    dialogs.Then<TBestScoreTableDialog1>([](TBestScoreTableDialog1& table) {
        EXPECT_EQ(table.NewRecordRow, -1);
        EXPECT_EQ(table.ScorePanels[0]->Caption(), "100");
        QTest::keyClick(&table, Qt::Key_Return);
    });
    form->Timer1Timer();
    EXPECT_EQ(IniText(folder.Ini(), "Name", "LastName"), Cp1251FromUtf8("Оля"));
    EXPECT_EQ(TestFolder::Read(folder.Table(0)), before);
}

