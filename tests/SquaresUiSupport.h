#pragma once
// Helpers of the colour-squares window tests: modal dialogs answered in a scripted order,
// a started game in a temporary folder, and a field laid out by rows of digits.

#include <gtest/gtest.h>

#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "common/Winifile.h"
#include "gui/GlyphButton.h"
#include "gui/Panels.h"
#include "gui/PictureBox.h"
#include "gui/Seams.h"
#include "squares/Leveldialog.h"
#include "squares/SquaresLook.h"
#include "squares/Unit1.h"

// Window tests use the project's names unqualified.
using namespace vum;

// Answers the modal dialogs a test expects, in order, and records every dialog run. A
// dialog that no step expects fails the test and is closed at once.
class ModalScript {
public:
    ModalScript() {
        Seams::modal = [this](QDialog& dialog) {
            seen.push_back(dialog.metaObject()->className());
            if (steps.empty()) {
                ADD_FAILURE() << "unexpected modal dialog " << seen.back();
                return 0;
            }
            auto step = std::move(steps.front());
            steps.pop_front();
            step(dialog);
            return dialog.result();
        };
    }
    ~ModalScript() {
        EXPECT_TRUE(steps.empty()) << steps.size() << " expected dialog(s) never ran";
        Seams::modal = [](QDialog& dialog) {
            ADD_FAILURE() << "unexpected modal dialog " << dialog.metaObject()->className();
            return 0;
        };
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The next dialog must be a D; act plays the player's part (the dialog is shown first).
    template <class D>
    void Then(std::function<void(D&)> act) {
        steps.push_back([act](QDialog& dialog) {
            auto* expected = dynamic_cast<D*>(&dialog);
            ASSERT_NE(expected, nullptr) << "a " << D::staticMetaObject.className() << " was expected, not a "
                                         << dialog.metaObject()->className();
            dialog.show();
            act(*expected);
            dialog.hide();
        });
    }

    std::vector<std::string> seen;

private:
    std::deque<std::function<void(QDialog&)>> steps;
};

// A program folder for one test; the form keeps its files in Path()/VumColor.
struct SquaresFolder : TestFolder {
    std::string Program() const { return Path() + "/"; }
    std::string Data() const { return Path() + "/VumColor"; }
    std::string Ini() const { return Data() + "/VumColor.ini"; }
    std::string Table(int level) const { return Data() + "/VumColor" + std::to_string(level + 1) + ".dat"; }
};

// Starts the program's window in folder with the level dialog answered OK at level.
inline std::unique_ptr<TForm1> StartGame(const SquaresFolder& folder, int level = 1) {
    ModalScript dialogs;
    dialogs.Then<TLevelDialog1>([level](TLevelDialog1& dialog) {
        dialog.LevelIndex = level;
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    auto form = std::make_unique<TForm1>(folder.Program());
    form->show();
    return form;
}

// Puts field and score on the window's game in progress, through the play state's Restore: a
// running game runs on, a paused one stays paused. The field must be one a game can reach.
inline void LayGrid(TForm1& form, const vum::SquaresField::Grid& field, std::int32_t score) {
    const bool running = form.Game.CurrentPhase() == vum::SquaresGame::Phase::Running;
    vum::SquaresPosition position = form.Game.Position();
    position.Field = field;
    position.Score = score;
    ASSERT_TRUE(form.RestoreGame(position)) << "a field no game can reach";
    if (running) form.PauseButton1Click();
}

// Lays rows of colour codes ("1120000000") on the field so that the last one is row 19; the
// score stays.
inline void LayField(TForm1& form, const std::vector<std::string>& rows) {
    vum::SquaresField::Grid field{};
    const int first = vum::SquaresField::Rows - static_cast<int>(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < vum::SquaresField::Columns; ++c)
            field[static_cast<std::size_t>((first + static_cast<int>(r)) * vum::SquaresField::Columns + c)] =
                static_cast<std::uint8_t>(rows[r][static_cast<std::size_t>(c)] - '0');
    LayGrid(form, field, form.Game.Score());
}

// Makes the next field tick end the game, with score points: column 0 stands up to row 1.
inline void LastTick(TForm1& form, std::int32_t score = 0) {
    vum::SquaresField::Grid field{};
    for (int r = 1; r < vum::SquaresField::Rows; ++r) field[static_cast<std::size_t>(r * vum::SquaresField::Columns)] = 1;
    LayGrid(form, field, score);
}

// A press on the field picture at image point (x, y) with button.
inline void PressField(TForm1& form, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(form.Image1, button, {}, QPoint(x, y));
    QTest::mouseRelease(form.Image1, button, {}, QPoint(x, y));
}

// Types text character by character (QTest::keyClicks passes only Latin-1).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), {});
}

inline std::string IniText(const std::string& ini, const char* section, const char* key, bool* found = nullptr) {
    std::string text;
    double real = 0;
    std::int32_t integer = 0;
    bool flag = false;
    const bool read = WIniFile().ReadParameter(ini, section, key, ParamString, text, real, integer, flag, false);
    if (found != nullptr) *found = read;
    return text;
}
