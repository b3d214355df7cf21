#pragma once
// What the Sudoku window tests share: a data folder, a started window, the digit picker
// answered through the modal seam, and a record of the notices that were shown.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestFolder.h"
#include "common/Wbestscorefile.h"
#include "common/Winifile.h"
#include "gui/Fonts.h"
#include "gui/GlyphButton.h"
#include "gui/Panels.h"
#include "gui/Seams.h"
#include "sudoku/Inputdigitaldialog.h"
#include "sudoku/SudokuBoardGrid.h"
#include "sudoku/SudokuLook.h"
#include "sudoku/Unit1.h"
#include "sudoku/Waitdialog.h"

// Window tests use the project's names unqualified.
using namespace vum;

using Cell = std::pair<int, int>;  // column, row

struct SudokuFolder : TestFolder {
    std::string Data() const { return Path() + "/"; }
    std::string Ini() const { return File("VumSudoku.ini"); }
    std::string Dat() const { return File("VumSudoku.dat"); }

    void WriteLevel(std::int32_t level) const {
        WIniFile().WriteParameter(Ini(), "Difficult_Level", "Number", ParamInteger, "", 0.0, level, false, false);
    }
    // The stored level, or -100 when there is none.
    std::int32_t StoredLevel() const {
        std::string text;
        double real = 0;
        std::int32_t level = -100;
        bool flag = false;
        WIniFile().ReadParameter(Ini(), "Difficult_Level", "Number", ParamInteger, text, real, level, flag, false);
        return level;
    }
    void Count(std::int32_t level, int times) const {
        for (int i = 0; i < times; ++i) WBestScoreFile().IncrementCounter(Dat(), level);
    }
    std::int32_t Counter(std::int32_t level) const { return WBestScoreFile().ReadCounter(Dat(), level); }
};

// Records the caption of every wait notice when it is shown.
class NoticeWatcher : public QObject {
public:
    NoticeWatcher() { qApp->installEventFilter(this); }
    std::vector<QString> captions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* notice = dynamic_cast<TWaitDialog1*>(watched)) captions.push_back(notice->Panel1->Caption());
        return false;
    }
};

inline const QString MakingCaption = QStringLiteral("Создание нового Судоку. Ждите...");
inline const QString PassedCaption = QStringLiteral("Уровень пройден.");

// A window after its first activation.
inline std::unique_ptr<TForm1> StartGame(const SudokuFolder& folder) {
    auto form = std::make_unique<TForm1>(folder.Data());
    form->FormActivate();
    return form;
}

// A started window, shown, at a known place.
inline std::unique_ptr<TForm1> ShownGame(const SudokuFolder& folder, QPoint at = {20, 20}) {
    auto form = StartGame(folder);
    form->move(at);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
}

inline int CountGivens(const TForm1& form) {
    int count = 0;
    for (const auto& column : form.Game.Givens())
        for (const auto given : column) count += given;
    return count;
}

inline std::vector<Cell> EmptyCells(const TForm1& form) {
    std::vector<Cell> cells;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (form.Game.Position().Board[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] == -1)
                cells.emplace_back(c, r);
    return cells;
}

inline std::vector<Cell> Givens(const TForm1& form) {
    std::vector<Cell> cells;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (form.Game.Givens()[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] == 1)
                cells.emplace_back(c, r);
    return cells;
}

inline std::int32_t Solution(const TForm1& form, Cell cell) {
    return form.Game.Solution()[static_cast<std::size_t>(cell.first)][static_cast<std::size_t>(cell.second)];
}

inline std::int32_t Player(const TForm1& form, Cell cell) {
    return form.Game.Position().Board[static_cast<std::size_t>(cell.first)][static_cast<std::size_t>(cell.second)];
}

// A digit 1..9 that differs from the cell's solution digit.
inline std::int32_t WrongDigit(const TForm1& form, Cell cell) { return Solution(form, cell) % 9 + 1; }

// The digits of a grid column by column, -1 for an empty cell.
inline std::vector<std::int32_t> Digits(const SudokuGrid& grid) {
    std::vector<std::int32_t> digits;
    for (const auto& column : grid) digits.insert(digits.end(), column.begin(), column.end());
    return digits;
}
// What the board shows, the player's board under it, and the solution.
inline std::vector<std::int32_t> ShownDigits(const TForm1& form) { return Digits(form.Game.ShownGrid()); }
inline std::vector<std::int32_t> PlayerDigits(const TForm1& form) { return Digits(form.Game.Position().Board); }
inline std::vector<std::int32_t> SolutionDigits(const TForm1& form) { return Digits(form.Game.Solution()); }
inline std::int32_t ShownAt(const TForm1& form, Cell cell) { return form.Game.Shown(cell.first, cell.second); }

// Answers every picker through the modal seam: shows it (offscreen), lets act work on it,
// and returns the result it closed with. Counts the pickers.
struct PickerScript {
    int opened = 0;
    std::function<void(TInputDigitalDialog1&)> act;

    PickerScript() {
        Seams::modal = [this](QDialog& dialog) {
            auto* picker = dynamic_cast<TInputDigitalDialog1*>(&dialog);
            EXPECT_NE(picker, nullptr) << "a modal dialog that is not the digit picker";
            if (picker == nullptr) return 0;
            ++opened;
            picker->show();
            if (act) act(*picker);
            return picker->result();
        };
    }
    ~PickerScript() {
        Seams::modal = [](QDialog&) {
            ADD_FAILURE() << "unexpected modal dialog";
            return 0;
        };
    }
    PickerScript(const PickerScript&) = delete;
    PickerScript& operator=(const PickerScript&) = delete;

    // The next pickers are answered with the button of digit (1..9), or "-" for 0.
    void Pick(int digit) {
        act = [digit](TInputDigitalDialog1& picker) {
            QTest::mouseClick(picker.Buttons[static_cast<std::size_t>(digit == 0 ? 9 : digit - 1)], Qt::LeftButton);
        };
    }
};

// Runs the select handler for a cell, the picker answered with digit (0 for "-").
inline void Enter(TForm1& form, PickerScript& pickers, Cell cell, int digit) {
    pickers.Pick(digit);
    bool canSelect = false;
    form.StringGrid1SelectCell(cell.first, cell.second, canSelect);
}

// Answers the next questions with answer and records them.
struct QuestionScript {
    QMessageBox::StandardButton answer;
    std::vector<std::pair<QString, QString>> asked;  // caption, text

    explicit QuestionScript(QMessageBox::StandardButton reply) : answer(reply) {
        Seams::question = [this](QWidget*, const QString& caption, const QString& text) {
            asked.emplace_back(caption, text);
            return answer;
        };
    }
};

// A window colour 0x00BBGGRR as the pixels of an image hold it.
constexpr QRgb Rgb(std::uint32_t bgr) { return WinRgb(bgr) & 0xFFFFFF; }
